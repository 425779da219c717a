#include "packs.h"

#include "database.h"

#include <QList>

#include <optional>

namespace mzt {

namespace {

// The ratios of a packing text: each run of digits, in order. A run that ends the
// text is not followed by a unit name and is left out. A run too long to be a sensible
// ratio is kept as unknown so that the places of the others do not shift.
QList<std::optional<qint64>> packingRatios(const QString& packing)
{
    QList<std::optional<qint64>> numbers;
    const qsizetype n = packing.size();
    qsizetype i = 0;
    while (i < n) {
        if (!(packing[i] >= u'0' && packing[i] <= u'9')) {
            ++i;
            continue;
        }
        qint64 value = 0;
        int digits = 0;
        for (; i < n && packing[i] >= u'0' && packing[i] <= u'9'; ++i) {
            if (digits < 18)
                value = value * 10 + (packing[i].unicode() - u'0');
            ++digits;
        }
        if (i == n)
            break;
        if (digits <= 18)
            numbers.append(value);
        else
            numbers.append(std::nullopt);
    }
    return numbers;
}

// A usable ratio at that place: present and not zero.
std::optional<qint64> ratio(const QList<std::optional<qint64>>& numbers, int index)
{
    if (index >= numbers.size() || !numbers.at(index) || *numbers.at(index) == 0)
        return std::nullopt;
    return numbers.at(index);
}

void appendPart(QString& text, __int128 count, const QString& unit)
{
    if (count != 0)
        text += QString::number(qint64(count)) + unit;
}

} // namespace

QString SplitIntoPacks(const Decimal& q, const QString& packing, const QString& names)
{
    try {
        const qsizetype units = names.size();
        if (units < 1 || units > 3 || q.isZero())
            return {};
        const auto numbers = packingRatios(packing);
        const QString u1 = names.mid(0, 1);
        QString text;
        if (units == 3) {
            const auto n1 = ratio(numbers, 1);
            const auto n2 = ratio(numbers, 2);
            if (!n1 || !n2 || !q.isWhole())
                return {};
            const __int128 whole = q.truncated();
            const __int128 perBig = __int128(*n1) * *n2;
            const __int128 big = whole / perBig;
            const __int128 mid = (whole / *n2) % *n1;
            const __int128 small = whole - big * perBig - mid * *n2;
            appendPart(text, big, u1);
            appendPart(text, mid, names.mid(1, 1));
            appendPart(text, small, names.mid(2, 1));
        } else if (units == 2) {
            const auto n1 = ratio(numbers, 1);
            if (!n1)
                return {};
            if (!q.isWhole())
                return q.toString() + names.mid(1, 1);
            const qint64 whole = q.truncated();
            appendPart(text, whole / *n1, u1);
            appendPart(text, whole % *n1, names.mid(1, 1));
        } else {
            if (numbers.isEmpty() || !numbers.first())
                return {};
            text = (Decimal(*numbers.first()) * q).toFixed(6) + u1;
        }
        return text;
    } catch (...) {
        // A product beyond the range of Decimal: no pack text rather than an error.
        return {};
    }
}

QString GoodsPackText(Database& db, const Decimal& q, const QString& code)
{
    try {
        const Rows rows =
            db.query(QStringLiteral("select 柜组,换算数,小包装 from 商品 where 编码=?"), {code});
        if (rows.isEmpty())
            return {};
        const Row& r = rows.first();
        return SplitIntoPacks(q, r.value(QStringLiteral("柜组")).toString(),
                              r.value(QStringLiteral("换算数")).toString());
    } catch (...) {
        return {};
    }
}

QString GoodsUnitPriceText(Database& db, const Decimal& x, const Decimal& y, const QString& code)
{
    try {
        const auto names = db.scalar(QStringLiteral("select 换算数 from 商品 where 编码=?"), {code});
        if (!names)
            return {};
        const QString n = names->toString();
        QString unit;
        if (!n.isEmpty())
            unit = n.at(n.size() - 1).isLowSurrogate() && n.size() > 1 ? n.right(2) : n.right(1);
        return (x / y).toString() + unit;
    } catch (...) {
        return {};
    }
}

QString GoodsPackPriceText(Database& db, const Decimal& p, const QString& code)
{
    try {
        const auto pack = db.scalar(QStringLiteral("select 小包装 from 商品 where 编码=?"), {code});
        if (!pack)
            return {};
        Decimal perPack;
        if (pack->typeId() == QMetaType::QString || pack->typeId() == QMetaType::QByteArray) {
            // Stored text that is not a number is a failure, not a zero.
            const QString t = pack->toString();
            if (!t.trimmed().isEmpty()) {
                const auto parsed = Decimal::parse(t);
                if (!parsed)
                    return {};
                perPack = *parsed;
            }
        } else {
            perPack = Decimal::fromVariant(*pack);
        }
        return (p * perPack).round(3).toString() + QStringLiteral("元");
    } catch (...) {
        return {};
    }
}

} // namespace mzt
