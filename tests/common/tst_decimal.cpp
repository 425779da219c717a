#include "testdb.h"

#include "decimal.h"

#include <QHash>
#include <QSet>

#include <limits>
#include <unordered_set>

using namespace mzt;

namespace {

constexpr qint64 Max = std::numeric_limits<qint64>::max();

Decimal dec(const char* text)
{
    const auto d = Decimal::parse(QString::fromLatin1(text));
    if (!d)
        qFatal("bad decimal literal in test: %s", text);
    return *d;
}

} // namespace

class TestDecimal final : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("millionths");

        QTest::newRow("plain") << "12.5" << true << 12'500'000LL;
        QTest::newRow("whole") << "3" << true << 3'000'000LL;
        QTest::newRow("blanks and sign") << "  -3 " << true << -3'000'000LL;
        QTest::newRow("tab and newline") << "\t7\n" << true << 7'000'000LL;
        QTest::newRow("plus sign") << "+0.25" << true << 250'000LL;
        QTest::newRow("no integer digits") << ".5" << true << 500'000LL;
        QTest::newRow("no fraction digits") << "5." << true << 5'000'000LL;
        QTest::newRow("leading and trailing zeros") << "000123.4500" << true << 123'450'000LL;
        QTest::newRow("negative zero") << "-0.000" << true << 0LL;
        QTest::newRow("one millionth") << "0.000001" << true << 1LL;
        QTest::newRow("half millionth rounds up") << "0.0000005" << true << 1LL;
        QTest::newRow("negative half rounds away") << "-0.0000005" << true << -1LL;
        QTest::newRow("below half rounds down") << "0.00000049999" << true << 0LL;
        QTest::newRow("seventh digit 5") << "1.2345675" << true << 1'234'568LL;
        QTest::newRow("negative seventh digit 5") << "-1.2345665" << true << -1'234'567LL;
        QTest::newRow("seventh digit 4 then 9s") << "1.23456749999999" << true << 1'234'567LL;
        QTest::newRow("carry through") << "0.9999995" << true << 1'000'000LL;
        QTest::newRow("tiny") << "0.00000000000000000001" << true << 0LL;
        QTest::newRow("many digits") << "1234567890.12345678901234567890" << true << 1'234'567'890'123'457LL;
        QTest::newRow("exponent") << "1e3" << true << 1'000'000'000LL;
        QTest::newRow("negative exponent") << "1.5E-3" << true << 1'500LL;
        QTest::newRow("exponent rounding") << "5e-7" << true << 1LL;
        QTest::newRow("maximum") << "9223372036854.775807" << true << Max;
        QTest::newRow("minimum") << "-9223372036854.775807" << true << -Max;
        QTest::newRow("maximum rounded down") << "9223372036854.7758074" << true << Max;
        QTest::newRow("beyond maximum") << "9223372036854.775808" << false << 0LL;
        QTest::newRow("beyond minimum") << "-9223372036854.775808" << false << 0LL;
        QTest::newRow("rounds beyond maximum") << "9223372036854.7758075" << false << 0LL;
        QTest::newRow("20 digits") << "12345678901234567890" << false << 0LL;
        QTest::newRow("huge exponent") << "1e400" << false << 0LL;
        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("blank") << "   " << false << 0LL;
        QTest::newRow("letters") << "abc" << false << 0LL;
        QTest::newRow("thousands separator") << "1,234" << false << 0LL;
        QTest::newRow("two points") << "1.2.3" << false << 0LL;
        QTest::newRow("sign only") << "-" << false << 0LL;
        QTest::newRow("point only") << "." << false << 0LL;
        QTest::newRow("exponent without digits") << "1e" << false << 0LL;
        QTest::newRow("double sign") << "--1" << false << 0LL;
        QTest::newRow("inner blank") << "1 2" << false << 0LL;
        QTest::newRow("sign apart") << "- 1" << false << 0LL;
        QTest::newRow("hex") << "0x10" << false << 0LL;
        QTest::newRow("infinity") << "inf" << false << 0LL;
        QTest::newRow("nan") << "nan" << false << 0LL;
        QTest::newRow("unit after number") << "12元" << false << 0LL;
        QTest::newRow("full-width digits") << "１２" << false << 0LL;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, millionths);
        const auto d = Decimal::parse(text);
        QCOMPARE(d.has_value(), valid);
        if (valid)
            QCOMPARE(d->millionths(), millionths);
        QCOMPARE(Decimal::fromText(text, Decimal(-99)),
                 valid ? Decimal::fromMillionths(millionths) : Decimal(-99));
    }

    void toString_data()
    {
        QTest::addColumn<qint64>("millionths");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0LL << "0";
        QTest::newRow("whole") << 3'000'000LL << "3";
        QTest::newRow("one decimal") << 12'500'000LL << "12.5";
        QTest::newRow("negative") << -12'340'000LL << "-12.34";
        QTest::newRow("negative millionth") << -1LL << "-0.000001";
        QTest::newRow("inner zeros kept") << 1'000'100LL << "1.0001";
        QTest::newRow("maximum") << Max << "9223372036854.775807";
        QTest::newRow("minimum") << -Max << "-9223372036854.775807";
    }
    void toString()
    {
        QFETCH(qint64, millionths);
        QFETCH(QString, text);
        const Decimal d = Decimal::fromMillionths(millionths);
        QCOMPARE(d.toString(), text);
        QCOMPARE(d.toVariant(), QVariant(text));
        QCOMPARE(Decimal::parse(text), std::optional<Decimal>(d));
    }

    void toFixed_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("half up") << "2.675" << 2 << "2.68";
        QTest::newRow("negative half away") << "-2.675" << 2 << "-2.68";
        QTest::newRow("half up, not to even") << "2.665" << 2 << "2.67";
        QTest::newRow("whole half") << "2.5" << 0 << "3";
        QTest::newRow("negative whole half") << "-0.5" << 0 << "-1";
        QTest::newRow("below half") << "1.4999" << 0 << "1";
        QTest::newRow("negative rounds to zero") << "-0.004" << 2 << "0.00";
        QTest::newRow("negative rounds away") << "-0.005" << 2 << "-0.01";
        QTest::newRow("padding") << "3" << 3 << "3.000";
        QTest::newRow("carry") << "9.9995" << 3 << "10.000";
        QTest::newRow("six") << "0.000001" << 6 << "0.000001";
        QTest::newRow("more than six") << "1.25" << 8 << "1.25000000";
        QTest::newRow("negative count") << "1.5" << -1 << "2";
        QTest::newRow("maximum") << "9223372036854.775807" << 2 << "9223372036854.78";
    }
    void toFixed()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(dec(value.toLatin1()).toFixed(decimals), text);
    }

    void format_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 rounds") << "2.5"
                                  << "0"
                                  << "3";
        QTest::newRow("0 negative") << "-2.5"
                                    << "0"
                                    << "-3";
        QTest::newRow("0.00") << "1234.5"
                              << "0.00"
                              << "1234.50";
        QTest::newRow("0.000") << "1.23456"
                               << "0.000"
                               << "1.235";
        QTest::newRow("0.00 negative to zero") << "-0.004"
                                               << "0.00"
                                               << "0.00";
        QTest::newRow("grouped") << "1234567.891"
                                 << "#,##0.00"
                                 << "1,234,567.89";
        QTest::newRow("grouped carry") << "999.995"
                                       << "#,##0.00"
                                       << "1,000.00";
        QTest::newRow("grouped small") << "100"
                                       << "#,##0.00"
                                       << "100.00";
        QTest::newRow("grouped zero") << "0"
                                      << "#,##0.00"
                                      << "0.00";
        QTest::newRow("grouped negative") << "-1234567.5"
                                          << "#,##0"
                                          << "-1,234,568";
        QTest::newRow("grouped exact thousand") << "1000"
                                                << "#,##0"
                                                << "1,000";
        QTest::newRow("grouped maximum") << "9223372036854.775807"
                                         << "#,##0.00"
                                         << "9,223,372,036,854.78";
        QTest::newRow("optional places used") << "1.25"
                                              << "0.0#"
                                              << "1.25";
        QTest::newRow("optional places dropped") << "1"
                                                 << "0.0#"
                                                 << "1.0";
        QTest::newRow("suffix kept") << "3"
                                     << "0.00元"
                                     << "3.00元";
        QTest::newRow("padded integer") << "5"
                                        << "00"
                                        << "05";
        QTest::newRow("empty picture") << "12.50"
                                       << ""
                                       << "12.5";
    }
    void format()
    {
        QFETCH(QString, value);
        QFETCH(QString, picture);
        QFETCH(QString, text);
        QCOMPARE(dec(value.toLatin1()).format(picture), text);
    }

    void round_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("rounded");
        QTest::newRow("two places") << "2.675" << 2 << "2.68";
        QTest::newRow("negative two places") << "-2.675" << 2 << "-2.68";
        QTest::newRow("whole") << "-7.5" << 0 << "-8";
        QTest::newRow("three places") << "1.2345" << 3 << "1.235";
        QTest::newRow("no change") << "1.234567" << 6 << "1.234567";
        QTest::newRow("tens") << "15" << -1 << "20";
        QTest::newRow("negative tens") << "-15" << -1 << "-20";
        QTest::newRow("far left") << "123" << -30 << "0";
    }
    void round()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QFETCH(QString, rounded);
        QCOMPARE(dec(value.toLatin1()).round(decimals), dec(rounded.toLatin1()));
    }

    void arithmetic_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QChar>("op");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("result");
        QTest::newRow("add exact") << "0.1" << QChar('+') << "0.2"
                                   << "0.3";
        QTest::newRow("subtract below zero") << "1" << QChar('-') << "1.000001"
                                             << "-0.000001";
        QTest::newRow("multiply") << "1.5" << QChar('*') << "1.5"
                                  << "2.25";
        QTest::newRow("multiply price by quantity") << "12.35" << QChar('*') << "288"
                                                    << "3556.8";
        QTest::newRow("product half rounds up") << "0.000001" << QChar('*') << "0.5"
                                                << "0.000001";
        QTest::newRow("negative product rounds away") << "-0.000001" << QChar('*') << "0.5"
                                                      << "-0.000001";
        QTest::newRow("product below half") << "0.000001" << QChar('*') << "0.4999"
                                            << "0";
        QTest::newRow("product of negatives") << "-2.5" << QChar('*') << "-4"
                                              << "10";
        QTest::newRow("large product") << "9223372036854" << QChar('*') << "1"
                                       << "9223372036854";
        QTest::newRow("third") << "1" << QChar('/') << "3"
                               << "0.333333";
        QTest::newRow("two thirds rounds up") << "2" << QChar('/') << "3"
                                              << "0.666667";
        QTest::newRow("negative two thirds rounds away") << "-2" << QChar('/') << "3"
                                                         << "-0.666667";
        QTest::newRow("negative divisor") << "1" << QChar('/') << "-8"
                                          << "-0.125";
        QTest::newRow("quotient half rounds up") << "0.000001" << QChar('/') << "2"
                                                 << "0.000001";
        QTest::newRow("negative quotient half") << "0.000001" << QChar('/') << "-2"
                                                << "-0.000001";
        QTest::newRow("quotient below half") << "0.000001" << QChar('/') << "3"
                                             << "0";
        QTest::newRow("divide by fraction") << "1000000000" << QChar('/') << "0.001"
                                            << "1000000000000";
    }
    void arithmetic()
    {
        QFETCH(QString, a);
        QFETCH(QChar, op);
        QFETCH(QString, b);
        QFETCH(QString, result);
        const Decimal x = dec(a.toLatin1());
        const Decimal y = dec(b.toLatin1());
        Decimal r;
        Decimal assigned = x;
        switch (op.unicode()) {
        case '+':
            r = x + y;
            assigned += y;
            break;
        case '-':
            r = x - y;
            assigned -= y;
            break;
        case '*':
            r = x * y;
            assigned *= y;
            break;
        default:
            r = x / y;
            assigned /= y;
            break;
        }
        QCOMPARE(r, dec(result.toLatin1()));
        QCOMPARE(assigned, r);
    }

    void overflow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("add past maximum") << 0;
        QTest::newRow("subtract past minimum") << 1;
        QTest::newRow("multiply") << 2;
        QTest::newRow("divide by small number") << 3;
        QTest::newRow("whole number too large") << 4;
        QTest::newRow("lowest 64-bit count") << 5;
        QTest::newRow("rounding the maximum") << 6;
        QTest::newRow("unsigned whole number") << 7;
        QTest::newRow("double too large") << 8;
        QTest::newRow("double infinite") << 9;
        QTest::newRow("double nan") << 10;
    }
    void overflow()
    {
        QFETCH(int, kind);
        const Decimal max = Decimal::fromMillionths(Max);
        const Decimal tiny = Decimal::fromMillionths(1);
        auto run = [&]() -> Decimal {
            switch (kind) {
            case 0:
                return max + tiny;
            case 1:
                return -max - tiny;
            case 2:
                return Decimal(qint64(5'000'000'000'000)) * Decimal(2);
            case 3:
                return Decimal(qint64(10'000'000)) / Decimal::fromMillionths(1);
            case 4:
                return Decimal(qint64(9'300'000'000'000));
            case 5:
                return Decimal::fromMillionths(std::numeric_limits<qint64>::min());
            case 6:
                return max.round(2);
            case 7:
                return Decimal(std::numeric_limits<quint64>::max());
            case 8:
                return Decimal::fromDouble(1e13);
            case 9:
                return Decimal::fromDouble(std::numeric_limits<double>::infinity());
            default:
                return Decimal::fromDouble(std::numeric_limits<double>::quiet_NaN());
            }
        };
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, run());
    }

    void limitsHold()
    {
        const Decimal max = Decimal::fromMillionths(Max);
        QCOMPARE((max - Decimal::fromMillionths(1)) + Decimal::fromMillionths(1), max);
        QCOMPARE((-max).millionths(), -Max);
        QCOMPARE((-max).abs(), max);
        QCOMPARE(Decimal(qint64(9'223'372'036'854)).toString(), QStringLiteral("9223372036854"));
    }

    void divisionByZero()
    {
        QVERIFY_THROWS_EXCEPTION(DivisionByZero, Decimal(1) / Decimal());
        QVERIFY_THROWS_EXCEPTION(std::domain_error, dec("0.5") / Decimal::fromText(u"0.0000001"));
        Decimal d(5);
        QVERIFY_THROWS_EXCEPTION(DivisionByZero, d /= 0);
        QCOMPARE(d, Decimal(5));
    }

    void fromVariant_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("invalid") << QVariant() << "0";
        QTest::newRow("null text") << QVariant(QMetaType::fromType<QString>()) << "0";
        QTest::newRow("null number") << QVariant(QMetaType::fromType<double>()) << "0";
        QTest::newRow("numeric text") << QVariant(QStringLiteral("12.340000")) << "12.34";
        QTest::newRow("numeric bytes") << QVariant(QByteArray("-5.5")) << "-5.5";
        QTest::newRow("text with blanks") << QVariant(QStringLiteral(" 7 ")) << "7";
        QTest::newRow("text not a number") << QVariant(QStringLiteral("abc")) << "0";
        QTest::newRow("empty text") << QVariant(QString()) << "0";
        QTest::newRow("int") << QVariant(7) << "7";
        QTest::newRow("qlonglong") << QVariant(qlonglong(9'000'000'000LL)) << "9000000000";
        QTest::newRow("unsigned") << QVariant(uint(42)) << "42";
        QTest::newRow("double") << QVariant(0.1) << "0.1";
        QTest::newRow("double sum") << QVariant(0.1 + 0.2) << "0.3";
        QTest::newRow("double rounded") << QVariant(2.0000005) << "2.000001";
        QTest::newRow("double third") << QVariant(1.0 / 3.0) << "0.333333";
        QTest::newRow("double negative") << QVariant(-1234.5678) << "-1234.5678";
        QTest::newRow("double tiny") << QVariant(1e-9) << "0";
        QTest::newRow("bool true") << QVariant(true) << "1";
        QTest::newRow("bool false") << QVariant(false) << "0";
        QTest::newRow("decimal") << QVariant::fromValue(Decimal::fromMillionths(-3)) << "-0.000003";
    }
    void fromVariant()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(Decimal::fromVariant(value), dec(expected.toLatin1()));
    }

    void fromVariantOutOfRange()
    {
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal::fromVariant(QStringLiteral("1e20")));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal::fromVariant(QVariant(1e20)));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error,
                                 Decimal::fromVariant(QVariant(std::numeric_limits<qulonglong>::max())));
    }

    void queries()
    {
        const Decimal d = dec("-2.75");
        QVERIFY(d.isNegative());
        QVERIFY(!d.isWhole());
        QVERIFY(!d.isZero());
        QCOMPARE(d.truncated(), qint64(-2));
        QCOMPARE(dec("2.999999").truncated(), qint64(2));
        QVERIFY(dec("-4").isWhole());
        QVERIFY(Decimal().isZero());
        QCOMPARE(d.abs(), dec("2.75"));
        QCOMPARE(d.toDouble(), -2.75);
        QCOMPARE(dec("0.1").toDouble(), 0.1);
    }

    void comparisons()
    {
        QVERIFY(dec("-0.000001") < Decimal());
        QVERIFY(dec("1.5") > 1);
        QVERIFY(2 > dec("1.999999"));
        QVERIFY(dec("3") == 3);
        QVERIFY(dec("3.000001") != 3);
        QVERIFY(dec("10") >= dec("10.000000"));
        QCOMPARE(Decimal(qsizetype(4)) + 1, dec("5"));
    }

    void hashing()
    {
        QSet<Decimal> set{dec("1.5"), dec("1.500000"), dec("-1.5")};
        QCOMPARE(set.size(), 2);
        std::unordered_set<Decimal> stdSet{dec("2"), Decimal(2), dec("2.000001")};
        QCOMPARE(stdSet.size(), size_t(2));
        QCOMPARE(qHash(dec("7.25")), qHash(Decimal::fromMillionths(7'250'000)));
    }

    // Values go to the database as their text and come back exact on both engines.
    void databaseRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("fraction") << "12345.678901";
        QTest::newRow("negative millionth") << "-0.000001";
        QTest::newRow("whole") << "288";
        // SQLite keeps 15 significant digits of a NUMERIC value.
        QTest::newRow("fifteen digits") << "999999999.999999";
    }
    void databaseRoundTrip()
    {
        QFETCH(QString, value);
        test::TestDatabase t(false);
        t.db().exec(QStringLiteral("create table 小数测试 (值 NUMERIC(30,6))"));
        const Decimal d = dec(value.toLatin1());
        t.db().exec(QStringLiteral("insert into 小数测试(值) values (?)"), {d.toVariant()});
        const auto back = t.db().scalar(QStringLiteral("select 值 from 小数测试"));
        QVERIFY(back.has_value());
        QCOMPARE(Decimal::fromVariant(*back), d);
        const auto sum = t.db().scalar(QStringLiteral("select 值+? from 小数测试"), {Decimal(1).toVariant()});
        QVERIFY(sum.has_value());
        QCOMPARE(Decimal::fromVariant(*sum), d + 1);
    }
};

MZT_TEST_MAIN(TestDecimal)
#include "tst_decimal.moc"
