#include "testdb.h"

#include "moneywords.h"
#include "report.h"
#include "reportexpression.h"
#include "reporttemplate.h"
#include "templatedocument.h"

#include <QDir>
#include <QFile>
#include <QSqlField>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace mzt;

namespace {

ReportItem textItem(const QString& text, double x, double w, const QString& picture = {})
{
    ReportItem it;
    it.text = text;
    it.x = x;
    it.width = w;
    it.height = 8;
    it.picture = picture;
    return it;
}

// A 100 x 100 mm sheet without margins and six 10 mm bands: the first page holds the title,
// the page header, the column header and six rows above the footer; later pages seven rows.
ReportTemplate pagedTemplate()
{
    ReportTemplate t;
    t.title = QStringLiteral("分页测试");
    t.page.paper = QStringLiteral("Custom");
    t.page.width = 100;
    t.page.height = 100;
    t.page.marginLeft = t.page.marginTop = t.page.marginRight = t.page.marginBottom = 0;
    auto add = [&](BandKind kind, QList<ReportItem> items) {
        ReportBand& b = t.ensureBand(kind);
        b.height = 10;
        b.items = items;
    };
    add(BandKind::PageFooter, {textItem(QStringLiteral("第[页码]页 共[总页数]页"), 0, 50),
                               textItem(QStringLiteral("本页:[SUM(金额)]"), 50, 50, QStringLiteral("0.00"))});
    add(BandKind::ReportTitle, {textItem(QStringLiteral("[报表标题]"), 0, 100)});
    add(BandKind::PageHeader, {textItem(QStringLiteral("单号:[单号]"), 0, 100)});
    add(BandKind::ColumnHeader,
        {textItem(QStringLiteral("品名"), 0, 50), textItem(QStringLiteral("金额"), 50, 50)});
    add(BandKind::Detail, {textItem(QStringLiteral("[品名]"), 0, 50),
                           textItem(QStringLiteral("[金额]"), 50, 50, QStringLiteral("#,##0.00"))});
    add(BandKind::Summary, {textItem(QStringLiteral("合计:[SUM(金额)]"), 0, 50, QStringLiteral("#,##0.00")),
                            textItem(QStringLiteral("[NtoC(SUM(金额))]"), 50, 50)});
    return t;
}

ReportData rowsOfGoods(int n)
{
    ReportData d;
    d.columns = {QStringLiteral("单号"), QStringLiteral("品名"), QStringLiteral("金额")};
    for (int i = 1; i <= n; ++i)
        d.rows.append({QStringLiteral("X20240101"), QStringLiteral("商品%1").arg(i),
                       QStringLiteral("%1.25").arg(i * 100)});
    return d;
}

Decimal amountOf(int i)
{
    return *Decimal::parse(QStringLiteral("%1.25").arg(i * 100));
}

QStringList textsOf(const ReportPage& page, BandKind band)
{
    QStringList out;
    for (const ReportPageItem* it : page.itemsOf(band))
        out.append(it->text);
    return out;
}

Row makeRow(const QList<QPair<QString, QVariant>>& values)
{
    Row r;
    for (const auto& [name, value] : values) {
        QSqlField f(name);
        f.setValue(value);
        r.append(f);
    }
    return r;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestReport final : public QObject
{
    Q_OBJECT

private slots:
    void expressions_data();
    void expressions();
    void windowFunctionsAndVariables();
    void periodAndSite_data();
    void periodAndSite();
    void layoutAcrossPages_data();
    void layoutAcrossPages();
    void summarySumInWords();
    void landscapeAndOtherSheets();
    void goodsFunctions_data();
    void goodsFunctions();
    void goodsFunctionsWithoutDatabase();
    void partyName();
    void companyDataFromDatabase();
    void numbersReadAlikeOnEveryBackend();
    void templateRoundTrip();
    void brokenTemplates_data();
    void brokenTemplates();
    void resolvesWindowsStyleNames();
    void documentEditsUndoAndSave();
};

void TestReport::expressions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected");

    QTest::newRow("literal around a column") << "单价:[单价]元"
                                             << ""
                                             << "单价:2.50元";
    QTest::newRow("decimal sums stay exact") << "[0.1+0.2]"
                                             << ""
                                             << "0.3";
    QTest::newRow("product of columns") << "[数量*单价]"
                                        << ""
                                        << "7.5";
    QTest::newRow("picture on the result") << "[数量*单价*1000]"
                                           << "#,##0.00"
                                           << "7,500.00";
    QTest::newRow("picture leaves text alone") << "[品名]"
                                               << "0.00"
                                               << "苹果";
    QTest::newRow("double column read exactly") << "[金额]"
                                                << "0.00"
                                                << "7.50";
    QTest::newRow("precedence") << "[1+2*3]"
                                << ""
                                << "7";
    QTest::newRow("parentheses") << "[(1+2)*3]"
                                 << ""
                                 << "9";
    QTest::newRow("unary minus") << "[-数量+1]"
                                 << ""
                                 << "-2";
    QTest::newRow("division") << "[10/4]"
                              << ""
                              << "2.5";
    QTest::newRow("division by zero is blank") << "前[数量/0]后"
                                               << ""
                                               << "前后";
    QTest::newRow("texts joined by plus") << "[品名+'汁']"
                                          << ""
                                          << "苹果汁";
    QTest::newRow("ampersand joins numbers as text") << "[数量&单价]"
                                                     << ""
                                                     << "32.50";
    QTest::newRow("numeric comparison") << "[IIF(数量>2,'多','少')]"
                                        << ""
                                        << "多";
    QTest::newRow("text comparison") << "[IIF(品名='苹果','是','否')]"
                                     << ""
                                     << "是";
    QTest::newRow("not equal and or") << "[IIF(数量<>3 or 单价>=2.5,'真','假')]"
                                      << ""
                                      << "真";
    QTest::newRow("ntoc lower case") << "[ntoc(100)]"
                                     << ""
                                     << "壹佰圆整";
    QTest::newRow("ntoc upper case") << "[NTOC(金额)]"
                                     << ""
                                     << "柒圆伍角整";
    QTest::newRow("ntoc as written") << "[NtoC(10.05)]"
                                     << ""
                                     << "壹拾圆零伍分";
    QTest::newRow("format function") << "[FORMAT(1234.5,'#,##0.00')]"
                                     << ""
                                     << "1,234.50";
    QTest::newRow("round function") << "[ROUND(2.345,2)]"
                                    << ""
                                    << "2.35";
    QTest::newRow("abs function") << "[abs(-3)]"
                                  << ""
                                  << "3";
    QTest::newRow("count of rows") << "[COUNT()]"
                                   << ""
                                   << "1";
    QTest::newRow("unknown function is blank") << "a[nosuch(1,2)]b"
                                               << ""
                                               << "ab";
    QTest::newRow("unknown name is blank") << "[无此列]"
                                           << ""
                                           << "";
    QTest::newRow("column in another letter case") << "[qty]"
                                                   << ""
                                                   << "4";
    QTest::newRow("company column by data set name") << "[报表参数.公司名]"
                                                     << ""
                                                     << "铭泽贸易";
    QTest::newRow("plain name prefers the data set") << "[公司名]"
                                                     << ""
                                                     << "客户甲";
    QTest::newRow("company column by plain name") << "[销售电话]"
                                                  << ""
                                                  << "0571-1234";
    QTest::newRow("doubled bracket is literal") << "[[注]"
                                                << ""
                                                << "[注]";
    QTest::newRow("unclosed bracket is literal") << "共[数量"
                                                 << ""
                                                 << "共[数量";
    QTest::newRow("bracket inside a quoted text") << "[IIF(1,'[x]','')]"
                                                  << ""
                                                  << "[x]";
    QTest::newRow("malformed expression is blank") << "<[数量 +]>"
                                                   << ""
                                                   << "<>";
    QTest::newRow("empty expression is blank") << "<[]>"
                                               << ""
                                               << "<>";
    QTest::newRow("quote doubled inside text") << "['it''s']"
                                               << ""
                                               << "it's";
    QTest::newRow("title variable") << "[报表标题]"
                                    << ""
                                    << "测试报表";
    QTest::newRow("line number") << "第[行号]行"
                                 << ""
                                 << "第1行";
    QTest::newRow("aggregate inside an aggregate adds nothing") << "<[SUM(SUM(数量))]>"
                                                                << ""
                                                                << "<0>";
    QTest::newRow("not not") << "[IIF(not not 1,'y','n')]"
                             << ""
                             << "y";
    QTest::newRow("nesting beyond reason is blank")
        << QStringLiteral("<[%11%2]>").arg(QString(500, QLatin1Char('(')), QString(500, QLatin1Char(')')))
        << ""
        << "<>";
    QTest::newRow("long chain of not is blank")
        << QStringLiteral("<[%1 1]>").arg(QStringLiteral("not ").repeated(5000)) << ""
        << "<>";
}

void TestReport::expressions()
{
    QFETCH(QString, text);
    QFETCH(QString, picture);
    QFETCH(QString, expected);

    Report r;
    ReportData d;
    d.columns = {QStringLiteral("品名"), QStringLiteral("数量"),   QStringLiteral("单价"),
                 QStringLiteral("金额"), QStringLiteral("公司名"), QStringLiteral("QTY")};
    d.rows.append({QStringLiteral("苹果"), 3, QStringLiteral("2.50"), 7.5, QStringLiteral("客户甲"), 4});
    r.setDataSet(d);
    r.setCompanyData(makeRow({{QStringLiteral("公司名"), QStringLiteral("铭泽贸易")},
                              {QStringLiteral("销售电话"), QStringLiteral("0571-1234")}}));
    r.setTitle(QStringLiteral("测试报表"));
    QCOMPARE(r.evaluate(text, 0, picture), expected);
}

void TestReport::windowFunctionsAndVariables()
{
    Report r;
    ReportData d;
    d.columns = {QStringLiteral("品名")};
    d.rows.append({QStringLiteral("可乐")});
    r.setDataSet(d);

    r.addFunction(QStringLiteral("getsjm"), [](const QVariantList& a) {
        return QVariant(QStringLiteral("SJ-") + a.value(0).toString());
    });
    r.addFunction(QStringLiteral("echo"), [](const QVariantList& a) { return a.value(0); });
    r.addFunction(QStringLiteral("argc"), [](const QVariantList& a) { return QVariant(int(a.size())); });
    r.addFunction(QStringLiteral("boom"),
                  [](const QVariantList&) -> QVariant { throw std::runtime_error("no"); });
    r.addFunction(QStringLiteral("decimal"),
                  [](const QVariantList&) { return QVariant::fromValue(*Decimal::parse(u"1.5")); });
    r.setVariable(QStringLiteral("归还日期"), QStringLiteral("2024-03-05"));

    QCOMPARE(r.evaluate(QStringLiteral("[getsjm(品名)]")), QStringLiteral("SJ-可乐"));
    QCOMPARE(r.evaluate(QStringLiteral("[GETSJM(品名)]")), QStringLiteral("SJ-可乐"));
    QCOMPARE(r.evaluate(QStringLiteral("[GetSjm(品名)]")), QStringLiteral("SJ-可乐"));
    // Numbers reach a window's function as exact decimal text.
    QCOMPARE(r.evaluate(QStringLiteral("[echo(0.1+0.2)]")), QStringLiteral("0.3"));
    QCOMPARE(r.evaluate(QStringLiteral("[argc(1,'a',品名)]")), QStringLiteral("3"));
    QCOMPARE(r.evaluate(QStringLiteral("[decimal()*2]")), QStringLiteral("3"));
    QCOMPARE(r.evaluate(QStringLiteral("x[boom()]y")), QStringLiteral("xy"));
    QCOMPARE(r.evaluate(QStringLiteral("[归还日期]")), QStringLiteral("2024-03-05"));

    // A window's own getchm answers instead of the customer lookup.
    r.addFunction(QStringLiteral("GETCHM"),
                  [](const QVariantList&) { return QVariant(QStringLiteral("借货人乙")); });
    QCOMPARE(r.evaluate(QStringLiteral("[getchm()]")), QStringLiteral("借货人乙"));
}

void TestReport::periodAndSite_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none chosen") << ""
                                 << "所有销售站点";
    QTest::newRow("all sites") << "所有站点"
                               << "所有销售站点";
    QTest::newRow("one warehouse") << "一号仓库"
                                   << "一号仓库";
}

void TestReport::periodAndSite()
{
    QFETCH(QString, site);
    QFETCH(QString, expected);
    Report r;
    QCOMPARE(r.evaluate(QStringLiteral("[getqsrq()]")), QString());
    r.setPeriod(QDate(2024, 2, 1), QDate(2024, 2, 29));
    r.setSite(site);
    QCOMPARE(r.evaluate(QStringLiteral("[getqsrq()]至[GetZzrq()]")),
             QStringLiteral("2024-02-01至2024-02-29"));
    QCOMPARE(r.evaluate(QStringLiteral("[get_Node()]")), expected);
    QCOMPARE(r.evaluate(QStringLiteral("[GET_NODE()]")), expected);
}

void TestReport::layoutAcrossPages_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QList<int>>("rowsPerPage");
    QTest::addColumn<int>("summaryPage");

    QTest::newRow("no rows") << 0 << QList<int>{0} << 1;
    QTest::newRow("one row") << 1 << QList<int>{1} << 1;
    QTest::newRow("summary just fits") << 5 << QList<int>{5} << 1;
    QTest::newRow("summary moves to a new page") << 6 << QList<int>{6, 0} << 2;
    QTest::newRow("three pages") << 15 << QList<int>{6, 7, 2} << 3;
    QTest::newRow("second page full") << 13 << QList<int>{6, 7, 0} << 3;
}

void TestReport::layoutAcrossPages()
{
    QFETCH(int, rowCount);
    QFETCH(QList<int>, rowsPerPage);
    QFETCH(int, summaryPage);

    Report r;
    r.setTemplate(pagedTemplate());
    r.setTitle(QStringLiteral("商品销售信息报表"));
    r.setDataSet(rowsOfGoods(rowCount));
    const QList<ReportPage> pages = r.layout();
    QCOMPARE(pages.size(), rowsPerPage.size());

    int row = 0;
    Decimal total;
    for (int p = 0; p < pages.size(); ++p) {
        const ReportPage& page = pages.at(p);
        QCOMPARE(page.paperSize, QSizeF(100, 100));
        QCOMPARE(page.rows.size(), rowsPerPage.at(p));
        QCOMPARE(textsOf(page, BandKind::ReportTitle),
                 p == 0 ? QStringList{QStringLiteral("商品销售信息报表")} : QStringList());
        QCOMPARE(textsOf(page, BandKind::PageHeader).size(), 1);
        if (rowCount > 0)
            QCOMPARE(textsOf(page, BandKind::PageHeader).first(), QStringLiteral("单号:X20240101"));
        // The column header stands above the rows of every page that has rows.
        const bool columnsExpected = rowsPerPage.at(p) > 0 || (rowCount == 0 && p == 0);
        QCOMPARE(textsOf(page, BandKind::ColumnHeader).size(), columnsExpected ? 2 : 0);

        QStringList detail;
        QStringList expectedDetail;
        Decimal pageTotal;
        for (int i = 0; i < rowsPerPage.at(p); ++i, ++row) {
            expectedDetail << QStringLiteral("商品%1").arg(row + 1)
                           << amountOf(row + 1).format(QStringLiteral("#,##0.00"));
            pageTotal += amountOf(row + 1);
        }
        total += pageTotal;
        QCOMPARE(textsOf(page, BandKind::Detail), expectedDetail);

        const QStringList footer = textsOf(page, BandKind::PageFooter);
        QCOMPARE(footer.size(), 2);
        QCOMPARE(footer.at(0), QStringLiteral("第%1页 共%2页").arg(p + 1).arg(pages.size()));
        QCOMPARE(footer.at(1), QStringLiteral("本页:") + pageTotal.toFixed(2));
        // The footer sits at the foot of the sheet whatever the page holds.
        QCOMPARE(page.itemsOf(BandKind::PageFooter).first()->rect.top(), 90.0);

        const QStringList summary = textsOf(page, BandKind::Summary);
        if (p + 1 == summaryPage) {
            QCOMPARE(summary.size(), 2);
            QCOMPARE(summary.at(0), QStringLiteral("合计:") + total.format(QStringLiteral("#,##0.00")));
            QCOMPARE(summary.at(1), MoneyToChineseUpper(total));
        } else {
            QVERIFY(summary.isEmpty());
        }
    }
    QCOMPARE(row, rowCount);

    if (rowCount == 15) {
        // Rows of a later page start right under the repeated headers.
        const QList<const ReportPageItem*> second = pages.at(1).itemsOf(BandKind::Detail);
        QCOMPARE(second.first()->rect, QRectF(0, 20, 50, 8));
        QCOMPARE(second.last()->rect.top(), 80.0);
    }
}

void TestReport::summarySumInWords()
{
    ReportTemplate t = pagedTemplate();
    Report r;
    r.setTemplate(t);
    ReportData d;
    d.columns = {QStringLiteral("品名"), QStringLiteral("金额")};
    d.rows = {{QStringLiteral("甲"), 12.5},
              {QStringLiteral("乙"), QStringLiteral("0.1")},
              {QStringLiteral("丙"), 0.2},
              {QStringLiteral("丁"), QVariant()}};
    r.setDataSet(d);
    const QList<ReportPage> pages = r.layout();
    QCOMPARE(pages.size(), 1);
    QCOMPARE(textsOf(pages.first(), BandKind::Summary),
             (QStringList{QStringLiteral("合计:12.80"), QStringLiteral("壹拾贰圆捌角整")}));
}

void TestReport::landscapeAndOtherSheets()
{
    ReportTemplate t;
    t.page.landscape = true; // A4 with 10 mm margins: 277 x 190 mm inside
    ReportBand& detail = t.ensureBand(BandKind::Detail);
    detail.height = 10;
    detail.items = {textItem(QStringLiteral("[品名]"), 0, 50)};
    Report r;
    r.setTemplate(t);
    r.setDataSet(rowsOfGoods(40));

    QList<ReportPage> pages = r.layout();
    QCOMPARE(pages.size(), 3);
    QCOMPARE(pages.first().paperSize, QSizeF(297, 210));
    QCOMPARE(pages.at(0).rows.size(), 19);
    QCOMPARE(pages.at(2).rows.size(), 2);
    QCOMPARE(pages.at(1).items.first().rect.topLeft(), QPointF(10, 10));

    // A taller sheet chosen in page setup takes more rows per page.
    pages = r.layout(QSizeF(210, 297));
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages.at(0).rows.size(), 27);
    QCOMPARE(pages.at(1).rows.size(), 13);
}

void TestReport::goodsFunctions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pack text of big units") << "[get_zh(数量,编码)]"
                                            << "12件6袋";
    QTest::newRow("pack text, any letter case") << "[GET_ZH(300,'G1')]"
                                                << "1件12包";
    QTest::newRow("pack text of unknown goods") << "[get_zh(300,'NOPE')]"
                                                << "";
    QTest::newRow("pack text with a missing argument") << "[get_zh(300)]"
                                                       << "";
    QTest::newRow("unit price") << "[get_dw(10,4,编码)]"
                                << "2.5包";
    QTest::newRow("unit price over zero") << "[get_dw(10,0,编码)]"
                                          << "";
    QTest::newRow("pack price") << "[Get_JJ(0.5,编码)]"
                                << "144元";
    QTest::newRow("barcode by name") << "[gettxm(品名)]"
                                     << "6901234567890";
    QTest::newRow("barcode of unknown goods") << "[GetTxm('无此商品')]"
                                              << "";
}

void TestReport::goodsFunctions()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    test::TestDatabase t;
    Database& db = t.db();
    if (!db.tableExists(QStringLiteral("商品")))
        db.exec(QStringLiteral("create table 商品 (编码 TEXT, 品名 TEXT, 柜组 TEXT, 换算数 TEXT, 小包装 "
                               "NUMERIC(30,6), 备注 TEXT)"));
    db.exec(QStringLiteral("insert into 商品(编码,品名,柜组,换算数,小包装,备注) values(?,?,?,?,?,?)"),
            {QStringLiteral("G1"), QStringLiteral("可乐"), QStringLiteral("1件*12袋*24包"),
             QStringLiteral("件袋包"), QStringLiteral("288"), QStringLiteral("6901234567890")});

    Report r;
    r.setDatabase(&db);
    r.setDataSet(db.query(QStringLiteral("select 编码,品名,小包装*12.5 as 数量 from 商品")));
    QCOMPARE(r.evaluate(text), expected);
}

void TestReport::goodsFunctionsWithoutDatabase()
{
    Report r;
    QCOMPARE(r.evaluate(QStringLiteral("[get_zh(300,'G1')][gettxm('可乐')][get_jj(1,'G1')][getchm()]")),
             QString());
}

void TestReport::partyName()
{
    test::TestDatabase t;
    Database& db = t.db();
    if (!db.tableExists(QStringLiteral("客户")))
        db.exec(QStringLiteral("create table 客户 (编码 TEXT, 公司名 TEXT)"));
    db.exec(QStringLiteral("insert into 客户(编码,公司名) values(?,?)"),
            {QStringLiteral("K1"), QStringLiteral("客户甲")});
    Report r;
    r.setDatabase(&db);
    r.setPartyName(QStringLiteral("客户甲"));
    QCOMPARE(r.evaluate(QStringLiteral("[getchm()]")), QStringLiteral("客户甲"));
    r.setPartyName(QStringLiteral("临时客户"));
    QCOMPARE(r.evaluate(QStringLiteral("[GetChm()]")), QStringLiteral("临时客户"));
}

void TestReport::companyDataFromDatabase()
{
    test::TestDatabase t;
    Database& db = t.db();
    if (!db.tableExists(QStringLiteral("报表参数")))
        db.exec(QStringLiteral("create table 报表参数 (公司名 TEXT, 销售电话 TEXT, 传真 TEXT, 地址 TEXT)"));

    Report r;
    r.setCompanyData(ReadCompanyData(db));
    QCOMPARE(r.evaluate(QStringLiteral("<[报表参数.公司名]>")), QStringLiteral("<>"));

    db.exec(QStringLiteral("insert into 报表参数(公司名,销售电话,传真,地址) values(?,?,?,?)"),
            {QStringLiteral("铭泽贸易有限公司"), QStringLiteral("0571-1"), QStringLiteral("0571-2"),
             QStringLiteral("杭州")});
    r.setCompanyData(ReadCompanyData(db));
    QCOMPARE(r.evaluate(QStringLiteral("[报表参数.公司名] 电话:[销售电话] 传真:[传真] [地址]")),
             QStringLiteral("铭泽贸易有限公司 电话:0571-1 传真:0571-2 杭州"));

    db.exec(QStringLiteral("drop table 报表参数"));
    QVERIFY(ReadCompanyData(db).isEmpty());
}

void TestReport::numbersReadAlikeOnEveryBackend()
{
    test::TestDatabase t;
    Database& db = t.db();
    db.exec(QStringLiteral("create table 报表数字 (编码 TEXT, 数量 NUMERIC(30,6), 金额 NUMERIC(19,4))"));
    db.exec(QStringLiteral("insert into 报表数字(编码,数量,金额) values(?,?,?)"),
            {QStringLiteral("0012"), QStringLiteral("12.5"), QStringLiteral("0.1")});
    db.exec(QStringLiteral("insert into 报表数字(编码,数量,金额) values(?,?,?)"),
            {QStringLiteral("0013"), QStringLiteral("3"), QStringLiteral("0.2")});
    Report r;
    r.setDataSet(db.query(QStringLiteral("select 编码,数量,金额 from 报表数字 order by 编码")));
    // Codes stay text; numbers print in their shortest form and add up exactly.
    QCOMPARE(r.evaluate(QStringLiteral("[编码] [数量] [金额]"), 0), QStringLiteral("0012 12.5 0.1"));
    QCOMPARE(r.evaluate(QStringLiteral("[编码] [数量] [金额]"), 1), QStringLiteral("0013 3 0.2"));
    QCOMPARE(r.evaluate(QStringLiteral("[SUM(金额)] [SUM(数量)*2]")), QStringLiteral("0.3 31"));
}

void TestReport::templateRoundTrip()
{
    ReportTemplate t = pagedTemplate();
    t.title = QStringLiteral("往返 \"测试\"");
    t.page.paper = QStringLiteral("Custom");
    t.page.width = 241;
    t.page.height = 139.7;
    t.page.landscape = true;
    t.page.marginLeft = 5.5;
    ReportItem every;
    every.x = 1.1;
    every.y = 2.3;
    every.width = 33.3;
    every.height = 7.7;
    every.text = QStringLiteral("第一行\r\n第二行 [IIF(a>1,'\"x\"','y')] \\ / \t");
    every.picture = QStringLiteral("#,##0.00");
    every.fontFamily = QStringLiteral("SimSun");
    every.fontSize = 11.5;
    every.bold = true;
    every.italic = true;
    every.hAlign = HAlign::Right;
    every.vAlign = VAlign::Bottom;
    every.wordWrap = true;
    every.frames = FrameSide::Left | FrameSide::Bottom;
    every.lineWidth = 0.35;
    ReportItem line;
    line.kind = ItemKind::Line;
    line.x = 40;
    line.y = 8;
    line.width = -20;
    line.height = -3;
    line.fontSize = 9;
    line.bold = true;
    ReportItem box;
    box.kind = ItemKind::Rect;
    box.width = 80;
    box.height = 9;
    box.lineWidth = 0.5;
    box.frames = FrameSide::Top;
    box.text = QStringLiteral("框");
    t.band(BandKind::Detail)->items << every << line << box;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zcfrf/round.frf"));
    QVERIFY(t.writeFile(path));
    const std::optional<ReportTemplate> back = ReportTemplate::readFile(path);
    QVERIFY(back.has_value());
    QVERIFY(*back == t);
    QCOMPARE(back->toJson(), t.toJson());
    QCOMPARE(back->band(BandKind::Detail)->items.at(2).text, every.text);

    Report r;
    QVERIFY(r.load(dir.path(), QStringLiteral("zcfrf\\round.frf")));
    QVERIFY(r.reportTemplate() == t);
}

void TestReport::brokenTemplates_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("write");
    const QByteArray good = pagedTemplate().toJson();
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("binary of another program") << QByteArray("FRF\x00\x01\x02\x03", 8) << true;
    QTest::newRow("cut short") << good.left(good.size() / 2) << true;
    QTest::newRow("json array") << QByteArray("[1,2]") << true;
    QTest::newRow("not our format") << QByteArray(R"({"format":"other","bands":[]})") << true;
    QTest::newRow("newer version") << QByteArray(R"({"format":"mzt-report","version":9,"bands":[]})") << true;
    QTest::newRow("no bands") << QByteArray(R"({"format":"mzt-report","version":1})") << true;
    QTest::newRow("unknown band")
        << QByteArray(R"({"format":"mzt-report","version":1,"bands":[{"band":"x","height":5}]})") << true;
    QTest::newRow("band twice")
        << QByteArray(R"({"format":"mzt-report","version":1,"bands":[{"band":"detail"},{"band":"detail"}]})")
        << true;
    QTest::newRow("negative height")
        << QByteArray(R"({"format":"mzt-report","version":1,"bands":[{"band":"detail","height":-4}]})")
        << true;
    QTest::newRow("height as text")
        << QByteArray(R"({"format":"mzt-report","version":1,"bands":[{"band":"detail","height":"4"}]})")
        << true;
    QTest::newRow("unknown item")
        << QByteArray(
               R"({"format":"mzt-report","version":1,"bands":[{"band":"detail","items":[{"type":"chart"}]}]})")
        << true;
    QTest::newRow("zero font size")
        << QByteArray(
               R"({"format":"mzt-report","version":1,"bands":[{"band":"detail","items":[{"type":"text","size":0}]}]})")
        << true;
    QTest::newRow("zero paper width")
        << QByteArray(R"({"format":"mzt-report","version":1,"page":{"width":0},"bands":[]})") << true;
}

void TestReport::brokenTemplates()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, write);
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("zcfrf/good.frf")), pagedTemplate().toJson());
    if (write)
        writeBytes(dir.filePath(QStringLiteral("zcfrf/bad.frf")), content);

    Report r;
    r.setDataSet(rowsOfGoods(3));
    QVERIFY(r.load(dir.path(), QStringLiteral("zcfrf\\good.frf")));
    QCOMPARE(r.layout().size(), 1);
    // A broken file replaces the layout with nothing, and nothing is laid out.
    QVERIFY(!r.load(dir.path(), QStringLiteral("zcfrf\\bad.frf")));
    QVERIFY(!r.isLoaded());
    QVERIFY(r.layout().isEmpty());
}

void TestReport::resolvesWindowsStyleNames()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("zcfrf/PrintReport3_New.frf")), pagedTemplate().toJson());
    const QString real = QDir::cleanPath(dir.filePath(QStringLiteral("zcfrf/PrintReport3_New.frf")));
    QCOMPARE(ResolveReportPath(dir.path(), QStringLiteral("zcfrf\\printreport3_new.frf")), real);
    QCOMPARE(ResolveReportPath(dir.path(), QStringLiteral("ZCFRF/PRINTREPORT3_NEW.FRF")), real);
    QCOMPARE(ResolveReportPath(dir.path(), QStringLiteral("zcfrf/PrintReport3_New.frf")), real);
    QCOMPARE(ResolveReportPath(dir.path(), QStringLiteral("zcfrf\\nothing.frf")),
             QDir::cleanPath(dir.filePath(QStringLiteral("zcfrf/nothing.frf"))));
    QCOMPARE(ResolveReportPath(dir.path(), QString()), QString());
    Report r;
    QVERIFY(r.load(dir.path(), QStringLiteral("zcfrf\\printreport3_new.frf")));
    QCOMPARE(r.filePath(), real);
}

void TestReport::documentEditsUndoAndSave()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zcfrf/new.frf"));
    TemplateDocument doc;
    QCOMPARE(doc.open(path), TemplateDocument::OpenResult::Created);
    QVERIFY(doc.reportTemplate().band(BandKind::Detail));
    QVERIFY(!doc.isModified());

    ReportItem it = textItem(QStringLiteral("[品名]"), 3, 20);
    const ItemRef ref = doc.addItem(BandKind::Detail, it);
    QVERIFY(doc.moveItem(ref, 10.04, 0.5));
    QCOMPARE(doc.item(ref)->x, 13.0);
    QCOMPARE(doc.item(ref)->y, 0.5);
    QVERIFY(doc.setItemGeometry(ref, QRectF(-5, 1, 12.26, 6)));
    QCOMPARE(doc.item(ref)->x, 0.0);
    QCOMPARE(doc.item(ref)->width, 12.3);

    // A drag is one step back.
    doc.beginGesture();
    for (int i = 0; i < 5; ++i)
        doc.moveItem(ref, 1, 0);
    doc.endGesture();
    QCOMPARE(doc.item(ref)->x, 5.0);
    doc.undo();
    QCOMPARE(doc.item(ref)->x, 0.0);
    doc.redo();
    QCOMPARE(doc.item(ref)->x, 5.0);

    QVERIFY(doc.setBandHeight(BandKind::Detail, 12.34));
    QCOMPARE(doc.reportTemplate().band(BandKind::Detail)->height, 12.3);
    QVERIFY(doc.isModified());
    QVERIFY(doc.save());
    QVERIFY(!doc.isModified());

    TemplateDocument again;
    QCOMPARE(again.open(path), TemplateDocument::OpenResult::Opened);
    QVERIFY(again.reportTemplate() == doc.reportTemplate());

    writeBytes(dir.filePath(QStringLiteral("zcfrf/broken.frf")), "not a template");
    TemplateDocument broken;
    QCOMPARE(broken.open(dir.filePath(QStringLiteral("zcfrf/broken.frf"))),
             TemplateDocument::OpenResult::Unreadable);
}

MZT_TEST_MAIN(TestReport)
#include "tst_report.moc"
