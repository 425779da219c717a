#include "reportpreview.h"

#include "reportpainter.h"

#include <QAction>
#include <QPageLayout>
#include <QPrinter>
#include <QToolBar>

#include <cmath>

namespace mzt {

ReportPreview::ReportPreview(const Report& report, QWidget* parent)
    : QPrintPreviewDialog(parent), m_report(report)
{
    // The dialog owns its printer; printing from the preview uses it as set up here.
    QPrinter* printer = this->printer();
    printer->setResolution(600);
    const QString title = report.title().isEmpty() ? report.reportTemplate().title : report.title();
    setWindowTitle(title.isEmpty() ? QStringLiteral("打印预览") : title);
    printer->setDocName(title);
    ConfigureReportPrinter(*printer, report.reportTemplate().page);
    m_pagesPaper = report.reportTemplate().page.paperSize();
    m_pages = m_report.layout(m_pagesPaper);

    if (auto* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* close = bar->addAction(QStringLiteral("关闭"));
        close->setObjectName(QStringLiteral("closePreview"));
        close->setToolTip(QStringLiteral("关闭预览"));
        connect(close, &QAction::triggered, this, [this] { this->close(); });
    }
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { paintPages(p); });
    resize(960, 720);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::paintPages(QPrinter* printer)
{
    const QSizeF paper = printer->pageLayout().fullRect(QPageLayout::Millimeter).size();
    if (paper.isValid() && (std::abs(paper.width() - m_pagesPaper.width()) > 0.5 ||
                            std::abs(paper.height() - m_pagesPaper.height()) > 0.5)) {
        m_pagesPaper = paper;
        m_pages = m_report.layout(paper);
    }
    PrintReportPages(*printer, m_pages);
}

ReportPreview* ShowReportPreview(QWidget* parent, const Report& report)
{
    auto* preview = new ReportPreview(report, parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowModality(Qt::NonModal);
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

bool LoadReportTemplate(QWidget* parent, Report& report, const QString& programFolder,
                        const QString& relativeFile)
{
    if (!report.load(programFolder, relativeFile))
        return false;
    ShowReportPreview(parent, report);
    return true;
}

} // namespace mzt
