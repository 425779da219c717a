#include "basicsettings.h"
#include "settings.h"
#include "testdb.h"

#include <QDir>
#include <QFile>

using namespace mzt;

namespace {

// The file as another workstation reads it: its raw key=value lines of [currensys].
QHash<QString, QString> fileValues(const QString& folder)
{
    QFile f(QDir(folder).filePath(QStringLiteral("bdchange.ini")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QString> out;
    bool inSection = false;
    for (const QString& raw : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line == QStringLiteral("[currensys]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inSection && eq > 0)
            out.insert(line.left(eq), line.mid(eq + 1));
    }
    return out;
}

void writeFile(const QString& folder, const QString& text)
{
    QFile f(QDir(folder).filePath(QStringLiteral("bdchange.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

DefaultSettings someDefaults()
{
    DefaultSettings d;
    d.warehouses = {{QStringLiteral("采购入库"), QStringLiteral("一号仓")},
                    {QStringLiteral("采购退货"), QStringLiteral("二号仓")},
                    {QStringLiteral("销售出货"), QStringLiteral("门市")},
                    {QStringLiteral("销售退货"), QStringLiteral("退货仓")},
                    {QStringLiteral("其它入库"), QStringLiteral("一号仓")},
                    {QStringLiteral("其它出库"), QString()}};
    d.decimals = 3;
    d.discount = QStringLiteral("8.8");
    return d;
}

} // namespace

class TestSettings final : public QObject
{
    Q_OBJECT

private slots:
    void discountStored_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("stored");
        QTest::newRow("8.8 zhe") << "8.8"
                                 << "0.88";
        QTest::newRow("9 zhe") << "9"
                               << "0.9";
        QTest::newRow("one zhe") << "1"
                                 << "0.1";
        QTest::newRow("ten zhe is full price") << "10"
                                               << "1";
        QTest::newRow("zero is no discount") << "0"
                                             << "1";
        QTest::newRow("empty is no discount") << ""
                                              << "1";
        QTest::newRow("unreadable is no discount") << "."
                                                   << "1";
    }
    void discountStored()
    {
        QFETCH(QString, box);
        QFETCH(QString, stored);
        QCOMPARE(BasicSettings::storedDiscount(box), stored);
    }

    void discountShown_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("box"); // "-": the box keeps what it shows
        QTest::newRow("full price shows 0") << "1"
                                            << "0";
        QTest::newRow("0.9 shows 9") << "0.9"
                                     << "9";
        QTest::newRow("0.88 shows 8.8") << "0.88"
                                        << "8.8";
        QTest::newRow("never set") << "0"
                                   << "0";
        QTest::newRow("unreadable") << "abc"
                                    << "-";
    }
    void discountShown()
    {
        QFETCH(QString, stored);
        QFETCH(QString, box);
        const std::optional<QString> shown = BasicSettings::discountBoxText(stored);
        QCOMPARE(shown.value_or(QStringLiteral("-")), box);
    }

    void defaultsOfAMissingFile()
    {
        test::TestSession s;
        QVERIFY(!QFile::exists(QDir(s.folder()).filePath(QStringLiteral("bdchange.ini"))));
        BasicSettings b(s.session());
        const DefaultSettings d = b.load();
        QCOMPARE(d.warehouses.size(), 6);
        for (const QString& key : BdChangeSettings::warehouseKeys())
            QCOMPARE(d.warehouses.value(key), QStringLiteral("0"));
        QCOMPARE(d.decimals, 2);
        QCOMPARE(d.discount.value_or(QString()), QStringLiteral("0"));
        QVERIFY(b.startupBoxTicked());
    }

    void applyWritesTheKeys_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("storedDiscount");
        QTest::newRow("three decimals, 8.8 zhe") << 3 << "0.000"
                                                 << "8.8"
                                                 << "0.88";
        QTest::newRow("no decimals, no discount") << 0 << "0"
                                                  << "0"
                                                  << "1";
        QTest::newRow("two decimals, 9 zhe") << 2 << "0.00"
                                             << "9"
                                             << "0.9";
        QTest::newRow("four decimals") << 4 << "0.0000"
                                       << ""
                                       << "1";
    }
    void applyWritesTheKeys()
    {
        QFETCH(int, decimals);
        QFETCH(QString, picture);
        QFETCH(QString, discount);
        QFETCH(QString, storedDiscount);
        test::TestSession s;
        // Keys the page does not edit stay as they were.
        writeFile(s.folder(), QStringLiteral("[currensys]\n启动提示设置=0\n[database]\ndriver=sqlite\n"));
        s.settings().reload();
        DefaultSettings d = someDefaults();
        d.decimals = decimals;
        d.discount = discount;
        QVERIFY(BasicSettings(s.session()).ApplyDefaultSettings(d));
        QVERIFY(s.prompter().shown.isEmpty());

        const QHash<QString, QString> file = fileValues(s.folder());
        QCOMPARE(file.value(QStringLiteral("采购入库")), QStringLiteral("一号仓"));
        QCOMPARE(file.value(QStringLiteral("采购退货")), QStringLiteral("二号仓"));
        QCOMPARE(file.value(QStringLiteral("销售出货")), QStringLiteral("门市"));
        QCOMPARE(file.value(QStringLiteral("销售退货")), QStringLiteral("退货仓"));
        QCOMPARE(file.value(QStringLiteral("其它入库")), QStringLiteral("一号仓"));
        QVERIFY(file.contains(QStringLiteral("其它出库")));
        QCOMPARE(file.value(QStringLiteral("其它出库")), QString());
        QCOMPARE(file.value(QStringLiteral("小数点位数")), picture);
        QCOMPARE(file.value(QStringLiteral("小数点位数1")), QString::number(decimals));
        QCOMPARE(file.value(QStringLiteral("销售出货默认折扣")), storedDiscount);
        QCOMPARE(file.value(QStringLiteral("启动提示设置")), QStringLiteral("0"));
        BdChangeSettings again(s.folder());
        QCOMPARE(again.connection().driver, QStringLiteral("sqlite"));

        // What the readers of the other windows see, and the page on its next opening.
        QCOMPARE(again.pricePicture(), picture);
        QCOMPARE(again.salesDiscount(QStringLiteral("1")), storedDiscount);
        QCOMPARE(again.defaultWarehouse(QStringLiteral("销售出货")), QStringLiteral("门市"));
        s.settings().reload();
        const DefaultSettings back = BasicSettings(s.session()).load();
        QCOMPARE(back.decimals, decimals);
        QCOMPARE(back.warehouses.value(QStringLiteral("采购退货")), QStringLiteral("二号仓"));
        QCOMPARE(back.discount.value_or(QString()),
                 storedDiscount == QStringLiteral("1") ? QStringLiteral("0") : discount);
    }

    void readsAFileWrittenElsewhere()
    {
        test::TestSession s;
        writeFile(s.folder(),
                  QStringLiteral("[currensys]\n销售退货=二号仓\n小数点位数1=3\n销售出货默认折扣=0.95\n"
                                 "启动提示设置=0\n"));
        s.settings().reload();
        BasicSettings b(s.session());
        const DefaultSettings d = b.load();
        QCOMPARE(d.warehouses.value(QStringLiteral("销售退货")), QStringLiteral("二号仓"));
        QCOMPARE(d.warehouses.value(QStringLiteral("采购入库")), QStringLiteral("0"));
        QCOMPARE(d.decimals, 3);
        QCOMPARE(d.discount.value_or(QString()), QStringLiteral("9.5"));
        QVERIFY(!b.startupBoxTicked());
    }

    void startupBoxWritesAtOnce()
    {
        test::TestSession s;
        BasicSettings b(s.session());
        QVERIFY(b.SetStartupPrompt(true));
        QCOMPARE(fileValues(s.folder()).value(QStringLiteral("启动提示设置")), QStringLiteral("1"));
        QVERIFY(b.SetStartupPrompt(false));
        QCOMPARE(fileValues(s.folder()).value(QStringLiteral("启动提示设置")), QStringLiteral("0"));
        // Start-up reads the key with "0": the window opens again next time.
        QCOMPARE(BdChangeSettings(s.folder()).startupPrompt(QStringLiteral("0")), QStringLiteral("0"));
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void saveSettingsConfirmsOnlyAfterWriting()
    {
        test::TestSession s;
        QVERIFY(BasicSettings(s.session()).SaveDefaultSettings(someDefaults()));
        QCOMPARE(s.prompter().texts(), QStringList{"设置成功!"});

        // A folder that cannot take the file.
        BdChangeSettings unwritable(QDir(s.folder()).filePath(QStringLiteral("missing/folder")));
        Session broken{s.db(), s.prompter(), s.login(), unwritable, s.folder()};
        s.prompter().clear();
        QVERIFY(!BasicSettings(broken).SaveDefaultSettings(someDefaults()));
        QCOMPARE(s.prompter().shown.size(), 1);
        QCOMPARE(s.prompter().shown.first().kind, MessageKind::Error);
        QVERIFY(!s.prompter().texts().contains(QStringLiteral("设置成功!")));
    }

    void warehouseListsOfferTheWarehouses()
    {
        test::TestSession s;
        const QString insert = QStringLiteral("insert into 货位(货位编码,货位名称) values (?,?)");
        s.db().exec(insert, {QStringLiteral("02"), QStringLiteral("二号仓")});
        s.db().exec(insert, {QStringLiteral("01"), QStringLiteral("一号仓")});
        const QStringList names = BasicSettings(s.session()).warehouseNames();
        QCOMPARE(names.size(), 2);
        QVERIFY(names.contains(QStringLiteral("一号仓")));
        QVERIFY(names.contains(QStringLiteral("二号仓")));
    }
};

MZT_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
