#include "locklogic.h"

#include "database.h"
#include "passwords.h"
#include "prompter.h"
#include "rights.h"

namespace mzt::LockLogic {

namespace {

void log(Session& s, const QString& text)
{
    WriteOperationLog(s.db, s.login.ComputerName, s.login.OperatorName, s.login.JobNo, QStringLiteral("重要"), text);
}

} // namespace

bool Lock(Session& s)
{
    if (!s.prompter.ask(QStringLiteral("确定锁定系统吗"), QStringLiteral("进销存软件")))
        return false;
    s.login.LockState = QStringLiteral("NO");
    s.login.firstShow = false;
    log(s, QStringLiteral("锁定了进销存软件系统的操作"));
    return true;
}

void AdminModeChosen(Session& s)
{
    s.prompter.message(QStringLiteral("请输入系统管理员的密码解锁!"), QStringLiteral("系统解锁"));
}

bool Unlock(Session& s, bool adminMode, const QString& jobNo, const QString& name, const QString& password)
{
    const QString p = password.trimmed();
    bool ok;
    if (adminMode) {
        ok = Passwords::checkUser(s.db, QStringLiteral("888"), p);
    } else {
        const QString job = jobNo.trimmed();
        ok = s.db.exists(QStringLiteral("select 工号 from 权限密码 where 工号 = ? and 姓名 = ?"), {job, name.trimmed()})
          && Passwords::checkUser(s.db, job, p);
    }
    if (ok) {
        log(s, QStringLiteral("成功解锁了进销存软件系统的锁定操作"));
        s.login.LockState = QStringLiteral("OK");
        return true;
    }
    if (adminMode) {
        log(s, QStringLiteral("使用系统管理员账户对进销存软件系统的解锁操作失败"));
        s.prompter.warn(QStringLiteral("对不起,系统管理员密码错误!不能解锁!"), QStringLiteral("系统解锁"));
    } else {
        log(s, QStringLiteral("对进销存软件系统的解锁操作失败"));
        s.prompter.warn(QStringLiteral("对不起,密码错误,不能解锁!"), QStringLiteral("系统解锁"));
    }
    return false;
}

} // namespace mzt::LockLogic
