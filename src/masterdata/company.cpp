#include "company.h"

#include "database.h"
#include "prompter.h"
#include "rights.h"

namespace mzt {

std::optional<CompanyInfo> Company::load()
{
    Rows rows;
    try {
        rows = m_s.db.query(QStringLiteral("select 公司名,销售电话,传真,地址 from 报表参数"));
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return std::nullopt;
    }
    if (rows.isEmpty())
        return std::nullopt;
    const Row& r = rows.first();
    return CompanyInfo{
        r.value(QStringLiteral("公司名")).toString(), r.value(QStringLiteral("销售电话")).toString(),
        r.value(QStringLiteral("传真")).toString(), r.value(QStringLiteral("地址")).toString()};
}

CompanySaveResult Company::SaveCompanyInfo(const CompanyInfo& info)
{
    const CompanyInfo c{info.name.trimmed(), info.phone.trimmed(), info.fax.trimmed(),
                        info.address.trimmed()};
    if (c.name.isEmpty() || c.phone.isEmpty())
        return CompanySaveResult::NotSaved;
    const QVariantList values{c.name, c.phone, c.fax, c.address};
    try {
        TransactionGuard tx(m_s.db);
        const QVariant n =
            m_s.db.scalar(QStringLiteral("select count(*) from 报表参数")).value_or(QVariant(0));
        if (n.toLongLong() == 1) {
            m_s.db.exec(QStringLiteral("update 报表参数 set 公司名=?,销售电话=?,传真=?,地址=?"), values);
        } else {
            // None yet, or stray copies: the table holds exactly one row afterwards.
            m_s.db.exec(QStringLiteral("delete from 报表参数"));
            m_s.db.exec(QStringLiteral("insert into 报表参数(公司名,销售电话,传真,地址) values (?,?,?,?)"),
                        values);
        }
        WriteOperationLog(m_s.db, m_s.login.ComputerName, m_s.login.OperatorName, m_s.login.JobNo,
                          QStringLiteral("重要"), QStringLiteral("修改了公司的基础资料信息"));
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return CompanySaveResult::Failed;
    }
    return CompanySaveResult::Saved;
}

} // namespace mzt
