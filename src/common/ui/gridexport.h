#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace mzt {

class DataGrid;
struct Session;

// Asks where to save an export, starting from the suggested name; empty when cancelled.
using ExportPathChooser = std::function<QString(QWidget* parent, const QString& suggestedName)>;

// The save dialog of an export: filter "*.xls", the suggested name filled in.
QString chooseXlsExportPath(QWidget* parent, const QString& suggestedName);

// Writes the grid's rows and visible columns, titles first, into an .xls workbook, for users
// holding "导出数据到excel". True once "导出成功" was shown; a refusal, a cancelled dialog or a
// failed write (its reason shown) give false.
bool ExportGridToExcel(QWidget* parent, Session& session, const QString& defaultName, const DataGrid& grid,
                       const ExportPathChooser& choosePath = chooseXlsExportPath);

} // namespace mzt
