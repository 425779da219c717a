#pragma once

#include "database.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <optional>

class QTableView;

namespace mzt {

class Decimal;

enum class FooterKind
{
    None,
    Sum,   // exact sum of the column, in its number picture
    Label, // the column's footerText
    Count, // number of rows
};

enum class ColumnKind
{
    Auto,   // numeric when it has a picture or every value is a number
    Text,   // shown and sorted as text (codes such as "001" stay text)
    Number, // shown in its picture, sorted and summed by value
};

// One column of a grid, e.g. {.field = "金额", .title = "金额", .picture = "0.00",
// .footer = FooterKind::Sum}.
struct GridColumn
{
    QString field = {};
    QString title = {};           // the field name when empty
    int width = 0;                // pixels; 0 fits the title and the first rows
    Qt::Alignment alignment = {}; // numbers right, texts left when not given
    QString picture = {};         // number picture: "#,##0.00", "0.00", "0"
    bool hidden = false;
    FooterKind footer = FooterKind::None;
    QString footerText = {};
    ColumnKind kind = ColumnKind::Auto;
};

// The rows of a list as the grid shows them: every field of the data is kept (columns
// show some of them), the order is a permutation sorted by precomputed keys.
class DataGridModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The stored value of a cell, unformatted.
    static constexpr int ValueRole = Qt::UserRole;

    explicit DataGridModel(QObject* parent = nullptr);
    ~DataGridModel() override;

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    // Rows of a query; without columns set, one column per field of the query.
    void setRows(const Rows& rows);
    void setValues(const QStringList& fields, const QList<QVariantList>& rows);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stable; column -1 gives back the order of the data.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // The value of a field in a shown row (any field of the data, shown or not);
    // invalid for an unknown field or row.
    QVariant value(int row, const QString& field) const;
    QVariant value(int row, int column) const;
    // The cell as shown: numbers in the column's picture.
    QString text(int row, int column) const;
    bool isNumeric(int column) const;
    int columnIndex(const QString& field) const;
    QString footerText(int column) const;
    bool hasFooter() const;
    QStringList fields() const { return m_fields; }

private:
    void remap();
    void computeFooter();
    void applySort(int column, Qt::SortOrder order);
    int fieldIndex(const QString& field) const;
    const QVariant* cell(int row, int column) const;
    QString numberText(const QVariant& v, const QString& picture) const;

    QList<GridColumn> m_columns;
    bool m_autoColumns = true;
    QStringList m_fields;
    QHash<QString, int> m_fieldIndex; // folded names
    QList<QVariantList> m_data;
    QList<int> m_order;       // shown row → data row
    QList<int> m_columnField; // column → field index or -1
    QList<bool> m_numeric;    // per column
    QStringList m_footer;     // per column
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

class GridFooter;

// The one list widget: a table over query rows with title-click sorting (the marker
// toggles ascending/descending), a footer of sums and labels under their columns,
// number pictures and hidden columns. Rows are numbered as shown (after sorting).
class DataGrid final : public QWidget
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_model->columns(); }
    // Shows the rows, keeps the sort in force and makes the first row current.
    void setRows(const Rows& rows);
    void setValues(const QStringList& fields, const QList<QVariantList>& rows);
    void clear();

    int rowCount() const;
    int columnCount() const;
    // -1 when there is no current row.
    int currentRow() const;
    void setCurrentRow(int row);
    QVariant rowValue(int row, const QString& field) const;
    // Every field of a row as text, keyed by field name.
    QHash<QString, QString> rowTexts(int row) const;
    QVariant currentValue(const QString& field) const;
    QString cellText(int row, int column) const;
    int columnIndex(const QString& field) const;
    // Neither defined hidden nor hidden later on the view.
    bool isColumnVisible(int column) const;
    // Shown columns in the order the user sees them.
    QList<int> visibleColumns() const;
    bool isNumericColumn(int column) const;

    void sortByColumn(int column, Qt::SortOrder order);
    // Sorts by a field; ascending first, descending when it is already sorted ascending.
    void toggleSort(int column);
    int sortColumn() const;
    Qt::SortOrder sortOrder() const;

    QString footerText(int column) const;
    QString footerText(const QString& field) const;
    // The footer shows when a column asks for one, unless switched off here.
    void setFooterVisible(bool visible);
    bool isFooterVisible() const;

    void selectAllRows() const;
    QList<int> selectedRows() const;

    QTableView* view() const { return m_view; }
    DataGridModel* model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // Double-click or Enter on a row.
    void rowActivated(int row);
    // Double-click or Enter while the list has no rows.
    void emptyActivated();
    void currentRowChanged(int row);

private:
    void applyColumnLayout();
    void afterDataChange(bool columnsChanged);
    void updateFooter();

    DataGridModel* m_model;
    QTableView* m_view;
    GridFooter* m_footer;
    std::optional<bool> m_footerWanted;
    bool m_layoutPending = true; // widths still to fit to the first rows
};

} // namespace mzt
