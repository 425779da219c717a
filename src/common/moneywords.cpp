#include "moneywords.h"

namespace mzt {

namespace {

// Digits 零..玖 at 0..9, an unused 10, 分 and 角 at 11 and 12, and the units of the
// integer places 1 to 13 (圆 拾 佰 仟 万 拾 佰 仟 亿 拾 佰 仟 万) at 13..25.
constexpr char16_t Table[] = u"零壹贰叁肆伍陆柒捌玖◇分角圆拾佰仟万拾佰仟亿拾佰仟万";
static_assert(sizeof Table / sizeof Table[0] == 27);

QString digitChar(int d)
{
    return QString(QChar(Table[d]));
}

QString words(const Decimal& amount)
{
    // Rounded to fen, half away from zero; the range keeps this within 64 bits.
    const quint64 cents = (quint64(amount.millionths()) + 5000) / 10000;
    const bool small = amount < Decimal(1);
    const QString integerDigits = QString::number(cents / 100);
    const int jiao = int(cents / 10 % 10);
    const int fen = int(cents % 10);

    QString integerText;
    bool previousZero = small;
    const qsizetype places = integerDigits.size();
    for (qsizetype i = 1; i <= places; ++i) {
        const int d = integerDigits.at(places - i).digitValue();
        const bool keyPlace = i == 1 || i == 5 || i == 9; // 圆, 万, 亿
        QString digitText;
        if (!(d == 0 && (previousZero || keyPlace)))
            digitText = digitChar(d);
        QString unitText;
        if (i <= 13)
            unitText = QChar(Table[12 + i]);
        if (d == 0 && !keyPlace)
            unitText.clear();
        if (d == 0 && i == 1 && previousZero)
            unitText.clear();
        integerText.prepend(digitText + unitText);
        previousZero = d == 0;
    }
    // 一亿 with nothing in the 万 places reads 壹亿圆, not 壹亿万圆.
    integerText.replace(QStringLiteral("亿万"), QStringLiteral("亿"));

    const QString fenText = fen == 0 ? QStringLiteral("整") : digitChar(fen) + QStringLiteral("分");
    QString jiaoText;
    if (jiao != 0)
        jiaoText = digitChar(jiao) + QStringLiteral("角");
    else if (!(fen == 0 || small))
        jiaoText = QStringLiteral("零");

    return integerText + jiaoText + fenText;
}

} // namespace

QString MoneyToChineseUpper(const Decimal& amount)
{
    // Anything that shows as 0.00 reads 零 (a bare 整 would be printed for 0.001 otherwise).
    if (amount.abs() < Decimal::fromMillionths(5000))
        return QStringLiteral("零");
    if (amount.isNegative())
        return QStringLiteral("负") + words(amount.abs());
    return words(amount);
}

} // namespace mzt
