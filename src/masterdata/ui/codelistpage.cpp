#include "codelistpage.h"

#include "datagrid.h"
#include "decimal.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace mzt {

namespace {

void setReadOnlyLook(QLineEdit* box, bool readOnly)
{
    box->setReadOnly(readOnly);
    box->setStyleSheet(readOnly ? QStringLiteral("QLineEdit{background:rgb(221,221,221);}") : QString());
}

} // namespace

CodeListPage::CodeListPage(Session& session, CodeListKind kind, QWidget* parent)
    : QWidget(parent), m_logic(session, kind), m_def(m_logic.definition())
{
    setObjectName(QStringLiteral("CodeListPage_") + m_def.table);

    m_grid = new DataGrid(this);
    QList<GridColumn> columns{
        {.field = m_def.codeField, .title = m_def.codeTitle, .width = 90, .kind = ColumnKind::Text},
        {.field = m_def.nameField, .title = m_def.nameTitle, .width = 190, .kind = ColumnKind::Text}};
    if (!m_def.amountField.isEmpty())
        columns.append({.field = m_def.amountField,
                        .title = m_def.amountTitle,
                        .width = 120,
                        .picture = QStringLiteral("0.00"),
                        .kind = ColumnKind::Number});
    if (m_def.fixedBase)
        columns.append({.field = QStringLiteral("进制"),
                        .title = QStringLiteral("进制"),
                        .width = 70,
                        .kind = ColumnKind::Number});
    m_grid->setColumns(columns);

    m_panel = new QGroupBox(m_def.pageCaption, this);
    auto* form = new QFormLayout;
    m_code = new QLineEdit(m_panel);
    m_code->setObjectName(QStringLiteral("codeBox"));
    setReadOnlyLook(m_code, true);
    m_code->setFocusPolicy(Qt::ClickFocus);
    m_name = new QLineEdit(m_panel);
    m_name->setObjectName(QStringLiteral("nameBox"));
    m_name->setMinimumWidth(180);
    form->addRow(m_def.codeLabel + QStringLiteral("："), m_code);
    form->addRow(m_def.nameLabel + QStringLiteral("："), m_name);
    if (!m_def.amountField.isEmpty()) {
        m_amount = new QLineEdit(m_panel);
        m_amount->setObjectName(QStringLiteral("amountBox"));
        m_amount->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("-?\\d{0,13}(\\.\\d{0,4})?")), m_amount));
        m_amount->setAlignment(Qt::AlignRight);
        form->addRow(m_def.amountLabel + QStringLiteral("："), m_amount);
    }
    auto* panelButtons = new QHBoxLayout;
    panelButtons->addStretch();
    auto* save = new QPushButton(QStringLiteral("保存"), m_panel);
    auto* cancel = new QPushButton(QStringLiteral("取消"), m_panel);
    m_buttons.insert(save->text(), save);
    m_buttons.insert(cancel->text(), cancel);
    panelButtons->addWidget(save);
    panelButtons->addWidget(cancel);
    auto* panelLayout = new QVBoxLayout(m_panel);
    panelLayout->addLayout(form);
    panelLayout->addStretch();
    panelLayout->addLayout(panelButtons);
    m_panel->setMinimumWidth(300);
    m_panel->hide();

    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addWidget(m_panel);

    auto* bar = new QHBoxLayout;
    connect(addButton(QStringLiteral("增加")), &QPushButton::clicked, this, [this] { startAdd(); });
    connect(addButton(QStringLiteral("修改")), &QPushButton::clicked, this, [this] { startChange(); });
    connect(addButton(QStringLiteral("删除")), &QPushButton::clicked, this, [this] { removeCurrent(); });
    if (m_def.fetchCodeButton)
        connect(addButton(QStringLiteral("获取编码")), &QPushButton::clicked, this, [this] { fetchCode(); });
    for (const QString& c :
         {QStringLiteral("增加"), QStringLiteral("修改"), QStringLiteral("删除"), QStringLiteral("获取编码")})
        if (QPushButton* b = button(c))
            bar->addWidget(b);
    bar->addStretch();
    if (!m_def.hint.isEmpty()) {
        auto* hint = new QLabel(m_def.hint, this);
        hint->setStyleSheet(QStringLiteral("color:#1f5fa8;"));
        bar->addWidget(hint);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bar);

    connect(save, &QPushButton::clicked, this, [this] { this->save(); });
    connect(cancel, &QPushButton::clicked, this, [this] { this->cancel(); });
    connect(m_grid, &DataGrid::rowActivated, this, [this](int) { startChange(); });
    connect(m_name, &QLineEdit::returnPressed, this, [this] {
        if (m_amount && !m_amount->isReadOnly())
            m_amount->setFocus();
        else
            this->save();
    });
    if (m_amount)
        connect(m_amount, &QLineEdit::returnPressed, this, [this] { this->save(); });

    setTabOrder(m_name, m_amount ? static_cast<QWidget*>(m_amount) : save);
    if (m_amount)
        setTabOrder(m_amount, save);
    setTabOrder(save, cancel);

    reload();
}

QPushButton* CodeListPage::addButton(const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setMinimumWidth(80);
    m_buttons.insert(caption, b);
    return b;
}

bool CodeListPage::isEditing() const
{
    return m_panel->isVisibleTo(const_cast<CodeListPage*>(this));
}

void CodeListPage::setEditing(bool editing)
{
    m_panel->setVisible(editing);
    if (QPushButton* fetch = button(QStringLiteral("获取编码")))
        fetch->setEnabled(!editing || m_mode == CodeListMode::Add);
}

void CodeListPage::reload()
{
    const QString keep =
        m_grid->currentRow() >= 0 ? m_grid->currentValue(m_def.codeField).toString() : QString();
    m_grid->setRows(m_logic.list());
    if (keep.isEmpty())
        return;
    for (int r = 0; r < m_grid->rowCount(); ++r)
        if (m_grid->rowValue(r, m_def.codeField).toString() == keep) {
            m_grid->setCurrentRow(r);
            break;
        }
}

std::optional<CodeListEntry> CodeListPage::currentEntry() const
{
    if (m_grid->currentRow() < 0)
        return std::nullopt;
    CodeListEntry e{m_grid->currentValue(m_def.codeField).toString(),
                    m_grid->currentValue(m_def.nameField).toString(),
                    {}};
    if (!m_def.amountField.isEmpty())
        e.amount = Decimal::fromVariant(m_grid->currentValue(m_def.amountField)).toString();
    return e;
}

void CodeListPage::startAdd()
{
    m_mode = CodeListMode::Add;
    setEditing(true);
    m_code->setText(m_logic.ProposeListCode());
    m_name->clear();
    if (m_amount) {
        m_amount->setText(QStringLiteral("0"));
        setReadOnlyLook(m_amount, false);
    }
    m_name->setFocus();
}

void CodeListPage::fetchCode()
{
    if (isEditing() && m_mode == CodeListMode::Change)
        return;
    if (!isEditing())
        startAdd();
    else
        m_code->setText(m_logic.ProposeListCode());
}

void CodeListPage::startChange()
{
    const std::optional<CodeListEntry> e = m_logic.BeginChange(currentEntry());
    if (!e)
        return;
    m_mode = CodeListMode::Change;
    setEditing(true);
    m_code->setText(e->code);
    m_name->setText(e->name);
    if (m_amount) {
        m_amount->setText(e->amount);
        setReadOnlyLook(m_amount, m_def.amountOnlyWhenAdding);
    }
    m_name->setFocus();
    m_name->selectAll();
}

void CodeListPage::save()
{
    const CodeListEntry e{m_code->text(), m_name->text(), m_amount ? m_amount->text() : QString()};
    const ListSaveResult r = m_logic.SaveListEntry(e, m_mode);
    if (r == ListSaveResult::Ignored) {
        m_name->setFocus();
        return;
    }
    if (r != ListSaveResult::Saved)
        return;
    setEditing(false);
    reload();
    for (int row = 0; row < m_grid->rowCount(); ++row)
        if (m_grid->rowValue(row, m_def.codeField).toString() == e.code.trimmed()) {
            m_grid->setCurrentRow(row);
            break;
        }
    m_grid->setFocus();
    emit listChanged();
}

void CodeListPage::removeCurrent()
{
    setEditing(false);
    if (m_logic.DeleteListEntry(currentEntry()) != ListDeleteResult::Deleted)
        return;
    m_grid->setRows(m_logic.list());
    emit listChanged();
}

void CodeListPage::cancel()
{
    setEditing(false);
    m_grid->setFocus();
}

} // namespace mzt
