#include "datagrid.h"

#include <QKeyEvent>

#include "decimal.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace mzt {

namespace {

// Field names are looked up as SQL does: without regard to ASCII letter case.
QString foldName(const QString& field)
{
    return field.trimmed().toLower();
}

bool isNumberType(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return v.metaType() == QMetaType::fromType<Decimal>();
    }
}

std::optional<Decimal> toDecimal(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    try {
        if (v.metaType() == QMetaType::fromType<Decimal>())
            return v.value<Decimal>();
        if (v.typeId() == QMetaType::QString)
            return Decimal::parse(v.toString());
        return Decimal::fromVariant(v);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Texts are ordered the way a Chinese reader expects (pinyin), the same on every machine.
QCollator& chineseCollator()
{
    static QCollator collator = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Model

DataGridModel::DataGridModel(QObject* parent) : QAbstractTableModel(parent) {}

DataGridModel::~DataGridModel() = default;

void DataGridModel::setColumns(const QList<GridColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    m_autoColumns = columns.isEmpty();
    if (m_autoColumns) {
        for (const QString& f : std::as_const(m_fields))
            m_columns.append(GridColumn{.field = f});
    }
    m_sortColumn = -1;
    m_order.resize(m_data.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    remap();
    endResetModel();
}

void DataGridModel::setRows(const Rows& rows)
{
    QStringList fields;
    QList<QVariantList> data;
    if (!rows.isEmpty()) {
        const QSqlRecord& first = rows.first();
        for (int i = 0; i < first.count(); ++i)
            fields.append(first.fieldName(i));
    }
    data.reserve(rows.size());
    for (const QSqlRecord& r : rows) {
        QVariantList values;
        values.reserve(r.count());
        for (int i = 0; i < r.count(); ++i)
            values.append(r.value(i));
        data.append(std::move(values));
    }
    setValues(fields, data);
}

void DataGridModel::setValues(const QStringList& fields, const QList<QVariantList>& rows)
{
    beginResetModel();
    // An empty result may tell no field names; those already known stay.
    if (!fields.isEmpty() || !rows.isEmpty()) {
        m_fields = fields;
        m_fieldIndex.clear();
        // With a name twice in a query, the first one counts, as in QSqlRecord.
        for (int i = 0; i < m_fields.size(); ++i) {
            const QString key = foldName(m_fields.at(i));
            if (!m_fieldIndex.contains(key))
                m_fieldIndex.insert(key, i);
        }
    }
    m_data = rows;
    if (m_autoColumns && !fields.isEmpty()) {
        m_columns.clear();
        for (const QString& f : fields)
            m_columns.append(GridColumn{.field = f});
    }
    m_order.resize(m_data.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    remap();
    if (m_sortColumn >= m_columns.size())
        m_sortColumn = -1;
    if (m_sortColumn >= 0)
        applySort(m_sortColumn, m_sortOrder);
    endResetModel();
}

void DataGridModel::clear()
{
    setValues(m_fields, {});
}

int DataGridModel::fieldIndex(const QString& field) const
{
    return m_fieldIndex.value(foldName(field), -1);
}

void DataGridModel::remap()
{
    m_columnField.clear();
    m_numeric.clear();
    for (const GridColumn& c : std::as_const(m_columns)) {
        const int f = fieldIndex(c.field);
        m_columnField.append(f);
        bool numeric = false;
        switch (c.kind) {
        case ColumnKind::Number:
            numeric = true;
            break;
        case ColumnKind::Text:
            break;
        case ColumnKind::Auto:
            if (!c.picture.isEmpty()) {
                numeric = true;
            } else if (f >= 0) {
                bool any = false;
                numeric = true;
                for (const QVariantList& row : std::as_const(m_data)) {
                    const QVariant& v = row.at(f);
                    if (v.isNull())
                        continue;
                    any = true;
                    if (!isNumberType(v)) {
                        numeric = false;
                        break;
                    }
                }
                numeric = numeric && any;
            }
            break;
        }
        m_numeric.append(numeric);
    }
    computeFooter();
}

void DataGridModel::computeFooter()
{
    m_footer.clear();
    for (int c = 0; c < m_columns.size(); ++c) {
        const GridColumn& col = m_columns.at(c);
        switch (col.footer) {
        case FooterKind::None:
            m_footer.append(QString());
            break;
        case FooterKind::Label:
            m_footer.append(col.footerText);
            break;
        case FooterKind::Count:
            m_footer.append(QString::number(m_data.size()));
            break;
        case FooterKind::Sum: {
            const int f = m_columnField.at(c);
            Decimal sum;
            bool overflow = false;
            if (f >= 0) {
                try {
                    for (const QVariantList& row : std::as_const(m_data))
                        sum += toDecimal(row.at(f)).value_or(Decimal());
                } catch (const std::overflow_error&) {
                    overflow = true;
                }
            }
            m_footer.append(overflow                ? QStringLiteral("溢出")
                            : col.picture.isEmpty() ? sum.toString()
                                                    : sum.format(col.picture));
            break;
        }
        }
    }
}

bool DataGridModel::hasFooter() const
{
    return std::any_of(m_columns.cbegin(), m_columns.cend(),
                       [](const GridColumn& c) { return c.footer != FooterKind::None; });
}

int DataGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

const QVariant* DataGridModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_order.size() || column < 0 || column >= m_columns.size())
        return nullptr;
    const int f = m_columnField.at(column);
    if (f < 0)
        return nullptr;
    const QVariantList& values = m_data.at(m_order.at(row));
    return f < values.size() ? &values.at(f) : nullptr;
}

QString DataGridModel::numberText(const QVariant& v, const QString& picture) const
{
    const std::optional<Decimal> d = toDecimal(v);
    if (!d)
        return v.toString();
    try {
        return picture.isEmpty() ? d->toString() : d->format(picture);
    } catch (const std::exception&) {
        return v.toString();
    }
}

QString DataGridModel::text(int row, int column) const
{
    const QVariant* v = cell(row, column);
    if (!v || v->isNull())
        return QString();
    if (m_numeric.at(column))
        return numberText(*v, m_columns.at(column).picture);
    return v->toString();
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const Qt::Alignment a = m_columns.at(index.column()).alignment;
        if (a)
            return QVariant::fromValue(a);
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_numeric.at(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    }
    case ValueRole: {
        const QVariant* v = cell(index.row(), index.column());
        return v ? *v : QVariant();
    }
    default:
        return {};
    }
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_columns.size())
            return {};
        const GridColumn& c = m_columns.at(section);
        switch (role) {
        case Qt::DisplayRole:
            return c.title.isEmpty() ? c.field : c.title;
        case Qt::InitialSortOrderRole:
            return int(Qt::AscendingOrder);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        default:
            return {};
        }
    }
    if (role == Qt::DisplayRole && section >= 0 && section < m_order.size())
        return section + 1;
    return {};
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void DataGridModel::applySort(int column, Qt::SortOrder order)
{
    std::iota(m_order.begin(), m_order.end(), 0);
    m_sortColumn = column;
    m_sortOrder = order;
    if (column < 0 || column >= m_columns.size())
        return;
    const int f = m_columnField.at(column);
    if (f < 0)
        return;
    const bool descending = order == Qt::DescendingOrder;
    // Keys are computed once per row; empty cells come first in ascending order.
    if (m_numeric.at(column)) {
        constexpr qint64 none = std::numeric_limits<qint64>::min();
        std::vector<qint64> keys;
        keys.reserve(m_data.size());
        for (const QVariantList& row : std::as_const(m_data)) {
            const std::optional<Decimal> d = f < row.size() ? toDecimal(row.at(f)) : std::nullopt;
            keys.push_back(d ? d->millionths() : none);
        }
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            return descending ? keys[size_t(b)] < keys[size_t(a)] : keys[size_t(a)] < keys[size_t(b)];
        });
    } else {
        const QCollator& collator = chineseCollator();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(m_data.size());
        for (const QVariantList& row : std::as_const(m_data))
            keys.push_back(collator.sortKey(f < row.size() ? row.at(f).toString() : QString()));
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            return descending ? keys[size_t(b)].compare(keys[size_t(a)]) < 0
                              : keys[size_t(a)].compare(keys[size_t(b)]) < 0;
        });
    }
}

void DataGridModel::sort(int column, Qt::SortOrder order)
{
    if (column >= m_columns.size())
        column = -1;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> dataRows;
    dataRows.reserve(before.size());
    for (const QModelIndex& i : before)
        dataRows.append(m_order.at(i.row()));

    applySort(column, order);

    if (!before.isEmpty()) {
        QList<int> shownRow(m_order.size());
        for (int r = 0; r < m_order.size(); ++r)
            shownRow[m_order.at(r)] = r;
        QModelIndexList after;
        after.reserve(before.size());
        for (int i = 0; i < before.size(); ++i)
            after.append(index(shownRow.at(dataRows.at(i)), before.at(i).column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QVariant DataGridModel::value(int row, const QString& field) const
{
    if (row < 0 || row >= m_order.size())
        return {};
    const int f = fieldIndex(field);
    const QVariantList& values = m_data.at(m_order.at(row));
    if (f < 0 || f >= values.size())
        return {};
    return values.at(f);
}

QVariant DataGridModel::value(int row, int column) const
{
    const QVariant* v = cell(row, column);
    return v ? *v : QVariant();
}

bool DataGridModel::isNumeric(int column) const
{
    return column >= 0 && column < m_numeric.size() && m_numeric.at(column);
}

int DataGridModel::columnIndex(const QString& field) const
{
    const QString key = foldName(field);
    for (int c = 0; c < m_columns.size(); ++c) {
        if (foldName(m_columns.at(c).field) == key)
            return c;
    }
    return -1;
}

QString DataGridModel::footerText(int column) const
{
    return column >= 0 && column < m_footer.size() ? m_footer.at(column) : QString();
}

// ---------------------------------------------------------------------------------------------
// Footer

// One line under the table, each text drawn under its column and scrolled with it.
class GridFooter final : public QWidget
{
public:
    GridFooter(QTableView* view, DataGridModel* model, QWidget* parent)
        : QWidget(parent), m_view(view), m_model(model)
    {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return {100, fontMetrics().height() + 8}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QPalette& pal = palette();
        p.fillRect(rect(), pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::Mid));
        p.drawLine(rect().topLeft(), rect().topRight());

        const QWidget* viewport = m_view->viewport();
        const int originX = viewport->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
        p.setClipRect(QRect(originX, 0, viewport->width(), height()));
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        const QHeaderView* header = m_view->horizontalHeader();
        for (int c = 0; c < m_model->columnCount(); ++c) {
            if (header->isSectionHidden(c))
                continue;
            const int left = originX + header->sectionViewportPosition(c);
            const QRect cellRect(left, 1, header->sectionSize(c), height() - 1);
            if (cellRect.right() < 0 || cellRect.left() > width())
                continue;
            p.setPen(pal.color(QPalette::Mid));
            p.drawLine(cellRect.topRight(), cellRect.bottomRight());
            const QString text = m_model->footerText(c);
            if (text.isEmpty())
                continue;
            const Qt::Alignment a = alignmentFor(c);
            p.setPen(pal.color(QPalette::ButtonText));
            p.drawText(cellRect.adjusted(4, 0, -4, 0), int((a & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter),
                       p.fontMetrics().elidedText(text, Qt::ElideRight, cellRect.width() - 8));
        }
    }

private:
    Qt::Alignment alignmentFor(int column) const
    {
        const Qt::Alignment a = m_model->columns().at(column).alignment;
        if (a)
            return a;
        return m_model->isNumeric(column) ? Qt::AlignRight : Qt::AlignLeft;
    }

    QTableView* m_view;
    DataGridModel* m_model;
};

// ---------------------------------------------------------------------------------------------
// Widget

DataGrid::DataGrid(QWidget* parent)
    : QWidget(parent), m_model(new DataGridModel(this)), m_view(new QTableView(this)),
      m_footer(new GridFooter(m_view, m_model, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);

    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->setAlternatingRowColors(true);
    m_view->setCornerButtonEnabled(false);
    m_view->verticalHeader()->hide();
    // Fixed row heights keep a list of 100,000 rows quick to lay out.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    // A title click flips the marker (ascending first for a new column); the marker drives the sort.
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) { m_model->sort(column, order); });

    auto repaintFooter = [this] { m_footer->update(); };
    connect(header, &QHeaderView::sectionResized, this, repaintFooter);
    connect(header, &QHeaderView::sectionMoved, this, repaintFooter);
    connect(header, &QHeaderView::geometriesChanged, this, repaintFooter);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaintFooter);

    connect(m_view, &QTableView::activated, this, [this](const QModelIndex& i) {
        if (i.isValid())
            emit rowActivated(i.row());
    });
    // The view reports activations of rows only; an empty list still answers.
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                emit currentRowChanged(current.isValid() ? current.row() : -1);
            });
    updateFooter();
}

DataGrid::~DataGrid() = default;

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (m_model->rowCount() == 0) {
        const bool key = watched == m_view && event->type() == QEvent::KeyPress &&
                         (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        const bool click = watched == m_view->viewport() && event->type() == QEvent::MouseButtonDblClick;
        if (key || click) {
            emit emptyActivated();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QHash<QString, QString> DataGrid::rowTexts(int row) const
{
    QHash<QString, QString> v;
    for (const QString& f : m_model->fields())
        v.insert(f, rowValue(row, f).toString());
    return v;
}

void DataGrid::setColumns(const QList<GridColumn>& columns)
{
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_model->setColumns(columns);
    applyColumnLayout();
}

void DataGrid::applyColumnLayout()
{
    QHeaderView* header = m_view->horizontalHeader();
    const QFontMetrics titleMetrics(header->font());
    const QFontMetrics cellMetrics(m_view->font());
    QFont footerFont = m_footer->font();
    footerFont.setBold(true);
    const QFontMetrics footerMetrics(footerFont);
    const int sampleRows = std::min(m_model->rowCount(), 200);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const GridColumn& col = m_model->columns().at(c);
        m_view->setColumnHidden(c, col.hidden);
        int width = col.width;
        if (width <= 0) {
            // Room for the title and the sort marker, and for what the first rows hold.
            width = titleMetrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString()) + 28;
            for (int r = 0; r < sampleRows; ++r)
                width = std::max(width, cellMetrics.horizontalAdvance(m_model->text(r, c)) + 12);
            width = std::max(width, footerMetrics.horizontalAdvance(m_model->footerText(c)) + 12);
            width = std::clamp(width, 50, 300);
        }
        header->resizeSection(c, width);
    }
    m_layoutPending = m_model->rowCount() == 0;
    updateFooter();
}

void DataGrid::setRows(const Rows& rows)
{
    const QStringList before = m_model->fields();
    const int columnsBefore = m_model->columnCount();
    m_model->setRows(rows);
    afterDataChange(before != m_model->fields() || columnsBefore != m_model->columnCount());
}

void DataGrid::setValues(const QStringList& fields, const QList<QVariantList>& rows)
{
    const QStringList before = m_model->fields();
    const int columnsBefore = m_model->columnCount();
    m_model->setValues(fields, rows);
    afterDataChange(before != m_model->fields() || columnsBefore != m_model->columnCount());
}

void DataGrid::clear()
{
    m_model->clear();
    afterDataChange(false);
}

void DataGrid::afterDataChange(bool columnsChanged)
{
    // Widths the user dragged survive a refresh of the same columns.
    if (columnsChanged || m_layoutPending) {
        applyColumnLayout();
    } else {
        for (int c = 0; c < m_model->columnCount(); ++c)
            m_view->setColumnHidden(c, m_model->columns().at(c).hidden);
    }
    if (m_model->rowCount() > 0)
        setCurrentRow(0);
    updateFooter();
}

void DataGrid::updateFooter()
{
    m_footer->setVisible(m_footerWanted.value_or(m_model->hasFooter()));
    m_footer->update();
}

int DataGrid::rowCount() const
{
    return m_model->rowCount();
}

int DataGrid::columnCount() const
{
    return m_model->columnCount();
}

int DataGrid::currentRow() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void DataGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->selectionModel()->clearCurrentIndex();
        return;
    }
    int column = 0;
    const QList<int> shown = visibleColumns();
    if (!shown.isEmpty())
        column = shown.first();
    const QModelIndex i = m_model->index(row, column);
    m_view->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
    m_view->scrollTo(i);
}

QVariant DataGrid::rowValue(int row, const QString& field) const
{
    return m_model->value(row, field);
}

QVariant DataGrid::currentValue(const QString& field) const
{
    return m_model->value(currentRow(), field);
}

QString DataGrid::cellText(int row, int column) const
{
    return m_model->text(row, column);
}

int DataGrid::columnIndex(const QString& field) const
{
    return m_model->columnIndex(field);
}

bool DataGrid::isColumnVisible(int column) const
{
    if (column < 0 || column >= m_model->columnCount())
        return false;
    return !m_model->columns().at(column).hidden && !m_view->isColumnHidden(column);
}

QList<int> DataGrid::visibleColumns() const
{
    QList<int> out;
    const QHeaderView* header = m_view->horizontalHeader();
    for (int visual = 0; visual < m_model->columnCount(); ++visual) {
        const int c = header->logicalIndex(visual);
        if (isColumnVisible(c))
            out.append(c);
    }
    return out;
}

bool DataGrid::isNumericColumn(int column) const
{
    return m_model->isNumeric(column);
}

void DataGrid::sortByColumn(int column, Qt::SortOrder order)
{
    QHeaderView* header = m_view->horizontalHeader();
    if (header->sortIndicatorSection() == column && header->sortIndicatorOrder() == order)
        m_model->sort(column, order);
    else
        header->setSortIndicator(column, order);
}

void DataGrid::toggleSort(int column)
{
    const QHeaderView* header = m_view->horizontalHeader();
    const bool flip =
        header->sortIndicatorSection() == column && header->sortIndicatorOrder() == Qt::AscendingOrder;
    sortByColumn(column, flip ? Qt::DescendingOrder : Qt::AscendingOrder);
}

int DataGrid::sortColumn() const
{
    return m_model->sortColumn();
}

Qt::SortOrder DataGrid::sortOrder() const
{
    return m_model->sortOrder();
}

QString DataGrid::footerText(int column) const
{
    return m_model->footerText(column);
}

QString DataGrid::footerText(const QString& field) const
{
    return m_model->footerText(m_model->columnIndex(field));
}

void DataGrid::setFooterVisible(bool visible)
{
    m_footerWanted = visible;
    updateFooter();
}

bool DataGrid::isFooterVisible() const
{
    return m_footerWanted.value_or(m_model->hasFooter());
}

void DataGrid::selectAllRows() const
{
    m_view->selectAll();
}

QList<int> DataGrid::selectedRows() const
{
    // Rows with any selected cell: hidden columns never take a selection.
    QList<int> rows;
    for (const QItemSelectionRange& range : m_view->selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.append(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace mzt
