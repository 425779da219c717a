#pragma once

#include "session.h"

#include <QStringList>
#include <optional>

namespace mzt {

// The login dialog's logic.
class LoginLogic final
{
public:
    explicit LoginLogic(Session& session) : m_s(session) {}

    // On opening: the job numbers for the box (sorted) and the default-warehouse candidate.
    QStringList open();
    // The user's name, or nothing (with the message) when the job number is not on file.
    std::optional<QString> LookUpJobNumber(const QString& jobNo);
    // true when the user is logged in and LoginContext is filled.
    bool Login(const QString& jobNo, const QString& password);

    static QString hintText() { return QStringLiteral("系统默认工号：888 没有密码，直接登入"); }

private:
    Session& m_s;
    QString m_warehouseCandidate;
    QString m_foundJobNo;
};

// The exit sequence; true when the program may end.
bool ExitProgram(Session& session);

// After login: true for a user who gets the POS window only.
bool IsPosOnlyUser(Session& session);
// After login: true when the basic settings window opens by itself.
bool OpensSettingsAtStart(Session& session);

// The greeting shown when the main window is created.
QString GreetingText();

} // namespace mzt
