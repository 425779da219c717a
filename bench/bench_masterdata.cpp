// Figures for a distributor's size: 100,000 goods and 20 warehouses. Prints the time of
// each step; runs on SQLite, or on PostgreSQL when MZT_TEST_PG is set and --pg is given.
#include "testdb.h"

#include "goods.h"
#include "lists.h"
#include "stocktables.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <memory>
#include <vector>

using namespace mzt;

namespace {

void report(const char* what, qint64 ns, int count = 1)
{
    if (count > 1)
        std::printf("%-52s %10.3f ms  (%d, %.3f ms each)\n", what, ns / 1e6, count, ns / 1e6 / count);
    else
        std::printf("%-52s %10.3f ms\n", what, ns / 1e6);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int goods = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int warehouses = 20;
    test::TestSession s;
    Database& db = s.db();
    QElapsedTimer t;

    t.start();
    for (int w = 1; w <= warehouses; ++w) {
        TransactionGuard tx(db);
        const QString name = QStringLiteral("仓库%1").arg(w, 2, 10, QLatin1Char('0'));
        db.exec(QStringLiteral("insert into 货位 (货位编码, 货位名称) values (?, ?)"), {QString::number(w), name});
        StockTables::CreateWarehouseTable(db, name);
        tx.commit();
    }
    report("create 20 empty warehouses", t.nsecsElapsed(), warehouses);

    const QStringList names = StockTables::warehouseNames(db);
    t.restart();
    {
        TransactionGuard tx(db);
        Statement goodsRow(db, QStringLiteral("insert into 商品 (编码, 条码, 品名, 单位, 进价, 批价, 售价, 淘汰否, 柜组, "
                                              "换算数, 小包装, 备注) values (?, ?, ?, '件', ?, ?, ?, '否', '1件*12袋*24包', "
                                              "'件袋包', 288, ?)"));
        Statement total(db, QStringLiteral("insert into 库存 (货位,编码,数量,金额,日期,标记,组合库存) values ('库存',?,0,0,'2026-01-01',0,'0')"));
        Statement copy(db, QStringLiteral("insert into 库存2 (货位,编码,数量,金额,日期,标记,组合库存) values ('库存2',?,0,0,'2026-01-01',0,'0')"));
        std::vector<std::unique_ptr<Statement>> perWarehouse;
        for (const QString& w : names)
            perWarehouse.push_back(std::make_unique<Statement>(
                db, QStringLiteral("insert into ") + quoteIdentifier(w)
                        + QStringLiteral(" (货位,编码,数量,金额,日期,标记,组合库存) values (?,?,0,0,'2026-01-01',0,'0')")));
        for (int i = 0; i < goods - 1000; ++i) {
            const QString code = QStringLiteral("B0101%1").arg(i, 6, 10, QLatin1Char('0'));
            const QString barcode = QStringLiteral("69%1").arg(i, 11, 10, QLatin1Char('0'));
            goodsRow.exec({code, barcode, QStringLiteral("商品%1号 可乐").arg(i), QStringLiteral("1.5"), QStringLiteral("2"),
                           QStringLiteral("2.5"), barcode});
            total.exec({code});
            copy.exec({code});
            for (size_t w = 0; w < perWarehouse.size(); ++w)
                perWarehouse[w]->exec({names.at(int(w)), code});
        }
        tx.commit();
    }
    report("bulk goods with 22 stock rows each (prepared)", t.nsecsElapsed(), goods - 1000);

    t.restart();
    for (int i = goods - 1000; i < goods; ++i) {
        const QString code = QStringLiteral("B0101%1").arg(i, 6, 10, QLatin1Char('0'));
        TransactionGuard tx(db);
        db.exec(QStringLiteral("insert into 商品 (编码, 品名, 淘汰否) values (?, ?, '否')"), {code, QStringLiteral("新品%1").arg(i)});
        StockTables::AddGoodsRows(db, code);
        tx.commit();
    }
    report("new goods as the goods window saves them", t.nsecsElapsed(), 1000);

    t.restart();
    {
        TransactionGuard tx(db);
        db.exec(QStringLiteral("insert into 货位 (货位编码, 货位名称) values ('21', '新仓库')"));
        StockTables::CreateWarehouseTable(db, QStringLiteral("新仓库"));
        tx.commit();
    }
    report("new warehouse filled from 库存", t.nsecsElapsed());

    const char* searches[] = {"可乐", "B0101099", "6900000012345", "没有这个"};
    for (const char* text : searches) {
        t.restart();
        const int n = int(SearchGoods(db, QString::fromUtf8(text)).size());
        char label[96];
        std::snprintf(label, sizeof label, "SearchGoods(%s) -> %d rows", text, n);
        report(label, t.nsecsElapsed());
    }

    GoodsList list(s.session());
    t.restart();
    const int all = int(list.ListGoods().size());
    report(qPrintable(QStringLiteral("goods list, all %1 rows").arg(all)), t.nsecsElapsed());
    GoodsQuery q;
    q.name = QStringLiteral("商品12");
    t.restart();
    const int byName = int(list.ListGoodsByQuery(q).size());
    report(qPrintable(QStringLiteral("goods list filtered by name -> %1 rows").arg(byName)), t.nsecsElapsed());
    return 0;
}
