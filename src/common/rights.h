#pragma once

#include <QString>
#include <QStringList>

namespace mzt {

class Database;

// The right columns of 权限密码, in the order a new user's row lists them.
const QStringList& rightColumns();
// The four rights that only the rights editor writes.
const QStringList& extraRightColumns();
// Both lists together: every right column of 权限密码.
QStringList allRightColumns();

// True if the user with job number jobNo holds right (its column holds 1). Checked afresh
// on every call; an unknown job number or right holds nothing; "888" has no bypass.
// Database errors reach the caller.
bool HasRight(Database& db, const QString& jobNo, const QString& right);

// One 日志 row stamped with the current date and time. Errors reach the caller.
void WriteOperationLog(Database& db, const QString& computerName, const QString& operatorName,
                       const QString& jobNo, const QString& nature, const QString& content);

} // namespace mzt
