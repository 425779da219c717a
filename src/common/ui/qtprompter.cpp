#include "qtprompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace mzt {

QWidget* QtPrompter::parentWidget() const
{
    if (m_parent)
        return m_parent.data();
    return QApplication::activeWindow();
}

void QtPrompter::message(const QString& text, const QString& title, MessageKind kind)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    if (kind == MessageKind::Warning)
        icon = QMessageBox::Warning;
    else if (kind == MessageKind::Error)
        icon = QMessageBox::Critical;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parentWidget());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtPrompter::ask(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parentWidget());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace mzt
