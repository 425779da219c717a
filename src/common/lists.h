#pragma once

#include "database.h"

#include <QString>
#include <QStringList>

namespace mzt {

// Appends (without clearing) the names of kind 0 warehouses, 1 salespersons, 2 account
// subjects, 3 warehouses.
void FillNameList(Database& db, int kind, QStringList& list);
// Replaces the list with kind 0 handlers, 1 bank accounts, 2 other-income items,
// 3 other-expense items, 4 account subjects.
void FillFinanceList(Database& db, int kind, QStringList& list);
// Appends the site names, then "所有站点".
void FillSiteList(Database& db, QStringList& list);

// Goods whose barcode, name or code contains the text, or whose 备注 equals it.
// The 淘汰否 test binds to the barcode term only, as the bill line editor expects.
Rows SearchGoods(Database& db, const QString& text);

// Number of rows of a table named at run time.
qint64 CountRows(Database& db, const QString& table);

// Keeps a warehouse's stock table: 1 creates it, 2 drops it, 3 fills it with one zero
// row per goods code of 库存, labelled with the warehouse's name.
void StockSnapshotTable(Database& db, int action, const QString& warehouse);

} // namespace mzt
