#pragma once

#include <QHashFunctions>
#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>

#include <compare>
#include <concepts>
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <type_traits>

class QDebug;

namespace mzt {

// Thrown by Decimal division when the divisor is zero.
class DivisionByZero final : public std::domain_error
{
public:
    DivisionByZero() : std::domain_error("decimal division by zero") {}
};

// An exact decimal number: a signed 64-bit count of millionths.
// Quantities, prices and amounts are held in it, never in double. Every rounding
// (more than six decimals in text, products, quotients, round(), toFixed(), format())
// goes half away from zero. Results beyond ±9223372036854.775807 throw std::overflow_error.
class Decimal final
{
public:
    static constexpr qint64 Scale = 1'000'000;
    static constexpr int Decimals = 6;
    // The largest magnitude; the range is symmetric so that negation never overflows.
    static constexpr qint64 MaxMillionths = std::numeric_limits<qint64>::max();

    constexpr Decimal() : m_v(0) {}
    // Whole numbers.
    constexpr Decimal(int whole) : m_v(qint64(whole) * Scale) {}
    Decimal(qint64 whole) : m_v(checked(static_cast<__int128>(whole) * Scale)) {}
    template <std::integral T>
    requires(!std::same_as<T, int> && !std::same_as<T, qint64> && !std::same_as<T, bool>) Decimal(T whole)
        : m_v(checked(static_cast<__int128>(whole) * Scale))
    {
    }
    // A double must go through fromDouble(), which says how it is rounded.
    Decimal(double) = delete;

    static Decimal fromMillionths(qint64 millionths)
    {
        Decimal d;
        d.m_v = checked(millionths);
        return d;
    }
    // Plain decimal text: blanks around it, an optional sign, digits with an optional
    // decimal point (".5" and "5." are accepted) and an optional exponent ("1.5e3").
    // More than six decimals are rounded. nullopt when the text is not such a number
    // or lies beyond the range.
    static std::optional<Decimal> parse(QStringView text);
    // parse(), or the fallback when the text is not a number or beyond the range.
    static Decimal fromText(QStringView text, Decimal fallback = {});
    // A database or widget value: null and invalid give 0; integers, bool, doubles
    // (fromDouble) and numeric text (as PostgreSQL hands numerics over) convert;
    // text that is not a number gives 0. Numbers beyond the range throw std::overflow_error.
    static Decimal fromVariant(const QVariant& value);
    // The double's shortest decimal form, rounded to millionths: 0.1 gives exactly 0.1
    // and 2.0000005 gives 2.000001. Infinite, NaN or too large values throw std::overflow_error.
    static Decimal fromDouble(double value);

    constexpr qint64 millionths() const { return m_v; }

    // Shortest plain text: "12.5", "3", "-0.000001".
    QString toString() const;
    // Rounded to the given number of decimals and written with exactly that many.
    QString toFixed(int decimals) const;
    // Number pictures: "0", "0.00", "0.000", "#,##0.00", "#,##0", "0.0#"; text before or
    // after the picture is kept ("0.00元"). '0' places are always written, '#' places only
    // when not zero, a ',' before the point groups thousands. An empty picture gives toString().
    QString format(const QString& picture) const;

    // Rounded to the given number of decimals (negative counts round to tens, hundreds, ...).
    Decimal round(int decimals) const;
    // The whole part, toward zero.
    constexpr qint64 truncated() const { return m_v / Scale; }
    constexpr bool isWhole() const { return m_v % Scale == 0; }
    constexpr bool isZero() const { return m_v == 0; }
    constexpr bool isNegative() const { return m_v < 0; }
    constexpr Decimal abs() const { return m_v < 0 ? -*this : *this; }
    double toDouble() const { return double(m_v) / double(Scale); }
    // The text form, as bound to statements.
    QVariant toVariant() const { return QVariant(toString()); }

    constexpr Decimal operator-() const
    {
        Decimal d;
        d.m_v = -m_v;
        return d;
    }
    constexpr Decimal operator+() const { return *this; }

    friend Decimal operator+(Decimal a, Decimal b) { return raw(checked(__int128(a.m_v) + b.m_v)); }
    friend Decimal operator-(Decimal a, Decimal b) { return raw(checked(__int128(a.m_v) - b.m_v)); }
    friend Decimal operator*(Decimal a, Decimal b)
    {
        return raw(divideRounded(__int128(a.m_v) * b.m_v, Scale));
    }
    friend Decimal operator/(Decimal a, Decimal b)
    {
        if (b.m_v == 0)
            throw DivisionByZero();
        return raw(divideRounded(__int128(a.m_v) * Scale, b.m_v));
    }
    Decimal& operator+=(Decimal b) { return *this = *this + b; }
    Decimal& operator-=(Decimal b) { return *this = *this - b; }
    Decimal& operator*=(Decimal b) { return *this = *this * b; }
    Decimal& operator/=(Decimal b) { return *this = *this / b; }

    friend constexpr bool operator==(const Decimal&, const Decimal&) = default;
    friend constexpr std::strong_ordering operator<=>(const Decimal&, const Decimal&) = default;

private:
    static Decimal raw(qint64 v)
    {
        Decimal d;
        d.m_v = v;
        return d;
    }
    [[noreturn]] static void throwOverflow();
    static qint64 checked(__int128 v)
    {
        if (v > MaxMillionths || v < -MaxMillionths) [[unlikely]]
            throwOverflow();
        return qint64(v);
    }
    // n / d rounded half away from zero, range-checked.
    static qint64 divideRounded(__int128 n, __int128 d)
    {
        __int128 q = n / d;
        const __int128 r = n % d;
        if (r != 0) {
            const __int128 ar = r < 0 ? -r : r;
            const __int128 ad = d < 0 ? -d : d;
            if (2 * ar >= ad)
                q += ((n < 0) != (d < 0)) ? -1 : 1;
        }
        return checked(q);
    }

    qint64 m_v;
};

inline size_t qHash(const Decimal& d, size_t seed = 0) noexcept
{
    return ::qHash(d.millionths(), seed);
}

QDebug operator<<(QDebug debug, const Decimal& d);
// Lets QCOMPARE print decimals (found by argument-dependent lookup).
char* toString(const Decimal& d);

} // namespace mzt

template <> struct std::hash<mzt::Decimal>
{
    size_t operator()(const mzt::Decimal& d) const noexcept { return std::hash<qint64>{}(d.millionths()); }
};

Q_DECLARE_METATYPE(mzt::Decimal)
