#include "customerpicklist.h"

#include "datagrid.h"

#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace mzt {

CustomerPickList::CustomerPickList(const Rows& rows, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CustomerPickList"));
    setWindowTitle(QStringLiteral("选择客户"));
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    m_grid = new DataGrid(this);
    m_grid->setColumns({
        {.field = QStringLiteral("编码"),
         .title = QStringLiteral("编码"),
         .width = 90,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("公司名"),
         .title = QStringLiteral("公司名"),
         .width = 200,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("联系人"),
         .title = QStringLiteral("联系人"),
         .width = 80,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("电话一"),
         .title = QStringLiteral("电话"),
         .width = 160,
         .kind = ColumnKind::Text},
    });
    m_grid->setRows(rows);
    top->addWidget(m_grid, 1);
    auto* hint = new QLabel(QStringLiteral("回车或双击选择客户，Esc 取消"), this);
    hint->setStyleSheet(QStringLiteral("color: #1f4e9a;"));
    top->addWidget(hint);
    connect(m_grid, &DataGrid::rowActivated, this, [this](int row) { takeRow(row); });
    resize(580, 340);
    m_grid->view()->setFocus();
}

void CustomerPickList::takeRow(int row)
{
    if (row < 0 || row >= m_grid->rowCount())
        return;
    m_picked = CustomerChoice::fromValues(m_grid->rowTexts(row));
    accept();
}

std::optional<CustomerChoice> CustomerPickList::offer(Session& session, const Rows& rows, QWidget* parent)
{
    if (rows.isEmpty()) {
        session.prompter.message(CustomerLookup::notFoundText());
        return std::nullopt;
    }
    if (rows.size() == 1)
        return CustomerChoice::fromRow(rows.first());
    CustomerPickList list(rows, parent);
    list.exec();
    return list.pickedCustomer();
}

std::optional<CustomerChoice> CustomerPickList::findAndPick(Session& session, const QString& text,
                                                            QWidget* parent)
{
    try {
        return offer(session, CustomerLookup(session.db).FindCustomers(text), parent);
    } catch (const DbError& e) {
        session.prompter.error(e.message());
        return std::nullopt;
    }
}

std::optional<CustomerChoice> CustomerPickList::findByCodeAndPick(Session& session, const QString& code,
                                                                  QWidget* parent)
{
    try {
        return offer(session, CustomerLookup(session.db).FindCustomersByCode(code), parent);
    } catch (const DbError& e) {
        session.prompter.error(e.message());
        return std::nullopt;
    }
}

} // namespace mzt
