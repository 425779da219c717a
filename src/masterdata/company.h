#pragma once

// The company information printed on every bill: the one row of 报表参数.

#include "session.h"

#include <QString>

#include <optional>

namespace mzt {

struct CompanyInfo
{
    QString name;    // 公司名
    QString phone;   // 销售电话
    QString fax;     // 传真
    QString address; // 地址
};

enum class CompanySaveResult
{
    NotSaved, // name or telephone empty: nothing written, nothing shown
    Saved,
    Failed, // the database refused; rolled back, its text shown
};

class Company final
{
public:
    explicit Company(Session& session) : m_s(session) {}

    // The stored row; nullopt when there is none (or it cannot be read).
    std::optional<CompanyInfo> load();

    // Rewrites the row (updated when it is there, inserted when not) and logs
    // "修改了公司的基础资料信息", all in one transaction.
    CompanySaveResult SaveCompanyInfo(const CompanyInfo& info);

private:
    Session& m_s;
};

} // namespace mzt
