#include "suppliers.h"

#include "rights.h"

namespace mzt {

SupplierChoice SupplierChoice::fromValues(const FieldValues& values)
{
    const auto text = [&values](const char* field) {
        return values.value(QString::fromUtf8(field)).trimmed();
    };
    SupplierChoice c;
    c.code = text("编码");
    c.name = text("公司名");
    c.contact = text("联系人");
    c.phone = text("电话一");
    c.fax = text("电话二");
    return c;
}

SupplierChoice SupplierChoice::fromRow(const Row& row)
{
    FieldValues values;
    for (int i = 0; i < row.count(); ++i)
        values.insert(row.fieldName(i), row.value(i).toString());
    return fromValues(values);
}

MasterListConfig supplierListConfig()
{
    MasterListConfig c;
    c.table = QStringLiteral("供应商");
    c.columns = {
        {.field = QStringLiteral("编码"),
         .caption = QStringLiteral("商号(拼音码)*"),
         .listTitle = QStringLiteral("编码"),
         .width = 90,
         .required = true},
        {.field = QStringLiteral("公司名"),
         .caption = QStringLiteral("供应商名称(公司名)*"),
         .listTitle = QStringLiteral("公司名"),
         .width = 180,
         .required = true},
        {.field = QStringLiteral("联系人"), .caption = QStringLiteral("联系人："), .width = 80},
        {.field = QStringLiteral("电话一"),
         .caption = QStringLiteral("地 址："),
         .listTitle = QStringLiteral("地址"),
         .width = 200},
        {.field = QStringLiteral("电话二"),
         .caption = QStringLiteral("传 真："),
         .listTitle = QStringLiteral("传真"),
         .width = 110},
        {.field = QStringLiteral("电话"), .caption = QStringLiteral("电话："), .width = 110},
        {.field = QStringLiteral("手机"), .caption = QStringLiteral("手机："), .width = 110},
        {.field = QStringLiteral("邮箱"), .caption = QStringLiteral("邮 箱："), .width = 140},
        {.field = QStringLiteral("银行账户"), .caption = QStringLiteral("银行账户："), .width = 150},
        {.field = QStringLiteral("行业类别"), .caption = QStringLiteral("行业类别："), .width = 80},
        {.field = QStringLiteral("期初应付"), .caption = QStringLiteral("期初应付："), .width = 80},
    };
    c.saveKeys = {{QStringLiteral("编码"), KeySource::Box},
                  {QStringLiteral("公司名"), KeySource::CurrentRow}};
    c.deleteKeys = {QStringLiteral("编码"), QStringLiteral("公司名")};
    c.openOrderBy = QStringLiteral("ID");
    c.orderBy = QStringLiteral("公司名 asc");
    c.requiredMessage = QStringLiteral("请你确保:带[*]号的资料不为空!");
    c.askInsertText = QStringLiteral("是否保存此客户？");
    c.askInsertTitle = QStringLiteral("系统提示");
    c.insertedMessage = QStringLiteral("保存成功！");
    c.insertFailedMessage = QStringLiteral("保存失败！");
    c.updatedMessage = QStringLiteral("修改成功！");
    c.askDeleteText = QStringLiteral("是否删除当前供应商？");
    c.askDeleteTitle = QStringLiteral("删除提示");
    c.deletedMessage = QStringLiteral("删除成功！");
    c.logNameField = QStringLiteral("公司名");
    c.logInsert = QStringLiteral("新增加供应商资料,新增的供应商名称是：");
    c.logUpdate = QStringLiteral("修改供应商资料,修改后的供应商名称是：");
    c.logDelete = QStringLiteral("删除供应商资料,删除的供应商名称是：");
    return c;
}

SupplierList::SupplierList(Session& session) : MasterListLogic(session, supplierListConfig()) {}

SaveResult SupplierList::SaveSupplier(const FieldValues& boxes, const std::optional<FieldValues>& editedRow)
{
    // A new supplier is matched by the pair it is given, so "new" never changes the row that
    // happens to be selected in the list.
    const FieldValues row =
        editedRow ? *editedRow
                  : FieldValues{{QStringLiteral("公司名"), boxes.value(QStringLiteral("公司名"))}};
    return save(boxes, row);
}

DeleteResult SupplierList::DeleteSupplier(const FieldValues& currentRow, const FieldValues& boxes)
{
    return remove(currentRow, boxes, true);
}

Rows SupplierBrowse::open()
{
    return m_s.db.query(QStringLiteral("select ") + selectList() +
                        QStringLiteral(" from 供应商 order by ID"));
}

Rows SupplierBrowse::BrowseSuppliers(const QString& code, const QString& name, const QString& phone,
                                     const QString& contact)
{
    const Dialect& d = m_s.db.dialect();
    QStringList terms;
    QVariantList values;
    const QList<QPair<QString, QString>> parts = {{QStringLiteral("编码"), code},
                                                  {QStringLiteral("公司名"), name},
                                                  {QStringLiteral("电话一"), phone},
                                                  {QStringLiteral("联系人"), contact}};
    for (const auto& [column, text] : parts) {
        if (text.trimmed().isEmpty())
            continue;
        terms << d.likeInsensitive(column) + QStringLiteral(" escape '!'");
        values << MasterListLogic::containsPattern(text.trimmed());
    }
    QString sql = QStringLiteral("select ") + selectList() + QStringLiteral(" from 供应商");
    if (!terms.isEmpty())
        sql += QStringLiteral(" where ") + terms.join(QStringLiteral(" and "));
    return m_s.db.query(sql + QStringLiteral(" order by ID"), values);
}

std::optional<SupplierChoice> SupplierBrowse::pick(const std::optional<FieldValues>& row,
                                                   SupplierPickMode mode)
{
    if (!row) {
        m_s.prompter.message(emptyListText());
        return std::nullopt;
    }
    SupplierChoice c = SupplierChoice::fromValues(*row);
    if (mode == SupplierPickMode::CodeAndName && c.code.isEmpty())
        return std::nullopt;
    return c;
}

bool SupplierBrowse::mayAddSupplier()
{
    try {
        if (HasRight(m_s.db, m_s.login.JobNo, SupplierList::windowRight()))
            return true;
        m_s.prompter.warn(noRightText());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    return false;
}

Rows SupplierLookup::FindSuppliers(const QString& text)
{
    const QString pattern = MasterListLogic::containsPattern(text.trimmed());
    const Dialect& d = m_db.dialect();
    return m_db.query(QStringLiteral("select 编码,公司名 from 供应商 where ") +
                          d.likeInsensitive(QStringLiteral("编码")) + QStringLiteral(" escape '!' or ") +
                          d.likeInsensitive(QStringLiteral("公司名")) +
                          QStringLiteral(" escape '!' order by 公司名"),
                      {pattern, pattern});
}

} // namespace mzt
