#include "reportpainter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace mzt {

namespace {

// Text keeps this distance from the left and right frame lines.
constexpr double textPaddingMm = 0.6;

Qt::Alignment alignment(HAlign h, VAlign v)
{
    Qt::Alignment a;
    a |= h == HAlign::Center ? Qt::AlignHCenter : (h == HAlign::Right ? Qt::AlignRight : Qt::AlignLeft);
    a |= v == VAlign::Top ? Qt::AlignTop : (v == VAlign::Bottom ? Qt::AlignBottom : Qt::AlignVCenter);
    return a;
}

QRectF toPixels(const QRectF& mm, double scale)
{
    return {mm.x() * scale, mm.y() * scale, mm.width() * scale, mm.height() * scale};
}

QPen linePen(double widthMm, double scale)
{
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, widthMm * scale));
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

std::optional<QPageSize::PageSizeId> namedPageSize(const QString& paper)
{
    if (paper.compare(u"A4", Qt::CaseInsensitive) == 0)
        return QPageSize::A4;
    if (paper.compare(u"A5", Qt::CaseInsensitive) == 0)
        return QPageSize::A5;
    if (paper.compare(u"A3", Qt::CaseInsensitive) == 0)
        return QPageSize::A3;
    if (paper.compare(u"B5", Qt::CaseInsensitive) == 0)
        return QPageSize::B5;
    if (paper.compare(u"Letter", Qt::CaseInsensitive) == 0)
        return QPageSize::Letter;
    return std::nullopt;
}

} // namespace

QStringList DefaultReportFontFamilies()
{
    return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
            QStringLiteral("SimSun")};
}

QFont ReportFont(const QString& family, double pointSize, bool bold, bool italic, double pixelsPerMm,
                 int deviceDpi)
{
    QFont f;
    QStringList families = DefaultReportFontFamilies();
    if (!family.trimmed().isEmpty())
        families.prepend(family.trimmed());
    f.setFamilies(families);
    // A point is 1/72 inch on paper whatever the zoom: size the glyphs from the scale.
    const double pixels = pointSize * 25.4 / 72.0 * pixelsPerMm;
    f.setPointSizeF(std::max(0.5, pixels * 72.0 / std::max(1, deviceDpi)));
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void PaintReportPage(QPainter& painter, const ReportPage& page, double pixelsPerMm)
{
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (const ReportPageItem& it : page.items) {
        switch (it.kind) {
        case ItemKind::Line:
            painter.setPen(linePen(it.lineWidth, pixelsPerMm));
            painter.drawLine(QLineF(it.line.p1() * pixelsPerMm, it.line.p2() * pixelsPerMm));
            break;
        case ItemKind::Rect:
            painter.setPen(linePen(it.lineWidth, pixelsPerMm));
            painter.drawRect(toPixels(it.rect, pixelsPerMm));
            break;
        case ItemKind::Text: {
            const QRectF r = toPixels(it.rect, pixelsPerMm);
            if (it.frames) {
                painter.setPen(linePen(it.lineWidth, pixelsPerMm));
                if (it.frames & FrameSide::Left)
                    painter.drawLine(r.topLeft(), r.bottomLeft());
                if (it.frames & FrameSide::Top)
                    painter.drawLine(r.topLeft(), r.topRight());
                if (it.frames & FrameSide::Right)
                    painter.drawLine(r.topRight(), r.bottomRight());
                if (it.frames & FrameSide::Bottom)
                    painter.drawLine(r.bottomLeft(), r.bottomRight());
            }
            if (it.text.isEmpty())
                break;
            QString text = it.text;
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            const double pad = textPaddingMm * pixelsPerMm;
            const QRectF inner = r.adjusted(pad, 0, -pad, 0);
            painter.setFont(ReportFont(it.fontFamily, it.fontSize, it.bold, it.italic, pixelsPerMm, dpi));
            painter.setPen(Qt::black);
            painter.save();
            painter.setClipRect(r);
            int flags = int(alignment(it.hAlign, it.vAlign));
            if (it.wordWrap)
                flags |= Qt::TextWordWrap;
            painter.drawText(inner, flags, text);
            painter.restore();
            break;
        }
        }
    }
    painter.restore();
}

void ConfigureReportPrinter(QPrinter& printer, const PageSetup& page)
{
    const std::optional<QPageSize::PageSizeId> id = namedPageSize(page.paper);
    const std::optional<QSizeF> named = PageSetup::namedPaperSize(page.paper);
    const bool standard = id && named && std::abs(named->width() - page.width) < 0.5 &&
                          std::abs(named->height() - page.height) < 0.5;
    const QPageSize size = standard ? QPageSize(*id)
                                    : QPageSize(QSizeF(page.width, page.height), QPageSize::Millimeter,
                                                QString(), QPageSize::ExactMatch);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(size, page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

bool PrintReportPages(QPrinter& printer, const QList<ReportPage>& pages)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // With the whole sheet as the printer's page, the painter's origin is the sheet's corner.
    const double scale = printer.resolution() / 25.4;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        PaintReportPage(painter, pages.at(i), scale);
    }
    return painter.end();
}

bool exportPdf(const Report& report, const QString& path)
{
    if (!report.isLoaded() || path.isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(report.title().isEmpty() ? report.reportTemplate().title : report.title());
    printer.setCreator(QStringLiteral("铭泽通进销存财务一体化"));
    ConfigureReportPrinter(printer, report.reportTemplate().page);
    if (!PrintReportPages(printer, report.layout()))
        return false;
    return QFileInfo(path).size() > 0;
}

} // namespace mzt
