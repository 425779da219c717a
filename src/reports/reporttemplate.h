#pragma once

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>

#include <optional>

namespace mzt {

// The bands of a template, in the order they stand on a page.
enum class BandKind
{
    ReportTitle,
    PageHeader,
    ColumnHeader,
    Detail,
    Summary,
    PageFooter
};
inline constexpr BandKind AllBandKinds[] = {BandKind::ReportTitle,  BandKind::PageHeader,
                                            BandKind::ColumnHeader, BandKind::Detail,
                                            BandKind::Summary,      BandKind::PageFooter};

// The name used in template files ("pageHeader").
QString BandKindName(BandKind kind);
std::optional<BandKind> BandKindFromName(const QString& name);
// The caption shown in the designer ("页眉").
QString BandKindCaption(BandKind kind);

enum class ItemKind
{
    Text,
    Line,
    Rect
};
enum class HAlign
{
    Left,
    Center,
    Right
};
enum class VAlign
{
    Top,
    Middle,
    Bottom
};

// Frame lines of a text field, as a bit set.
namespace FrameSide {
inline constexpr int Left = 1;
inline constexpr int Top = 2;
inline constexpr int Right = 4;
inline constexpr int Bottom = 8;
inline constexpr int All = 15;
} // namespace FrameSide

// One field, line or rectangle of a band. Lengths are millimetres from the band's
// top-left corner inside the page margins. A line runs from (x, y) to (x + width, y + height).
struct ReportItem
{
    ItemKind kind = ItemKind::Text;
    double x = 0;
    double y = 0;
    double width = 30;
    double height = 6;
    QString text;         // literal text with [expression] parts
    QString picture;      // number picture for numeric results, e.g. "#,##0.00"
    QString fontFamily;   // empty: the default CJK families
    double fontSize = 10; // points
    bool bold = false;
    bool italic = false;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Middle;
    bool wordWrap = false;
    int frames = 0;         // FrameSide bits
    double lineWidth = 0.2; // millimetres, for frames, lines and rectangles

    bool operator==(const ReportItem&) const = default;
};

struct ReportBand
{
    BandKind kind = BandKind::Detail;
    double height = 8; // millimetres
    QList<ReportItem> items;

    bool operator==(const ReportBand&) const = default;
};

struct PageSetup
{
    QString paper = QStringLiteral("A4"); // A4, A5, B5, Letter or Custom
    double width = 210;                   // millimetres, portrait
    double height = 297;
    bool landscape = false;
    double marginLeft = 10;
    double marginTop = 10;
    double marginRight = 10;
    double marginBottom = 10;

    // The sheet as it is printed, turned for landscape.
    QSizeF paperSize() const;
    // Width and height inside the margins.
    QSizeF contentSize() const;
    // Portrait size of a named paper; nullopt for "Custom" or an unknown name.
    static std::optional<QSizeF> namedPaperSize(const QString& paper);
    static QStringList paperNames();

    bool operator==(const PageSetup&) const = default;
};

// A report layout as stored in a ".frf" file: a JSON text of our own format
// ({"format": "mzt-report", "version": 1, "page": {...}, "bands": [...]}).
struct ReportTemplate
{
    QString title;
    PageSetup page;
    QList<ReportBand> bands; // at most one per kind, in BandKind order

    ReportBand* band(BandKind kind);
    const ReportBand* band(BandKind kind) const;
    // The band of that kind, added in its place when missing.
    ReportBand& ensureBand(BandKind kind);
    void removeBand(BandKind kind);

    QByteArray toJson() const;
    // nullopt for anything that is not a template of this format.
    static std::optional<ReportTemplate> fromJson(const QByteArray& text);
    static std::optional<ReportTemplate> readFile(const QString& path);
    // Writes through a temporary file, so a failed save leaves the old file whole.
    bool writeFile(const QString& path) const;

    // A starting layout for the designer: title, column header, detail, summary and footer.
    static ReportTemplate blank();

    bool operator==(const ReportTemplate&) const = default;
};

// The full path of a template named relative to the program folder, such as
// "zcfrf\printreport3_new.frf". Either slash is accepted; when no file has exactly that
// name, a file whose name differs only in letter case is taken.
QString ResolveReportPath(const QString& programFolder, const QString& relativeFile);

} // namespace mzt
