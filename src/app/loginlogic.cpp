#include "loginlogic.h"

#include "database.h"
#include "passwords.h"
#include "prompter.h"
#include "rights.h"
#include "settings.h"

#include <QCollator>
#include <QDate>

namespace mzt {

QStringList LoginLogic::open()
{
    QStringList jobs = m_s.db.column(QStringLiteral("select 工号 from 权限密码"));
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setNumericMode(true);
    std::sort(jobs.begin(), jobs.end(), [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    // The first warehouse in the order they were created.
    const auto w = m_s.db.scalar(QStringLiteral("select 货位名称 from 货位 order by ID"));
    m_warehouseCandidate = w ? w->toString() : QString();
    return jobs;
}

std::optional<QString> LoginLogic::LookUpJobNumber(const QString& jobNo)
{
    const Rows rows = m_s.db.query(QStringLiteral("select 工号,姓名 from 权限密码 where 工号 = ?"), {jobNo.trimmed()});
    if (rows.isEmpty()) {
        m_foundJobNo.clear();
        m_s.prompter.message(QStringLiteral("对不起，此工号不存在!"));
        return std::nullopt;
    }
    m_foundJobNo = rows.first().value(0).toString();
    return rows.first().value(1).toString();
}

bool LoginLogic::Login(const QString& jobNo, const QString& password)
{
    const QString job = jobNo.trimmed();
    if (job.isEmpty()) {
        m_s.prompter.message(QStringLiteral("请选择一个工号"));
        return false;
    }
    const Rows rows = m_s.db.query(QStringLiteral("select 工号,姓名 from 权限密码 where 工号 = ?"), {job});
    // A job number the last lookup did not find fails like a wrong password.
    if (rows.isEmpty() || m_foundJobNo != job || !Passwords::checkUser(m_s.db, job, password.trimmed())) {
        m_s.prompter.message(QStringLiteral("对不起密码错误!不能登入"));
        return false;
    }
    LoginContext& c = m_s.login;
    c.loggedIn = true;
    c.OperatorName = rows.first().value(1).toString();
    c.JobNo = rows.first().value(0).toString();
    c.SalesSite = QString();
    c.DefaultWarehouse = m_warehouseCandidate;
    try {
        const auto name = m_s.db.scalar(QStringLiteral("select 公司名 from 报表参数"));
        c.CompanyName = name && !name->isNull() ? name->toString() : QStringLiteral("还未填写公司信息");
    } catch (const DbError&) {
        c.CompanyName = QStringLiteral("还未填写公司信息");
    }
    WriteOperationLog(m_s.db, c.ComputerName, c.OperatorName, c.JobNo, QStringLiteral("重要"),
                      QStringLiteral("销售站点为：") + c.SalesSite + QStringLiteral(" 工号为：") + c.JobNo
                          + QStringLiteral(" 姓名为:") + c.OperatorName
                          + QStringLiteral(" 的操作员成功登入了进销存软件系统"));
    return true;
}

bool ExitProgram(Session& s)
{
    if (s.login.LockState != QStringLiteral("OK")) {
        s.prompter.warn(QStringLiteral("系统已经锁定，暂不能关闭系统,请解锁后再关闭系统!"));
        return false;
    }
    if (!s.prompter.ask(QStringLiteral("是否退出管理系统？"), QStringLiteral("进销存软件")))
        return false;
    s.prompter.message(QStringLiteral("请您养成良好的数据备份习惯!每天请及时备份您的数据库!"));
    try {
        WriteOperationLog(s.db, s.login.ComputerName, s.login.OperatorName, s.login.JobNo, QStringLiteral("重要"),
                          QStringLiteral("销售站点为：") + s.login.SalesSite + QStringLiteral(" 姓名为：")
                              + s.login.OperatorName + QStringLiteral(" 工号为：") + s.login.JobNo
                              + QStringLiteral(" 成功退出进销存管理软件"));
    } catch (const DbError&) {
        // The program ends even when the exit cannot be logged.
    }
    return true;
}

bool IsPosOnlyUser(Session& s)
{
    return s.login.JobNo != QStringLiteral("888") && HasRight(s.db, s.login.JobNo, QStringLiteral("POS前台销售"));
}

bool OpensSettingsAtStart(Session& s)
{
    return s.settings.startupPrompt(QStringLiteral("0")) != QStringLiteral("1");
}

QString GreetingText()
{
    return QStringLiteral("当前工作日期:") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))
         + QStringLiteral("日   祝您使用愉快!");
}

} // namespace mzt
