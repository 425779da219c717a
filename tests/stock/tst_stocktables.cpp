#include "testdb.h"

#include "decimal.h"
#include "stocktables.h"

using namespace mzt;

namespace {

// The sum of a stock table's quantities, exact on both engines.
Decimal stockSum(Database& db, const QString& fromClause)
{
    return Decimal::fromVariant(
        db.scalar(QStringLiteral("select sum(数量) from ") + fromClause).value_or(QVariant()));
}

const QDate today(2024, 5, 6);

void addTotals(Database& db, int count)
{
    Statement st(
        db, QStringLiteral(
                "insert into 库存(货位,编码,数量,金额,日期,标记,组合库存) values('库存',?,?,?,?,0,'0')"));
    for (int i = 1; i <= count; ++i)
        st.exec({QStringLiteral("G%1").arg(i, 4, 10, QLatin1Char('0')), 5, QStringLiteral("12.5"),
                 QStringLiteral("2024-01-01")});
}

// A warehouse as the warehouse window makes it: its table and its 货位 row.
void addWarehouse(Database& db, const QString& name)
{
    StockTables::CreateWarehouseTable(db, name);
    db.exec(QStringLiteral("insert into 货位(货位编码,货位名称) values(?,?)"),
            {QString(QStringLiteral("C-") + name), name});
}

qint64 rowsWithCode(Database& db, const QString& table, const QString& code)
{
    return db
        .scalar(QStringLiteral("select count(*) from ") + quoteIdentifier(table) +
                    QStringLiteral(" where 编码=?"),
                {code})
        ->toLongLong();
}

QString totalsFingerprint(Database& db)
{
    QStringList out;
    for (const Row& r : db.query(QStringLiteral("select 编码,数量,金额 from 库存 order by 编码")))
        out << r.value(0).toString() + QLatin1Char('=') + Decimal::fromVariant(r.value(1)).toString() +
                   QLatin1Char('/') + Decimal::fromVariant(r.value(2)).toString();
    return out.join(QLatin1Char(';'));
}

} // namespace

class TestStockTables final : public QObject
{
    Q_OBJECT

private slots:
    void newWarehouseGetsZeroRowPerCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("chinese") << QStringLiteral("一号仓库");
        QTest::newRow("quote") << QStringLiteral("张三's仓");
        QTest::newRow("double quote") << QStringLiteral("东\"西\"仓");
        QTest::newRow("space") << QStringLiteral("南 仓");
        QTest::newRow("percent") << QStringLiteral("50%仓");
        QTest::newRow("keyword select") << QStringLiteral("select");
        QTest::newRow("keyword order") << QStringLiteral("order");
        QTest::newRow("keyword table") << QStringLiteral("table");
        QTest::newRow("digits first") << QStringLiteral("1号仓");
        QTest::newRow("semicolon") << QStringLiteral("a;drop table 库存");
    }
    void newWarehouseGetsZeroRowPerCode()
    {
        QFETCH(QString, name);
        test::TestDatabase t;
        Database& db = t.db();
        addTotals(db, 500);

        StockTables::CreateWarehouseTable(db, name);

        QVERIFY(db.tableExists(name));
        QCOMPARE(db.countRows(name), 500);
        const QString table = quoteIdentifier(name);
        QCOMPARE(
            db.scalar(QStringLiteral("select count(*) from ") + table +
                          QStringLiteral(" where 货位=? and 数量=0 and 金额=0 and 组合库存='0' and 标记=0"),
                      {name})
                ->toLongLong(),
            500);
        QCOMPARE(db.scalar(QStringLiteral("select count(distinct 编码) from ") + table)->toLongLong(), 500);
        QCOMPARE(db.countRows(QStringLiteral("库存")), 500);

        // The table takes part in the goods rows like any other warehouse.
        db.exec(QStringLiteral("insert into 货位(货位编码,货位名称) values('X',?)"), {name});
        StockTables::AddGoodsRows(db, QStringLiteral("NEW1"), today);
        QCOMPARE(rowsWithCode(db, name, QStringLiteral("NEW1")), 1);
        StockTables::DropWarehouseTable(db, name);
        QVERIFY(!db.tableExists(name));
        QCOMPARE(db.countRows(QStringLiteral("库存")), 501);
    }

    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral("   ");
        QTest::newRow("leading space") << QStringLiteral(" 仓库");
        QTest::newRow("base table 商品") << QStringLiteral("商品");
        QTest::newRow("base table 库存") << QStringLiteral("库存");
        QTest::newRow("base table 库存2") << QStringLiteral("库存2");
        QTest::newRow("base table 货位") << QStringLiteral("货位");
        QTest::newRow("base table 期初库存表") << QStringLiteral("期初库存表");
        QTest::newRow("index name") << QStringLiteral("ux_kucun_bianma");
        QTest::newRow("index name other case") << QStringLiteral("UX_KUCUN_BIANMA");
        QTest::newRow("engine prefix") << QStringLiteral("sqlite_仓");
        QTest::newRow("pg prefix") << QStringLiteral("pg_仓");
        QTest::newRow("too long") << QString(30, QChar(0x4ED3));
        QTest::newRow("control char") << QStringLiteral("仓\n库");
    }
    void refusedNames()
    {
        QFETCH(QString, name);
        test::TestDatabase t;
        Database& db = t.db();
        addTotals(db, 3);
        const qint64 goods = db.countRows(QStringLiteral("货位"));
        const QString before = totalsFingerprint(db);

        QVERIFY(!StockTables::warehouseNameProblem(db, name).isEmpty());
        bool refused = false;
        try {
            StockTables::CreateWarehouseTable(db, name);
        } catch (const InvalidNameError& e) {
            refused = !e.message().isEmpty();
        }
        QVERIFY(refused);
        QCOMPARE(totalsFingerprint(db), before);
        QCOMPARE(db.countRows(QStringLiteral("货位")), goods);
        QVERIFY(db.tableExists(QStringLiteral("商品")));
    }

    void existingWarehouseNameRefused()
    {
        test::TestDatabase t;
        Database& db = t.db();
        addTotals(db, 2);
        addWarehouse(db, QStringLiteral("Main"));
        db.exec(QStringLiteral("update \"Main\" set 数量=7"));
        QVERIFY(!StockTables::warehouseNameProblem(db, QStringLiteral("Main")).isEmpty());
        // The same name in other letters is refused too: SQLite would take it as the same table.
        QVERIFY(!StockTables::warehouseNameProblem(db, QStringLiteral("MAIN")).isEmpty());
        QVERIFY_THROWS_EXCEPTION(InvalidNameError,
                                 StockTables::CreateWarehouseTable(db, QStringLiteral("Main")));
        QCOMPARE(stockSum(db, QStringLiteral("\"Main\"")), Decimal(14));
    }

    void dropLeavesTotalsUnchanged()
    {
        test::TestDatabase t;
        Database& db = t.db();
        addTotals(db, 20);
        addWarehouse(db, QStringLiteral("一号仓"));
        addWarehouse(db, QStringLiteral("二号仓"));
        const QString before = totalsFingerprint(db);

        StockTables::DropWarehouseTable(db, QStringLiteral("一号仓"));

        QVERIFY(!db.tableExists(QStringLiteral("一号仓")));
        QVERIFY(db.tableExists(QStringLiteral("二号仓")));
        QCOMPARE(totalsFingerprint(db), before);
        QCOMPARE(db.countRows(QStringLiteral("库存2")), 0);
    }

    void dropRefusesOtherTables_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withWarehouseRow");
        QTest::newRow("库存 named as a warehouse") << QStringLiteral("库存") << true;
        QTest::newRow("库存2 named as a warehouse") << QStringLiteral("库存2") << true;
        QTest::newRow("商品 named as a warehouse") << QStringLiteral("商品") << true;
        QTest::newRow("货位 itself") << QStringLiteral("货位") << true;
        QTest::newRow("stock-like table without warehouse row") << QStringLiteral("孤表") << false;
        QTest::newRow("not a table") << QStringLiteral("无此仓") << true;
    }
    void dropRefusesOtherTables()
    {
        QFETCH(QString, name);
        QFETCH(bool, withWarehouseRow);
        test::TestDatabase t;
        Database& db = t.db();
        addTotals(db, 2);
        if (name == QStringLiteral("孤表"))
            StockTables::CreateWarehouseTable(db, name);
        if (withWarehouseRow)
            db.exec(QStringLiteral("insert into 货位(货位编码,货位名称) values('Z',?)"), {name});
        const bool existed = db.tableExists(name);

        QVERIFY(!StockTables::isWarehouseTable(db, name));
        QVERIFY_THROWS_EXCEPTION(DbError, StockTables::DropWarehouseTable(db, name));
        QCOMPARE(db.tableExists(name), existed);
        QCOMPARE(db.countRows(QStringLiteral("库存")), 2);
    }

    void goodsRowsInEveryTable_data()
    {
        QTest::addColumn<bool>("imported");
        QTest::newRow("goods window") << false;
        QTest::newRow("spreadsheet import") << true;
    }
    void goodsRowsInEveryTable()
    {
        QFETCH(bool, imported);
        test::TestDatabase t;
        Database& db = t.db();
        addWarehouse(db, QStringLiteral("一号仓"));
        addWarehouse(db, QStringLiteral("it's 2"));

        if (imported)
            StockTables::AddImportedGoodsRows(db, QStringLiteral("A001"), today);
        else
            StockTables::AddGoodsRows(db, QStringLiteral("A001"), today);

        const QStringList tables = {QStringLiteral("库存"), QStringLiteral("库存2"), QStringLiteral("一号仓"),
                                    QStringLiteral("it's 2")};
        for (const QString& table : tables) {
            const Rows rows = db.query(QStringLiteral("select 货位,编码,数量,金额,日期,标记,组合库存 from ") +
                                       quoteIdentifier(table));
            if (imported && table == QStringLiteral("库存2")) {
                QVERIFY(rows.isEmpty());
                continue;
            }
            QCOMPARE(rows.size(), 1);
            const Row& r = rows.first();
            QCOMPARE(r.value(QStringLiteral("货位")).toString(), table);
            QCOMPARE(r.value(QStringLiteral("编码")).toString(), QStringLiteral("A001"));
            QVERIFY(Decimal::fromVariant(r.value(QStringLiteral("数量"))).isZero());
            QVERIFY(Decimal::fromVariant(r.value(QStringLiteral("金额"))).isZero());
            QCOMPARE(r.value(QStringLiteral("日期")).toDate(), today);
            QCOMPARE(r.value(QStringLiteral("标记")).toInt(), 0);
            QCOMPARE(r.value(QStringLiteral("组合库存")).toString(), QStringLiteral("0"));
        }
    }

    void onlyOneRowPerCode_data()
    {
        QTest::addColumn<QString>("existingIn");
        QTest::newRow("code already in 库存") << QStringLiteral("库存");
        QTest::newRow("code already in 库存2") << QStringLiteral("库存2");
        QTest::newRow("code already in a warehouse") << QStringLiteral("一号仓");
    }
    void onlyOneRowPerCode()
    {
        QFETCH(QString, existingIn);
        test::TestDatabase t;
        Database& db = t.db();
        addWarehouse(db, QStringLiteral("一号仓"));
        db.exec(QStringLiteral("insert into ") + quoteIdentifier(existingIn) +
                QStringLiteral("(货位,编码,数量,金额,标记,组合库存) values('x','A1',3,0,0,'0')"));

        {
            TransactionGuard tx(db);
            QVERIFY_THROWS_EXCEPTION(DbError, StockTables::AddGoodsRows(db, QStringLiteral("A1"), today));
        }
        for (const QString& table :
             {QStringLiteral("库存"), QStringLiteral("库存2"), QStringLiteral("一号仓")})
            QCOMPARE(rowsWithCode(db, table, QStringLiteral("A1")), table == existingIn ? 1 : 0);
        // The table itself refuses a second row too.
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db.exec(QStringLiteral("insert into ") + quoteIdentifier(existingIn) +
                                         QStringLiteral("(货位,编码) values('x','A1')")));
    }

    void deleteGoodsRowsEverywhere()
    {
        test::TestDatabase t;
        Database& db = t.db();
        addWarehouse(db, QStringLiteral("一号仓"));
        addWarehouse(db, QStringLiteral("select"));
        StockTables::AddGoodsRows(db, QStringLiteral("K1"), today);
        StockTables::AddGoodsRows(db, QStringLiteral("K2"), today);
        db.exec(QStringLiteral("insert into 期初库存表(编码,期初库存,期初金额) values('K1',1,1),('K2',2,2)"));

        StockTables::DeleteGoodsRows(db, QStringLiteral("K1"));

        for (const QString& table :
             {QStringLiteral("库存"), QStringLiteral("库存2"), QStringLiteral("一号仓"),
              QStringLiteral("select"), QStringLiteral("期初库存表")}) {
            QCOMPARE(rowsWithCode(db, table, QStringLiteral("K1")), 0);
            QCOMPARE(rowsWithCode(db, table, QStringLiteral("K2")), 1);
        }
    }

    void resetAllZeroesEveryTable()
    {
        test::TestDatabase t;
        Database& db = t.db();
        addWarehouse(db, QStringLiteral("一号仓"));
        StockTables::AddGoodsRows(db, QStringLiteral("R1"), today);
        for (const QString& table :
             {QStringLiteral("库存"), QStringLiteral("库存2"), QStringLiteral("一号仓")})
            db.exec(QStringLiteral("update ") + quoteIdentifier(table) +
                    QStringLiteral(" set 数量=9,金额=3,组合库存='9箱'"));

        StockTables::ResetAll(db, QDate(2025, 1, 2));

        for (const QString& table :
             {QStringLiteral("库存"), QStringLiteral("库存2"), QStringLiteral("一号仓")}) {
            const Row r =
                db.query(QStringLiteral("select 数量,金额,组合库存,日期 from ") + quoteIdentifier(table))
                    .first();
            QVERIFY(Decimal::fromVariant(r.value(0)).isZero());
            QVERIFY(Decimal::fromVariant(r.value(1)).isZero());
            QCOMPARE(r.value(2).toString(), QStringLiteral("0"));
            QCOMPARE(r.value(3).toDate(), QDate(2025, 1, 2));
        }
    }
};

MZT_TEST_MAIN(TestStockTables)
#include "tst_stocktables.moc"
