#include "testdb.h"

#include "database.h"
#include "inifile.h"
#include "lists.h"
#include "passwords.h"
#include "rights.h"
#include "schema.h"
#include "settings.h"

#include <QFile>
#include <QStringEncoder>

using namespace mzt;

class TestDatabaseLayer final : public QObject
{
    Q_OBJECT
private slots:
    void quoting_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("chinese") << "一号仓库" << true;
        QTest::newRow("quote") << "老王\"的库" << true;
        QTest::newRow("single quote") << "O'Brien库" << true;
        QTest::newRow("inner space") << "北 区" << true;
        QTest::newRow("percent") << "100%库" << true;
        QTest::newRow("keyword") << "select" << true;
        QTest::newRow("digits first") << "1号库" << true;
        QTest::newRow("mixed case") << "WareHouse" << true;
        QTest::newRow("semicolon and comment") << "a;--drop" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("leading blank") << " 北区" << false;
        QTest::newRow("newline") << "北\n区" << false;
        QTest::newRow("too long") << QString(22, QChar(0x4e00)) << false;
        QTest::newRow("engine prefix") << "sqlite_master" << false;
    }
    void quoting()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(Dialect::identifierProblem(name).isEmpty(), accepted);
        test::TestDatabase t;
        if (!accepted) {
            QVERIFY_THROWS_EXCEPTION(InvalidNameError, quoteIdentifier(name));
            QVERIFY_THROWS_EXCEPTION(InvalidNameError, StockSnapshotTable(t.db(), 1, name));
            return;
        }
        // A name that is accepted must work as a table name on the real engine.
        t.db().exec(QStringLiteral("insert into 库存 (货位,编码,数量,金额,日期,标记,组合库存) values ('库存','A01',5,10,'2026-01-01',0,'0')"));
        StockSnapshotTable(t.db(), 1, name);
        StockSnapshotTable(t.db(), 3, name);
        QVERIFY(t.db().tableExists(name));
        QCOMPARE(CountRows(t.db(), name), 1);
        const Rows rows = t.db().query(QStringLiteral("select 货位, 数量, 组合库存 from ") + quoteIdentifier(name));
        QCOMPARE(rows.first().value(0).toString(), name);
        QCOMPARE(rows.first().value(1).toInt(), 0);
        QCOMPARE(t.db().columns(name),
                 (QStringList{"货位", "编码", "数量", "金额", "日期", "标记", "组合库存"}));
        StockSnapshotTable(t.db(), 2, name);
        QVERIFY(!t.db().tableExists(name));
        QCOMPARE(CountRows(t.db(), QStringLiteral("库存")), 1);
    }

    void snapshotOfManyGoods()
    {
        test::TestDatabase t;
        Statement insert(t.db(), QStringLiteral("insert into 库存 (货位,编码,数量,金额,日期,标记,组合库存) values ('库存',?,?,0,'2026-01-01',0,'0')"));
        TransactionGuard tx(t.db());
        for (int i = 0; i < 500; ++i)
            insert.exec({QStringLiteral("G%1").arg(i, 4, 10, QLatin1Char('0')), i});
        tx.commit();
        StockSnapshotTable(t.db(), 1, QStringLiteral("三号库"));
        StockSnapshotTable(t.db(), 3, QStringLiteral("三号库"));
        QCOMPARE(t.db().scalar(QStringLiteral("select count(*) from 三号库 where 货位 = '三号库' and 数量 = 0 and 金额 = 0"))->toInt(), 500);
        // One row per goods code.
        QVERIFY_THROWS_EXCEPTION(DbError, StockSnapshotTable(t.db(), 3, QStringLiteral("三号库")));
        QCOMPARE(t.db().countRows(QStringLiteral("三号库")), 500);
    }

    void transactions()
    {
        test::TestDatabase t;
        Database& db = t.db();
        {
            TransactionGuard tx(db);
            db.exec(QStringLiteral("insert into 日志 (操作内容) values ('a')"));
        } // rolled back
        QCOMPARE(db.countRows(QStringLiteral("日志")), 0);
        {
            TransactionGuard outer(db);
            db.exec(QStringLiteral("insert into 日志 (操作内容) values ('b')"));
            {
                TransactionGuard inner(db);
                db.exec(QStringLiteral("insert into 日志 (操作内容) values ('c')"));
                inner.commit();
            }
            outer.commit();
        }
        QCOMPARE(db.countRows(QStringLiteral("日志")), 2);
        // An inner failure undoes the whole action.
        try {
            TransactionGuard outer(db);
            db.exec(QStringLiteral("insert into 日志 (操作内容) values ('d')"));
            {
                TransactionGuard inner(db);
                db.exec(QStringLiteral("insert into 没有这个表 values (1)"));
                inner.commit();
            }
            outer.commit();
            QFAIL("the statement should have failed");
        } catch (const DbError& e) {
            QVERIFY(!e.message().isEmpty());
        }
        QVERIFY(!db.inTransaction());
        QCOMPARE(db.countRows(QStringLiteral("日志")), 2);
    }

    void boundValuesStayLiteral()
    {
        test::TestDatabase t;
        const QString tricky = QStringLiteral("O'Brien'); delete from 日志; --%_");
        t.db().exec(QStringLiteral("insert into 日志 (操作内容) values (?)"), {tricky});
        t.db().exec(QStringLiteral("insert into 日志 (操作内容) values ('other')"));
        QCOMPARE(t.db().column(QStringLiteral("select 操作内容 from 日志 where 操作内容 = ?"), {tricky}),
                 QStringList{tricky});
        QCOMPARE(t.db().countRows(QStringLiteral("日志")), 2);
    }

    void errorsCarryServerText()
    {
        test::TestDatabase t;
        try {
            t.db().exec(QStringLiteral("select 没有的列 from 日志"));
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("没有的列")), qPrintable(e.message()));
            QCOMPARE(e.statement(), QStringLiteral("select 没有的列 from 日志"));
        }
    }

    void hasRight_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("granted");
        QTest::newRow("granted") << "101" << "库存查询" << true;
        QTest::newRow("not granted") << "101" << "审核单据" << false;
        QTest::newRow("unknown job number") << "999" << "库存查询" << false;
        QTest::newRow("888 without the right") << "888" << "审核单据" << false;
        QTest::newRow("888 with the right") << "888" << "库存查询" << true;
        QTest::newRow("extra right") << "101" << "连锁站点增设" << true;
        QTest::newRow("not a right") << "101" << "姓名" << false;
    }
    void hasRight()
    {
        QFETCH(QString, job);
        QFETCH(QString, right);
        QFETCH(bool, granted);
        test::TestDatabase t;
        t.db().exec(QStringLiteral("insert into 权限密码 (工号, 姓名, 密码) values ('101', '张三', '')"));
        t.db().exec(QStringLiteral("update 权限密码 set 库存查询 = 1, 连锁站点增设 = 1 where 工号 = '101'"));
        t.db().exec(QStringLiteral("update 权限密码 set 审核单据 = 0 where 工号 = '888'"));
        QCOMPARE(HasRight(t.db(), job, right), granted);
    }

    void administratorHoldsEveryRight()
    {
        test::TestDatabase t;
        QCOMPARE(rightColumns().size(), 68);
        for (const QString& r : allRightColumns())
            QVERIFY2(HasRight(t.db(), QStringLiteral("888"), r), qPrintable(r));
        QCOMPARE(t.db().scalar(QStringLiteral("select 密码 from 权限密码 where 工号 = '888'"))->toString(), QString());
    }

    void logRow()
    {
        test::TestDatabase t;
        WriteOperationLog(t.db(), QStringLiteral(" 本地计算机 "), QStringLiteral("张三"), QStringLiteral("101"),
                          QStringLiteral("一般"), QStringLiteral("打印'商品'资料"));
        const Row r = t.db().query(QStringLiteral("select 日期,时间,操作电脑名,操作员,操作内容,性质,工号 from 日志")).first();
        QCOMPARE(r.value(0).toString(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        QCOMPARE(r.value(1).toString().size(), 8);
        QCOMPARE(r.value(2).toString(), QStringLiteral("本地计算机"));
        QCOMPARE(r.value(3).toString(), QStringLiteral("张三"));
        QCOMPARE(r.value(4).toString(), QStringLiteral("打印'商品'资料"));
        QCOMPARE(r.value(5).toString(), QStringLiteral("一般"));
        QCOMPARE(r.value(6).toString(), QStringLiteral("101"));
    }

    void fillLists()
    {
        test::TestDatabase t;
        t.db().exec(QStringLiteral("insert into 货位 (货位编码, 货位名称) values ('2', '乙库'), ('1', '甲库')"));
        QStringList list;
        FillNameList(t.db(), 0, list);
        FillNameList(t.db(), 0, list);
        QCOMPARE(list.size(), 4);
        QCOMPARE(list.count(QStringLiteral("甲库")), 2);
        FillFinanceList(t.db(), 1, list);
        QVERIFY(list.isEmpty());
        QStringList sites;
        FillSiteList(t.db(), sites);
        QCOMPARE(sites, QStringList{QStringLiteral("所有站点")});
    }

    void schemaInstallIsIdempotent()
    {
        test::TestDatabase t(false);
        QCOMPARE(SchemaInstaller::currentVersion(t.db()), 0);
        const int v = SchemaInstaller::install(t.db());
        QCOMPARE(v, SchemaInstaller::latestVersion());
        const qint64 users = t.db().countRows(QStringLiteral("权限密码"));
        QCOMPARE(SchemaInstaller::install(t.db()), v);
        QCOMPARE(t.db().countRows(QStringLiteral("权限密码")), users);
    }

    void splitStatements()
    {
        const QStringList s = SchemaInstaller::splitStatements(
            QStringLiteral("-- note\ncreate table a (x TEXT);\ninsert into a values ('x;\ny');\n\ninsert into a values ('z');\n"));
        QCOMPARE(s.size(), 3);
        QCOMPARE(s.at(1), QStringLiteral("insert into a values ('x;\ny')"));
    }

    void iniRoundTrip()
    {
        QTemporaryDir dir;
        {
            BdChangeSettings s(dir.path());
            QCOMPARE(s.startupPrompt(QStringLiteral("0")), QStringLiteral("0"));
            QCOMPARE(s.pricePicture(), QStringLiteral("0.00"));
            QCOMPARE(s.priceDecimals(), 2);
            QCOMPARE(s.defaultWarehouse(QStringLiteral("销售出货")), QStringLiteral("0"));
            QCOMPARE(s.salesDiscount(QStringLiteral("1")), QStringLiteral("1"));
            s.setStartupPrompt(true);
            s.setDefaultWarehouse(QStringLiteral("采购入库"), QStringLiteral("一号 仓库=东"));
            s.setPriceDecimals(3);
            s.setSalesDiscount(QStringLiteral("0.88"));
            QVERIFY(s.save());
        }
        QFile f(dir.filePath(QStringLiteral("bdchange.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY2(text.startsWith(QStringLiteral("[currensys]\n")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("启动提示设置=1\n")));
        QVERIFY(text.contains(QStringLiteral("小数点位数=0.000\n")));
        QVERIFY(text.contains(QStringLiteral("小数点位数1=3\n")));
        BdChangeSettings again(dir.path());
        QCOMPARE(again.startupPrompt(QStringLiteral("0")), QStringLiteral("1"));
        QCOMPARE(again.defaultWarehouse(QStringLiteral("采购入库")), QStringLiteral("一号 仓库=东"));
        QCOMPARE(again.pricePicture(), QStringLiteral("0.000"));
        QCOMPARE(again.salesDiscount(QStringLiteral("1")), QStringLiteral("0.88"));
        QCOMPARE(again.connection().driver, QStringLiteral("sqlite"));
        QVERIFY(again.connection().sqliteFile.endsWith(QStringLiteral("data/RURU.db")));
    }

    void iniKeepsCommentsAndReadsOldCodePage()
    {
        IniFile ini;
        ini.parse(QStringLiteral("; 注释\n[currensys]\r\n销售出货=门市库\r\n\n[database]\ndriver=postgresql\n"));
        QCOMPARE(ini.value(QStringLiteral("currensys"), QStringLiteral("销售出货")), QStringLiteral("门市库"));
        ini.setValue(QStringLiteral("currensys"), QStringLiteral("其它入库"), QStringLiteral("总库"));
        QCOMPARE(ini.text(), QStringLiteral("; 注释\n[currensys]\n销售出货=门市库\n其它入库=总库\n\n[database]\ndriver=postgresql\n"));

        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("old.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QStringEncoder gb("GB18030");
        f.write(gb.encode(QStringLiteral("[currensys]\n销售出货=门市库\n")));
        f.close();
        IniFile old(f.fileName());
        QCOMPARE(old.value(QStringLiteral("currensys"), QStringLiteral("销售出货")), QStringLiteral("门市库"));
    }

    void passwordHashes()
    {
        const QString h = Passwords::hash(QStringLiteral("密码123"));
        QVERIFY(Passwords::isHashed(h));
        QVERIFY(Passwords::verify(QStringLiteral("密码123"), h));
        QVERIFY(!Passwords::verify(QStringLiteral("密码12"), h));
        QVERIFY(h != Passwords::hash(QStringLiteral("密码123"))); // salted
        QCOMPARE(Passwords::hash(QString()), QString());
        // RFC 6070-style vector for PBKDF2-HMAC-SHA256.
        QCOMPARE(Passwords::pbkdf2Sha256("password", "salt", 2, 32).toHex(),
                 QByteArray("ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"));
    }
};

MZT_TEST_MAIN(TestDatabaseLayer)
#include "tst_database.moc"
