#include "sites.h"

#include "prompter.h"

namespace mzt {

int SiteNameBytes(QStringView text)
{
    int bytes = 0;
    for (const char32_t c : text.toUcs4())
        bytes += c < 0x80 ? 1 : (c > 0xFFFF ? 4 : 2);
    return bytes;
}

Rows Sites::list()
{
    try {
        return m_s.db.query(
            QStringLiteral("select 站点名称,站点性质,管理人员,备注 from 站点 order by 站点名称"));
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return {};
    }
}

QStringList Sites::warehouses()
{
    try {
        return m_s.db.column(QStringLiteral("select 货位名称 from 货位 order by 货位名称"));
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return {};
    }
}

AddSiteResult Sites::AddSite(const SiteInfo& site)
{
    const SiteInfo s{site.name.trimmed(), site.nature.trimmed(), site.warehouse.trimmed(),
                     site.remark.trimmed()};
    if (s.name.isEmpty()) {
        m_s.prompter.message(QStringLiteral("站点名称不能为空!"));
        return AddSiteResult::EmptyName;
    }
    if (SiteNameBytes(s.name) > SiteNameMaxBytes) {
        m_s.prompter.message(QStringLiteral("站点名称最多4个汉字(8个字节)!"));
        return AddSiteResult::TooLong;
    }
    try {
        TransactionGuard tx(m_s.db);
        if (m_s.db.exists(QStringLiteral("select 站点名称 from 站点 where 站点名称=?"), {s.name})) {
            m_s.prompter.message(QStringLiteral("已经有此站点了，请用其它的站点名!"));
            return AddSiteResult::Duplicate;
        }
        m_s.db.exec(QStringLiteral("insert into 站点(站点名称,站点性质,管理人员,备注) values (?,?,?,?)"),
                    {s.name, s.nature, s.warehouse, s.remark});
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return AddSiteResult::Failed;
    }
    m_s.prompter.message(QStringLiteral("站点增加成功!若要生效，请退出重新登入进销存软件系统!"));
    return AddSiteResult::Added;
}

bool Sites::StartChange(int listRows)
{
    if (listRows > 0)
        return true;
    m_s.prompter.message(QStringLiteral("当前没有记录可以修改!"));
    return false;
}

bool Sites::ChangeSite(const SiteInfo& site)
{
    try {
        m_s.db.exec(
            QStringLiteral("update 站点 set 站点性质=?,管理人员=?,备注=? where 站点名称=?"),
            {site.nature.trimmed(), site.warehouse.trimmed(), site.remark.trimmed(), site.name.trimmed()});
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.message(QStringLiteral("修改成功!"));
    return true;
}

bool Sites::DeleteSite(const std::optional<QString>& currentName)
{
    if (!currentName) {
        m_s.prompter.message(QStringLiteral("当前没有站点可以供删除!"));
        return false;
    }
    try {
        m_s.db.exec(QStringLiteral("delete from 站点 where 站点名称=?"), {currentName->trimmed()});
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.message(QStringLiteral("删除成功!"));
    return true;
}

} // namespace mzt
