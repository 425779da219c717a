#include "check_khzl_frm.h"

#include "datagrid.h"
#include "khzl_frm.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace mzt {

Tfrm_check_khzl::Tfrm_check_khzl(Session& session, QWidget* parent)
    : QDialog(parent), m_s(session), m_browse(session)
{
    setObjectName(QStringLiteral("Tfrm_check_khzl"));
    setWindowTitle(QStringLiteral("客户档案浏览"));
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);

    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(6);
    const auto box = [this, filters](const QString& caption, int column) {
        auto* label = new QLabel(caption, this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setPlaceholderText(QStringLiteral("支持模糊查找"));
        edit->setToolTip(QStringLiteral("支持模糊查找"));
        edit->setMinimumWidth(150);
        label->setBuddy(edit);
        filters->addWidget(label, 0, column);
        filters->addWidget(edit, 0, column + 1);
        filters->setColumnStretch(column + 1, 1);
        connect(edit, &QLineEdit::textChanged, this, [this] { reload(); });
        connect(edit, &QLineEdit::returnPressed, this, [this] { m_grid->view()->setFocus(); });
        return edit;
    };
    m_code = box(QStringLiteral("客户编码:"), 0);
    m_name = box(QStringLiteral("客户名称:"), 2);
    m_phone = box(QStringLiteral("电话:"), 4);
    top->addLayout(filters);

    auto* bar = new QHBoxLayout;
    auto* classes = new QButtonGroup(this);
    m_retail = new QRadioButton(QStringLiteral("售价"), this);
    m_trade = new QRadioButton(QStringLiteral("批价"), this);
    m_all = new QRadioButton(QStringLiteral("全部"), this);
    m_all->setChecked(true);
    bar->addWidget(new QLabel(QStringLiteral("性质/价格:"), this));
    for (QRadioButton* r : {m_retail, m_trade, m_all}) {
        classes->addButton(r);
        bar->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                reload();
        });
    }
    bar->addStretch(1);
    m_add = new QPushButton(QStringLiteral("新增客户资料"), this);
    auto* exit = new QPushButton(QStringLiteral("退出"), this);
    for (QPushButton* b : {m_add, exit}) {
        b->setAutoDefault(false);
        bar->addWidget(b);
    }
    connect(m_add, &QPushButton::clicked, this, [this] { addCustomer(); });
    connect(exit, &QPushButton::clicked, this, [this] { reject(); });
    top->addLayout(bar);

    m_grid = new DataGrid(this);
    m_grid->setColumns({
        {.field = QStringLiteral("编码"),
         .title = QStringLiteral("编码"),
         .width = 90,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("公司名"),
         .title = QStringLiteral("客户名称"),
         .width = 180,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("性质"),
         .title = QStringLiteral("性质"),
         .width = 60,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("电话一"),
         .title = QStringLiteral("地址"),
         .width = 190,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("负责人"),
         .title = QStringLiteral("电话"),
         .width = 110,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("联系人"),
         .title = QStringLiteral("联系人"),
         .width = 80,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("传真"),
         .title = QStringLiteral("手机"),
         .width = 110,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("结账方式"),
         .title = QStringLiteral("结账方式"),
         .width = 80,
         .kind = ColumnKind::Text},
    });
    top->addWidget(m_grid, 1);
    connect(m_grid, &DataGrid::rowActivated, this, [this](int row) { takeRow(row); });
    connect(m_grid, &DataGrid::emptyActivated, this, [this] { takeRow(-1); });

    auto* hint = new QLabel(QStringLiteral("双击选择客户"), this);
    hint->setStyleSheet(QStringLiteral("color: #1f4e9a;"));
    top->addWidget(hint);

    resize(980, 560);
    try {
        m_grid->setRows(m_browse.open());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    m_name->setFocus();
}

std::optional<CustomerChoice> Tfrm_check_khzl::choose(Session& session, QWidget* parent)
{
    Tfrm_check_khzl list(session, parent);
    list.exec();
    return list.chosenCustomer();
}

void Tfrm_check_khzl::reload()
{
    const PriceClassFilter priceClass = m_retail->isChecked()  ? PriceClassFilter::Retail
                                        : m_trade->isChecked() ? PriceClassFilter::Trade
                                                               : PriceClassFilter::All;
    try {
        m_grid->setRows(
            m_browse.BrowseCustomers(m_code->text(), m_name->text(), m_phone->text(), priceClass));
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
}

void Tfrm_check_khzl::takeRow(int row)
{
    std::optional<FieldValues> values;
    if (row >= 0 && row < m_grid->rowCount())
        values = m_grid->rowTexts(row);
    m_chosen = m_browse.pick(values);
    if (m_chosen)
        accept();
}

void Tfrm_check_khzl::addCustomer()
{
    if (!m_browse.mayAddCustomer())
        return;
    Tfrm_khzl window(m_s, this);
    window.exec();
    reload();
}

} // namespace mzt
