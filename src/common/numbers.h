#pragma once

#include <QDateTime>
#include <QString>

namespace mzt {

// True when the trimmed text reads as a real number between -1e18 and 1e18 inclusive
// ("12", " -3.5 ", "1e18"); blank or other text gives false. Never throws.
// The range is wider than Decimal's: convert validated text with Decimal::parse.
bool IsValidNumber(const QString& t) noexcept;

// A record number: the prefix, the date "yyyyMMdd" and the time "HHmmss", all zero-padded,
// so that 2011-01-12 and 2011-11-02 give different numbers (X20110305140709).
QString MakeBillNumber(const QString& prefix, const QDateTime& now = QDateTime::currentDateTime());

} // namespace mzt
