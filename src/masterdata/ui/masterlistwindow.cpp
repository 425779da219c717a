#include "masterlistwindow.h"

#include "datagrid.h"
#include "editsmode.h"
#include "gridexport.h"
#include "report.h"
#include "reportpreview.h"
#include "rights.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace mzt {

namespace {

QString titleOf(const MasterColumn& c)
{
    if (!c.listTitle.isEmpty())
        return c.listTitle;
    QString t = c.caption.isEmpty() ? c.field : c.caption;
    t.remove(QLatin1Char('*'));
    t.remove(QChar(0xFF1A)); // full-width colon
    t.remove(QLatin1Char(':'));
    t.remove(QLatin1Char(' '));
    return t.trimmed();
}

void setComboBase(QComboBox* combo, bool enabled)
{
    QPalette pal = combo->palette();
    const QColor color = enabled ? QColor(Qt::white) : QColor(221, 221, 221);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Base, color);
        pal.setColor(g, QPalette::Button, color);
    }
    combo->setPalette(pal);
}

MasterListWindow::WindowLookup& windowLookup()
{
    static MasterListWindow::WindowLookup lookup;
    return lookup;
}

} // namespace

void MasterListWindow::setWindowLookup(WindowLookup lookup)
{
    windowLookup() = std::move(lookup);
}

bool MasterListWindow::canOpenWindow(const QString& windowClass)
{
    return windowLookup() && windowLookup()(windowClass);
}

bool MasterListWindow::openWindow(const QString& windowClass)
{
    if (!canOpenWindow(windowClass))
        return false;
    const WindowFactory make = windowLookup()(windowClass);
    std::unique_ptr<QDialog> w;
    try {
        w.reset(make(m_session, this));
    } catch (const DbError& e) {
        m_session.prompter.error(e.message());
        return false;
    }
    if (!w)
        return false;
    w->exec();
    return true;
}

MasterListWindow::MasterListWindow(Session& session, std::unique_ptr<MasterListLogic> logic,
                                   MasterListSetup setup, QWidget* parent)
    : QDialog(parent), m_session(session), m_logic(std::move(logic)), m_setup(std::move(setup))
{
    buildUi();
    setBoxesMode(0);
}

MasterListWindow::~MasterListWindow() = default;

void MasterListWindow::buildUi()
{
    setWindowTitle(m_setup.title);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);

    m_buttonBar = new QHBoxLayout;
    m_buttonBar->setSpacing(4);
    top->addLayout(m_buttonBar);
    const auto standard = [this](const QString& caption, std::function<void()> handler,
                                 const QString& hint = {}) {
        if (!caption.isEmpty())
            addButton(caption, std::move(handler), hint);
    };
    standard(
        m_setup.newCaption, [this] { startNew(); }, m_setup.newHint);
    standard(m_setup.saveCaption, [this] { save(); });
    standard(m_setup.deleteCaption, [this] { removeCurrent(); });
    standard(m_setup.findCaption, [this] { startFind(); });
    standard(m_setup.sortCaption, [this] { sortList(); });
    standard(m_setup.exportCaption, [this] { exportList(); });
    standard(m_setup.printCaption, [this] { printList(); });
    m_buttonBar->addStretch(1);
    if (!m_setup.deleteAskCheckBox.isEmpty()) {
        m_deleteAsk = new QCheckBox(m_setup.deleteAskCheckBox, this);
        m_deleteAsk->setChecked(true);
        m_buttonBar->addWidget(m_deleteAsk);
    }
    if (!m_setup.exitCaption.isEmpty()) {
        auto* exit = new QPushButton(m_setup.exitCaption, this);
        exit->setAutoDefault(false);
        exit->setMinimumHeight(30);
        connect(exit, &QPushButton::clicked, this, [this] { reject(); });
        m_buttonBar->addWidget(exit);
        m_buttons.insert(m_setup.exitCaption, exit);
    }

    if (!m_setup.instructions.isEmpty()) {
        auto* label = new QLabel(m_setup.instructions, this);
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color: #1f4e9a;"));
        top->addWidget(label);
    }

    auto* boxArea = new QWidget(this);
    boxArea->setObjectName(QStringLiteral("boxArea"));
    m_boxGrid = new QGridLayout(boxArea);
    m_boxGrid->setContentsMargins(0, 0, 0, 0);
    m_boxGrid->setHorizontalSpacing(6);
    m_boxGrid->setVerticalSpacing(4);
    const int perRow = std::max(1, m_setup.boxColumns);
    int index = 0;
    QWidget* previous = nullptr;
    for (const MasterColumn& c : m_logic->config().columns) {
        auto* label = new QLabel(c.caption.isEmpty() ? c.field : c.caption, boxArea);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QWidget* w = nullptr;
        if (c.kind == BoxKind::Choice || c.kind == BoxKind::EditableChoice) {
            auto* combo = new QComboBox(boxArea);
            combo->setEditable(c.kind == BoxKind::EditableChoice);
            combo->addItems(c.choices);
            combo->setCurrentIndex(-1);
            const QString field = c.field;
            connect(combo, &QComboBox::currentTextChanged, this, [this, field] { boxChanged(field); });
            combo->installEventFilter(this);
            w = combo;
        } else {
            auto* edit = new QLineEdit(boxArea);
            if (c.kind == BoxKind::Number) {
                edit->setValidator(
                    new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-0-9.]*")), edit));
            }
            const QString field = c.field;
            connect(edit, &QLineEdit::textChanged, this, [this, field] { boxChanged(field); });
            connect(edit, &QLineEdit::returnPressed, this, [this, field] {
                if (m_setup.saveOnEnter.contains(field))
                    save();
                else
                    focusNextBox(field);
            });
            w = edit;
        }
        w->setObjectName(c.field);
        w->setMinimumWidth(c.boxWidth > 0 ? c.boxWidth : m_setup.defaultBoxWidth);
        label->setBuddy(w);
        const int row = index / perRow;
        const int col = (index % perRow) * 2;
        m_boxGrid->addWidget(label, row, col);
        m_boxGrid->addWidget(w, row, col + 1);
        m_boxGrid->setColumnStretch(col + 1, 1);
        if (previous)
            setTabOrder(previous, w);
        previous = w;
        m_boxes.insert(c.field, w);
        m_labels.insert(c.field, label);
        m_boxOrder << c.field;
        ++index;
    }
    top->addWidget(boxArea);

    m_extra = new QVBoxLayout;
    top->addLayout(m_extra);

    m_grid = new DataGrid(this);
    QList<GridColumn> columns;
    for (const MasterColumn& c : m_logic->config().columns) {
        GridColumn g;
        g.field = c.field;
        g.title = titleOf(c);
        g.width = c.width;
        g.hidden = !c.inList;
        g.kind = ColumnKind::Text;
        columns << g;
    }
    m_grid->setColumns(columns);
    top->addWidget(m_grid, 1);
    connect(m_grid->view(), &QTableView::clicked, this,
            [this](const QModelIndex& idx) { rowClicked(idx.row()); });

    resize(m_setup.size);
}

QPushButton* MasterListWindow::addButton(const QString& caption, std::function<void()> handler,
                                         const QString& hint)
{
    auto* b = new QPushButton(caption, this);
    b->setAutoDefault(false);
    b->setMinimumHeight(30);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    connect(b, &QPushButton::clicked, this, [handler = std::move(handler)] {
        if (handler)
            handler();
    });
    // Extra buttons go before the stretch that separates the exit button.
    int at = m_buttonBar->count();
    for (int i = 0; i < m_buttonBar->count(); ++i) {
        if (m_buttonBar->itemAt(i)->spacerItem()) {
            at = i;
            break;
        }
    }
    m_buttonBar->insertWidget(at, b);
    m_buttons.insert(caption, b);
    return b;
}

QPushButton* MasterListWindow::button(const QString& caption) const
{
    return m_buttons.value(caption);
}

QWidget* MasterListWindow::box(const QString& field) const
{
    return m_boxes.value(field);
}

QLineEdit* MasterListWindow::lineEdit(const QString& field) const
{
    return qobject_cast<QLineEdit*>(box(field));
}

QComboBox* MasterListWindow::comboBox(const QString& field) const
{
    return qobject_cast<QComboBox*>(box(field));
}

QString MasterListWindow::boxText(const QString& field) const
{
    if (const QLineEdit* e = lineEdit(field))
        return e->text();
    if (const QComboBox* c = comboBox(field))
        return c->currentText();
    return {};
}

void MasterListWindow::setBoxText(const QString& field, const QString& text)
{
    if (QLineEdit* e = lineEdit(field)) {
        e->setText(text);
    } else if (QComboBox* c = comboBox(field)) {
        const int i = c->findText(text.trimmed());
        if (i >= 0)
            c->setCurrentIndex(i);
        else if (c->isEditable())
            c->setEditText(text);
        else
            c->setCurrentIndex(-1);
    }
}

FieldValues MasterListWindow::boxValues() const
{
    FieldValues v;
    for (const QString& f : m_boxOrder)
        v.insert(f, boxText(f));
    return v;
}

FieldValues MasterListWindow::currentRowValues() const
{
    FieldValues v;
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_grid->rowCount())
        return v;
    for (const QString& f : m_boxOrder)
        v.insert(f, m_grid->rowValue(row, f).toString());
    return v;
}

bool MasterListWindow::boxesEnabled() const
{
    return !m_boxOrder.isEmpty() && box(m_boxOrder.first())->isEnabled();
}

void MasterListWindow::setBoxesMode(int mode)
{
    m_filling = true;
    if (QWidget* area = findChild<QWidget*>(QStringLiteral("boxArea")))
        SetEditsMode(area, mode);
    for (QWidget* w : std::as_const(m_boxes)) {
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (mode == 0 || mode == 1) {
                combo->setCurrentIndex(-1);
                if (combo->isEditable())
                    combo->clearEditText();
                combo->setEnabled(mode == 1);
                setComboBase(combo, mode == 1);
            } else if (mode == 2) {
                combo->setEnabled(true);
                setComboBase(combo, true);
            }
        }
    }
    m_filling = false;
}

void MasterListWindow::focusBox(const QString& field)
{
    QString f = field.isEmpty() ? m_setup.focusField : field;
    if (f.isEmpty() && !m_boxOrder.isEmpty())
        f = m_boxOrder.first();
    if (QWidget* w = box(f))
        w->setFocus(Qt::OtherFocusReason);
}

void MasterListWindow::focusNextBox(const QString& field)
{
    const int i = m_boxOrder.indexOf(field);
    for (int j = i + 1; j < m_boxOrder.size(); ++j) {
        QWidget* w = box(m_boxOrder.at(j));
        if (w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void MasterListWindow::showRows(const Rows& rows)
{
    m_grid->setRows(rows);
}

void MasterListWindow::reload(bool opening)
{
    try {
        showRows(opening ? m_logic->loadOpening() : m_logic->loadAll());
    } catch (const DbError& e) {
        m_session.prompter.error(e.message());
    }
}

void MasterListWindow::startNew()
{
    setBoxesMode(1);
    m_mode = ListMode::Edit;
    focusBox({});
}

void MasterListWindow::startFind()
{
    if (m_setup.find == FindBehaviour::FilterOnce) {
        runFilter();
        return;
    }
    setBoxesMode(1);
    m_mode = ListMode::Query;
    runFilter();
    focusBox({});
}

void MasterListWindow::runFilter()
{
    try {
        showRows(m_logic->filter(boxValues()));
    } catch (const DbError& e) {
        m_session.prompter.error(e.message());
    }
}

void MasterListWindow::boxChanged(const QString& field)
{
    if (m_filling || m_mode != ListMode::Query || m_setup.find != FindBehaviour::QueryMode)
        return;
    if (!m_setup.filterTriggers.isEmpty() && !m_setup.filterTriggers.contains(field))
        return;
    runFilter();
}

void MasterListWindow::rowClicked(int row)
{
    if (row < 0 || row >= m_grid->rowCount())
        return;
    if (m_grid->currentRow() != row)
        m_grid->setCurrentRow(row);
    m_mode = ListMode::Edit;
    m_filling = true;
    for (const MasterColumn& c : m_logic->config().columns) {
        if (c.fillFromRow)
            setBoxText(c.field, m_grid->rowValue(row, c.field).toString().trimmed());
    }
    m_filling = false;
}

void MasterListWindow::save()
{
    if (m_setup.newBeforeSave && !boxesEnabled())
        startNew();
    const FieldValues values = boxValues();
    const SaveResult r = m_logic->save(values, currentRowValues());
    afterSaved(r, values);
}

void MasterListWindow::afterSaved(SaveResult result, const FieldValues& values)
{
    if (result == SaveResult::Inserted || result == SaveResult::Updated) {
        const AfterSave what = result == SaveResult::Inserted ? m_setup.afterInsert : m_setup.afterUpdate;
        if (what == AfterSave::EmptyBoxes) {
            setBoxesMode(1);
        } else if (what == AfterSave::DisableBoxes) {
            setBoxesMode(0);
            m_mode = ListMode::None;
        }
        try {
            if (result == SaveResult::Inserted && m_setup.listAfterInsert == ListAfterSave::OnlyByName)
                showRows(
                    m_logic->loadWhereEquals(m_setup.showOnlyField, values.value(m_setup.showOnlyField)));
            else
                showRows(m_logic->loadAll());
        } catch (const DbError& e) {
            m_session.prompter.error(e.message());
        }
        return;
    }
    if (result == SaveResult::Refused)
        focusBox({});
    if (result == SaveResult::Failed)
        reload();
}

void MasterListWindow::removeCurrent()
{
    const bool ask = !m_deleteAsk || m_deleteAsk->isChecked();
    const DeleteResult r = m_logic->remove(currentRowValues(), boxValues(), ask);
    afterDeleted(r);
}

void MasterListWindow::afterDeleted(DeleteResult result)
{
    if (result == DeleteResult::Deleted) {
        if (m_setup.afterDelete == AfterSave::DisableBoxes) {
            setBoxesMode(0);
            m_mode = ListMode::None;
        }
        if (m_setup.afterDelete != AfterSave::KeepBoxes) {
            m_filling = true;
            for (const QString& f : std::as_const(m_boxOrder)) {
                if (QLineEdit* e = lineEdit(f))
                    e->clear();
                else if (QComboBox* c = comboBox(f))
                    c->setCurrentIndex(-1);
            }
            m_filling = false;
        }
    }
    if (result != DeleteResult::Cancelled)
        reload();
}

void MasterListWindow::sortList()
{
    reload();
}

void MasterListWindow::exportList()
{
    if (m_grid->rowCount() == 0) {
        m_session.prompter.message(m_logic->config().emptyExportMessage);
        return;
    }
    ExportGridToExcel(this, m_session, m_setup.exportName, *m_grid);
}

void MasterListWindow::printList()
{
    try {
        if (!m_setup.printRight.isEmpty() &&
            !HasRight(m_session.db, m_session.login.JobNo, m_setup.printRight)) {
            m_session.prompter.message(noRightText());
            return;
        }
        if (!m_setup.printLogText.isEmpty()) {
            const LoginContext& l = m_session.login;
            WriteOperationLog(m_session.db, l.ComputerName, l.OperatorName, l.JobNo, QStringLiteral("一般"),
                              m_setup.printLogText);
        }
        Report report;
        report.setTitle(m_setup.title);
        report.setDatabase(&m_session.db);
        report.setCompanyData(ReadCompanyData(m_session.db));
        report.setDataSet(
            m_logic->select(m_logic->selectList(), m_logic->lastCondition(), m_logic->config().orderBy));
        LoadReportTemplate(this, report, m_session.programFolder, m_setup.printTemplate);
    } catch (const DbError& e) {
        m_session.prompter.error(e.message());
    }
}

void MasterListWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter is handled by the boxes; it must not close the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool MasterListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
                if (it.value() != watched)
                    continue;
                auto* combo = qobject_cast<QComboBox*>(it.value());
                if (combo && combo->view()->isVisible())
                    return false;
                if (m_setup.saveOnEnter.contains(it.key()))
                    save();
                else
                    focusNextBox(it.key());
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mzt
