#include "testdb.h"

#include "database.h"
#include "rights.h"
#include "schema.h"

#include <memory>

using namespace mzt;

namespace {

// Every table of a freshly installed database. Per-warehouse stock tables and the
// movement views are made at run time and are not part of it.
const QStringList& expectedTables()
{
    static const QStringList list =
        QStringLiteral(
            "权限密码,日志,商品,类别,单位,客户,供应商,货位,业务员,会员,会员活动,经手人,站点,报表参数,参数,"
            "销售主,销售子,客户售价,默认资料表,客户订单主,客户订单子,销售退货主,销售退货子,销售应收款表,"
            "销售收款表,其它入库主,其它入库子,其它出库主,其它出库子,盘点主,盘点子,库存调拨主,库存调拨子,"
            "借货人表,归还主,归还子,库存报警表,期初库存表,库存,库存2,进货主,进货子,采购订单主,采购订单子,"
            "退货主,退货子,采购应付款表,采购付款表,银行帐户表,银行账户,存取款表,现金明细表,其它费用收入表,"
            "其它费用支出表,其它收入,其它支出,客户销售汇总表,采购进货汇总表,采购订单报表,采购订单报表1,"
            "销售订单报表,销售订单报表1")
            .split(QLatin1Char(','));
    return list;
}

QStringList split(const char* names)
{
    return QString::fromUtf8(names).split(QLatin1Char(','));
}

// PostgreSQL folds the unquoted ASCII column ID to lower case; compare names without case.
QStringList folded(QStringList names)
{
    for (QString& n : names)
        n = n.toLower();
    return names;
}

// A stored number as the shortest plain decimal text at six decimals, the way the program
// reads it back (SQLite hands out floating point values, PostgreSQL exact numeric text).
QString decimalText(const QVariant& v)
{
    QString s =
        v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'f', 6) : v.toString().trimmed();
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QStringList installedTables(Database& db)
{
    const QString sql =
        test::onPostgres()
            ? QStringLiteral("select table_name from information_schema.tables where table_schema = "
                             "current_schema() and table_type = 'BASE TABLE'")
            : QStringLiteral("select name from sqlite_master where type = 'table' and name not like "
                             "'sqlite%'");
    QStringList names = db.column(sql);
    names.removeAll(QStringLiteral("架构版本"));
    names.sort();
    return names;
}

std::unique_ptr<test::TestDatabase> freshInstall()
{
    auto t = std::make_unique<test::TestDatabase>(false);
    SchemaInstaller::install(t->db());
    return t;
}

} // namespace

class TestSchema final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TestDatabase> m_shared;

private slots:
    void initTestCase() { m_shared = freshInstall(); }
    void cleanupTestCase() { m_shared.reset(); }
    // Every test works on the shared database inside a transaction that is rolled back.
    void init() { m_shared->db().begin(); }
    void cleanup() { m_shared->db().rollback(); }

    void installCreatesExactlyTheTables()
    {
        QStringList expected = expectedTables();
        expected.sort();
        QCOMPARE(installedTables(m_shared->db()), expected);
        QCOMPARE(SchemaInstaller::currentVersion(m_shared->db()), SchemaInstaller::latestVersion());
        QVERIFY(SchemaInstaller::latestVersion() >= 1);
        QVERIFY(!m_shared->db().viewExists(QStringLiteral("input_view")));
    }

    void columnLists_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("stock totals")
            << QStringLiteral("库存") << split("货位,编码,数量,金额,日期,标记,组合库存");
        QTest::newRow("stock copy") << QStringLiteral("库存2")
                                    << split("货位,编码,数量,金额,日期,标记,组合库存");
        QTest::newRow("sales lines")
            << QStringLiteral("销售子")
            << split("序号,单号,编码,品名,单位,售价,数量,金额,大单位,件数量,进率,件售价,"
                     "原售价,出货仓库,备注,成本价,客户编码,有效期,颜色");
        QTest::newRow("customer order lines")
            << QStringLiteral("客户订单子")
            << split("序号,单号,编码,品名,单位,售价,数量,金额,大单位,件数量,进率,件售价,原售价,出货仓库,备注,"
                     "成本价,客户编码,颜色,完成数量,完成金额");
        QTest::newRow("purchase order lines") << QStringLiteral("采购订单子")
                                              << split("序号,单号,编码,条码,品名,单位,进价,入库仓库,数量,"
                                                       "金额,新进,大单位,件数量,进率,件进价,原进价,"
                                                       "完成数量,完成金额,颜色");
        QTest::newRow("receivables")
            << QStringLiteral("销售应收款表")
            << split("订单号,处理单据,客户名称,应收款编码,发生日期,收款日期,应收款,去零头,"
                     "已收款,欠款,录入日期,付清状态,备注,发票号");
        QTest::newRow("warehouses") << QStringLiteral("货位")
                                    << split("货位编码,货位名称,货位性质,管理人员,备注,ID");
        QTest::newRow("pos defaults")
            << QStringLiteral("默认资料表") << split("指针,POS仓库,收款去向,POS打印小票");
        QTest::newRow("order report detail")
            << QStringLiteral("销售订单报表1")
            << split("编码,品名,数量合计,金额合计,完成数量,完成金额,数量合计1,日期");
        QTest::newRow("users and rights")
            << QStringLiteral("权限密码") << split("工号,姓名,密码,级别,登陆站点") + allRightColumns();
    }

    void columnLists()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, columns);
        QCOMPARE(folded(m_shared->db().columns(table)), folded(columns));
    }

    void listsCarryAnIdentity_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("keyColumn");
        QTest::newRow("goods") << QStringLiteral("商品") << QStringLiteral("编码");
        QTest::newRow("customers") << QStringLiteral("客户") << QStringLiteral("编码");
        QTest::newRow("suppliers") << QStringLiteral("供应商") << QStringLiteral("编码");
        QTest::newRow("salespeople") << QStringLiteral("业务员") << QStringLiteral("客服代号");
        QTest::newRow("warehouses") << QStringLiteral("货位") << QStringLiteral("货位名称");
    }

    // The identity numbers rows in insertion order, so "the first" row can be ordered by it.
    void listsCarryAnIdentity()
    {
        QFETCH(QString, table);
        QFETCH(QString, keyColumn);
        Database& db = m_shared->db();
        QVERIFY(folded(db.columns(table)).contains(QStringLiteral("id")));
        const QString insert = QStringLiteral("insert into ") + table + QStringLiteral(" (") + keyColumn +
                               QStringLiteral(") values (?)");
        for (const char* key : {"乙", "甲", "丙"})
            db.exec(insert, {QString::fromUtf8(key)});
        QCOMPARE(db.column(QStringLiteral("select ") + keyColumn + QStringLiteral(" from ") + table +
                           QStringLiteral(" order by ID")),
                 split("乙,甲,丙"));
    }

    void reinstallChangesNothing()
    {
        auto t = freshInstall();
        Database& db = t->db();
        const int version = SchemaInstaller::currentVersion(db);
        WriteOperationLog(db, QStringLiteral("本地计算机"), QStringLiteral("系统管理员"),
                          QStringLiteral("888"), QStringLiteral("重要"), QStringLiteral("登录"));
        db.exec(QStringLiteral("insert into 库存 (货位, 编码, 数量, 金额, 日期, 标记, 组合库存) values (?, "
                               "?, ?, ?, ?, ?, ?)"),
                {QStringLiteral("库存"), QStringLiteral("B0001"), QStringLiteral("5"), QStringLiteral("10"),
                 QStringLiteral("2024-03-05"), QStringLiteral("0"), QStringLiteral("0")});

        QCOMPARE(SchemaInstaller::install(db), version);
        QCOMPARE(SchemaInstaller::currentVersion(db), version);
        QCOMPARE(db.countRows(QStringLiteral("架构版本")), 1);
        QCOMPARE(db.countRows(QStringLiteral("权限密码")), 1);
        QCOMPARE(db.countRows(QStringLiteral("参数")), 1);
        QCOMPARE(db.countRows(QStringLiteral("日志")), 1);
        QCOMPARE(db.countRows(QStringLiteral("库存")), 1);
    }

    void seedRows()
    {
        Database& db = m_shared->db();
        const Rows admin = db.query(QStringLiteral("select 工号, 姓名, 密码, 级别, 登陆站点 from 权限密码"));
        QCOMPARE(admin.size(), 1);
        QCOMPARE(admin[0].value("工号").toString(), QStringLiteral("888"));
        QCOMPARE(admin[0].value("姓名").toString(), QStringLiteral("系统管理员"));
        QCOMPARE(admin[0].value("级别").toString(), QStringLiteral("系统管理员"));
        QCOMPARE(admin[0].value("登陆站点").toString(), QStringLiteral("未设站点"));
        QVERIFY(!admin[0].value("密码").isNull());
        QCOMPARE(admin[0].value("密码").toString(), QString());

        const Rows counters = db.query(QStringLiteral("select * from 参数"));
        QCOMPARE(counters.size(), 1);
        QCOMPARE(counters[0].count(), 19);
        for (int i = 0; i < counters[0].count(); ++i)
            QCOMPARE(decimalText(counters[0].value(i)), QStringLiteral("0"));

        // A missing company row and missing POS defaults are normal states the windows handle.
        QCOMPARE(db.countRows(QStringLiteral("报表参数")), 0);
        QCOMPARE(db.countRows(QStringLiteral("默认资料表")), 0);
        QCOMPARE(db.countRows(QStringLiteral("会员活动")), 0);
    }

    void administratorHoldsEveryRight_data()
    {
        QTest::addColumn<QString>("right");
        for (const QString& r : allRightColumns())
            QTest::newRow(r.toUtf8().constData()) << r;
    }

    void administratorHoldsEveryRight()
    {
        QFETCH(QString, right);
        QVERIFY(HasRight(m_shared->db(), QStringLiteral("888"), right));
    }

    void newUserRowStartsWithoutRights()
    {
        Database& db = m_shared->db();
        db.exec(
            QStringLiteral("insert into 权限密码 (工号, 姓名, 密码, 级别, 登陆站点) values (?, ?, ?, ?, ?)"),
            {QStringLiteral("0000"), QStringLiteral("操作员"), QString(), QStringLiteral("级别"),
             QStringLiteral("未设站点")});
        for (const QString& r : allRightColumns())
            QVERIFY2(!HasRight(db, QStringLiteral("0000"), r), qPrintable(r));
    }

    void uniqueKeysRefuseDuplicates_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QVariantList>("values");
        const auto row = [](const char* name, const char* table, const char* keys, QVariantList values) {
            QTest::newRow(name) << QString::fromUtf8(table) << split(keys) << values;
        };
        row("sales bill number", "销售主", "单号", {QStringLiteral("X20240305101010")});
        row("sales return number", "销售退货主", "单号", {QStringLiteral("XT20240305101010")});
        row("customer order number", "客户订单主", "单号", {QStringLiteral("DD20240305101010")});
        row("goods receipt number", "进货主", "单号", {QStringLiteral("J20240305101010")});
        row("purchase order number", "采购订单主", "单号", {QStringLiteral("G20240305101010")});
        row("purchase return number", "退货主", "单号", {QStringLiteral("CH20240305101010")});
        row("other receipt number", "其它入库主", "单号", {QStringLiteral("OJ20240305101010")});
        row("other issue number", "其它出库主", "单号", {QStringLiteral("QT20240305101010")});
        row("stock-take number", "盘点主", "单号", {QStringLiteral("PD20240305101010")});
        row("transfer bill number", "库存调拨主", "单号", {QStringLiteral("DBd20240305101010")});
        row("lending number", "归还主", "单号", {QStringLiteral("JC20240305101010")});
        row("bank transfer number", "存取款表", "单据", {QStringLiteral("BK20240305101010")});
        row("other income number", "其它费用收入表", "编码", {QStringLiteral("IN20240305101010")});
        row("other expense number", "其它费用支出表", "编码", {QStringLiteral("OU20240305101010")});
        row("job number", "权限密码", "工号", {QStringLiteral("0000")});
        row("stock totals code", "库存", "编码", {QStringLiteral("B0001")});
        row("stock copy code", "库存2", "编码", {QStringLiteral("B0001")});
        row("goods code", "商品", "编码", {QStringLiteral("B0001")});
        row("category code", "类别", "编码", {QStringLiteral("01")});
        row("warehouse name", "货位", "货位名称", {QStringLiteral("一号仓")});
        row("site name", "站点", "站点名称", {QStringLiteral("东门")});
        row("account name", "银行帐户表", "账户名称", {QStringLiteral("现金")});
        row("borrower code", "借货人表", "编码", {QStringLiteral("J01")});
        row("member key", "会员", "快捷码", {QStringLiteral("ZS")});
        row("pos defaults pointer", "默认资料表", "指针", {QStringLiteral("商场POS")});
        row("receivable code with its document", "销售应收款表", "处理单据,应收款编码",
            {QStringLiteral("X20240305101010"), QStringLiteral("YS20240305101010")});
        row("payable code with its document", "采购应付款表", "处理单据,应付款编码",
            {QStringLiteral("J20240305101010"), QStringLiteral("YF20240305101010")});
    }

    void uniqueKeysRefuseDuplicates()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, keys);
        QFETCH(QVariantList, values);
        Database& db = m_shared->db();
        // A refused statement would abort the surrounding transaction on PostgreSQL.
        db.rollback();
        QStringList marks, terms;
        for (const QString& k : keys) {
            marks << QStringLiteral("?");
            terms << k + QStringLiteral(" = ?");
        }
        const QString insert = QStringLiteral("insert into ") + table + QStringLiteral(" (") +
                               keys.join(u',') + QStringLiteral(") values (") + marks.join(u',') +
                               QStringLiteral(")");
        QCOMPARE(db.exec(insert, values), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, db.exec(insert, values));
        QCOMPARE(db.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where ") +
                             terms.join(QStringLiteral(" and ")),
                         values),
                 1);
    }

    void numbersUniqueOnlyToTheSecondStillFit_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QVariantList>("first");
        QTest::addColumn<QVariantList>("second");
        // A transfer writes its two ledger rows with one row number.
        QTest::newRow("ledger rows of one transfer")
            << QStringLiteral("insert into 现金明细表 (自动编码, 编码, 业务类型, 备注) values (?, ?, ?, ?)")
            << QVariantList{QStringLiteral("ZDBM20240305101010"), QStringLiteral("BK20240305101010"),
                            QStringLiteral("银行存取款(转出)"), QStringLiteral("现金")}
            << QVariantList{QStringLiteral("ZDBM20240305101010"), QStringLiteral("BK20240305101010"),
                            QStringLiteral("银行存取款(转入)"), QStringLiteral("工行")};
        // Two bills audited in the same second give their receivables the same code.
        QTest::newRow("receivables of two bills")
            << QStringLiteral("insert into 销售应收款表 (处理单据, 应收款编码) values (?, ?)")
            << QVariantList{QStringLiteral("X20240305101010"), QStringLiteral("YS20240305101011")}
            << QVariantList{QStringLiteral("XT20240305101010"), QStringLiteral("YS20240305101011")};
        QTest::newRow("payables of two bills")
            << QStringLiteral("insert into 采购应付款表 (处理单据, 应付款编码) values (?, ?)")
            << QVariantList{QStringLiteral("J20240305101010"), QStringLiteral("YF20240305101011")}
            << QVariantList{QStringLiteral("CH20240305101010"), QStringLiteral("YF20240305101011")};
        // Customers and suppliers are identified by code and name together.
        QTest::newRow("customers sharing a code")
            << QStringLiteral("insert into 客户 (编码, 公司名) values (?, ?)")
            << QVariantList{QStringLiteral("ZS"), QStringLiteral("张三商行")}
            << QVariantList{QStringLiteral("ZS"), QStringLiteral("中山超市")};
    }

    void numbersUniqueOnlyToTheSecondStillFit()
    {
        QFETCH(QString, insert);
        QFETCH(QVariantList, first);
        QFETCH(QVariantList, second);
        Database& db = m_shared->db();
        QCOMPARE(db.exec(insert, first), 1);
        QCOMPARE(db.exec(insert, second), 1);
    }

    void flagsCompareAsNumberAndAsText_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("keyColumn");
        QTest::addColumn<QString>("flag");
        QTest::newRow("bill audit flag")
            << QStringLiteral("销售主") << QStringLiteral("单号") << QStringLiteral("审核标志");
        QTest::newRow("receipt audit flag")
            << QStringLiteral("采购付款表") << QStringLiteral("付款单编码") << QStringLiteral("审核标志");
        QTest::newRow("transfer state")
            << QStringLiteral("存取款表") << QStringLiteral("单据") << QStringLiteral("审核状态");
        QTest::newRow("ledger state")
            << QStringLiteral("现金明细表") << QStringLiteral("自动编码") << QStringLiteral("审核状态");
        QTest::newRow("stock mark") << QStringLiteral("库存") << QStringLiteral("编码")
                                    << QStringLiteral("标记");
        QTest::newRow("right column")
            << QStringLiteral("权限密码") << QStringLiteral("工号") << QStringLiteral("审核单据");
    }

    // Bills write flags both as '1' and as 1 and test them with either form.
    void flagsCompareAsNumberAndAsText()
    {
        QFETCH(QString, table);
        QFETCH(QString, keyColumn);
        QFETCH(QString, flag);
        Database& db = m_shared->db();
        db.exec(QStringLiteral("delete from ") + table);
        db.exec(QStringLiteral("insert into ") + table + QStringLiteral(" (") + keyColumn +
                    QStringLiteral(") values (?)"),
                {QStringLiteral("K1")});
        db.exec(QStringLiteral("insert into ") + table + QStringLiteral(" (") + keyColumn +
                    QStringLiteral(") values (?)"),
                {QStringLiteral("K2")});
        QCOMPARE(db.column(QStringLiteral("select ") + keyColumn + QStringLiteral(" from ") + table +
                           QStringLiteral(" where ") + flag + QStringLiteral("=0 order by ") + keyColumn),
                 QStringList({QStringLiteral("K1"), QStringLiteral("K2")}));

        db.exec(QStringLiteral("update ") + table + QStringLiteral(" set ") + flag +
                QStringLiteral("='1' where ") + keyColumn + QStringLiteral("='K1'"));
        db.exec(QStringLiteral("update ") + table + QStringLiteral(" set ") + flag +
                    QStringLiteral("=? where ") + keyColumn + QStringLiteral("=?"),
                {QStringLiteral("1"), QStringLiteral("K2")});
        for (const QString& cond : {QStringLiteral("=1"), QStringLiteral("='1'"), QStringLiteral("<>0")}) {
            QCOMPARE(db.column(QStringLiteral("select ") + keyColumn + QStringLiteral(" from ") + table +
                               QStringLiteral(" where ") + flag + cond + QStringLiteral(" order by ") +
                               keyColumn),
                     QStringList({QStringLiteral("K1"), QStringLiteral("K2")}));
        }
        QCOMPARE(db.column(QStringLiteral("select ") + keyColumn + QStringLiteral(" from ") + table +
                               QStringLiteral(" where ") + flag + QStringLiteral("=? order by ") + keyColumn,
                           {QStringLiteral("1")}),
                 QStringList({QStringLiteral("K1"), QStringLiteral("K2")}));
    }

    void lineNumbersSortNumerically()
    {
        Database& db = m_shared->db();
        for (const char* n : {"10", "2", "1", "11"})
            db.exec(QStringLiteral("insert into 销售子 (序号, 单号, 编码) values (?, 'X1', ?)"),
                    {QString::fromLatin1(n), QString(QStringLiteral("B") + QString::fromLatin1(n))});
        db.exec(QStringLiteral("insert into 销售子 (序号, 单号, 编码) values ('3', 'X1', 'B3')"));
        QCOMPARE(db.column(QStringLiteral("select 编码 from 销售子 where 单号='X1' order by 序号")),
                 split("B1,B2,B3,B10,B11"));
    }

    void numbersRoundTripExactly_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quantity, six decimals") << QStringLiteral("数量") << QStringLiteral("12345678.123456")
                                                << QStringLiteral("12345678.123456");
        QTest::newRow("smallest quantity")
            << QStringLiteral("数量") << QStringLiteral("-0.000001") << QStringLiteral("-0.000001");
        QTest::newRow("whole quantity")
            << QStringLiteral("数量") << QStringLiteral("288") << QStringLiteral("288");
        QTest::newRow("unit price") << QStringLiteral("件售价") << QStringLiteral("0.333333")
                                    << QStringLiteral("0.333333");
        QTest::newRow("cost price") << QStringLiteral("成本价") << QStringLiteral("3.141593")
                                    << QStringLiteral("3.141593");
        QTest::newRow("amount, four decimals") << QStringLiteral("金额") << QStringLiteral("12345678901.1234")
                                               << QStringLiteral("12345678901.1234");
        QTest::newRow("negative amount")
            << QStringLiteral("金额") << QStringLiteral("-72.5") << QStringLiteral("-72.5");
    }

    void numbersRoundTripExactly()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        Database& db = m_shared->db();
        db.exec(QStringLiteral("insert into 销售子 (序号, 单号, ") + column +
                    QStringLiteral(") values (1, 'X1', ?)"),
                {text});
        const auto bound = db.scalar(QStringLiteral("select ") + column + QStringLiteral(" from 销售子"));
        QVERIFY(bound);
        QCOMPARE(decimalText(*bound), expected);

        // The same value written into the statement text, as the literal forms of older code do.
        db.exec(QStringLiteral("delete from 销售子"));
        db.exec(QStringLiteral("insert into 销售子 (序号, 单号, ") + column +
                QStringLiteral(") values (1, 'X1', ") + text + QStringLiteral(")"));
        QCOMPARE(decimalText(*db.scalar(QStringLiteral("select ") + column + QStringLiteral(" from 销售子"))),
                 expected);
    }

    void sumsStayExact_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("sum");
        QTest::newRow("tenths") << QStringLiteral("金额") << split("0.1,0.2") << QStringLiteral("0.3");
        QTest::newRow("cents") << QStringLiteral("金额") << split("0.01,0.02,0.07,19.9")
                               << QStringLiteral("20");
        QTest::newRow("millionths") << QStringLiteral("数量") << split("0.000001,0.000002,-0.000004")
                                    << QStringLiteral("-0.000001");
        QTest::newRow("credit and debt")
            << QStringLiteral("金额") << split("500,-72,-428") << QStringLiteral("0");
    }

    void sumsStayExact()
    {
        QFETCH(QString, column);
        QFETCH(QStringList, values);
        QFETCH(QString, sum);
        Database& db = m_shared->db();
        Statement st(db, QStringLiteral("insert into 销售子 (序号, 单号, ") + column +
                             QStringLiteral(") values (?, 'X1', ?)"));
        int n = 0;
        for (const QString& v : values)
            st.exec({++n, v});
        QCOMPARE(decimalText(*db.scalar(QStringLiteral("select sum(") + column +
                                        QStringLiteral(") from 销售子 where 单号='X1'"))),
                 sum);
    }

    // Goods creation writes the stock row with today's date as text; postings are relative.
    void stockRowsTakeDateTextAndRelativePostings()
    {
        Database& db = m_shared->db();
        for (const char* table : {"库存", "库存2"}) {
            const QString name = QString::fromUtf8(table);
            db.exec(QStringLiteral("insert into ") + name +
                        QStringLiteral("(货位,编码,数量,金额,日期,标记,组合库存)values(?,?,0,0,?,'0','0')"),
                    {name, QStringLiteral("B0101"), QStringLiteral("2024-03-05")});
            db.exec(QStringLiteral("update ") + name +
                        QStringLiteral(" set 数量=数量+?, 金额=金额+? where 编码=?"),
                    {QStringLiteral("2.5"), QStringLiteral("7.25"), QStringLiteral("B0101")});
            db.exec(QStringLiteral("update ") + name +
                        QStringLiteral(" set 数量=数量-?, 金额=金额-? where 编码=?"),
                    {QStringLiteral("0.5"), QStringLiteral("1.45"), QStringLiteral("B0101")});
            const Rows rows = db.query(QStringLiteral("select 数量, 金额, 日期, 标记 from ") + name +
                                       QStringLiteral(" where 编码='B0101'"));
            QCOMPARE(rows.size(), 1);
            QCOMPARE(decimalText(rows[0].value("数量")), QStringLiteral("2"));
            QCOMPARE(decimalText(rows[0].value("金额")), QStringLiteral("5.8"));
            QVERIFY(rows[0].value("日期").toString().startsWith(QStringLiteral("2024-03-05")));
            QCOMPARE(rows[0].value("标记").toInt(), 0);
        }
    }
};

MZT_TEST_MAIN(TestSchema)
#include "tst_schema.moc"
