#pragma once

// The sales sites (站点): a name of at most eight bytes in the double-byte encoding the
// site names were always stored in (four Chinese characters), unique; its kind, the
// warehouse that belongs to it and a remark.

#include "database.h"
#include "session.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mzt {

struct SiteInfo
{
    QString name;      // 站点名称
    QString nature;    // 站点性质
    QString warehouse; // 管理人员
    QString remark;    // 备注
};

// Bytes of a text in the double-byte encoding: one per ASCII character, two per other
// character (four beyond the basic plane).
int SiteNameBytes(QStringView text);
inline constexpr int SiteNameMaxBytes = 8;

enum class AddSiteResult
{
    Added,
    EmptyName,
    TooLong,
    Duplicate,
    Failed,
};

class Sites final
{
public:
    explicit Sites(Session& session) : m_s(session) {}

    // Every site, by name; columns 站点名称, 站点性质, 管理人员, 备注.
    Rows list();
    // The warehouse names the site's list offers.
    QStringList warehouses();

    AddSiteResult AddSite(const SiteInfo& site);
    // The first click on "修改": false (with "当前没有记录可以修改!") when the list is empty.
    bool StartChange(int listRows);
    // The name identifies the site and never changes.
    bool ChangeSite(const SiteInfo& site);
    // nullopt: the list is empty. "删除成功!" only after the statement went through.
    bool DeleteSite(const std::optional<QString>& currentName);

private:
    Session& m_s;
};

} // namespace mzt
