#pragma once

#include "report.h"

#include <QFont>
#include <QList>
#include <QStringList>

class QPainter;
class QPrinter;

namespace mzt {

// The families tried for report text, so Chinese glyphs print on any machine.
QStringList DefaultReportFontFamilies();
// The font of a field at a scale of pixelsPerMm on the painter's device.
QFont ReportFont(const QString& family, double pointSize, bool bold, bool italic, double pixelsPerMm,
                 int deviceDpi);

// Paints one laid-out page with its top-left corner at the painter's origin.
void PaintReportPage(QPainter& painter, const ReportPage& page, double pixelsPerMm);
// Sets the printer to the template's sheet; the template's own margins place the text.
void ConfigureReportPrinter(QPrinter& printer, const PageSetup& page);
// Paints the pages on the printer, one sheet each; false when the printer cannot start.
bool PrintReportPages(QPrinter& printer, const QList<ReportPage>& pages);

// Writes the filled report as a PDF file; false for a report without a template or a file
// that cannot be written.
bool exportPdf(const Report& report, const QString& path);

} // namespace mzt
