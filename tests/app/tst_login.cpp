#include "testdb.h"

#include "functiontable.h"
#include "locklogic.h"
#include "loginlogic.h"
#include "passwords.h"
#include "rights.h"

using namespace mzt;

namespace {

void addUser(Database& db, const QString& job, const QString& name, const QString& password)
{
    db.exec(QStringLiteral("insert into 权限密码 (工号, 姓名, 密码, 级别, 登陆站点) values (?, ?, ?, '级别', '未设站点')"),
            {job, name, password});
}

int logRows(Database& db, const QString& content)
{
    return db.scalar(QStringLiteral("select count(*) from 日志 where 操作内容 = ?"), {content})->toInt();
}

} // namespace

class TestLogin final : public QObject
{
    Q_OBJECT
private slots:
    void login_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("lookUpFirst");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        QTest::newRow("888 with empty password") << "888" << "" << true << true << none;
        QTest::newRow("888 with blanks around the job number") << " 888 " << "  " << true << true << none;
        QTest::newRow("hashed password") << "101" << "abc" << true << true << none;
        QTest::newRow("password is case-sensitive") << "101" << "ABC" << true << false
                                                    << QStringList{"对不起密码错误!不能登入"};
        QTest::newRow("wrong password") << "101" << "abd" << true << false << QStringList{"对不起密码错误!不能登入"};
        QTest::newRow("legacy plain text") << "102" << "secret" << true << true << none;
        QTest::newRow("unknown job number") << "999" << "" << true << false
                                            << QStringList{"对不起，此工号不存在!", "对不起密码错误!不能登入"};
        QTest::newRow("empty job number") << "  " << "" << false << false << QStringList{"请选择一个工号"};
        QTest::newRow("not looked up") << "101" << "abc" << false << false << QStringList{"对不起密码错误!不能登入"};
    }
    void login()
    {
        QFETCH(QString, job);
        QFETCH(QString, password);
        QFETCH(bool, lookUpFirst);
        QFETCH(bool, ok);
        QFETCH(QStringList, messages);
        test::TestSession s;
        s.login() = LoginContext{};
        addUser(s.db(), QStringLiteral("101"), QStringLiteral("张三"), Passwords::hash(QStringLiteral("abc")));
        addUser(s.db(), QStringLiteral("102"), QStringLiteral("李四"), QStringLiteral("secret"));
        s.db().exec(QStringLiteral("insert into 报表参数 (公司名) values ('鸿运商贸')"));
        LoginLogic logic(s.session());
        const QStringList jobs = logic.open();
        QCOMPARE(jobs, (QStringList{"101", "102", "888"}));
        if (lookUpFirst)
            logic.LookUpJobNumber(job);
        QCOMPARE(logic.Login(job, password), ok);
        QCOMPARE(s.prompter().texts(), messages);
        QCOMPARE(s.login().loggedIn, ok);
        const int rows = s.db().scalar(QStringLiteral("select count(*) from 日志"))->toInt();
        QCOMPARE(rows, ok ? 1 : 0);
        if (ok) {
            QCOMPARE(s.login().JobNo, job.trimmed());
            QCOMPARE(s.login().CompanyName, QStringLiteral("鸿运商贸"));
        }
    }

    void legacyPasswordIsUpgraded()
    {
        test::TestSession s;
        addUser(s.db(), QStringLiteral("102"), QStringLiteral("李四"), QStringLiteral("secret"));
        LoginLogic logic(s.session());
        logic.open();
        logic.LookUpJobNumber(QStringLiteral("102"));
        QVERIFY(logic.Login(QStringLiteral("102"), QStringLiteral("secret")));
        const QString stored =
            s.db().scalar(QStringLiteral("select 密码 from 权限密码 where 工号 = '102'"))->toString();
        QVERIFY(Passwords::isHashed(stored));
        QVERIFY(!stored.contains(QStringLiteral("secret")));
        QVERIFY(Passwords::verify(QStringLiteral("secret"), stored));
        QVERIFY(!Passwords::verify(QStringLiteral("Secret"), stored));
        // The empty password of "888" stays empty.
        QCOMPARE(s.db().scalar(QStringLiteral("select 密码 from 权限密码 where 工号 = '888'"))->toString(), QString());
    }

    void loginFillsContextAndLog()
    {
        test::TestSession s;
        s.login() = LoginContext{};
        s.db().exec(QStringLiteral("insert into 货位 (货位编码, 货位名称) values ('02', '二号库')"));
        s.db().exec(QStringLiteral("insert into 货位 (货位编码, 货位名称) values ('01', '一号库')"));
        LoginLogic logic(s.session());
        logic.open();
        QCOMPARE(logic.LookUpJobNumber(QStringLiteral("888")), std::optional<QString>(QStringLiteral("系统管理员")));
        QVERIFY(logic.Login(QStringLiteral("888"), QString()));
        const LoginContext& c = s.login();
        QCOMPARE(c.OperatorName, QStringLiteral("系统管理员"));
        QCOMPARE(c.SalesSite, QString());
        QCOMPARE(c.DefaultWarehouse, QStringLiteral("二号库"));
        QCOMPARE(c.CompanyName, QStringLiteral("还未填写公司信息"));
        const Rows rows = s.db().query(QStringLiteral("select * from 日志"));
        QCOMPARE(rows.size(), 1);
        const Row& r = rows.first();
        QCOMPARE(r.value("操作内容").toString(),
                 QStringLiteral("销售站点为： 工号为：888 姓名为:系统管理员 的操作员成功登入了进销存软件系统"));
        QCOMPARE(r.value("性质").toString(), QStringLiteral("重要"));
        QCOMPARE(r.value("操作电脑名").toString(), QStringLiteral("本地计算机"));
        QCOMPARE(r.value("操作员").toString(), QStringLiteral("系统管理员"));
        QCOMPARE(r.value("工号").toString(), QStringLiteral("888"));
        QCOMPARE(r.value("日期").toString(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        QVERIFY(QTime::fromString(r.value("时间").toString(), QStringLiteral("HH:mm:ss")).isValid());
    }

    void exitSequence_data()
    {
        QTest::addColumn<QString>("lockState");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("logs");
        QTest::newRow("locked") << "NO" << QList<bool>{} << false
                                << QStringList{"系统已经锁定，暂不能关闭系统,请解锁后再关闭系统!"} << 0;
        QTest::newRow("answer no") << "OK" << QList<bool>{false} << false << QStringList{"是否退出管理系统？"} << 0;
        QTest::newRow("answer yes") << "OK" << QList<bool>{true} << true
                                    << QStringList{"是否退出管理系统？", "请您养成良好的数据备份习惯!每天请及时备份您的数据库!"}
                                    << 1;
    }
    void exitSequence()
    {
        QFETCH(QString, lockState);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, ends);
        QFETCH(QStringList, messages);
        QFETCH(int, logs);
        test::TestSession s;
        s.login().LockState = lockState;
        s.prompter().answers = answers;
        QCOMPARE(ExitProgram(s.session()), ends);
        QCOMPARE(s.prompter().texts(), messages);
        QCOMPARE(logRows(s.db(), QStringLiteral("销售站点为： 姓名为：系统管理员 工号为：888 成功退出进销存管理软件")), logs);
    }

    void exitEndsWhenLogFails()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("drop table 日志"));
        QVERIFY(ExitProgram(s.session()));
    }

    void posOnlyAndStartupSettings()
    {
        test::TestSession s;
        addUser(s.db(), QStringLiteral("301"), QStringLiteral("收银员"), QString());
        s.db().exec(QStringLiteral("update 权限密码 set \"POS前台销售\" = 1 where 工号 = '301'"));
        s.login().JobNo = QStringLiteral("301");
        QVERIFY(IsPosOnlyUser(s.session()));
        s.login().JobNo = QStringLiteral("888");
        QVERIFY(!IsPosOnlyUser(s.session()));
        QVERIFY(OpensSettingsAtStart(s.session()));
        s.settings().setStartupPrompt(true);
        QVERIFY(!OpensSettingsAtStart(s.session()));
    }

    void lockAndUnlock_data()
    {
        QTest::addColumn<bool>("adminMode");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("renamed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("log");
        QTest::newRow("own password") << false << "pw1" << false << true << "" << "成功解锁了进销存软件系统的锁定操作";
        QTest::newRow("wrong own password") << false << "pw2" << false << false << "对不起,密码错误,不能解锁!"
                                            << "对进销存软件系统的解锁操作失败";
        QTest::newRow("name changed meanwhile") << false << "pw1" << true << false << "对不起,密码错误,不能解锁!"
                                                << "对进销存软件系统的解锁操作失败";
        QTest::newRow("administrator password") << true << "root" << false << true << ""
                                                << "成功解锁了进销存软件系统的锁定操作";
        QTest::newRow("own password in administrator mode")
            << true << "pw1" << false << false << "对不起,系统管理员密码错误!不能解锁!"
            << "使用系统管理员账户对进销存软件系统的解锁操作失败";
    }
    void lockAndUnlock()
    {
        QFETCH(bool, adminMode);
        QFETCH(QString, password);
        QFETCH(bool, renamed);
        QFETCH(bool, ok);
        QFETCH(QString, message);
        QFETCH(QString, log);
        test::TestSession s;
        addUser(s.db(), QStringLiteral("101"), QStringLiteral("张三"), Passwords::hash(QStringLiteral("pw1")));
        Passwords::setPassword(s.db(), QStringLiteral("888"), QStringLiteral("root"));
        s.login().JobNo = QStringLiteral("101");
        s.login().OperatorName = QStringLiteral("张三");
        QVERIFY(LockLogic::Lock(s.session()));
        QCOMPARE(s.login().LockState, QStringLiteral("NO"));
        QVERIFY(!s.login().firstShow);
        QCOMPARE(logRows(s.db(), QStringLiteral("锁定了进销存软件系统的操作")), 1);
        QVERIFY(!ExitProgram(s.session()));
        if (renamed)
            s.db().exec(QStringLiteral("update 权限密码 set 姓名 = '张三丰' where 工号 = '101'"));
        s.prompter().clear();
        QCOMPARE(LockLogic::Unlock(s.session(), adminMode, QStringLiteral("101"), QStringLiteral("张三"), password), ok);
        QCOMPARE(s.login().LockState, ok ? QStringLiteral("OK") : QStringLiteral("NO"));
        QCOMPARE(s.prompter().last(), message);
        if (!message.isEmpty())
            QCOMPARE(s.prompter().shown.last().title, QStringLiteral("系统解锁"));
        QCOMPARE(logRows(s.db(), log), 1);
    }

    void lockQuestionNo()
    {
        test::TestSession s;
        s.prompter().answers = {false};
        QVERIFY(!LockLogic::Lock(s.session()));
        QCOMPARE(s.login().LockState, QStringLiteral("OK"));
        QCOMPARE(s.prompter().shown.first().title, QStringLiteral("进销存软件"));
        QCOMPARE(s.prompter().shown.first().text, QStringLiteral("确定锁定系统吗"));
    }

    void pageMarker_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("result");
        QTest::newRow("mark") << "      采购管理" << true << "      采购管理>>";
        QTest::newRow("already marked") << "      采购管理>>" << true << "      采购管理>>";
        QTest::newRow("unmark") << "      销售管理>>" << false << "      销售管理";
        QTest::newRow("plain stays") << "      销售管理" << false << "      销售管理";
    }
    void pageMarker()
    {
        QFETCH(QString, caption);
        QFETCH(bool, chosen);
        QFETCH(QString, result);
        QCOMPARE(markPageCaption(caption, chosen), result);
    }

    void functionTableRights()
    {
        // Goods, staff, password change and POS defaults open for everybody.
        for (const FunctionEntry& f : functionTable()) {
            if (f.window == QStringLiteral("Tfrm_spzl") || f.window == QStringLiteral("Tfrm_ywy_info")
                || f.window == QStringLiteral("Tfrm_modify_password") || f.window == QStringLiteral("Tfrm_Default"))
                QVERIFY2(f.right.isEmpty(), qPrintable(f.caption));
            else if (!f.right.isEmpty())
                QVERIFY2(allRightColumns().contains(f.right), qPrintable(f.right));
        }
        int stock = 0;
        for (const FunctionEntry& f : functionTable())
            if (f.window == QStringLiteral("Tfrm_kcloc_chose"))
                stock += int(f.pages.size());
        QCOMPARE(stock, 3);
    }
};

MZT_TEST_MAIN(TestLogin)
#include "tst_login.moc"
