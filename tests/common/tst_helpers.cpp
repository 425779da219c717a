#include "testdb.h"

#include "decimal.h"
#include "moneywords.h"
#include "numbers.h"
#include "packs.h"
#include "quickcode.h"

#include <memory>

using namespace mzt;

namespace {

Decimal dec(const QString& text)
{
    const auto d = Decimal::parse(text);
    if (!d)
        qFatal("bad decimal literal in test: %s", qPrintable(text));
    return *d;
}

} // namespace

class TestHelpers final : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_goods;

private slots:
    void initTestCase()
    {
        m_goods = std::make_unique<test::TestDatabase>();
        Database& db = m_goods->db();
        if (!db.tableExists(QStringLiteral("商品")))
            db.exec(QStringLiteral(
                "create table 商品 (编码 TEXT, 柜组 TEXT, 换算数 TEXT, 小包装 NUMERIC(30,6))"));
        const QString insert = QStringLiteral("insert into 商品(编码,柜组,换算数,小包装) values (?,?,?,?)");
        db.exec(insert, {QStringLiteral("B0100001"), QStringLiteral("1件*12袋*24包"),
                         QStringLiteral("件袋包"), QStringLiteral("288")});
        db.exec(insert, {QStringLiteral("B0100002"), QStringLiteral("1件*24包"), QStringLiteral("件包"),
                         QStringLiteral("24")});
        db.exec(insert, {QStringLiteral("B0100003"), QStringLiteral("1件"), QStringLiteral("件"),
                         QStringLiteral("1")});
        db.exec(insert, {QStringLiteral("B0100004"), QVariant(), QVariant(), QVariant()});
        // A code with a quote in it must be looked up as a value, not as SQL text.
        db.exec(insert, {QStringLiteral("B01'5"), QStringLiteral("1箱*10瓶"), QStringLiteral("箱瓶"),
                         QStringLiteral("10")});
    }
    void cleanupTestCase() { m_goods.reset(); }

    void moneyToChineseUpper_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("yuan jiao fen") << "1234.56"
                                       << "壹仟贰佰叁拾肆圆伍角陆分";
        QTest::newRow("hundred") << "100"
                                 << "壹佰圆整";
        QTest::newRow("zero jiao before fen") << "10.05"
                                              << "壹拾圆零伍分";
        QTest::newRow("jiao only") << "0.5"
                                   << "伍角整";
        QTest::newRow("hundred million") << "100000000"
                                         << "壹亿圆整";
        QTest::newRow("zero") << "0"
                              << "零";
        QTest::newRow("fen only") << "0.05"
                                  << "伍分";
        QTest::newRow("one") << "1"
                             << "壹圆整";
        QTest::newRow("zero between thousand and ten") << "1010"
                                                       << "壹仟零壹拾圆整";
        QTest::newRow("zero between yi and wan") << "100010000"
                                                 << "壹亿零壹万圆整";
        QTest::newRow("jiao and fen") << "0.55"
                                      << "伍角伍分";
        QTest::newRow("yuan and fen") << "1.05"
                                      << "壹圆零伍分";
        QTest::newRow("yuan and jiao") << "10.5"
                                       << "壹拾圆伍角整";
        QTest::newRow("zeros before units") << "1001"
                                            << "壹仟零壹圆整";
        QTest::newRow("ten thousand") << "10000"
                                      << "壹万圆整";
        QTest::newRow("hundred thousand") << "100000"
                                          << "壹拾万圆整";
        QTest::newRow("zero after wan") << "10100"
                                        << "壹万零壹佰圆整";
        QTest::newRow("zero in the wan group") << "1010000"
                                               << "壹佰零壹万圆整";
        QTest::newRow("zeros on both sides of wan") << "1000100"
                                                    << "壹佰万零壹佰圆整";
        QTest::newRow("zero wan digit before thousand") << "101000"
                                                        << "壹拾万壹仟圆整";
        QTest::newRow("yi and a unit digit") << "100000001"
                                             << "壹亿零壹圆整";
        QTest::newRow("yi and thousand wan") << "110000000"
                                             << "壹亿壹仟万圆整";
        QTest::newRow("empty wan group after yi") << "100001000"
                                                  << "壹亿壹仟圆整";
        QTest::newRow("ten yi") << "1000000000"
                                << "壹拾亿圆整";
        QTest::newRow("wan yi") << "1000000000000"
                                << "壹万亿圆整";
        QTest::newRow("largest amount") << "9223372036854.775807"
                                        << "玖万贰仟贰佰叁拾叁亿柒仟贰佰零叁万陆仟捌佰伍拾肆圆柒角捌分";
        QTest::newRow("rounded to fen") << "12.345"
                                        << "壹拾贰圆叁角伍分";
        QTest::newRow("rounds up to one yuan") << "0.996"
                                               << "壹圆整";
        QTest::newRow("below half a fen") << "0.004"
                                          << "零";
        QTest::newRow("negative") << "-12.3"
                                  << "负壹拾贰圆叁角整";
        QTest::newRow("negative below half a fen") << "-0.001"
                                                   << "零";
    }
    void moneyToChineseUpper()
    {
        QFETCH(QString, amount);
        QFETCH(QString, text);
        QCOMPARE(MoneyToChineseUpper(dec(amount)), text);
    }

    void splitIntoPacks_data()
    {
        QTest::addColumn<QString>("q");
        QTest::addColumn<QString>("packing");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("text");
        const QString packing3 = QStringLiteral("1件*12袋*24包");
        const QString names3 = QStringLiteral("件袋包");
        const QString packing2 = QStringLiteral("1件*12袋");
        const QString names2 = QStringLiteral("件袋");
        QTest::newRow("three units, big and small") << "300" << packing3 << names3 << "1件12包";
        QTest::newRow("three units, big and middle") << "3600" << packing3 << names3 << "12件6袋";
        QTest::newRow("three units, all parts") << "3601" << packing3 << names3 << "12件6袋1包";
        QTest::newRow("three units, exactly one big") << "288" << packing3 << names3 << "1件";
        QTest::newRow("three units, small only") << "23" << packing3 << names3 << "23包";
        QTest::newRow("three units, not whole") << "2.5" << packing3 << names3 << "";
        QTest::newRow("three units, negative") << "-300" << packing3 << names3 << "-1件-12包";
        QTest::newRow("three units, negative middle") << "-313" << packing3 << names3 << "-1件-1袋-1包";
        QTest::newRow("three units, zero") << "0" << packing3 << names3 << "";
        QTest::newRow("three units, trailing number ignored") << "300"
                                                              << "1件*12袋*24包5" << names3 << "1件12包";
        QTest::newRow("three units, last ratio at the end") << "300"
                                                            << "1件*12袋*24" << names3 << "";
        QTest::newRow("three units, zero ratio") << "300"
                                                 << "1件*0袋*24包" << names3 << "";
        QTest::newRow("three units, huge ratios") << "300"
                                                  << "1件*9999999999袋*9999999999包" << names3 << "300包";
        QTest::newRow("two units, both parts") << "30" << packing2 << names2 << "2件6袋";
        QTest::newRow("two units, big only") << "12" << packing2 << names2 << "1件";
        QTest::newRow("two units, small only") << "5" << packing2 << names2 << "5袋";
        QTest::newRow("two units, not whole") << "30.5" << packing2 << names2 << "30.5袋";
        QTest::newRow("two units, negative") << "-30" << packing2 << names2 << "-2件-6袋";
        QTest::newRow("two units, zero") << "0" << packing2 << names2 << "";
        QTest::newRow("two units, zero ratio") << "30"
                                               << "1件*0袋" << names2 << "";
        QTest::newRow("two units, ratio at the end") << "30"
                                                     << "1件*12" << names2 << "";
        QTest::newRow("two units from a three-unit packing") << "300" << packing3 << names2 << "25件";
        QTest::newRow("one unit") << "3"
                                  << "1件"
                                  << "件"
                                  << "3.000000件";
        QTest::newRow("one unit, fraction") << "2.5"
                                            << "1件"
                                            << "件"
                                            << "2.500000件";
        QTest::newRow("one unit, negative") << "-2"
                                            << "1件"
                                            << "件"
                                            << "-2.000000件";
        QTest::newRow("one unit, zero") << "0"
                                        << "1件"
                                        << "件"
                                        << "";
        QTest::newRow("one unit, no number") << "3"
                                             << "件"
                                             << "件"
                                             << "";
        QTest::newRow("one unit, product beyond range") << "3000000"
                                                        << "9999999999件"
                                                        << "件"
                                                        << "";
        QTest::newRow("no names") << "300" << packing3 << ""
                                  << "";
        QTest::newRow("four names") << "300" << packing3 << "件袋包个"
                                    << "";
        QTest::newRow("empty packing") << "300"
                                       << "" << names3 << "";
    }
    void splitIntoPacks()
    {
        QFETCH(QString, q);
        QFETCH(QString, packing);
        QFETCH(QString, names);
        QFETCH(QString, text);
        QCOMPARE(SplitIntoPacks(dec(q), packing, names), text);
    }

    void makeQuickCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("word") << "可比克"
                              << "KBK";
        QTest::newRow("x words") << "学雪寻迅"
                                 << "XXXX";
        QTest::newRow("a first") << "啊"
                                 << "A";
        QTest::newRow("a last") << "澳"
                                << "A";
        QTest::newRow("b first") << "芭"
                                 << "B";
        QTest::newRow("b last") << "怖"
                                << "B";
        QTest::newRow("c first") << "擦"
                                 << "C";
        QTest::newRow("c last") << "错"
                                << "C";
        QTest::newRow("d first") << "搭"
                                 << "D";
        QTest::newRow("h last") << "祸"
                                << "H";
        QTest::newRow("j first") << "击"
                                 << "J";
        QTest::newRow("l last") << "络"
                                << "L";
        QTest::newRow("m first") << "妈"
                                 << "M";
        QTest::newRow("n first") << "拿"
                                 << "N";
        QTest::newRow("o range") << "哦沤"
                                 << "OO";
        QTest::newRow("w last") << "误"
                                << "W";
        QTest::newRow("x first") << "昔"
                                 << "X";
        QTest::newRow("y first") << "压"
                                 << "Y";
        QTest::newRow("y last") << "孕"
                                << "Y";
        QTest::newRow("z first") << "匝"
                                 << "Z";
        QTest::newRow("z last") << "座"
                                << "Z";
        QTest::newRow("level-2 hanzi") << "亍"
                                       << "M";
        QTest::newRow("traditional form") << "學"
                                          << "M";
        QTest::newRow("full-width letter") << "Ａ"
                                           << "M";
        QTest::newRow("chinese punctuation") << "，"
                                             << "M";
        QTest::newRow("outside gbk") << "😀"
                                     << "M";
        QTest::newRow("ascii kept") << "  ab可比克12  "
                                    << "abKBK12";
        QTest::newRow("ascii inside") << "A4纸 70g"
                                      << "A4Z 70g";
        QTest::newRow("sentence") << "张三李四"
                                  << "ZSLS";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blank") << "   "
                               << "";
    }
    void makeQuickCode()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QCOMPARE(MakeQuickCode(text), code);
    }

    void isValidNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "   " << false;
        QTest::newRow("blanks around") << " 12 " << true;
        QTest::newRow("fraction") << "-3.5" << true;
        QTest::newRow("upper limit") << "1e18" << true;
        QTest::newRow("above upper limit") << "1.1e18" << false;
        QTest::newRow("lower limit") << "-1e18" << true;
        QTest::newRow("below lower limit") << "-1.1e18" << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("trailing letters") << "12abc" << false;
        QTest::newRow("thousands separator") << "1,000" << false;
        QTest::newRow("infinity") << "inf" << false;
        QTest::newRow("nan") << "nan" << false;
        QTest::newRow("overflowing exponent") << "1e400" << false;
    }
    void isValidNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidNumber(text), valid);
    }

    void makeBillNumber_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("number");
        QTest::newRow("sales bill") << "X" << QDateTime(QDate(2011, 3, 5), QTime(14, 7, 9))
                                    << "X20110305140709";
        QTest::newRow("single-digit month")
            << "X" << QDateTime(QDate(2011, 1, 12), QTime(9, 5, 3)) << "X20110112090503";
        QTest::newRow("single-digit day")
            << "X" << QDateTime(QDate(2011, 11, 2), QTime(9, 5, 3)) << "X20111102090503";
        QTest::newRow("midnight") << "POS" << QDateTime(QDate(2011, 1, 1), QTime(0, 0, 0))
                                  << "POS20110101000000";
        QTest::newRow("afternoon is 24-hour")
            << "DBd" << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)) << "DBd20241231235959";
    }
    void makeBillNumber()
    {
        QFETCH(QString, prefix);
        QFETCH(QDateTime, now);
        QFETCH(QString, number);
        QCOMPARE(MakeBillNumber(prefix, now), number);
    }

    void makeBillNumberNow()
    {
        const QString n = MakeBillNumber(QStringLiteral("SK"));
        QCOMPARE(n.size(), 2 + 14);
        QVERIFY(n.startsWith(QStringLiteral("SK")));
    }

    void goodsTexts_data()
    {
        QTest::addColumn<QString>("helper");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("text");
        QTest::newRow("pack, three units") << "pack"
                                           << "B0100001"
                                           << "3601"
                                           << ""
                                           << "12件6袋1包";
        QTest::newRow("pack, two units not whole") << "pack"
                                                   << "B0100002"
                                                   << "30.5"
                                                   << ""
                                                   << "30.5包";
        QTest::newRow("pack, one unit") << "pack"
                                        << "B0100003"
                                        << "3"
                                        << ""
                                        << "3.000000件";
        QTest::newRow("pack, empty goods fields") << "pack"
                                                  << "B0100004"
                                                  << "3"
                                                  << ""
                                                  << "";
        QTest::newRow("pack, missing goods") << "pack"
                                             << "B9999999"
                                             << "3"
                                             << ""
                                             << "";
        QTest::newRow("pack, quote in code") << "pack"
                                             << "B01'5"
                                             << "25"
                                             << ""
                                             << "2箱5瓶";
        QTest::newRow("unit price") << "unitPrice"
                                    << "B0100001"
                                    << "10"
                                    << "4"
                                    << "2.5包";
        QTest::newRow("unit price rounded") << "unitPrice"
                                            << "B0100002"
                                            << "2"
                                            << "3"
                                            << "0.666667包";
        QTest::newRow("unit price, one unit") << "unitPrice"
                                              << "B0100003"
                                              << "6"
                                              << "2"
                                              << "3件";
        QTest::newRow("unit price, no names") << "unitPrice"
                                              << "B0100004"
                                              << "6"
                                              << "2"
                                              << "3";
        QTest::newRow("unit price, divide by zero") << "unitPrice"
                                                    << "B0100001"
                                                    << "6"
                                                    << "0"
                                                    << "";
        QTest::newRow("unit price, missing goods") << "unitPrice"
                                                   << "B9999999"
                                                   << "6"
                                                   << "2"
                                                   << "";
        QTest::newRow("pack price") << "packPrice"
                                    << "B0100001"
                                    << "0.1234"
                                    << ""
                                    << "35.539元";
        QTest::newRow("pack price whole") << "packPrice"
                                          << "B0100002"
                                          << "2.5"
                                          << ""
                                          << "60元";
        QTest::newRow("pack price rounds half away") << "packPrice"
                                                     << "B0100003"
                                                     << "1.0005"
                                                     << ""
                                                     << "1.001元";
        QTest::newRow("pack price, no pack size") << "packPrice"
                                                  << "B0100004"
                                                  << "2.5"
                                                  << ""
                                                  << "0元";
        QTest::newRow("pack price, missing goods") << "packPrice"
                                                   << "B9999999"
                                                   << "2.5"
                                                   << ""
                                                   << "";
    }
    void goodsTexts()
    {
        QFETCH(QString, helper);
        QFETCH(QString, code);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, text);
        Database& db = m_goods->db();
        QString result;
        if (helper == QLatin1String("pack"))
            result = GoodsPackText(db, dec(a), code);
        else if (helper == QLatin1String("unitPrice"))
            result = GoodsUnitPriceText(db, dec(a), dec(b), code);
        else
            result = GoodsPackPriceText(db, dec(a), code);
        QCOMPARE(result, text);
    }

    // A missing goods table or a broken connection gives empty texts, never an exception.
    void goodsTextsWithoutTable()
    {
        test::TestDatabase t(false);
        QCOMPARE(GoodsPackText(t.db(), Decimal(3), QStringLiteral("B0100001")), QString());
        QCOMPARE(GoodsUnitPriceText(t.db(), Decimal(3), Decimal(1), QStringLiteral("B0100001")), QString());
        QCOMPARE(GoodsPackPriceText(t.db(), Decimal(3), QStringLiteral("B0100001")), QString());
    }
};

MZT_TEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
