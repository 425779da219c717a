#include "sell_node_frm.h"

#include "datagrid.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace mzt {

namespace {

// Refuses the keystroke that would take a site name past eight bytes.
class SiteNameValidator final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return SiteNameBytes(input) <= SiteNameMaxBytes ? Acceptable : Invalid;
    }
};

void setReadOnlyLook(QLineEdit* box, bool readOnly)
{
    box->setReadOnly(readOnly);
    box->setStyleSheet(readOnly ? QStringLiteral("QLineEdit{background:rgb(221,221,221);}") : QString());
}

} // namespace

Tfrm_sell_node::Tfrm_sell_node(Session& session, QWidget* parent) : QDialog(parent), m_logic(session)
{
    setObjectName(QStringLiteral("Tfrm_sell_node"));
    setWindowTitle(QStringLiteral("销售站点设置"));
    resize(660, 420);

    m_grid = new DataGrid(this);
    m_grid->setColumns(
        {{.field = QStringLiteral("站点名称"),
          .title = QStringLiteral("站点名称"),
          .width = 196,
          .kind = ColumnKind::Text},
         {.field = QStringLiteral("站点性质"), .hidden = true},
         {.field = QStringLiteral("管理人员"), .title = QStringLiteral("站点负责人"), .hidden = true},
         {.field = QStringLiteral("备注"), .hidden = true}});
    m_grid->setFixedWidth(220);
    m_grid->setToolTip(QStringLiteral("双击可以选择要修改的站点"));
    auto* hint = new QLabel(QStringLiteral("双击可以选择要修改的站点"), this);
    hint->setStyleSheet(QStringLiteral("color:#1f5fa8;"));
    auto* left = new QVBoxLayout;
    left->addWidget(m_grid, 1);
    left->addWidget(hint);

    auto* group = new QGroupBox(QStringLiteral("说明：[站点名称] 最多可设置4个站点汉字"), this);
    m_name = new QLineEdit(group);
    m_name->setValidator(new SiteNameValidator(m_name));
    setReadOnlyLook(m_name, true);
    m_nature = new QLineEdit(group);
    m_warehouse = new QComboBox(group);
    m_warehouse->setMinimumWidth(200);
    m_remark = new QPlainTextEdit(group);
    m_remark->setTabChangesFocus(true);
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("站点名称："), m_name);
    form->addRow(QStringLiteral("站点性质："), m_nature);
    form->addRow(QStringLiteral("所属仓库："), m_warehouse);
    form->addRow(QStringLiteral("备注："), m_remark);
    for (QWidget* w : std::initializer_list<QWidget*>{m_name, m_nature, m_warehouse})
        w->installEventFilter(this);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(group, 1);

    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_change = new QPushButton(QStringLiteral("修改"), this);
    m_delete = new QPushButton(QStringLiteral("删除"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {m_add, m_change, m_delete, m_cancel}) {
        b->setMinimumWidth(80);
        buttons->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    setTabOrder(m_name, m_nature);
    setTabOrder(m_nature, m_warehouse);
    setTabOrder(m_warehouse, m_remark);
    setTabOrder(m_remark, m_add);

    connect(m_add, &QPushButton::clicked, this, [this] { addClicked(); });
    connect(m_change, &QPushButton::clicked, this, [this] { changeClicked(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteClicked(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &DataGrid::rowActivated, this, [this](int row) { rowActivated(row); });

    m_warehouses = m_logic.warehouses();
    m_warehouse->addItems(m_warehouses);
    m_warehouse->setCurrentIndex(-1);
    reload();
}

void Tfrm_sell_node::reload()
{
    m_grid->setRows(m_logic.list());
}

SiteInfo Tfrm_sell_node::boxes() const
{
    return {m_name->text(), m_nature->text(), m_warehouse->currentText(), m_remark->toPlainText()};
}

void Tfrm_sell_node::selectWarehouse(const QString& name)
{
    // A warehouse that is gone is still shown for its site, so a change keeps it.
    m_warehouse->clear();
    m_warehouse->addItems(m_warehouses);
    if (!name.isEmpty() && !m_warehouses.contains(name))
        m_warehouse->addItem(name);
    m_warehouse->setCurrentIndex(name.isEmpty() ? -1 : m_warehouse->findText(name));
}

void Tfrm_sell_node::loadRow(int row)
{
    if (row < 0 || row >= m_grid->rowCount())
        return;
    m_name->setText(m_grid->rowValue(row, QStringLiteral("站点名称")).toString());
    m_nature->setText(m_grid->rowValue(row, QStringLiteral("站点性质")).toString());
    selectWarehouse(m_grid->rowValue(row, QStringLiteral("管理人员")).toString());
    m_remark->setPlainText(m_grid->rowValue(row, QStringLiteral("备注")).toString());
}

void Tfrm_sell_node::setMode(Mode mode)
{
    m_mode = mode;
    m_add->setText(mode == Mode::Adding ? QStringLiteral("保存") : QStringLiteral("增加"));
    m_change->setText(mode == Mode::Changing ? QStringLiteral("保存") : QStringLiteral("修改"));
    m_add->setEnabled(mode != Mode::Changing);
    m_change->setEnabled(mode != Mode::Adding);
    m_delete->setEnabled(mode == Mode::Normal);
    m_grid->setEnabled(mode != Mode::Adding);
    setReadOnlyLook(m_name, mode != Mode::Adding);
}

void Tfrm_sell_node::addClicked()
{
    if (m_mode != Mode::Adding) {
        m_name->clear();
        m_nature->clear();
        selectWarehouse({});
        m_remark->clear();
        setMode(Mode::Adding);
        m_name->setFocus();
        return;
    }
    const AddSiteResult r = m_logic.AddSite(boxes());
    if (r != AddSiteResult::Added) {
        if (r == AddSiteResult::EmptyName || r == AddSiteResult::TooLong || r == AddSiteResult::Duplicate)
            m_name->setFocus();
        return;
    }
    setMode(Mode::Normal);
    m_name->clear();
    reload();
}

void Tfrm_sell_node::changeClicked()
{
    if (m_mode != Mode::Changing) {
        if (!m_logic.StartChange(m_grid->rowCount()))
            return;
        if (m_name->text().trimmed().isEmpty())
            loadRow(m_grid->currentRow());
        setMode(Mode::Changing);
        m_nature->setFocus();
        return;
    }
    setMode(Mode::Normal);
    if (m_logic.ChangeSite(boxes()))
        reload();
}

void Tfrm_sell_node::deleteClicked()
{
    std::optional<QString> name;
    if (m_grid->rowCount() > 0 && m_grid->currentRow() >= 0)
        name = m_grid->currentValue(QStringLiteral("站点名称")).toString();
    if (m_logic.DeleteSite(name))
        reload();
}

void Tfrm_sell_node::rowActivated(int row)
{
    if (m_mode == Mode::Adding)
        return;
    loadRow(row);
    if (m_mode == Mode::Normal)
        changeClicked();
}

bool Tfrm_sell_node::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_name)
                m_nature->setFocus();
            else if (watched == m_nature)
                m_warehouse->setFocus();
            else if (watched == m_warehouse)
                m_remark->setFocus();
            else
                return QDialog::eventFilter(watched, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mzt
