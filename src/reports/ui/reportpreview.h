#pragma once

#include "report.h"

#include <QPrintPreviewDialog>

class QPrinter;
class QWidget;

namespace mzt {

// The non-modal preview of a filled report: zoom, page setup, print and close. It keeps
// its own copy of the report, laid out once; a new sheet chosen in page setup lays it out again.
class ReportPreview final : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    explicit ReportPreview(const Report& report, QWidget* parent = nullptr);
    ~ReportPreview() override;

    const QList<ReportPage>& pages() const { return m_pages; }

private:
    void paintPages(QPrinter* printer);

    Report m_report;
    QList<ReportPage> m_pages;
    QSizeF m_pagesPaper;
};

// Opens the preview of the report; it closes with its parent window.
ReportPreview* ShowReportPreview(QWidget* parent, const Report& report);

// Loads the template (program folder + relative name, either slash) and shows the preview.
// A missing or broken template shows nothing and no message: false.
bool LoadReportTemplate(QWidget* parent, Report& report, const QString& programFolder,
                        const QString& relativeFile);

} // namespace mzt
