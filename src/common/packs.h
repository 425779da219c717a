#pragma once

#include "decimal.h"

#include <QString>

namespace mzt {

class Database;

// A quantity of smallest units written as whole packs, largest unit first, each count
// followed by its unit name and left out when zero: 3600 with the packing 1件*12袋*24包
// (商品.柜组) and the names 件袋包 (商品.换算数, one character per unit) gives 12件6袋.
// The ratios are the runs of digits of the packing; a run that ends it does not count.
// Empty for q = 0, for names not of one to three characters, for a non-whole quantity with three
// units, and for ratios that are missing or zero. A non-whole quantity with two units is
// written in the smallest unit (30.5袋); with one unit it is written with six decimals (3.000000件).
QString SplitIntoPacks(const Decimal& q, const QString& packing, const QString& names);

// The pack text of a quantity of smallest units of the goods item with this code
// (商品.柜组 and 商品.换算数); empty when the goods item is missing or anything fails.
QString GoodsPackText(Database& db, const Decimal& q, const QString& code);
// x ÷ y followed by the goods item's smallest unit name (the last character of 换算数);
// empty when the goods item is missing, y is 0 or anything fails.
QString GoodsUnitPriceText(Database& db, const Decimal& x, const Decimal& y, const QString& code);
// The price of one largest unit: p × 商品.小包装 rounded to 3 decimals, followed by "元";
// empty when the goods item is missing or anything fails.
QString GoodsPackPriceText(Database& db, const Decimal& p, const QString& code);

} // namespace mzt
