#include "company.h"
#include "sites.h"
#include "testdb.h"

using namespace mzt;

namespace {

CompanyInfo sample()
{
    return {QStringLiteral("  铭泽商贸有限公司 "), QStringLiteral("0571-8888"), QStringLiteral("0571-9999"),
            QStringLiteral("杭州市文三路")};
}

int logRows(Database& db, const QString& content)
{
    return db
        .scalar(QStringLiteral("select count(*) from 日志 where 操作内容=? and 性质=? and 工号=?"),
                {content, QStringLiteral("重要"), QStringLiteral("888")})
        ->toInt();
}

void insertSite(Database& db, const QString& name)
{
    db.exec(QStringLiteral("insert into 站点(站点名称,站点性质,管理人员,备注) values (?,?,?,?)"),
            {name, QStringLiteral("直营"), QStringLiteral("一号仓"), QString()});
}

} // namespace

class TestCompanySites final : public QObject
{
    Q_OBJECT

private slots:
    void companyInsertedThenUpdated()
    {
        test::TestSession s;
        Company c(s.session());
        QVERIFY(!c.load());

        QCOMPARE(c.SaveCompanyInfo(sample()), CompanySaveResult::Saved);
        QCOMPARE(s.db().countRows(QStringLiteral("报表参数")), 1);
        std::optional<CompanyInfo> stored = c.load();
        QVERIFY(stored);
        QCOMPARE(stored->name, QStringLiteral("铭泽商贸有限公司"));
        QCOMPARE(stored->address, QStringLiteral("杭州市文三路"));
        QCOMPARE(logRows(s.db(), QStringLiteral("修改了公司的基础资料信息")), 1);

        CompanyInfo changed = sample();
        changed.phone = QStringLiteral("010-1234");
        changed.fax = QString();
        QCOMPARE(c.SaveCompanyInfo(changed), CompanySaveResult::Saved);
        QCOMPARE(s.db().countRows(QStringLiteral("报表参数")), 1);
        stored = c.load();
        QCOMPARE(stored->phone, QStringLiteral("010-1234"));
        QCOMPARE(stored->fax, QString());
        QCOMPARE(logRows(s.db(), QStringLiteral("修改了公司的基础资料信息")), 2);
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void companyStrayCopiesBecomeOneRow()
    {
        test::TestSession s;
        const QString insert = QStringLiteral("insert into 报表参数(公司名,销售电话) values (?,?)");
        s.db().exec(insert, {QStringLiteral("旧一"), QStringLiteral("1")});
        s.db().exec(insert, {QStringLiteral("旧二"), QStringLiteral("2")});
        QCOMPARE(Company(s.session()).SaveCompanyInfo(sample()), CompanySaveResult::Saved);
        QCOMPARE(s.db().column(QStringLiteral("select 公司名 from 报表参数")),
                 QStringList{"铭泽商贸有限公司"});
    }

    void companyNeedsNameAndTelephone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("phone");
        QTest::newRow("no telephone") << "新公司"
                                      << "  ";
        QTest::newRow("no name") << ""
                                 << "123";
    }
    void companyNeedsNameAndTelephone()
    {
        QFETCH(QString, name);
        QFETCH(QString, phone);
        test::TestSession s;
        Company c(s.session());
        QCOMPARE(c.SaveCompanyInfo(sample()), CompanySaveResult::Saved);
        QCOMPARE(c.SaveCompanyInfo({name, phone, QStringLiteral("传真"), QStringLiteral("地址")}),
                 CompanySaveResult::NotSaved);
        QCOMPARE(c.load()->name, QStringLiteral("铭泽商贸有限公司"));
        QCOMPARE(logRows(s.db(), QStringLiteral("修改了公司的基础资料信息")), 1);
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void companySaveIsAllOrNothing()
    {
        test::TestSession s;
        Company c(s.session());
        QCOMPARE(c.SaveCompanyInfo(sample()), CompanySaveResult::Saved);
        // The log row cannot be written: the company row stays as it was.
        s.db().exec(QStringLiteral("drop table 日志"));
        CompanyInfo changed = sample();
        changed.name = QStringLiteral("另一家公司");
        QCOMPARE(c.SaveCompanyInfo(changed), CompanySaveResult::Failed);
        QCOMPARE(s.prompter().shown.size(), 1);
        QCOMPARE(s.prompter().shown.first().kind, MessageKind::Error);
        QCOMPARE(c.load()->name, QStringLiteral("铭泽商贸有限公司"));
    }

    void siteNameBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bytes");
        QTest::newRow("eight letters") << "ABCDEFGH" << 8;
        QTest::newRow("four characters") << "杭州一店" << 8;
        QTest::newRow("five characters") << "杭州第一店" << 10;
        QTest::newRow("mixed") << "A店1" << 4;
        QTest::newRow("full-width digit") << "１" << 2;
    }
    void siteNameBytes()
    {
        QFETCH(QString, name);
        QFETCH(int, bytes);
        QCOMPARE(SiteNameBytes(name), bytes);
    }

    void addSite_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("four characters") << " 杭州一店 " << int(AddSiteResult::Added)
                                         << "站点增加成功!若要生效，请退出重新登入进销存软件系统!";
        QTest::newRow("eight letters") << "SHOP0001" << int(AddSiteResult::Added)
                                       << "站点增加成功!若要生效，请退出重新登入进销存软件系统!";
        QTest::newRow("empty") << "   " << int(AddSiteResult::EmptyName) << "站点名称不能为空!";
        QTest::newRow("five characters")
            << "杭州第一店" << int(AddSiteResult::TooLong) << "站点名称最多4个汉字(8个字节)!";
        QTest::newRow("nine letters")
            << "SHOP00001" << int(AddSiteResult::TooLong) << "站点名称最多4个汉字(8个字节)!";
        QTest::newRow("taken") << "总店" << int(AddSiteResult::Duplicate)
                               << "已经有此站点了，请用其它的站点名!";
        QTest::newRow("taken with blanks")
            << " 总店" << int(AddSiteResult::Duplicate) << "已经有此站点了，请用其它的站点名!";
    }
    void addSite()
    {
        QFETCH(QString, name);
        QFETCH(int, result);
        QFETCH(QString, message);
        test::TestSession s;
        insertSite(s.db(), QStringLiteral("总店"));
        Sites sites(s.session());
        QCOMPARE(int(sites.AddSite({name, QStringLiteral("加盟"), QStringLiteral("二号仓"),
                                    QStringLiteral("备注\n第二行")})),
                 result);
        QCOMPARE(s.prompter().texts(), QStringList{message});
        const qint64 expected = result == int(AddSiteResult::Added) ? 2 : 1;
        QCOMPARE(s.db().countRows(QStringLiteral("站点")), expected);
        if (result == int(AddSiteResult::Added)) {
            const Rows rows =
                s.db().query(QStringLiteral("select * from 站点 where 站点名称=?"), {name.trimmed()});
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.first().value(QStringLiteral("管理人员")).toString(), QStringLiteral("二号仓"));
            QCOMPARE(rows.first().value(QStringLiteral("备注")).toString(), QStringLiteral("备注\n第二行"));
        }
    }

    void changeKeepsTheName()
    {
        test::TestSession s;
        insertSite(s.db(), QStringLiteral("总店"));
        insertSite(s.db(), QStringLiteral("分店"));
        Sites sites(s.session());
        QVERIFY(sites.ChangeSite({QStringLiteral("总店"), QStringLiteral("旗舰"), QStringLiteral("三号仓"),
                                  QStringLiteral("新备注")}));
        QCOMPARE(s.prompter().texts(), QStringList{"修改成功!"});
        const Rows rows = sites.list();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).value(QStringLiteral("站点名称")).toString(), QStringLiteral("分店"));
        QCOMPARE(rows.at(0).value(QStringLiteral("站点性质")).toString(), QStringLiteral("直营"));
        QCOMPARE(rows.at(1).value(QStringLiteral("站点名称")).toString(), QStringLiteral("总店"));
        QCOMPARE(rows.at(1).value(QStringLiteral("站点性质")).toString(), QStringLiteral("旗舰"));
        QCOMPARE(rows.at(1).value(QStringLiteral("管理人员")).toString(), QStringLiteral("三号仓"));
    }

    void nothingToChangeOrDelete()
    {
        test::TestSession s;
        Sites sites(s.session());
        QVERIFY(!sites.StartChange(0));
        QVERIFY(!sites.DeleteSite(std::nullopt));
        QCOMPARE(s.prompter().texts(), (QStringList{"当前没有记录可以修改!", "当前没有站点可以供删除!"}));
        QVERIFY(sites.StartChange(1));
    }

    void deleteSite()
    {
        test::TestSession s;
        insertSite(s.db(), QStringLiteral("总店"));
        insertSite(s.db(), QStringLiteral("分店"));
        Sites sites(s.session());
        QVERIFY(sites.DeleteSite(QStringLiteral("总店")));
        QCOMPARE(s.prompter().texts(), QStringList{"删除成功!"});
        QCOMPARE(s.db().column(QStringLiteral("select 站点名称 from 站点")), QStringList{"分店"});
    }

    void failedDeleteIsNoSuccess()
    {
        test::TestSession s;
        insertSite(s.db(), QStringLiteral("总店"));
        s.db().exec(QStringLiteral("drop table 站点"));
        Sites sites(s.session());
        QVERIFY(!sites.DeleteSite(QStringLiteral("总店")));
        QCOMPARE(s.prompter().shown.size(), 1);
        QCOMPARE(s.prompter().shown.first().kind, MessageKind::Error);
        QVERIFY(!s.prompter().texts().contains(QStringLiteral("删除成功!")));
    }

    void warehousesOffered()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("insert into 货位(货位编码,货位名称) values ('02','二号仓')"));
        s.db().exec(QStringLiteral("insert into 货位(货位编码,货位名称) values ('01','一号仓')"));
        QCOMPARE(Sites(s.session()).warehouses().size(), 2);
    }
};

MZT_TEST_MAIN(TestCompanySites)
#include "tst_company_sites.moc"
