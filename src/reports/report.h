#pragma once

#include "database.h"
#include "reporttemplate.h"

#include <QDate>
#include <QHash>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

namespace mzt {

// A data set as column names and rows of values, read by the template by column name.
struct ReportData
{
    QStringList columns;
    QList<QVariantList> rows;

    static ReportData fromRows(const Rows& rows);
    static ReportData fromRow(const Row& row);
    // Exact name first, then the name in any letter case (PostgreSQL folds unquoted names).
    int columnIndex(const QString& name) const;
    int rowCount() const { return int(rows.size()); }
    QVariant value(int row, int column) const;
};

// One positioned thing on a laid-out page; lengths in millimetres from the sheet's
// top-left corner.
struct ReportPageItem
{
    ItemKind kind = ItemKind::Text;
    BandKind band = BandKind::Detail;
    QRectF rect;  // text fields and rectangles
    QLineF line;  // lines
    QString text; // evaluated
    QString fontFamily;
    double fontSize = 10;
    bool bold = false;
    bool italic = false;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Middle;
    bool wordWrap = false;
    int frames = 0;
    double lineWidth = 0.2;
};

struct ReportPage
{
    QSizeF paperSize; // millimetres
    QList<ReportPageItem> items;
    QList<int> rows; // the data rows printed in this page's detail bands

    QStringList texts() const;
    QList<const ReportPageItem*> itemsOf(BandKind band) const;
};

// A function a template may call; the arguments arrive evaluated, numbers as their
// decimal text.
using ReportFunction = std::function<QVariant(const QVariantList&)>;

// The single-row data set that carries the company header of every bill.
inline const QString CompanyDataSetName = QStringLiteral("报表参数");

// A template filled with a data set.
//
// Names inside [ ] resolve in this order: a column of the data set; "name.column" of a
// single-row data set such as [报表参数.公司名]; a column of a single-row data set by its
// plain name when the data set has no column of that name; a variable set by the window;
// the built-in variables 页码/PAGE, 总页数/PAGES, 行号/LINE, 记录数/ROWCOUNT,
// 当前日期/DATE, 当前时间/TIME, 报表标题/TITLE. Anything else is empty.
//
// Function names ignore letter case. SUM, COUNT, AVG, MIN and MAX run over the rows of the
// page in the page footer and over all rows elsewhere; IIF(c, a, b), FORMAT(v, picture),
// ROUND(v, n) and ABS(v) are always there; the program's template functions are NtoC,
// gettxm, getchm, get_zh, get_dw, get_jj, getqsrq, getzzrq and get_Node. A function the
// window adds with addFunction takes precedence over these (aggregates excepted). An unknown
// function is empty.
class Report final
{
public:
    Report();
    ~Report();
    Report(const Report& other);
    Report& operator=(const Report& other);

    // Replaces the layout with the template file; false, and no layout, when the file is
    // missing or not a template.
    bool load(const QString& programFolder, const QString& relativeFile);
    bool loadFile(const QString& path);
    bool isLoaded() const;
    QString filePath() const;
    const ReportTemplate& reportTemplate() const;
    void setTemplate(const ReportTemplate& t);

    // The title the window gives the printout (preview caption, [报表标题]).
    void setTitle(const QString& title);
    QString title() const;

    void setDataSet(const Rows& rows);
    void setDataSet(const ReportData& data);
    const ReportData& dataSet() const;
    // "select 公司名,销售电话,传真,地址 from 报表参数", read with ReadCompanyData.
    void setCompanyData(const Row& row);
    // A further single-row data set, such as a statement's totals.
    void setNamedRow(const QString& name, const Row& row);
    void setNamedRow(const QString& name, const ReportData& data);

    // The connection the goods functions (gettxm, getchm, get_zh, get_dw, get_jj) read;
    // without it they are empty.
    void setDatabase(Database* db);
    void addFunction(const QString& name, ReportFunction fn);
    void setVariable(const QString& name, const QVariant& value);
    // The dates getqsrq and getzzrq give, written yyyy-MM-dd.
    void setPeriod(const QDate& from, const QDate& to);
    // The warehouse or site get_Node gives.
    void setSite(const QString& site);
    // The bill's party that getchm looks up among the customers.
    void setPartyName(const QString& name);

    // Pages of positioned items on the template's paper, or on another sheet size
    // (millimetres) chosen in page setup; none without a template.
    QList<ReportPage> layout() const;
    QList<ReportPage> layout(const QSizeF& paperSize) const;

    // A field text evaluated at one row, as a detail band would show it.
    QString evaluate(const QString& text, int row = 0, const QString& picture = {}) const;

    struct Data;

private:
    std::unique_ptr<Data> d;
};

// The company header data set; an empty record when the table has no row or cannot be read.
Row ReadCompanyData(Database& db);

} // namespace mzt
