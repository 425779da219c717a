#include "gridexport.h"

#include "database.h"
#include "datagrid.h"
#include "decimal.h"
#include "prompter.h"
#include "rights.h"
#include "session.h"
#include "xlsworkbook.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QTableView>

#include <optional>

namespace mzt {

namespace {

// A cell of a numeric column as a number; text that is no number stays as shown.
XlsCell numberCell(const DataGridModel& model, int row, int column)
{
    const QVariant v = model.value(row, column);
    if (v.isNull() || !v.isValid())
        return {};
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return XlsCell(v.value<Decimal>());
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
        if (const std::optional<Decimal> d = Decimal::parse(v.toString()))
            return XlsCell(*d);
        return XlsCell(model.text(row, column));
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? XlsCell(d) : XlsCell(model.text(row, column));
}

// Restores the cursor however the export ends.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

QString chooseXlsExportPath(QWidget* parent, const QString& suggestedName)
{
    QFileDialog dialog(parent, QStringLiteral("导出数据到excel"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("*.xls"));
    // The suffix is added before the overwrite question, so that question names the real file.
    dialog.setDefaultSuffix(QStringLiteral("xls"));
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool ExportGridToExcel(QWidget* parent, Session& session, const QString& defaultName, const DataGrid& grid,
                       const ExportPathChooser& choosePath)
{
    try {
        if (!HasRight(session.db, session.login.JobNo, QStringLiteral("导出数据到excel"))) {
            session.prompter.warn(noRightText());
            return false;
        }
    } catch (const DbError& e) {
        session.prompter.error(e.message());
        return false;
    }

    const QList<int> columns = grid.visibleColumns();
    // Refused before the dialog: the worksheet could not take it whatever the file.
    if (grid.rowCount() + 1 > XlsWorkbookWriter::maxRows) {
        session.prompter.error(QStringLiteral("共有%1行数据,超过Excel工作表的上限(%2行,含标题行),无法导出")
                                   .arg(grid.rowCount())
                                   .arg(XlsWorkbookWriter::maxRows));
        return false;
    }
    if (columns.size() > XlsWorkbookWriter::maxColumns) {
        session.prompter.error(QStringLiteral("共有%1列数据,超过Excel工作表的上限(%2列),无法导出")
                                   .arg(columns.size())
                                   .arg(XlsWorkbookWriter::maxColumns));
        return false;
    }

    grid.selectAllRows();
    const QString chosen =
        choosePath ? choosePath(parent, defaultName) : chooseXlsExportPath(parent, defaultName);
    if (chosen.trimmed().isEmpty())
        return false;
    const QString path = xlsFileName(chosen);

    XlsWorkbookWriter writer;
    {
        WaitCursor wait;
        const QHeaderView* header = grid.view()->horizontalHeader();
        const int charWidth = std::max(1, grid.view()->fontMetrics().averageCharWidth());
        QList<XlsCell> titles;
        for (int i = 0; i < columns.size(); ++i) {
            const int c = columns.at(i);
            titles.append(grid.model()->headerData(c, Qt::Horizontal).toString());
            if (grid.isNumericColumn(c))
                writer.setColumnFormat(i, grid.columns().at(c).picture);
            writer.setColumnWidth(i, double(header->sectionSize(c)) / charWidth);
        }
        writer.appendRow(titles, true);

        const DataGridModel* model = grid.model();
        QList<XlsCell> cells;
        for (int r = 0; r < grid.rowCount(); ++r) {
            cells.clear();
            for (int c : columns) {
                if (grid.isNumericColumn(c)) {
                    cells.append(numberCell(*model, r, c));
                } else {
                    const QString shown = model->text(r, c);
                    cells.append(shown.isEmpty() ? XlsCell() : XlsCell(shown));
                }
            }
            if (!writer.appendRow(cells))
                break;
        }
        writer.save(path);
    }
    if (!writer.errorString().isEmpty()) {
        session.prompter.error(writer.errorString());
        return false;
    }
    session.prompter.message(QStringLiteral("导出成功"));
    return true;
}

} // namespace mzt
