#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace mzt {

// A plain UTF-8 INI file: [section] headers and key=value lines, Chinese keys kept as
// they stand. Order of sections and keys is kept; comments (";" or "#") survive a save.
class IniFile final
{
public:
    explicit IniFile(const QString& path = {});
    // Re-reads the file; a missing file reads as empty.
    void load();
    // Writes the file atomically; false when it cannot be written.
    bool save() const;

    QString value(const QString& section, const QString& key, const QString& def = {}) const;
    bool contains(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void remove(const QString& section, const QString& key);
    QStringList keys(const QString& section) const;
    const QString& path() const { return m_path; }

    // Parses INI text (exposed for tests and for files read from elsewhere).
    void parse(const QString& text);
    QString text() const;

private:
    struct Line
    {
        QString key;   // empty for comments and blank lines
        QString value; // the raw line for comments
    };
    struct Section
    {
        QString name;
        QList<Line> lines;
    };
    Section* find(const QString& section);
    const Section* find(const QString& section) const;

    QString m_path;
    QList<Section> m_sections;
};

} // namespace mzt
