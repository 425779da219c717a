#include "goodsselection.h"

namespace mzt {

namespace {

// The tags in the order an entry holds them; "$00#" closes the entry.
const char* const entryTags[] = {"$11#", "$22#", "$33#", "$55#", "$66#", "$77#", "$88#", "$99#", "$00#"};

} // namespace

QString GoodsSelectionEntry::toText() const
{
    return QStringLiteral("$11#") + code + QStringLiteral("$22#") + unit + QStringLiteral("$33#") + quantity +
           QStringLiteral("$55#") + warehouse + QStringLiteral("$66#") + QStringLiteral("$77#") + discount +
           QStringLiteral("$88#") + price + QStringLiteral("$99#") + name + QStringLiteral("$00#");
}

std::optional<GoodsSelectionEntry> GoodsSelectionEntry::fromText(const QString& text)
{
    QStringList values;
    qsizetype from = 0;
    for (const char* tag : entryTags) {
        const QString t = QString::fromLatin1(tag);
        const qsizetype at = text.indexOf(t, from);
        if (at < 0)
            return std::nullopt;
        if (from == 0 && at != 0)
            return std::nullopt;
        if (from > 0)
            values.append(text.mid(from, at - from));
        from = at + t.size();
    }
    GoodsSelectionEntry e;
    e.code = values.at(0);
    e.unit = values.at(1);
    e.quantity = values.at(2);
    e.warehouse = values.at(3);
    // values.at(4) is the empty field after "$66#".
    e.discount = values.at(5);
    e.price = values.at(6);
    e.name = values.at(7);
    return e;
}

void GoodsSelectionList::add(const GoodsSelectionEntry& entry)
{
    const int i = indexOf(entry.code);
    if (i >= 0)
        m_entries[i] = entry;
    else
        m_entries.append(entry);
}

bool GoodsSelectionList::remove(const QString& code)
{
    const int i = indexOf(code);
    if (i < 0)
        return false;
    m_entries.removeAt(i);
    return true;
}

int GoodsSelectionList::indexOf(const QString& code) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).code == code)
            return i;
    }
    return -1;
}

QStringList GoodsSelectionList::texts() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const GoodsSelectionEntry& e : m_entries)
        out.append(e.toText());
    return out;
}

} // namespace mzt
