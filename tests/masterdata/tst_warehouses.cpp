#include "testdb.h"

#include "decimal.h"
#include "stocktables.h"
#include "warehouses.h"

using namespace mzt;

namespace {

// The sum of a stock table's quantities, exact on both engines.
Decimal stockSum(Database& db, const QString& fromClause)
{
    return Decimal::fromVariant(
        db.scalar(QStringLiteral("select sum(数量) from ") + fromClause).value_or(QVariant()));
}

FieldValues boxes(const QString& code, const QString& name, const QString& note = {})
{
    return {{QStringLiteral("货位编码"), code},
            {QStringLiteral("货位名称"), name},
            {QStringLiteral("货位性质"), QStringLiteral("成品")},
            {QStringLiteral("管理人员"), QStringLiteral("李四")},
            {QStringLiteral("备注"), note}};
}

FieldValues row(const QString& code, const QString& name)
{
    return {{QStringLiteral("货位编码"), code}, {QStringLiteral("货位名称"), name}};
}

void addGoodsCodes(Database& db, int count)
{
    Statement st(
        db, QStringLiteral("insert into 库存(货位,编码,数量,金额,标记,组合库存) values('库存',?,?,0,0,'0')"));
    for (int i = 1; i <= count; ++i)
        st.exec({QStringLiteral("S%1").arg(i), i});
}

QStringList warehouses(Database& db)
{
    QStringList out;
    for (const Row& r : db.query(QStringLiteral("select 货位编码,货位名称,备注 from 货位 order by ID")))
        out << r.value(0).toString() + QLatin1Char('|') + r.value(1).toString() + QLatin1Char('|') +
                   r.value(2).toString();
    return out;
}

QString totals(Database& db)
{
    return db.column(QStringLiteral("select 编码 from 库存 order by 编码")).join(QLatin1Char(',')) +
           QLatin1Char('/') +
           Decimal::fromVariant(db.scalar(QStringLiteral("select sum(数量) from 库存")).value_or(QVariant()))
               .toString();
}

QStringList namesOf(const Rows& rows)
{
    QStringList out;
    for (const Row& r : rows)
        out << r.value(QStringLiteral("货位名称")).toString();
    return out;
}

} // namespace

class TestWarehouses final : public QObject
{
    Q_OBJECT

private slots:
    void newWarehouseGetsTableAndRow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("一号仓库");
        QTest::newRow("quote") << QStringLiteral("O'Neil仓");
        QTest::newRow("space") << QStringLiteral("北 仓");
        QTest::newRow("percent") << QStringLiteral("100%仓");
        QTest::newRow("keyword select") << QStringLiteral("select");
        QTest::newRow("keyword order") << QStringLiteral("order");
        QTest::newRow("digits first") << QStringLiteral("2号仓");
    }
    void newWarehouseGetsTableAndRow()
    {
        QFETCH(QString, name);
        test::TestSession s;
        addGoodsCodes(s.db(), 12);
        WarehouseList list(s.session());

        QCOMPARE(list.SaveWarehouse(boxes(QStringLiteral(" 01 "), name, QStringLiteral("备注'x"))),
                 SaveResult::Inserted);

        QCOMPARE(s.prompter().shown.size(), 1);
        QVERIFY(s.prompter().shown.first().question);
        QCOMPARE(s.prompter().shown.first().text, QStringLiteral("是否保存此货位信息？"));
        QCOMPARE(s.prompter().shown.first().title, QStringLiteral("系统提示"));
        QCOMPARE(warehouses(s.db()), QStringList{QStringLiteral("01|") + name + QStringLiteral("|备注'x")});
        QCOMPARE(s.db().countRows(name), 12);
        QCOMPARE(s.db()
                     .scalar(QStringLiteral("select count(*) from ") + quoteIdentifier(name) +
                                 QStringLiteral(" where 货位=? and 数量=0"),
                             {name})
                     ->toInt(),
                 12);
        QCOMPARE(namesOf(list.SortWarehouses()), QStringList{name});
        // Warehouse changes write no log row.
        QCOMPARE(s.db().countRows(QStringLiteral("日志")), 0);
    }

    void answeredNoOrMissingBoxesWriteNothing_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("result");
        QTest::newRow("answered no") << QStringLiteral("01") << QStringLiteral("一号仓") << false << QString()
                                     << int(SaveResult::Cancelled);
        QTest::newRow("no code") << QStringLiteral("  ") << QStringLiteral("一号仓") << true
                                 << QStringLiteral("请你确保:货位编码,货位名称 这二个重要资料不为空!")
                                 << int(SaveResult::Refused);
        QTest::newRow("no name") << QStringLiteral("01") << QString() << true
                                 << QStringLiteral("请你确保:货位编码,货位名称 这二个重要资料不为空!")
                                 << int(SaveResult::Refused);
    }
    void answeredNoOrMissingBoxesWriteNothing()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(bool, answer);
        QFETCH(QString, message);
        QFETCH(int, result);
        test::TestSession s;
        s.prompter().answers = {answer};
        WarehouseList list(s.session());

        QCOMPARE(int(list.SaveWarehouse(boxes(code, name))), result);

        QVERIFY(warehouses(s.db()).isEmpty());
        QVERIFY(!s.db().tableExists(QStringLiteral("一号仓")));
        if (!message.isEmpty())
            QCOMPARE(s.prompter().last(), message);
    }

    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("existing warehouse, new code") << QStringLiteral("一号仓");
        QTest::newRow("existing warehouse in other letters") << QStringLiteral("MAIN");
        QTest::newRow("goods table") << QStringLiteral("商品");
        QTest::newRow("stock total") << QStringLiteral("库存");
        QTest::newRow("warehouse table itself") << QStringLiteral("货位");
        QTest::newRow("too long") << QString(25, QChar(0x5E93));
        QTest::newRow("engine prefix") << QStringLiteral("sqlite_master");
    }
    void refusedNames()
    {
        QFETCH(QString, name);
        test::TestSession s;
        addGoodsCodes(s.db(), 3);
        WarehouseList list(s.session());
        QCOMPARE(list.SaveWarehouse(boxes(QStringLiteral("01"), QStringLiteral("一号仓"))),
                 SaveResult::Inserted);
        QCOMPARE(list.SaveWarehouse(boxes(QStringLiteral("02"), QStringLiteral("main"))),
                 SaveResult::Inserted);
        s.db().exec(QStringLiteral("update 一号仓 set 数量=5"));
        const QStringList before = warehouses(s.db());
        const QString totalsBefore = totals(s.db());
        const qint64 goods = s.db().countRows(QStringLiteral("商品"));
        s.prompter().clear();

        QCOMPARE(list.SaveWarehouse(boxes(QStringLiteral("99"), name)), SaveResult::Refused);

        // Refused before the question and before anything is written.
        QCOMPARE(s.prompter().texts(), QStringList{WarehouseList::refusedNameText()});
        QCOMPARE(warehouses(s.db()), before);
        QCOMPARE(totals(s.db()), totalsBefore);
        QCOMPARE(s.db().countRows(QStringLiteral("商品")), goods);
        QCOMPARE(stockSum(s.db(), QStringLiteral("一号仓")), Decimal(15));
    }

    void failedInsertLeavesNoTable()
    {
        // A 货位 row left without its table: the name is free as a table, but the row refuses
        // a second warehouse of that name, and the table made for it must go again.
        test::TestSession s;
        addGoodsCodes(s.db(), 2);
        s.db().exec(QStringLiteral("insert into 货位(货位编码,货位名称) values('07','旧仓')"));
        WarehouseList list(s.session());

        QCOMPARE(list.SaveWarehouse(boxes(QStringLiteral("08"), QStringLiteral("旧仓"))), SaveResult::Failed);

        QCOMPARE(s.prompter().last(), WarehouseList::refusedNameText());
        QVERIFY(!s.db().tableExists(QStringLiteral("旧仓")));
        QCOMPARE(warehouses(s.db()), QStringList{QStringLiteral("07|旧仓|")});
    }

    void sameCodeAndNameUpdatesTheRow()
    {
        test::TestSession s;
        addGoodsCodes(s.db(), 2);
        WarehouseList list(s.session());
        list.SaveWarehouse(boxes(QStringLiteral("01"), QStringLiteral("一号仓"), QStringLiteral("旧")));
        s.db().exec(QStringLiteral("update 一号仓 set 数量=4"));
        s.prompter().clear();

        QCOMPARE(
            list.SaveWarehouse(boxes(QStringLiteral("01"), QStringLiteral("一号仓"), QStringLiteral("新"))),
            SaveResult::Updated);

        QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("修改成功！!")});
        QCOMPARE(warehouses(s.db()), QStringList{QStringLiteral("01|一号仓|新")});
        QCOMPARE(stockSum(s.db(), QStringLiteral("一号仓")), Decimal(8));
    }

    void renamedWarehouseIsAFurtherWarehouse()
    {
        test::TestSession s;
        addGoodsCodes(s.db(), 3);
        WarehouseList list(s.session());
        list.SaveWarehouse(boxes(QStringLiteral("01"), QStringLiteral("一号仓")));
        s.db().exec(QStringLiteral("update 一号仓 set 数量=2"));

        // The row is selected, its name edited and saved.
        QCOMPARE(list.SaveWarehouse(boxes(QStringLiteral("01"), QStringLiteral("新一号仓"))),
                 SaveResult::Inserted);

        QCOMPARE(warehouses(s.db()),
                 (QStringList{QStringLiteral("01|一号仓|"), QStringLiteral("01|新一号仓|")}));
        QCOMPARE(stockSum(s.db(), QStringLiteral("一号仓")), Decimal(6));
        QCOMPARE(s.db().countRows(QStringLiteral("新一号仓")), 3);
        QCOMPARE(stockSum(s.db(), QStringLiteral("新一号仓")), Decimal(0));
    }

    void deleteDropsTableAndKeepsTotals_data()
    {
        QTest::addColumn<bool>("askFirst");
        QTest::addColumn<QString>("name");
        QTest::newRow("with question") << true << QStringLiteral("一号仓");
        QTest::newRow("without question") << false << QStringLiteral("一号仓");
        QTest::newRow("odd name") << true << QStringLiteral("it's 50%");
    }
    void deleteDropsTableAndKeepsTotals()
    {
        QFETCH(bool, askFirst);
        QFETCH(QString, name);
        test::TestSession s;
        addGoodsCodes(s.db(), 4);
        WarehouseList list(s.session());
        list.SaveWarehouse(boxes(QStringLiteral("01"), name));
        list.SaveWarehouse(boxes(QStringLiteral("02"), QStringLiteral("二号仓")));
        const QString before = totals(s.db());
        s.prompter().clear();

        QCOMPARE(list.DeleteWarehouse(row(QStringLiteral(" 01"), name), askFirst), DeleteResult::Deleted);

        QStringList expected;
        if (askFirst)
            expected << QStringLiteral(
                "如果您已经在这个仓库中录入了信息,请你不要随意删除本仓库,是否删除当前货位信息？");
        expected << QStringLiteral("删除成功！");
        QCOMPARE(s.prompter().texts(), expected);
        if (askFirst)
            QCOMPARE(s.prompter().shown.first().title, QStringLiteral("删除提示"));
        QVERIFY(!s.db().tableExists(name));
        QVERIFY(s.db().tableExists(QStringLiteral("二号仓")));
        QCOMPARE(warehouses(s.db()), QStringList{QStringLiteral("02|二号仓|")});
        QCOMPARE(totals(s.db()), before);
    }

    void deleteAnsweredNoKeepsAll()
    {
        test::TestSession s;
        WarehouseList list(s.session());
        list.SaveWarehouse(boxes(QStringLiteral("01"), QStringLiteral("一号仓")));
        s.prompter().answers = {false};

        QCOMPARE(list.DeleteWarehouse(row(QStringLiteral("01"), QStringLiteral("一号仓")), true),
                 DeleteResult::Cancelled);
        QVERIFY(s.db().tableExists(QStringLiteral("一号仓")));
        QCOMPARE(warehouses(s.db()).size(), 1);
    }

    void deleteNeverDropsAProgramTable()
    {
        // A 货位 row that names a table of the program loses only its row.
        test::TestSession s;
        s.db().exec(QStringLiteral("insert into 货位(货位编码,货位名称) values('K','库存')"));
        s.db().exec(QStringLiteral("insert into 库存(货位,编码,数量) values('库存','A',3)"));
        WarehouseList list(s.session());

        QCOMPARE(list.DeleteWarehouse(row(QStringLiteral("K"), QStringLiteral("库存")), false),
                 DeleteResult::Deleted);

        QVERIFY(s.db().tableExists(QStringLiteral("库存")));
        QCOMPARE(s.db().countRows(QStringLiteral("库存")), 1);
        QVERIFY(warehouses(s.db()).isEmpty());
    }

    void filterTakesTypedTextLiterally_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing typed") << QStringLiteral("货位名称") << QString()
                                       << QStringList{"A'1", "50%仓", "50仓", "a_b", "axb", "Ab!c"};
        QTest::newRow("percent") << QStringLiteral("货位名称") << QStringLiteral("%") << QStringList{"50%仓"};
        QTest::newRow("underscore") << QStringLiteral("货位名称") << QStringLiteral("_")
                                    << QStringList{"a_b"};
        QTest::newRow("quote") << QStringLiteral("货位名称") << QStringLiteral("'") << QStringList{"A'1"};
        QTest::newRow("escape char") << QStringLiteral("货位名称") << QStringLiteral("b!")
                                     << QStringList{"Ab!c"};
        QTest::newRow("any case") << QStringLiteral("货位名称") << QStringLiteral("AB")
                                  << QStringList{"Ab!c"};
        QTest::newRow("code box") << QStringLiteral("货位编码") << QStringLiteral("0")
                                  << QStringList{"A'1", "50%仓"};
        QTest::newRow("note box") << QStringLiteral("备注") << QStringLiteral("冷") << QStringList{"axb"};
    }
    void filterTakesTypedTextLiterally()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        test::TestSession s;
        const QStringList names = {"A'1", "50%仓", "50仓", "a_b", "axb", "Ab!c"};
        const QStringList codes = {"01", "02", "13", "14", "15", "16"};
        for (int i = 0; i < names.size(); ++i)
            s.db().exec(QStringLiteral(
                            "insert into 货位(货位编码,货位名称,货位性质,管理人员,备注) values(?,?,'','',?)"),
                        {codes.at(i), names.at(i), i == 4 ? QStringLiteral("冷库") : QString()});
        WarehouseList list(s.session());
        FieldValues b = boxes({}, {}, {});
        b.insert(QStringLiteral("货位性质"), QString());
        b.insert(QStringLiteral("管理人员"), QString());
        b.insert(field, typed);

        QStringList got = namesOf(list.FilterWarehouses(b));
        QCOMPARE(got, expected);
    }
};

MZT_TEST_MAIN(TestWarehouses)
#include "tst_warehouses.moc"
