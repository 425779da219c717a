#pragma once

#include <QString>

namespace mzt {

// The quick code of a name: the name trimmed, every ASCII character kept as it is and every
// other character replaced by the upper-case pinyin initial of its GB2312 code (可比克 gives
// KBK). Characters outside the level-1 hanzi ranges (symbols, full-width letters, level-2
// hanzi, characters GB2312 does not hold) give M.
QString MakeQuickCode(const QString& text);

} // namespace mzt
