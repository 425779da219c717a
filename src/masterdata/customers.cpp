#include "customers.h"

#include "rights.h"

namespace mzt {

namespace {

const QString customerTable = QStringLiteral("客户");

void writeLog(Session& s, const QString& nature, const QString& content)
{
    WriteOperationLog(s.db, s.login.ComputerName, s.login.OperatorName, s.login.JobNo, nature, content);
}

// "upper(col) like upper(?) escape '!'" with its pattern, for a filled fragment only.
void addContainsTerm(const Dialect& dialect, const QString& column, const QString& text, QStringList& terms,
                     QVariantList& values)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return;
    terms << dialect.likeInsensitive(column) + QStringLiteral(" escape '!'");
    values << MasterListLogic::containsPattern(t);
}

} // namespace

CustomerChoice CustomerChoice::fromValues(const FieldValues& values)
{
    const auto text = [&values](const char* field) {
        return values.value(QString::fromUtf8(field)).trimmed();
    };
    CustomerChoice c;
    c.code = text("编码");
    c.name = text("公司名");
    c.priceClass = text("性质");
    c.account = text("结账方式");
    if (c.account.isEmpty())
        c.account = QStringLiteral("现金");
    c.contact = text("联系人");
    c.address = text("电话一");
    c.fax = text("电话二");
    c.receivable = text("应收款");
    return c;
}

CustomerChoice CustomerChoice::fromRow(const Row& row)
{
    FieldValues values;
    for (int i = 0; i < row.count(); ++i)
        values.insert(row.fieldName(i), row.value(i).toString());
    return fromValues(values);
}

MasterListConfig customerListConfig()
{
    MasterListConfig c;
    c.table = customerTable;
    c.columns = {
        {.field = QStringLiteral("编码"),
         .caption = QStringLiteral("编码(拼音码)*"),
         .listTitle = QStringLiteral("编码"),
         .width = 90,
         .required = true},
        {.field = QStringLiteral("公司名"),
         .caption = QStringLiteral("客户名称(公司名)*"),
         .listTitle = QStringLiteral("客户名称"),
         .width = 180,
         .required = true},
        {.field = QStringLiteral("电话一"),
         .caption = QStringLiteral("地址*"),
         .listTitle = QStringLiteral("地址"),
         .width = 200},
        {.field = QStringLiteral("性质"),
         .caption = QStringLiteral("性质/价格*"),
         .listTitle = QStringLiteral("性质"),
         .kind = BoxKind::Choice,
         .choices = CustomerList::priceClasses(),
         .width = 70,
         .required = true},
        {.field = QStringLiteral("电话二"), .caption = QStringLiteral("传真"), .width = 110},
        {.field = QStringLiteral("负责人"), .caption = QStringLiteral("电话"), .width = 110},
        {.field = QStringLiteral("传真"), .caption = QStringLiteral("手机"), .width = 110},
        {.field = QStringLiteral("联系人"), .caption = QStringLiteral("联系人"), .width = 80},
        {.field = QStringLiteral("银行账号"), .caption = QStringLiteral("银行账号"), .width = 150},
        {.field = QStringLiteral("结账方式"), .caption = QStringLiteral("结账方式"), .width = 80},
        {.field = QStringLiteral("结账日"), .caption = QStringLiteral("结账日"), .width = 70},
        {.field = QStringLiteral("行业类别"), .caption = QStringLiteral("行业类别"), .width = 80},
        {.field = QStringLiteral("所处片区"), .caption = QStringLiteral("所处片区"), .width = 80},
        {.field = QStringLiteral("邮件地址"), .caption = QStringLiteral("邮件"), .width = 140},
        {.field = QStringLiteral("所处街区"), .caption = QStringLiteral("期初应收"), .width = 80},
    };
    // 编码 is kept; the name is matched as the row being edited had it, so a rename works.
    c.saveKeys = {{QStringLiteral("编码"), KeySource::Box},
                  {QStringLiteral("公司名"), KeySource::CurrentRow}};
    c.deleteKeys = {QStringLiteral("编码"), QStringLiteral("公司名")};
    c.listCondition = QStringLiteral("公司名<>''");
    // Entry order: the order in which customers were added.
    c.openOrderBy = QStringLiteral("ID");
    c.orderBy = QStringLiteral("ID");
    c.requiredMessage = QStringLiteral("请你确保带 [*] 的资料不为空!");
    c.askInsertText = QStringLiteral("是否保存此客户？");
    c.askInsertTitle = QStringLiteral("系统提示");
    c.askUpdateText = QStringLiteral(
        "此客户编码已经存在,你是否要修改此编码的客户资料呢?如果不要，请你重新输入其它的客户编码!");
    c.askUpdateTitle = QStringLiteral("进销存软件");
    c.insertedMessage = QStringLiteral("保存成功！");
    c.insertFailedMessage = QStringLiteral("保存失败！");
    c.updatedMessage = QStringLiteral("修改成功！");
    c.logNameField = QStringLiteral("公司名");
    c.logInsert = QStringLiteral("新增加客户信息资料,新增加的客户名是:");
    c.logUpdate = QStringLiteral("修改客户信息资料,修改后的客户名是:");
    return c;
}

CustomerList::CustomerList(Session& session) : MasterListLogic(session, customerListConfig()) {}

QStringList CustomerList::priceClasses()
{
    QStringList out{QStringLiteral("售价"),   QStringLiteral("批价"),   QStringLiteral("进价"),
                    QStringLiteral("价格一"), QStringLiteral("价格二"), QStringLiteral("价格三"),
                    QStringLiteral("价格四"), QStringLiteral("价格五")};
    for (int i = 6; i <= 20; ++i)
        out << QStringLiteral("价格") + QString::number(i);
    return out;
}

SaveResult CustomerList::SaveCustomer(const FieldValues& boxes, const std::optional<FieldValues>& editedRow)
{
    // A new customer is matched by the pair it is given: an existing code under another
    // name makes a second customer, the same code and name offers to change that one.
    const FieldValues row =
        editedRow ? *editedRow
                  : FieldValues{{QStringLiteral("公司名"), boxes.value(QStringLiteral("公司名"))}};
    return save(boxes, row);
}

CustomerDeleteResult CustomerList::DeleteCustomerData(const QString& rawCode, const QString& rawName,
                                                      const CustomerDeleteChoices& choices)
{
    Session& s = session();
    if (!choices.any()) {
        s.prompter.message(QStringLiteral("请选择要删除的项目!"));
        return CustomerDeleteResult::NothingChosen;
    }
    if (!s.prompter.ask(QStringLiteral("确定删除此客户？"), QStringLiteral("系统提示")))
        return CustomerDeleteResult::Cancelled;

    const QString code = rawCode.trimmed();
    const QString name = rawName.trimmed();
    try {
        TransactionGuard tx(s.db);
        if (choices.customer) {
            writeLog(s, QStringLiteral("重要"), QStringLiteral("删除客户资料,删除的客户名为: ") + name);
            s.db.exec(QStringLiteral("delete from 客户 where 编码=? and 公司名=?"), {code, name});
        }
        if (choices.lastPrices) {
            writeLog(s, QStringLiteral("重要"),
                     QStringLiteral("删除客户最近所有销售商品的历史售价,删除的客户名为: ") + name);
            s.db.exec(QStringLiteral("delete from 客户售价 where 客户编码=?"), {code});
        }
        if (choices.salesBills) {
            writeLog(s, QStringLiteral("重要"),
                     QStringLiteral("删除客户所有的销售记录,删除的客户名为: ") + name);
            s.db.exec(QStringLiteral("delete from 销售主 where 客户编码=?"), {code});
            s.db.exec(QStringLiteral("delete from 销售子 where 客户编码=?"), {code});
        }
        tx.commit();
    } catch (const DbError& e) {
        s.prompter.error(e.message());
        return CustomerDeleteResult::Failed;
    }
    s.prompter.message(QStringLiteral("删除成功！"));
    return CustomerDeleteResult::Deleted;
}

QStringList CustomerList::sortChoices()
{
    return {QStringLiteral("公司名"),         QStringLiteral("编码"),     QStringLiteral("性质"),
            QStringLiteral("银行账号"),       QStringLiteral("结账方式"), QStringLiteral("结账日"),
            QStringLiteral("行业类别"),       QStringLiteral("所处片区"), QStringLiteral("邮件地址"),
            QStringLiteral("电话和送货地址"), QStringLiteral("传真"),     QStringLiteral("手机")};
}

Rows CustomerList::SortCustomers(const QString& fieldChoice, const QString& direction)
{
    const QString choice = fieldChoice.trimmed();
    QString field = QStringLiteral("公司名");
    if (choice == u"电话和送货地址")
        field = QStringLiteral("电话一");
    else if (choice == u"传真")
        field = QStringLiteral("电话二");
    else if (choice == u"手机")
        field = QStringLiteral("传真");
    else if (sortChoices().contains(choice))
        field = choice;
    return loadOrdered(field, direction.trimmed() != u"降序");
}

std::optional<Rows> CustomerList::PrintCustomers()
{
    Session& s = session();
    if (!HasRight(s.db, s.login.JobNo, printRight())) {
        s.prompter.warn(noRightText());
        return std::nullopt;
    }
    writeLog(s, QStringLiteral("一般"), QStringLiteral("打印客户资料"));
    return select(QStringLiteral("公司名,联系人,电话一,电话二,所处片区,性质,邮件地址"), lastCondition(),
                  config().orderBy);
}

Rows CustomerBrowse::open()
{
    return m_s.db.query(QStringLiteral("select * from 客户 order by ID"));
}

Rows CustomerBrowse::BrowseCustomers(const QString& code, const QString& name, const QString& phone,
                                     PriceClassFilter priceClass)
{
    const Dialect& d = m_s.db.dialect();
    QStringList terms;
    QVariantList values;
    addContainsTerm(d, QStringLiteral("编码"), code, terms, values);
    addContainsTerm(d, QStringLiteral("公司名"), name, terms, values);
    addContainsTerm(d, QStringLiteral("电话一"), phone, terms, values);
    if (priceClass == PriceClassFilter::Retail)
        addContainsTerm(d, QStringLiteral("性质"), QStringLiteral("售价"), terms, values);
    else if (priceClass == PriceClassFilter::Trade)
        addContainsTerm(d, QStringLiteral("性质"), QStringLiteral("批价"), terms, values);
    QString sql = QStringLiteral("select * from 客户");
    if (!terms.isEmpty())
        sql += QStringLiteral(" where ") + terms.join(QStringLiteral(" and "));
    return m_s.db.query(sql + QStringLiteral(" order by ID"), values);
}

std::optional<CustomerChoice> CustomerBrowse::pick(const std::optional<FieldValues>& row)
{
    if (!row) {
        m_s.prompter.message(emptyListText());
        return std::nullopt;
    }
    return CustomerChoice::fromValues(*row);
}

bool CustomerBrowse::mayAddCustomer()
{
    try {
        if (HasRight(m_s.db, m_s.login.JobNo, CustomerList::windowRight()))
            return true;
        m_s.prompter.warn(noRightText());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    return false;
}

Rows CustomerLookup::FindCustomers(const QString& text)
{
    const QString pattern = MasterListLogic::containsPattern(text.trimmed());
    const Dialect& d = m_db.dialect();
    return m_db.query(QStringLiteral("select ") + selectList() + QStringLiteral(" from 客户 where ") +
                          d.likeInsensitive(QStringLiteral("编码")) + QStringLiteral(" escape '!' or ") +
                          d.likeInsensitive(QStringLiteral("公司名")) +
                          QStringLiteral(" escape '!' order by ID"),
                      {pattern, pattern});
}

Rows CustomerLookup::FindCustomersByCode(const QString& code)
{
    return m_db.query(QStringLiteral("select ") + selectList() +
                          QStringLiteral(" from 客户 where 编码=? order by ID"),
                      {code.trimmed()});
}

} // namespace mzt
