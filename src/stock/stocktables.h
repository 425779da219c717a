#pragma once

#include "database.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace mzt {

// The life of the stock rows outside postings: every goods code has one row in 库存, one in
// 库存2 and one in the stock table of each warehouse (a table named exactly after the
// warehouse's 货位名称). None of these opens a transaction: the caller wraps the goods or
// warehouse change and these rows in one. Failures throw DbError (InvalidNameError for a
// name the database cannot take) with a message fit for the user.
class StockTables final
{
public:
    // The seven columns every stock table has, in order.
    static const QStringList& columns();

    // The warehouse names of 货位, in name order.
    static QStringList warehouseNames(Database& db);

    // Zero rows for a new goods code: 库存 (labelled '库存'), 库存2 ('库存2') and every
    // warehouse table (labelled with the warehouse name); 数量 0, 金额 0, 日期 today,
    // 标记 0, 组合库存 '0'. Refused when any of these tables already holds the code.
    static void AddGoodsRows(Database& db, const QString& code, const QDate& today = QDate::currentDate());
    // The same for goods read by the spreadsheet import, which makes no 库存2 row.
    static void AddImportedGoodsRows(Database& db, const QString& code,
                                     const QDate& today = QDate::currentDate());
    // Removes the code from 库存, 库存2, every warehouse table and 期初库存表.
    static void DeleteGoodsRows(Database& db, const QString& code);

    // Empty when the name can become a new warehouse stock table, else the reason it cannot:
    // not a valid name, or the name of an existing table, view or index (in any letter case).
    static QString warehouseNameProblem(Database& db, const QString& name);
    // Creates the warehouse's stock table with one zero row per goods code of 库存.
    static void CreateWarehouseTable(Database& db, const QString& name);
    // True when the name is a warehouse of 货位 and its table is a stock table (never 库存,
    // 库存2 or any other table of the program).
    static bool isWarehouseTable(Database& db, const QString& name);
    // Drops a warehouse's stock table; refuses every other name. Call it while the
    // warehouse's 货位 row still exists.
    static void DropWarehouseTable(Database& db, const QString& name);

    // Initialisation: every row of 库存, 库存2 and each warehouse table back to 0 / '0'
    // with the given date.
    static void ResetAll(Database& db, const QDate& today);

private:
    static void addRows(Database& db, const QString& code, const QDate& today, bool withCopy);
};

} // namespace mzt
