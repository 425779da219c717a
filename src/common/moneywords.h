#pragma once

#include "decimal.h"

#include <QString>

namespace mzt {

// The amount in Chinese capital numerals as printed on bills and receipts,
// rounded to fen: 1234.56 gives 壹仟贰佰叁拾肆圆伍角陆分, 100 gives 壹佰圆整, 0 gives 零.
// A negative amount is written "负" followed by the text of its absolute value.
QString MoneyToChineseUpper(const Decimal& amount);

} // namespace mzt
