#include "reporttemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace mzt {

namespace {

const QString formatTag = QStringLiteral("mzt-report");
constexpr int formatVersion = 1;

struct BandNames
{
    BandKind kind;
    const char* name;
    const char* caption;
};

const BandNames bandNames[] = {
    {BandKind::ReportTitle, "reportTitle", "报表标题"},
    {BandKind::PageHeader, "pageHeader", "页眉"},
    {BandKind::ColumnHeader, "columnHeader", "列标题"},
    {BandKind::Detail, "detail", "明细"},
    {BandKind::Summary, "summary", "汇总"},
    {BandKind::PageFooter, "pageFooter", "页脚"},
};

QString itemKindName(ItemKind k)
{
    switch (k) {
    case ItemKind::Line:
        return QStringLiteral("line");
    case ItemKind::Rect:
        return QStringLiteral("rect");
    case ItemKind::Text:
        break;
    }
    return QStringLiteral("text");
}

std::optional<ItemKind> itemKindFromName(const QString& s)
{
    if (s == u"text")
        return ItemKind::Text;
    if (s == u"line")
        return ItemKind::Line;
    if (s == u"rect")
        return ItemKind::Rect;
    return std::nullopt;
}

QString hAlignName(HAlign a)
{
    return a == HAlign::Center ? QStringLiteral("center")
                               : (a == HAlign::Right ? QStringLiteral("right") : QStringLiteral("left"));
}

HAlign hAlignFromName(const QString& s)
{
    return s == u"center" ? HAlign::Center : (s == u"right" ? HAlign::Right : HAlign::Left);
}

QString vAlignName(VAlign a)
{
    return a == VAlign::Top ? QStringLiteral("top")
                            : (a == VAlign::Bottom ? QStringLiteral("bottom") : QStringLiteral("middle"));
}

VAlign vAlignFromName(const QString& s)
{
    return s == u"top" ? VAlign::Top : (s == u"bottom" ? VAlign::Bottom : VAlign::Middle);
}

QString framesName(int f)
{
    QString s;
    if (f & FrameSide::Left)
        s += QLatin1Char('l');
    if (f & FrameSide::Top)
        s += QLatin1Char('t');
    if (f & FrameSide::Right)
        s += QLatin1Char('r');
    if (f & FrameSide::Bottom)
        s += QLatin1Char('b');
    return s;
}

int framesFromName(const QString& s)
{
    int f = 0;
    if (s.contains(QLatin1Char('l')))
        f |= FrameSide::Left;
    if (s.contains(QLatin1Char('t')))
        f |= FrameSide::Top;
    if (s.contains(QLatin1Char('r')))
        f |= FrameSide::Right;
    if (s.contains(QLatin1Char('b')))
        f |= FrameSide::Bottom;
    return f;
}

// Lengths must be finite and not absurd; a file with anything else is treated as broken.
bool readLength(const QJsonObject& o, const char* key, double& out, bool allowNegative = false)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d >= -10000 && d <= 10000) || (!allowNegative && d < 0))
        return false;
    out = d;
    return true;
}

QJsonObject itemToJson(const ReportItem& it)
{
    const ReportItem def;
    QJsonObject o;
    o.insert(QStringLiteral("type"), itemKindName(it.kind));
    o.insert(QStringLiteral("x"), it.x);
    o.insert(QStringLiteral("y"), it.y);
    o.insert(QStringLiteral("w"), it.width);
    o.insert(QStringLiteral("h"), it.height);
    // Every property is kept whatever the kind, so a file reads back exactly as written.
    if (it.kind == ItemKind::Text || !it.text.isEmpty())
        o.insert(QStringLiteral("text"), it.text);
    if (!it.picture.isEmpty())
        o.insert(QStringLiteral("format"), it.picture);
    if (!it.fontFamily.isEmpty())
        o.insert(QStringLiteral("font"), it.fontFamily);
    if (it.kind == ItemKind::Text || it.fontSize != def.fontSize)
        o.insert(QStringLiteral("size"), it.fontSize);
    if (it.bold)
        o.insert(QStringLiteral("bold"), true);
    if (it.italic)
        o.insert(QStringLiteral("italic"), true);
    if (it.hAlign != def.hAlign)
        o.insert(QStringLiteral("align"), hAlignName(it.hAlign));
    if (it.vAlign != def.vAlign)
        o.insert(QStringLiteral("valign"), vAlignName(it.vAlign));
    if (it.wordWrap)
        o.insert(QStringLiteral("wrap"), true);
    if (it.frames)
        o.insert(QStringLiteral("frame"), framesName(it.frames));
    if (it.lineWidth != def.lineWidth)
        o.insert(QStringLiteral("lineWidth"), it.lineWidth);
    return o;
}

std::optional<ReportItem> itemFromJson(const QJsonObject& o)
{
    ReportItem it;
    const std::optional<ItemKind> kind = itemKindFromName(o.value(QStringLiteral("type")).toString());
    if (!kind)
        return std::nullopt;
    it.kind = *kind;
    const bool isLine = it.kind == ItemKind::Line;
    if (!readLength(o, "x", it.x, true) || !readLength(o, "y", it.y, true) ||
        !readLength(o, "w", it.width, isLine) || !readLength(o, "h", it.height, isLine) ||
        !readLength(o, "lineWidth", it.lineWidth))
        return std::nullopt;
    it.text = o.value(QStringLiteral("text")).toString();
    it.picture = o.value(QStringLiteral("format")).toString();
    it.fontFamily = o.value(QStringLiteral("font")).toString();
    if (!readLength(o, "size", it.fontSize) || it.fontSize <= 0 || it.fontSize > 500)
        return std::nullopt;
    it.bold = o.value(QStringLiteral("bold")).toBool();
    it.italic = o.value(QStringLiteral("italic")).toBool();
    it.hAlign = hAlignFromName(o.value(QStringLiteral("align")).toString());
    it.vAlign = vAlignFromName(o.value(QStringLiteral("valign")).toString());
    it.wordWrap = o.value(QStringLiteral("wrap")).toBool();
    it.frames = framesFromName(o.value(QStringLiteral("frame")).toString());
    return it;
}

} // namespace

QString BandKindName(BandKind kind)
{
    for (const BandNames& b : bandNames) {
        if (b.kind == kind)
            return QLatin1String(b.name);
    }
    return {};
}

std::optional<BandKind> BandKindFromName(const QString& name)
{
    for (const BandNames& b : bandNames) {
        if (name == QLatin1String(b.name))
            return b.kind;
    }
    return std::nullopt;
}

QString BandKindCaption(BandKind kind)
{
    for (const BandNames& b : bandNames) {
        if (b.kind == kind)
            return QString::fromUtf8(b.caption);
    }
    return {};
}

QSizeF PageSetup::paperSize() const
{
    return landscape ? QSizeF(height, width) : QSizeF(width, height);
}

QSizeF PageSetup::contentSize() const
{
    const QSizeF p = paperSize();
    return {std::max(0.0, p.width() - marginLeft - marginRight),
            std::max(0.0, p.height() - marginTop - marginBottom)};
}

std::optional<QSizeF> PageSetup::namedPaperSize(const QString& paper)
{
    if (paper.compare(u"A4", Qt::CaseInsensitive) == 0)
        return QSizeF(210, 297);
    if (paper.compare(u"A5", Qt::CaseInsensitive) == 0)
        return QSizeF(148, 210);
    if (paper.compare(u"A3", Qt::CaseInsensitive) == 0)
        return QSizeF(297, 420);
    if (paper.compare(u"B5", Qt::CaseInsensitive) == 0)
        return QSizeF(176, 250);
    if (paper.compare(u"Letter", Qt::CaseInsensitive) == 0)
        return QSizeF(215.9, 279.4);
    return std::nullopt;
}

QStringList PageSetup::paperNames()
{
    return {QStringLiteral("A4"), QStringLiteral("A5"),     QStringLiteral("A3"),
            QStringLiteral("B5"), QStringLiteral("Letter"), QStringLiteral("Custom")};
}

ReportBand* ReportTemplate::band(BandKind kind)
{
    for (ReportBand& b : bands) {
        if (b.kind == kind)
            return &b;
    }
    return nullptr;
}

const ReportBand* ReportTemplate::band(BandKind kind) const
{
    for (const ReportBand& b : bands) {
        if (b.kind == kind)
            return &b;
    }
    return nullptr;
}

ReportBand& ReportTemplate::ensureBand(BandKind kind)
{
    if (ReportBand* b = band(kind))
        return *b;
    ReportBand nb;
    nb.kind = kind;
    qsizetype pos = 0;
    while (pos < bands.size() && bands.at(pos).kind < kind)
        ++pos;
    bands.insert(pos, nb);
    return bands[pos];
}

void ReportTemplate::removeBand(BandKind kind)
{
    bands.removeIf([kind](const ReportBand& b) { return b.kind == kind; });
}

QByteArray ReportTemplate::toJson() const
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), formatTag);
    root.insert(QStringLiteral("version"), formatVersion);
    if (!title.isEmpty())
        root.insert(QStringLiteral("title"), title);

    QJsonObject p;
    p.insert(QStringLiteral("paper"), page.paper);
    p.insert(QStringLiteral("width"), page.width);
    p.insert(QStringLiteral("height"), page.height);
    p.insert(QStringLiteral("orientation"),
             page.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    p.insert(QStringLiteral("margins"),
             QJsonArray{page.marginLeft, page.marginTop, page.marginRight, page.marginBottom});
    root.insert(QStringLiteral("page"), p);

    QJsonArray bandArray;
    for (const ReportBand& b : bands) {
        QJsonObject bo;
        bo.insert(QStringLiteral("band"), BandKindName(b.kind));
        bo.insert(QStringLiteral("height"), b.height);
        QJsonArray items;
        for (const ReportItem& it : b.items)
            items.append(itemToJson(it));
        bo.insert(QStringLiteral("items"), items);
        bandArray.append(bo);
    }
    root.insert(QStringLiteral("bands"), bandArray);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<ReportTemplate> ReportTemplate::fromJson(const QByteArray& text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != formatTag)
        return std::nullopt;
    if (root.value(QStringLiteral("version")).toInt() > formatVersion)
        return std::nullopt;

    ReportTemplate t;
    t.title = root.value(QStringLiteral("title")).toString();

    const QJsonObject p = root.value(QStringLiteral("page")).toObject();
    if (p.contains(QStringLiteral("paper")))
        t.page.paper = p.value(QStringLiteral("paper")).toString();
    if (!readLength(p, "width", t.page.width) || !readLength(p, "height", t.page.height))
        return std::nullopt;
    if (t.page.width <= 0 || t.page.height <= 0)
        return std::nullopt;
    t.page.landscape = p.value(QStringLiteral("orientation")).toString() == u"landscape";
    if (p.contains(QStringLiteral("margins"))) {
        const QJsonArray m = p.value(QStringLiteral("margins")).toArray();
        if (m.size() != 4)
            return std::nullopt;
        double* targets[] = {&t.page.marginLeft, &t.page.marginTop, &t.page.marginRight,
                             &t.page.marginBottom};
        for (int i = 0; i < 4; ++i) {
            if (!m.at(i).isDouble() || m.at(i).toDouble() < 0 || m.at(i).toDouble() > 1000)
                return std::nullopt;
            *targets[i] = m.at(i).toDouble();
        }
    }

    const QJsonValue bandsValue = root.value(QStringLiteral("bands"));
    if (!bandsValue.isArray())
        return std::nullopt;
    for (const QJsonValue& bv : bandsValue.toArray()) {
        if (!bv.isObject())
            return std::nullopt;
        const QJsonObject bo = bv.toObject();
        const std::optional<BandKind> kind = BandKindFromName(bo.value(QStringLiteral("band")).toString());
        if (!kind || t.band(*kind))
            return std::nullopt;
        ReportBand b;
        b.kind = *kind;
        if (!readLength(bo, "height", b.height))
            return std::nullopt;
        for (const QJsonValue& iv : bo.value(QStringLiteral("items")).toArray()) {
            if (!iv.isObject())
                return std::nullopt;
            const std::optional<ReportItem> item = itemFromJson(iv.toObject());
            if (!item)
                return std::nullopt;
            b.items.append(*item);
        }
        t.ensureBand(b.kind) = b;
    }
    return t;
}

std::optional<ReportTemplate> ReportTemplate::readFile(const QString& path)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A template is a few kilobytes; anything huge is not one of ours.
    if (f.size() > 16 * 1024 * 1024)
        return std::nullopt;
    return fromJson(f.readAll());
}

bool ReportTemplate::writeFile(const QString& path) const
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = toJson();
    if (f.write(data) != data.size())
        return false;
    return f.commit();
}

ReportTemplate ReportTemplate::blank()
{
    ReportTemplate t;
    const double w = t.page.contentSize().width();

    ReportBand& title = t.ensureBand(BandKind::ReportTitle);
    title.height = 16;
    ReportItem heading;
    heading.width = w;
    heading.height = 10;
    heading.text = QStringLiteral("[报表标题]");
    heading.fontSize = 16;
    heading.bold = true;
    heading.hAlign = HAlign::Center;
    title.items.append(heading);

    t.ensureBand(BandKind::ColumnHeader).height = 8;
    t.ensureBand(BandKind::Detail).height = 7;
    t.ensureBand(BandKind::Summary).height = 8;

    ReportBand& footer = t.ensureBand(BandKind::PageFooter);
    footer.height = 8;
    ReportItem pageNo;
    pageNo.width = w;
    pageNo.height = 6;
    pageNo.text = QStringLiteral("第[页码]页 共[总页数]页");
    pageNo.fontSize = 9;
    pageNo.hAlign = HAlign::Center;
    footer.items.append(pageNo);
    return t;
}

QString ResolveReportPath(const QString& programFolder, const QString& relativeFile)
{
    QString rel = relativeFile.trimmed();
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rel.isEmpty())
        return {};
    if (QDir::isAbsolutePath(rel))
        return QDir::cleanPath(rel);
    const QString exact = QDir::cleanPath(QDir(programFolder).filePath(rel));
    if (QFileInfo::exists(exact))
        return exact;

    // Template names come from a system whose file names ignore letter case.
    QDir dir(programFolder);
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        const bool last = i == parts.size() - 1;
        QString found;
        if (part == u"." || part == u"..") {
            found = part;
        } else {
            const QStringList entries = dir.entryList((last ? QDir::Files : QDir::Dirs) | QDir::Hidden);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    found = e;
                    break;
                }
            }
        }
        if (found.isEmpty())
            return exact;
        if (last)
            return QDir::cleanPath(dir.filePath(found));
        if (!dir.cd(found))
            return exact;
    }
    return exact;
}

} // namespace mzt
