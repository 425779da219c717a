#include "editsmode.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace mzt {

namespace {

// The edit boxes of combo, spin and date boxes, and the cell editors of grids, belong to
// those widgets, not to the window; boxes of other windows (child dialogs) are theirs.
bool isOwnEditBox(const QLineEdit* edit, const QWidget* window)
{
    if (edit->window() != window->window())
        return false;
    for (const QObject* p = edit->parent(); p && p != window; p = p->parent()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return false;
    }
    return true;
}

void setBase(QLineEdit* edit, const QColor& color)
{
    QPalette pal = edit->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(g, QPalette::Base, color);
    edit->setPalette(pal);
}

} // namespace

void SetEditsMode(QWidget* window, int mode)
{
    if (!window || mode < 0 || mode > 2)
        return;
    const QColor grey(221, 221, 221);
    const QColor white(Qt::white);
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (!isOwnEditBox(edit, window))
            continue;
        switch (mode) {
        case 0:
            edit->setEnabled(false);
            setBase(edit, grey);
            break;
        case 1:
            edit->setEnabled(true);
            setBase(edit, white);
            if (!edit->property(keepTextProperty).toBool())
                edit->clear();
            break;
        case 2:
            edit->setEnabled(true);
            setBase(edit, white);
            break;
        }
    }
}

} // namespace mzt
