#include "decimal.h"

#include <QByteArray>
#include <QDebug>

#include <charconv>
#include <cmath>

namespace mzt {

namespace {

enum class ParseResult
{
    Ok,
    NotANumber,
    OutOfRange
};

constexpr quint64 Pow10[] = {1ULL,
                             10ULL,
                             100ULL,
                             1000ULL,
                             10000ULL,
                             100000ULL,
                             1000000ULL,
                             10000000ULL,
                             100000000ULL,
                             1000000000ULL,
                             10000000000ULL,
                             100000000000ULL,
                             1000000000000ULL,
                             10000000000000ULL,
                             100000000000000ULL,
                             1000000000000000ULL,
                             10000000000000000ULL,
                             100000000000000000ULL,
                             1000000000000000000ULL,
                             10000000000000000000ULL};

inline bool isBlank(char16_t c)
{
    return QChar(c).isSpace();
}
inline bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
template <typename Ch> inline bool isDigit(Ch c)
{
    return c >= Ch('0') && c <= Ch('9');
}

// Reads decimal text into millionths. The number is held as its significant digits
// d1 d2 d3 ... and the place of the decimal point: value = 0.d1d2d3... x 10^point.
// Only the first 19 digits can matter (the range) plus one for rounding, so at most
// 40 are kept however long the text is.
template <typename Ch> ParseResult parseMillionths(const Ch* s, qsizetype size, qint64& out)
{
    qsizetype b = 0;
    qsizetype e = size;
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    if (b == e)
        return ParseResult::NotANumber;

    bool negative = false;
    if (s[b] == Ch('+') || s[b] == Ch('-')) {
        negative = s[b] == Ch('-');
        ++b;
    }

    constexpr int Keep = 40;
    char digits[Keep];
    int count = 0;
    qint64 point = 0;
    bool anyDigit = false;
    bool nonZero = false;
    qsizetype i = b;
    for (; i < e && isDigit(s[i]); ++i) {
        anyDigit = true;
        const char c = char(s[i]);
        if (!nonZero && c == '0')
            continue;
        nonZero = true;
        if (count < Keep)
            digits[count++] = c;
        ++point;
    }
    if (i < e && s[i] == Ch('.')) {
        for (++i; i < e && isDigit(s[i]); ++i) {
            anyDigit = true;
            const char c = char(s[i]);
            if (!nonZero && c == '0') {
                --point;
                continue;
            }
            nonZero = true;
            if (count < Keep)
                digits[count++] = c;
        }
    }
    if (!anyDigit)
        return ParseResult::NotANumber;

    if (i < e && (s[i] == Ch('e') || s[i] == Ch('E'))) {
        ++i;
        bool expNegative = false;
        if (i < e && (s[i] == Ch('+') || s[i] == Ch('-'))) {
            expNegative = s[i] == Ch('-');
            ++i;
        }
        bool expDigit = false;
        qint64 exponent = 0;
        for (; i < e && isDigit(s[i]); ++i) {
            expDigit = true;
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (char(s[i]) - '0');
        }
        if (!expDigit)
            return ParseResult::NotANumber;
        point += expNegative ? -exponent : exponent;
    }
    if (i != e)
        return ParseResult::NotANumber;

    if (!nonZero) {
        out = 0;
        return ParseResult::Ok;
    }
    // Number of leading digits that make up the whole count of millionths.
    const qint64 n = point + Decimal::Decimals;
    if (n > 19)
        return ParseResult::OutOfRange;
    if (n < 0) {
        out = 0;
        return ParseResult::Ok;
    }
    unsigned __int128 acc = 0;
    for (int k = 0; k < n; ++k)
        acc = acc * 10 + (k < count ? unsigned(digits[k] - '0') : 0U);
    if (n < count && digits[n] >= '5')
        ++acc;
    if (acc > static_cast<unsigned __int128>(Decimal::MaxMillionths))
        return ParseResult::OutOfRange;
    out = negative ? -qint64(acc) : qint64(acc);
    return ParseResult::Ok;
}

ParseResult parseText(QStringView text, qint64& out)
{
    return parseMillionths(text.utf16(), text.size(), out);
}

// Text read from a database or a widget: not a number is 0, beyond the range is an error.
Decimal textOrZero(ParseResult result, qint64 v)
{
    switch (result) {
    case ParseResult::Ok:
        return Decimal::fromMillionths(v);
    case ParseResult::NotANumber:
        return {};
    case ParseResult::OutOfRange:
        break;
    }
    throw std::overflow_error("decimal value out of range");
}

quint64 magnitude(qint64 v)
{
    return v < 0 ? quint64(0) - quint64(v) : quint64(v);
}

// The magnitude rounded to `decimals` (0..6) places, as a count of those places.
quint64 roundedMagnitude(quint64 a, int decimals)
{
    const quint64 f = Pow10[Decimal::Decimals - decimals];
    return (a + f / 2) / f;
}

struct Layout
{
    int decimals = 0;    // places rounded to and written (at most 6)
    int minDecimals = 0; // places always written; beyond 6 they are zeros
    int minInteger = 1;  // integer digits always written
    bool grouping = false;
};

QString render(bool negative, quint64 scaled, const Layout& l, QStringView prefix = {},
               QStringView suffix = {})
{
    const quint64 pow = Pow10[l.decimals];
    quint64 ip = scaled / pow;
    quint64 fp = scaled % pow;

    char frac[8];
    int fracLen = l.decimals;
    for (int k = fracLen - 1; k >= 0; --k) {
        frac[k] = char('0' + fp % 10);
        fp /= 10;
    }
    while (fracLen > l.minDecimals && frac[fracLen - 1] == '0')
        --fracLen;

    char intBuf[40];
    char* p = intBuf + sizeof intBuf;
    int digits = 0;
    while (ip != 0 || digits < l.minInteger) {
        if (l.grouping && digits > 0 && digits % 3 == 0)
            *--p = ',';
        *--p = char('0' + ip % 10);
        ip /= 10;
        ++digits;
    }

    QString out;
    out.reserve(int(prefix.size() + suffix.size()) + 32 + qMax(0, l.minDecimals - l.decimals));
    if (negative && scaled != 0)
        out += QLatin1Char('-');
    out += prefix;
    out += QLatin1String(p, intBuf + sizeof intBuf - p);
    if (fracLen > 0 || l.minDecimals > l.decimals) {
        out += QLatin1Char('.');
        out += QLatin1String(frac, fracLen);
        for (int k = l.decimals; k < l.minDecimals; ++k)
            out += QLatin1Char('0');
    }
    out += suffix;
    return out;
}

} // namespace

void Decimal::throwOverflow()
{
    throw std::overflow_error("decimal value out of range");
}

std::optional<Decimal> Decimal::parse(QStringView text)
{
    qint64 v = 0;
    if (parseText(text, v) != ParseResult::Ok)
        return std::nullopt;
    return fromMillionths(v);
}

Decimal Decimal::fromText(QStringView text, Decimal fallback)
{
    qint64 v = 0;
    if (parseText(text, v) != ParseResult::Ok)
        return fallback;
    return fromMillionths(v);
}

Decimal Decimal::fromVariant(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? Decimal(1) : Decimal();
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return Decimal(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return Decimal(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(value.toDouble());
    case QMetaType::QString: {
        qint64 v = 0;
        const ParseResult r = parseText(value.toString(), v);
        return textOrZero(r, v);
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        qint64 v = 0;
        const ParseResult r = parseMillionths(bytes.constData(), bytes.size(), v);
        return textOrZero(r, v);
    }
    default:
        break;
    }
    if (value.metaType() == QMetaType::fromType<Decimal>())
        return value.value<Decimal>();
    if (value.canConvert<QString>()) {
        qint64 v = 0;
        const ParseResult r = parseText(value.toString(), v);
        return textOrZero(r, v);
    }
    return {};
}

Decimal Decimal::fromDouble(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e13)
        throwOverflow();
    // Below half a millionth everything rounds to zero; this also keeps the text short.
    if (std::fabs(value) < 1e-7)
        return {};
    char buf[128];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    qint64 v = 0;
    if (ec != std::errc() || parseMillionths(buf, end - buf, v) != ParseResult::Ok)
        throwOverflow();
    return fromMillionths(v);
}

QString Decimal::toString() const
{
    char buf[32];
    char* p = buf + sizeof buf;
    const quint64 a = magnitude(m_v);
    quint64 ip = a / Scale;
    quint64 fp = a % Scale;
    if (fp != 0) {
        int places = Decimals;
        while (fp % 10 == 0) {
            fp /= 10;
            --places;
        }
        for (int k = 0; k < places; ++k) {
            *--p = char('0' + fp % 10);
            fp /= 10;
        }
        *--p = '.';
    }
    do {
        *--p = char('0' + ip % 10);
        ip /= 10;
    } while (ip != 0);
    if (m_v < 0)
        *--p = '-';
    return QString::fromLatin1(p, buf + sizeof buf - p);
}

QString Decimal::toFixed(int decimals) const
{
    Layout l;
    l.decimals = qBound(0, decimals, int(Decimals));
    l.minDecimals = qMax(0, decimals);
    return render(m_v < 0, roundedMagnitude(magnitude(m_v), l.decimals), l);
}

QString Decimal::format(const QString& picture) const
{
    // The picture's body is the first run of placeholder characters; what surrounds it is kept.
    auto isPictureChar = [](QChar c) { return c == u'0' || c == u'#' || c == u',' || c == u'.'; };
    qsizetype b = 0;
    while (b < picture.size() && !(picture[b] == u'0' || picture[b] == u'#'))
        ++b;
    if (b == picture.size())
        return toString();
    // A leading "." or "," belongs to the body (".00").
    while (b > 0 && isPictureChar(picture[b - 1]))
        --b;
    qsizetype e = b;
    while (e < picture.size() && isPictureChar(picture[e]))
        ++e;

    Layout l;
    l.minInteger = 0;
    bool afterPoint = false;
    int places = 0;
    for (qsizetype i = b; i < e; ++i) {
        const QChar c = picture[i];
        if (c == u'.') {
            afterPoint = true;
        } else if (c == u',') {
            if (!afterPoint)
                l.grouping = true;
        } else if (afterPoint) {
            ++places;
            if (c == u'0')
                l.minDecimals = places;
        } else if (c == u'0') {
            ++l.minInteger;
        }
    }
    l.decimals = qMin(places, int(Decimals));
    return render(m_v < 0, roundedMagnitude(magnitude(m_v), l.decimals), l, QStringView(picture).left(b),
                  QStringView(picture).mid(e));
}

Decimal Decimal::round(int decimals) const
{
    if (decimals >= Decimals)
        return *this;
    const int shift = Decimals - decimals;
    // A factor beyond twice the range rounds everything to zero.
    if (shift > 20)
        return {};
    unsigned __int128 f = 1;
    for (int k = 0; k < shift; ++k)
        f *= 10;
    const unsigned __int128 a = magnitude(m_v);
    const unsigned __int128 r = (a + f / 2) / f * f;
    const __int128 signedResult = m_v < 0 ? -__int128(r) : __int128(r);
    return raw(checked(signedResult));
}

QDebug operator<<(QDebug debug, const Decimal& d)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "Decimal(" << d.toString() << ')';
    return debug;
}

char* toString(const Decimal& d)
{
    return qstrdup(d.toString().toLatin1().constData());
}

} // namespace mzt
