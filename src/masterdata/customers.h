#pragma once

// Customers (客户): the customer window's list, save, delete, sort and print, the browse
// list the sales bills open to pick a customer, and the look-ups a bill runs when a
// customer name or code is typed.

#include "masterlist.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mzt {

// The customer a bill takes over.
struct CustomerChoice
{
    QString code;       // 编码
    QString name;       // 公司名
    QString priceClass; // 性质: which goods price a sales bill proposes
    QString account;    // 结账方式, "现金" when the customer has none
    QString contact;    // 联系人
    QString address;    // 电话一
    QString fax;        // 电话二
    QString receivable; // 应收款

    static CustomerChoice fromValues(const FieldValues& values);
    static CustomerChoice fromRow(const Row& row);
};

// The fifteen columns of the customer window, in the order an insert lists them.
MasterListConfig customerListConfig();

// What the delete dialog removes, in the order it removes them.
struct CustomerDeleteChoices
{
    bool customer = false;   // "删除客户资料"
    bool lastPrices = false; // "删除客户最近售价"
    bool salesBills = false; // "删除客户销售记录"
    bool any() const { return customer || lastPrices || salesBills; }
};

enum class CustomerDeleteResult
{
    NothingChosen, // no box ticked: "请选择要删除的项目!"
    Cancelled,
    Deleted,
    Failed, // rolled back, the database's text shown
};

// The customer window's logic (Tfrm_khzl).
class CustomerList final : public MasterListLogic
{
public:
    explicit CustomerList(Session& session);

    static QStringList priceClasses();
    static QString exportName() { return QStringLiteral("客户信息"); }
    static QString printTemplate() { return QStringLiteral("zcfrf\\khzl_report.frf"); }
    static QString printRight() { return QStringLiteral("客户资料打印"); }
    static QString windowRight() { return QStringLiteral("客户资料查询"); }

    // The list as the window opens: every customer with a name.
    Rows open() { return loadOpening(); }
    // Query mode: one like term per filled box; remembered for printing.
    Rows FilterCustomers(const FieldValues& boxes) { return filter(boxes); }
    // Looks the customer up by the code box and the name of the customer being edited (the
    // list row clicked; for a new customer the name box), then inserts after
    // "是否保存此客户？" or, after the question naming the existing code, updates that row.
    // The code of a row is never changed by an update.
    SaveResult SaveCustomer(const FieldValues& boxes, const std::optional<FieldValues>& editedRow);
    // The list after an insert: the customers of that name.
    Rows customersNamed(const QString& name) { return loadWhereEquals(QStringLiteral("公司名"), name); }

    // Removes, after "确定删除此客户？", the ticked parts in one transaction, each with its
    // log row. Stock and receivables are not adjusted.
    CustomerDeleteResult DeleteCustomerData(const QString& code, const QString& name,
                                            const CustomerDeleteChoices& choices);

    // Sort fields as the sort dialog offers them; screen names stand for their columns.
    static QStringList sortChoices();
    static QStringList sortDirections() { return {QStringLiteral("升序"), QStringLiteral("降序")}; }
    // Every customer with a name, ordered by the chosen field ("公司名" when empty or
    // unknown) and direction ("降序" descending, anything else ascending).
    Rows SortCustomers(const QString& fieldChoice, const QString& direction);

    // The rows to print under the last filter (nothing, with the standard refusal, without
    // "客户资料打印"); writes the "一般" log row "打印客户资料" first. DbError reaches the caller.
    std::optional<Rows> PrintCustomers();
};

// Which price class the browse list's radio buttons keep.
enum class PriceClassFilter
{
    All,    // "全部"
    Retail, // "售价"
    Trade,  // "批价"
};

// The customer browse list (Tfrm_check_khzl).
class CustomerBrowse final
{
public:
    explicit CustomerBrowse(Session& session) : m_s(session) {}

    // Every customer, as the list opens.
    Rows open();
    // Customers whose code, name and address (电话一) contain the fragments and whose
    // price class contains the chosen one; empty fragments keep every row.
    Rows BrowseCustomers(const QString& code, const QString& name, const QString& phone,
                         PriceClassFilter priceClass = PriceClassFilter::All);
    // The customer of a list row (its fields by column name); nothing, with
    // "对不起当前无客户资料!", without a row.
    std::optional<CustomerChoice> pick(const std::optional<FieldValues>& row);
    // "新增客户资料" opens the customer window only for holders of "客户资料查询".
    bool mayAddCustomer();

    static QString emptyListText() { return QStringLiteral("对不起当前无客户资料!"); }

private:
    Session& m_s;
};

// The look-ups of a bill's customer fields.
class CustomerLookup final
{
public:
    explicit CustomerLookup(Database& db) : m_db(db) {}

    // Customers whose code or name contains the text (literally, any letter case).
    Rows FindCustomers(const QString& text);
    // The customers with exactly this code.
    Rows FindCustomersByCode(const QString& code);

    static QString notFoundText() { return QStringLiteral("没有此客户资料!"); }
    // The columns both look-ups give.
    static QString selectList()
    {
        return QStringLiteral("编码,公司名,联系人,电话一,电话二,应收款,性质,结账方式");
    }

private:
    Database& m_db;
};

} // namespace mzt
