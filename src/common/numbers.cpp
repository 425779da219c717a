#include "numbers.h"

namespace mzt {

bool IsValidNumber(const QString& t) noexcept
{
    try {
        bool ok = false;
        const double v = t.trimmed().toDouble(&ok);
        // NaN fails both comparisons, infinities fail one.
        return ok && v >= -1e18 && v <= 1e18;
    } catch (...) {
        return false;
    }
}

QString MakeBillNumber(const QString& prefix, const QDateTime& now)
{
    return prefix + now.toString(QStringLiteral("yyyyMMdd")) + now.toString(QStringLiteral("HHmmss"));
}

} // namespace mzt
