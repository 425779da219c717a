#include "inifile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringDecoder>

namespace mzt {

IniFile::IniFile(const QString& path) : m_path(path)
{
    if (!m_path.isEmpty())
        load();
}

void IniFile::load()
{
    m_sections.clear();
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        // Files written by older workstations are in the Chinese ANSI code page.
        QStringDecoder gb("GB18030");
        if (gb.isValid())
            text = gb.decode(bytes);
    }
    parse(text);
}

void IniFile::parse(const QString& text)
{
    m_sections.clear();
    Section* current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString raw : lines) {
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            m_sections.append(Section{t.mid(1, t.size() - 2).trimmed(), {}});
            current = &m_sections.last();
            continue;
        }
        if (!current) {
            m_sections.append(Section{QString(), {}});
            current = &m_sections.last();
        }
        const int eq = raw.indexOf(QLatin1Char('='));
        if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')) || eq < 0) {
            current->lines.append(Line{QString(), raw});
            continue;
        }
        current->lines.append(Line{raw.left(eq).trimmed(), raw.mid(eq + 1).trimmed()});
    }
    // Trailing blank line produced by the final newline.
    if (!m_sections.isEmpty() && !m_sections.last().lines.isEmpty()) {
        auto& last = m_sections.last().lines;
        if (last.last().key.isEmpty() && last.last().value.isEmpty())
            last.removeLast();
    }
}

QString IniFile::text() const
{
    QString out;
    for (const Section& s : m_sections) {
        if (!s.name.isEmpty() || &s != &m_sections.first())
            out += QLatin1Char('[') + s.name + QStringLiteral("]\n");
        for (const Line& l : s.lines)
            out += (l.key.isEmpty() ? l.value : l.key + QLatin1Char('=') + l.value) + QLatin1Char('\n');
    }
    return out;
}

bool IniFile::save() const
{
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(text().toUtf8());
    return f.commit();
}

IniFile::Section* IniFile::find(const QString& section)
{
    for (Section& s : m_sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const IniFile::Section* IniFile::find(const QString& section) const
{
    return const_cast<IniFile*>(this)->find(section);
}

QString IniFile::value(const QString& section, const QString& key, const QString& def) const
{
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0)
                return l.value;
    return def;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    // Values live on one line.
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    Section* s = find(section);
    if (!s) {
        m_sections.append(Section{section, {}});
        s = &m_sections.last();
    }
    for (Line& l : s->lines) {
        if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0) {
            l.value = v;
            return;
        }
    }
    // Keep blank lines at the end of the section after the new key.
    int at = s->lines.size();
    while (at > 0 && s->lines.at(at - 1).key.isEmpty() && s->lines.at(at - 1).value.trimmed().isEmpty())
        --at;
    s->lines.insert(at, Line{key, v});
}

void IniFile::remove(const QString& section, const QString& key)
{
    if (Section* s = find(section))
        s->lines.removeIf([&](const Line& l) { return !l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0; });
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty())
                out.append(l.key);
    return out;
}

} // namespace mzt
