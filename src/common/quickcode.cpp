#include "quickcode.h"

#include <QByteArray>
#include <QStringEncoder>

namespace mzt {

namespace {

struct InitialRange
{
    char letter;
    int first;
    int last;
};

// Level-1 hanzi of GB2312 are ordered by pinyin; each letter covers a run of codes
// (first byte × 256 + second byte). X runs up to 迅 (53688) so that 学, 雪, 寻 and 迅 are X.
constexpr InitialRange Ranges[] = {
    {'A', 45217, 45252}, {'B', 45253, 45760}, {'C', 45761, 46317}, {'D', 46318, 46825}, {'E', 46826, 47009},
    {'F', 47010, 47296}, {'G', 47297, 47613}, {'H', 47614, 48118}, {'J', 48119, 49061}, {'K', 49062, 49323},
    {'L', 49324, 49895}, {'M', 49896, 50370}, {'N', 50371, 50613}, {'O', 50614, 50621}, {'P', 50622, 50905},
    {'Q', 50906, 51386}, {'R', 51387, 51445}, {'S', 51446, 52217}, {'T', 52218, 52697}, {'W', 52698, 52979},
    {'X', 52980, 53688}, {'Y', 53689, 54480}, {'Z', 54481, 55289},
};

char initialOf(int code)
{
    for (const InitialRange& r : Ranges) {
        if (code >= r.first && code <= r.last)
            return r.letter;
    }
    return 'M';
}

} // namespace

QString MakeQuickCode(const QString& text)
{
    const QString name = text.trimmed();
    QStringEncoder encoder("GB18030");
    QString code;
    code.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        const QChar c = name.at(i);
        if (c.unicode() < 0x80) {
            code += c;
            ++i;
            continue;
        }
        const qsizetype len =
            c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate() ? 2 : 1;
        encoder.resetState();
        const QByteArray bytes = encoder.encode(QStringView(name).mid(i, len));
        i += len;
        // Four-byte sequences (characters beyond GBK) and anything the encoder refuses are
        // outside every range.
        int gb = 0;
        if (!encoder.hasError() && bytes.size() == 2)
            gb = (quint8(bytes.at(0)) << 8) | quint8(bytes.at(1));
        code += QLatin1Char(initialOf(gb));
    }
    return code;
}

} // namespace mzt
