#pragma once

#include <QString>

namespace mzt {

class Database;
class Prompter;
class BdChangeSettings;

// The logged-in user; filled once at login, only LockState changes afterwards.
struct LoginContext
{
    QString JobNo;
    QString OperatorName;
    QString SalesSite;
    QString ComputerName = QStringLiteral("本地计算机");
    QString LockState = QStringLiteral("OK");
    QString DefaultWarehouse;
    QString CompanyName;
    bool loggedIn = false;
    bool firstShow = true;
};

// What every logic class needs: the connection, the message channel, the user,
// the workstation settings and the program folder.
struct Session
{
    Database& db;
    Prompter& prompter;
    LoginContext& login;
    BdChangeSettings& settings;
    QString programFolder;
};

} // namespace mzt
