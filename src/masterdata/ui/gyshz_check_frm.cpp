#include "gyshz_check_frm.h"

#include "datagrid.h"
#include "prvice_frm.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace mzt {

Tfrm_gyshz_check::Tfrm_gyshz_check(Session& session, SupplierPickMode mode, QWidget* parent)
    : QDialog(parent), m_s(session), m_browse(session), m_mode(mode)
{
    setObjectName(QStringLiteral("Tfrm_gyshz_check"));
    setWindowTitle(QStringLiteral("供应商档案浏览"));
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);

    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(6);
    int index = 0;
    const auto box = [this, filters, &index](const QString& caption) {
        auto* label = new QLabel(caption, this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setPlaceholderText(QStringLiteral("支持模糊查找"));
        edit->setToolTip(QStringLiteral("支持模糊查找"));
        edit->setMinimumWidth(150);
        label->setBuddy(edit);
        const int row = index / 2;
        const int column = (index % 2) * 2;
        filters->addWidget(label, row, column);
        filters->addWidget(edit, row, column + 1);
        filters->setColumnStretch(column + 1, 1);
        ++index;
        connect(edit, &QLineEdit::textChanged, this, [this] { reload(); });
        connect(edit, &QLineEdit::returnPressed, this, [this] { m_grid->view()->setFocus(); });
        return edit;
    };
    m_code = box(QStringLiteral("供应商编码:"));
    m_name = box(QStringLiteral("供应商名称:"));
    m_phone = box(QStringLiteral("电话:"));
    m_contact = box(QStringLiteral("联系人："));
    top->addLayout(filters);

    auto* bar = new QHBoxLayout;
    auto* hint = new QLabel(QStringLiteral("双击选择供应商"), this);
    hint->setStyleSheet(QStringLiteral("color: #1f4e9a;"));
    bar->addWidget(hint);
    bar->addStretch(1);
    m_add = new QPushButton(QStringLiteral("新增供应商资料"), this);
    auto* exit = new QPushButton(QStringLiteral("退出档案浏览"), this);
    for (QPushButton* b : {m_add, exit}) {
        b->setAutoDefault(false);
        bar->addWidget(b);
    }
    connect(m_add, &QPushButton::clicked, this, [this] { addSupplier(); });
    connect(exit, &QPushButton::clicked, this, [this] { reject(); });
    top->addLayout(bar);

    m_grid = new DataGrid(this);
    m_grid->setColumns({
        {.field = QStringLiteral("编码"),
         .title = QStringLiteral("编码(拼音码)"),
         .width = 100,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("公司名"),
         .title = QStringLiteral("供应商名称"),
         .width = 220,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("电话一"),
         .title = QStringLiteral("电话"),
         .width = 170,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("电话二"),
         .title = QStringLiteral("传真"),
         .width = 120,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("联系人"),
         .title = QStringLiteral("联系人"),
         .width = 90,
         .kind = ColumnKind::Text},
    });
    top->addWidget(m_grid, 1);
    connect(m_grid, &DataGrid::rowActivated, this, [this](int row) { takeRow(row); });
    connect(m_grid, &DataGrid::emptyActivated, this, [this] { takeRow(-1); });

    resize(800, 520);
    try {
        m_grid->setRows(m_browse.open());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    m_name->setFocus();
}

std::optional<SupplierChoice> Tfrm_gyshz_check::choose(Session& session, SupplierPickMode mode,
                                                       QWidget* parent)
{
    Tfrm_gyshz_check list(session, mode, parent);
    list.exec();
    return list.chosenSupplier();
}

void Tfrm_gyshz_check::reload()
{
    try {
        m_grid->setRows(
            m_browse.BrowseSuppliers(m_code->text(), m_name->text(), m_phone->text(), m_contact->text()));
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
}

void Tfrm_gyshz_check::takeRow(int row)
{
    std::optional<FieldValues> values;
    if (row >= 0 && row < m_grid->rowCount()) {
        values = m_grid->rowTexts(row);
    }
    m_chosen = m_browse.pick(values, m_mode);
    if (m_chosen)
        accept();
}

void Tfrm_gyshz_check::addSupplier()
{
    if (!m_browse.mayAddSupplier())
        return;
    Tfrm_prvice window(m_s, this);
    window.exec();
    reload();
}

} // namespace mzt
