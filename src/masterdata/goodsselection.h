#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace mzt {

// One goods item picked in a list, as a bill takes it over: the line's code, unit,
// quantity, warehouse, discount, price and name.
struct GoodsSelectionEntry
{
    QString code;
    QString unit;
    QString quantity = QStringLiteral("1");
    QString warehouse;
    QString discount = QStringLiteral("1");
    QString price;
    QString name;

    // The entry as one text: "$11#" code "$22#" unit "$33#" quantity "$55#" warehouse "$66#"
    // "$77#" discount "$88#" price "$99#" name "$00#".
    QString toText() const;
    // nullopt for a text that is not an entry (a tag missing or out of order).
    static std::optional<GoodsSelectionEntry> fromText(const QString& text);

    bool operator==(const GoodsSelectionEntry&) const = default;
};

// The goods picked in a goods list or a search list, carried back to the bill that opened
// it. A bill owns one while it is open; entries stay in the order they were picked and a
// goods code is held at most once.
class GoodsSelectionList final
{
public:
    // Adds the entry, or replaces the entry of the same goods code in its place.
    void add(const GoodsSelectionEntry& entry);
    // false when the code was not in the list.
    bool remove(const QString& code);
    void clear() { m_entries.clear(); }

    bool contains(const QString& code) const { return indexOf(code) >= 0; }
    int indexOf(const QString& code) const;
    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QList<GoodsSelectionEntry>& entries() const { return m_entries; }
    const GoodsSelectionEntry& at(int i) const { return m_entries.at(i); }
    // Every entry as its text, in list order.
    QStringList texts() const;

private:
    QList<GoodsSelectionEntry> m_entries;
};

} // namespace mzt
