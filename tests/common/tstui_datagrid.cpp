#include "datagrid.h"
#include "decimal.h"
#include "editsmode.h"
#include "gridexport.h"
#include "prompter.h"
#include "qtprompter.h"
#include "testdb.h"
#include "xlsworkbook.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

using namespace mzt;

namespace {

const QStringList goodsFields = {QStringLiteral("编码"), QStringLiteral("品名"), QStringLiteral("数量"),
                                 QStringLiteral("备注")};

// Codes are unique; 001 and 006 tie on every other column, in that order.
QList<QVariantList> goodsRows()
{
    return {
        {QStringLiteral("003"), QStringLiteral("张三"), QStringLiteral("10"), QStringLiteral("甲")},
        {QStringLiteral("001"), QStringLiteral("李四"), QStringLiteral("9"), QStringLiteral("乙")},
        {QStringLiteral("010"), QStringLiteral("王五"), QStringLiteral("100"), QStringLiteral("丙")},
        {QStringLiteral("002"), QStringLiteral("阿大"), QStringLiteral("-5"), QStringLiteral("丁")},
        {QStringLiteral("004"), QStringLiteral("apple"), QStringLiteral("2.5"), QVariant()},
        {QStringLiteral("005"), QStringLiteral("Banana"), QVariant(), QStringLiteral("己")},
        {QStringLiteral("006"), QStringLiteral("李四"), QStringLiteral("9"), QStringLiteral("庚")},
    };
}

QList<GridColumn> goodsColumns()
{
    return {
        {.field = QStringLiteral("编码"), .title = QStringLiteral("商品编码"), .kind = ColumnKind::Text},
        {.field = QStringLiteral("品名"),
         .title = QStringLiteral("商品名称"),
         .footer = FooterKind::Label,
         .footerText = QStringLiteral("合计")},
        {.field = QStringLiteral("数量"),
         .title = QStringLiteral("数量"),
         .picture = QStringLiteral("0.00"),
         .footer = FooterKind::Sum},
        {.field = QStringLiteral("备注"), .title = QStringLiteral("备注"), .hidden = true},
    };
}

QStringList codesInOrder(const DataGrid& grid)
{
    QStringList out;
    for (int r = 0; r < grid.rowCount(); ++r)
        out.append(grid.rowValue(r, QStringLiteral("编码")).toString());
    return out;
}

void clickTitle(DataGrid& grid, int column)
{
    QHeaderView* header = grid.view()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// Clicks a button of the next message box as soon as it is up, and notes what it showed.
struct BoxAnswer
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;

    void clickWhenShown(QMessageBox::StandardButton which)
    {
        QTimer::singleShot(10, [this, which] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                clickWhenShown(which);
                return;
            }
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                buttons.append(b->text());
            buttons.sort();
            if (box->defaultButton())
                defaultButton = box->defaultButton()->text();
            box->button(which)->click();
        });
    }
};

} // namespace

class TestDataGrid final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void modelPassesTester();
    void sortByTitleClick_data();
    void sortByTitleClick();
    void newColumnSortsAscendingFirst();
    void sortSurvivesRefresh();
    void numbersWithoutPictureSortByValue();
    void footerSums_data();
    void footerSums();
    void footerLabelAndCount();
    void rowsFromQuery();
    void displayAndAccessors();
    void activationAndKeyboard();
    void selectAll();
    void exportWritesVisibleColumns_data();
    void exportWritesVisibleColumns();
    void exportRefusedWithoutRight();
    void exportCancelled();
    void exportFailureIsReported();
    void exportTooManyRows();
    void editsModes_data();
    void editsModes();
    void prompterBoxes();

private:
    void setUpGrid(DataGrid& grid);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDataGrid::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestDataGrid::setUpGrid(DataGrid& grid)
{
    grid.setColumns(goodsColumns());
    grid.setValues(goodsFields, goodsRows());
    grid.resize(800, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

void TestDataGrid::modelPassesTester()
{
    DataGrid grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    setUpGrid(grid);
    grid.sortByColumn(2, Qt::AscendingOrder);
    grid.setCurrentRow(3);
    grid.sortByColumn(1, Qt::DescendingOrder);
    grid.sortByColumn(-1, Qt::AscendingOrder);
    grid.setValues(goodsFields, goodsRows().mid(0, 2));
    grid.clear();
    QCOMPARE(grid.rowCount(), 0);
    grid.setColumns({});
    grid.setValues({QStringLiteral("甲"), QStringLiteral("乙")}, {{1, 2}, {3, 4}});
    QCOMPARE(grid.columnCount(), 2);
    grid.sortByColumn(0, Qt::DescendingOrder);
    QCOMPARE(grid.rowValue(0, QStringLiteral("甲")), QVariant(3));
}

void TestDataGrid::sortByTitleClick_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");
    QTest::addColumn<QStringList>("descending");

    // Numbers by value, the empty one first; ties keep their order both ways.
    QTest::newRow("numbers") << 2 << QStringList{"005", "002", "004", "001", "006", "003", "010"}
                             << QStringList{"010", "003", "001", "006", "004", "002", "005"};
    // Chinese by pinyin, a(阿) l(李) w(王) z(张), then Latin letters without regard to case.
    QTest::newRow("chinese texts") << 1 << QStringList{"002", "001", "006", "010", "003", "004", "005"}
                                   << QStringList{"005", "004", "003", "010", "001", "006", "002"};
    QTest::newRow("codes as text") << 0 << QStringList{"001", "002", "003", "004", "005", "006", "010"}
                                   << QStringList{"010", "006", "005", "004", "003", "002", "001"};
}

void TestDataGrid::sortByTitleClick()
{
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    QFETCH(QStringList, descending);
    DataGrid grid;
    setUpGrid(grid);
    const QHeaderView* header = grid.view()->horizontalHeader();
    QVERIFY(header->isSortIndicatorShown());

    clickTitle(grid, column);
    QCOMPARE(header->sortIndicatorSection(), column);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(codesInOrder(grid), ascending);

    clickTitle(grid, column);
    QCOMPARE(header->sortIndicatorSection(), column);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(grid.sortOrder(), Qt::DescendingOrder);
    QCOMPARE(codesInOrder(grid), descending);

    clickTitle(grid, column);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(codesInOrder(grid), ascending);
}

void TestDataGrid::newColumnSortsAscendingFirst()
{
    DataGrid grid;
    setUpGrid(grid);
    const QHeaderView* header = grid.view()->horizontalHeader();
    clickTitle(grid, 2);
    clickTitle(grid, 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    clickTitle(grid, 0);
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(codesInOrder(grid).first(), QStringLiteral("001"));

    grid.toggleSort(1);
    QCOMPARE(grid.sortColumn(), 1);
    QCOMPARE(grid.sortOrder(), Qt::AscendingOrder);
    grid.toggleSort(1);
    QCOMPARE(grid.sortOrder(), Qt::DescendingOrder);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

void TestDataGrid::sortSurvivesRefresh()
{
    DataGrid grid;
    setUpGrid(grid);
    clickTitle(grid, 2);
    clickTitle(grid, 2);
    QList<QVariantList> rows = goodsRows();
    rows.append({QStringLiteral("011"), QStringLiteral("新品"), QStringLiteral("1000"), QVariant()});
    grid.setValues(goodsFields, rows);
    QCOMPARE(grid.view()->horizontalHeader()->sortIndicatorSection(), 2);
    QCOMPARE(grid.view()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(codesInOrder(grid).mid(0, 3), (QStringList{"011", "010", "003"}));
    QCOMPARE(grid.currentRow(), 0);
}

void TestDataGrid::numbersWithoutPictureSortByValue()
{
    // Numbers handed over as numbers need no picture to sort as numbers.
    DataGrid grid;
    grid.setValues({QStringLiteral("编号"), QStringLiteral("单价")}, {{QStringLiteral("a"), 10.5},
                                                                      {QStringLiteral("b"), 9},
                                                                      {QStringLiteral("c"), -1.25},
                                                                      {QStringLiteral("d"), qint64(100)}});
    QVERIFY(grid.isNumericColumn(1));
    QVERIFY(!grid.isNumericColumn(0));
    grid.sortByColumn(1, Qt::AscendingOrder);
    QStringList order;
    for (int r = 0; r < grid.rowCount(); ++r)
        order.append(grid.rowValue(r, QStringLiteral("编号")).toString());
    QCOMPARE(order, (QStringList{"c", "b", "a", "d"}));
    QCOMPARE(grid.cellText(0, 1), QStringLiteral("-1.25"));
    QCOMPARE(grid.model()->data(grid.model()->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                 Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
}

void TestDataGrid::footerSums_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("sum");

    QTest::newRow("decimal texts") << QVariantList{"0.1", "0.2"} << "0.00"
                                   << "0.30";
    QTest::newRow("doubles summed exactly") << QVariantList{0.1, 0.2} << ""
                                            << "0.3";
    QTest::newRow("decimals") << QVariantList{QVariant::fromValue(Decimal::fromText(u"0.1")),
                                              QVariant::fromValue(Decimal::fromText(u"0.2"))}
                              << "0.00"
                              << "0.30";
    QTest::newRow("thousands") << QVariantList{"1234567.89", "0.11"} << "#,##0.00"
                               << "1,234,568.00";
    QTest::newRow("negatives and empties") << QVariantList{"-5", QVariant(), "2.5"} << "0.00"
                                           << "-2.50";
    QTest::newRow("rounded to whole") << QVariantList{"2.25", "2.25"} << "0"
                                      << "5";
    QVariantList cents;
    for (int i = 0; i < 1000; ++i)
        cents.append(QStringLiteral("0.01"));
    QTest::newRow("a thousand cents") << cents << "0.00"
                                      << "10.00";
    QTest::newRow("no rows") << QVariantList{} << "0.00"
                             << "0.00";
}

void TestDataGrid::footerSums()
{
    QFETCH(QVariantList, values);
    QFETCH(QString, picture);
    QFETCH(QString, sum);
    DataGrid grid;
    grid.setColumns({{.field = QStringLiteral("金额"),
                      .picture = picture,
                      .footer = FooterKind::Sum,
                      .kind = ColumnKind::Number}});
    QList<QVariantList> rows;
    for (const QVariant& v : values)
        rows.append(QVariantList{v});
    grid.setValues({QStringLiteral("金额")}, rows);
    QCOMPARE(grid.footerText(QStringLiteral("金额")), sum);
    QVERIFY(grid.isFooterVisible());
}

void TestDataGrid::footerLabelAndCount()
{
    DataGrid grid;
    QList<GridColumn> columns = goodsColumns();
    columns[0].footer = FooterKind::Count;
    grid.setColumns(columns);
    grid.setValues(goodsFields, goodsRows());
    QCOMPARE(grid.footerText(0), QStringLiteral("7"));
    QCOMPARE(grid.footerText(1), QStringLiteral("合计"));
    QCOMPARE(grid.footerText(2), QStringLiteral("125.50"));
    QCOMPARE(grid.footerText(3), QString());
    // Sorting moves rows, not sums.
    grid.sortByColumn(2, Qt::DescendingOrder);
    QCOMPARE(grid.footerText(2), QStringLiteral("125.50"));

    DataGrid plain;
    plain.setValues({QStringLiteral("甲")}, {{1}});
    QVERIFY(!plain.isFooterVisible());
}

void TestDataGrid::rowsFromQuery()
{
    test::TestDatabase t;
    Database& db = t.db();
    db.exec(QStringLiteral("create table 网格测试 (编码 TEXT, 品名 TEXT, 金额 NUMERIC(19,4))"));
    const QList<QVariantList> values = {
        {QStringLiteral("A1"), QStringLiteral("面粉"), QStringLiteral("0.1")},
        {QStringLiteral("A2"), QStringLiteral("大米"), QStringLiteral("0.2")},
        {QStringLiteral("A3"), QStringLiteral("食用油"), QStringLiteral("12")},
        {QStringLiteral("A4"), QStringLiteral("白糖"), QVariant()}};
    for (const QVariantList& v : values)
        db.exec(QStringLiteral("insert into 网格测试 (编码, 品名, 金额) values (?, ?, ?)"), v);

    DataGrid grid;
    grid.setColumns({{.field = QStringLiteral("品名")},
                     {.field = QStringLiteral("金额"),
                      .picture = QStringLiteral("#,##0.00"),
                      .footer = FooterKind::Sum}});
    grid.setRows(db.query(QStringLiteral("select * from 网格测试 order by 编码")));
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(grid.footerText(1), QStringLiteral("12.30"));
    QCOMPARE(grid.cellText(2, 1), QStringLiteral("12.00"));
    QCOMPARE(grid.cellText(3, 1), QString());
    // A field of the query that no column shows is still there.
    QCOMPARE(grid.rowValue(1, QStringLiteral("编码")).toString(), QStringLiteral("A2"));
    grid.sortByColumn(1, Qt::DescendingOrder);
    QCOMPARE(grid.rowValue(0, QStringLiteral("编码")).toString(), QStringLiteral("A3"));
    QCOMPARE(grid.rowValue(3, QStringLiteral("编码")).toString(), QStringLiteral("A4"));
    grid.sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(grid.rowValue(0, QStringLiteral("品名")).toString(), QStringLiteral("白糖"));

    // A query without rows keeps the columns.
    grid.setRows(db.query(QStringLiteral("select * from 网格测试 where 编码 = ?"), {QStringLiteral("无")}));
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(grid.columnCount(), 2);
    QCOMPARE(grid.footerText(1), QStringLiteral("0.00"));
    QCOMPARE(grid.currentRow(), -1);
}

void TestDataGrid::displayAndAccessors()
{
    DataGrid grid;
    setUpGrid(grid);
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("商品编码"));
    QCOMPARE(grid.cellText(4, 2), QStringLiteral("2.50"));
    QCOMPARE(grid.cellText(5, 2), QString());
    QVERIFY(grid.view()->isColumnHidden(3));
    QCOMPARE(grid.visibleColumns(), (QList<int>{0, 1, 2}));
    QCOMPARE(grid.rowValue(0, QStringLiteral("备注")).toString(), QStringLiteral("甲"));
    QVERIFY(!grid.rowValue(0, QStringLiteral("没有的字段")).isValid());
    QVERIFY(!grid.rowValue(7, QStringLiteral("编码")).isValid());
    QCOMPARE(grid.columnIndex(QStringLiteral("数量")), 2);
    QCOMPARE(grid.currentRow(), 0);
    grid.setCurrentRow(2);
    QCOMPARE(grid.currentValue(QStringLiteral("品名")).toString(), QStringLiteral("王五"));
}

void TestDataGrid::activationAndKeyboard()
{
    DataGrid grid;
    setUpGrid(grid);
    QSignalSpy activated(&grid, &DataGrid::rowActivated);
    QSignalSpy moved(&grid, &DataGrid::currentRowChanged);
    QTableView* view = grid.view();
    view->setFocus();
    grid.setCurrentRow(0);

    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(grid.currentRow(), 1);
    QCOMPARE(moved.last().at(0).toInt(), 1);
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid.currentRow(), 6);
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid.currentRow(), 0);
    QTest::keyClick(view, Qt::Key_PageDown);
    QVERIFY(grid.currentRow() > 0);

    grid.setCurrentRow(3);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated.last().at(0).toInt(), 3);

    const QRect cell = view->visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(activated.size(), 2);
    QCOMPARE(activated.last().at(0).toInt(), 2);
    QCOMPARE(grid.currentRow(), 2);
}

void TestDataGrid::selectAll()
{
    DataGrid grid;
    setUpGrid(grid);
    grid.selectAllRows();
    QCOMPARE(grid.selectedRows(), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    grid.setCurrentRow(4);
    QCOMPARE(grid.selectedRows(), QList<int>{4});
}

void TestDataGrid::exportWritesVisibleColumns_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("extension added") << "库存"
                                     << "库存.xls";
    QTest::newRow("upper-case extension kept") << "库存.XLS"
                                               << "库存.XLS";
}

void TestDataGrid::exportWritesVisibleColumns()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    test::TestSession s;
    DataGrid grid;
    setUpGrid(grid);
    grid.sortByColumn(2, Qt::DescendingOrder);

    QString offeredName;
    const auto chooser = [&](QWidget*, const QString& name) {
        offeredName = name;
        return m_dir->filePath(chosen);
    };
    QVERIFY(ExportGridToExcel(&grid, s.session(), QStringLiteral("库存查询"), grid, chooser));
    QCOMPARE(offeredName, QStringLiteral("库存查询"));
    QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("导出成功")});
    QCOMPARE(s.prompter().shown.first().kind, MessageKind::Information);
    QVERIFY(QFile::exists(m_dir->filePath(written)));
    if (written != chosen)
        QVERIFY(!QFile::exists(m_dir->filePath(chosen)));
    // The rows were selected as the export went.
    QCOMPARE(grid.selectedRows().size(), 7);

    XlsWorkbookReader reader;
    QVERIFY2(reader.open(m_dir->filePath(written)), qPrintable(reader.errorString()));
    const auto sheet = reader.readSheet(0);
    QVERIFY2(sheet, qPrintable(reader.errorString()));
    const QList<QList<QVariant>> want = {
        {QStringLiteral("商品编码"), QStringLiteral("商品名称"), QStringLiteral("数量")},
        {QStringLiteral("010"), QStringLiteral("王五"), 100.0},
        {QStringLiteral("003"), QStringLiteral("张三"), 10.0},
        {QStringLiteral("001"), QStringLiteral("李四"), 9.0},
        {QStringLiteral("006"), QStringLiteral("李四"), 9.0},
        {QStringLiteral("004"), QStringLiteral("apple"), 2.5},
        {QStringLiteral("002"), QStringLiteral("阿大"), -5.0},
        {QStringLiteral("005"), QStringLiteral("Banana"), QVariant()},
    };
    QCOMPARE(*sheet, want);
}

void TestDataGrid::exportRefusedWithoutRight()
{
    test::TestSession s;
    if (!s.db().tableExists(QStringLiteral("权限密码"))) {
        s.db().exec(QStringLiteral("create table 权限密码 (工号 TEXT, 导出数据到excel SMALLINT)"));
        s.db().exec(QStringLiteral("insert into 权限密码 (工号, 导出数据到excel) values (?, 1)"),
                    {QStringLiteral("888")});
    }
    s.db().exec(QStringLiteral("update 权限密码 set 导出数据到excel = 0 where 工号 = ?"),
                {QStringLiteral("888")});
    DataGrid grid;
    setUpGrid(grid);
    bool asked = false;
    const auto chooser = [&](QWidget*, const QString&) {
        asked = true;
        return m_dir->filePath(QStringLiteral("库存"));
    };
    QVERIFY(!ExportGridToExcel(&grid, s.session(), QStringLiteral("库存"), grid, chooser));
    QVERIFY(!asked);
    QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
    QCOMPARE(s.prompter().shown.first().kind, MessageKind::Warning);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("库存.xls"))));
}

void TestDataGrid::exportCancelled()
{
    test::TestSession s;
    DataGrid grid;
    setUpGrid(grid);
    QVERIFY(!ExportGridToExcel(&grid, s.session(), QStringLiteral("库存"), grid,
                               [](QWidget*, const QString&) { return QString(); }));
    QVERIFY(s.prompter().shown.isEmpty());
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void TestDataGrid::exportFailureIsReported()
{
    test::TestSession s;
    DataGrid grid;
    setUpGrid(grid);
    const QString chosen = m_dir->filePath(QStringLiteral("没有的目录/库存"));
    QVERIFY(!ExportGridToExcel(&grid, s.session(), QStringLiteral("库存"), grid,
                               [&](QWidget*, const QString&) { return chosen; }));
    QCOMPARE(s.prompter().shown.size(), 1);
    QCOMPARE(s.prompter().shown.first().kind, MessageKind::Error);
    QVERIFY2(s.prompter().last().contains(QStringLiteral("库存.xls")), qPrintable(s.prompter().last()));
    QVERIFY(!s.prompter().texts().contains(QStringLiteral("导出成功")));
}

void TestDataGrid::exportTooManyRows()
{
    // With the title row, 65536 rows no longer fit one worksheet.
    test::TestSession s;
    DataGrid grid;
    QList<QVariantList> rows;
    for (int i = 0; i < XlsWorkbookWriter::maxRows; ++i)
        rows.append(QVariantList{i});
    grid.setValues({QStringLiteral("序号")}, rows);
    bool asked = false;
    QVERIFY(
        !ExportGridToExcel(nullptr, s.session(), QStringLiteral("明细"), grid, [&](QWidget*, const QString&) {
            asked = true;
            return m_dir->filePath(QStringLiteral("明细"));
        }));
    QVERIFY(!asked);
    QCOMPARE(s.prompter().shown.size(), 1);
    QVERIFY(s.prompter().last().contains(QStringLiteral("65536")));
    QVERIFY(!s.prompter().texts().contains(QStringLiteral("导出成功")));
}

void TestDataGrid::editsModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QString>("plainText");
    QTest::addColumn<QString>("keptText");
    QTest::newRow("0 disabled grey") << 0 << false << QColor(221, 221, 221) << "编码"
                                     << "件";
    QTest::newRow("1 enabled emptied") << 1 << true << QColor(Qt::white) << ""
                                       << "件";
    QTest::newRow("2 enabled kept") << 2 << true << QColor(Qt::white) << "编码"
                                    << "件";
}

void TestDataGrid::editsModes()
{
    QFETCH(int, mode);
    QFETCH(bool, enabled);
    QFETCH(QColor, base);
    QFETCH(QString, plainText);
    QFETCH(QString, keptText);

    QWidget window;
    auto* plain = new QLineEdit(QStringLiteral("编码"), &window);
    auto* nested = new QLineEdit(QStringLiteral("编码"), new QWidget(&window));
    auto* kept = new QLineEdit(QStringLiteral("件"), &window);
    kept->setProperty(keepTextProperty, true);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->setEditText(QStringLiteral("货位一"));
    auto* spin = new QSpinBox(&window);
    spin->setValue(5);
    QDialog dialog(&window); // a window of its own, with boxes of its own
    auto* other = new QLineEdit(QStringLiteral("别的窗口"), &dialog);

    SetEditsMode(&window, 0); // from a different state than the one asked for
    SetEditsMode(&window, mode == 0 ? 2 : mode);
    SetEditsMode(&window, mode);
    for (QLineEdit* e : {plain, nested, kept}) {
        QCOMPARE(e->isEnabled(), enabled);
        QCOMPARE(e->palette().color(QPalette::Active, QPalette::Base), base);
        QCOMPARE(e->palette().color(QPalette::Disabled, QPalette::Base), base);
    }
    QCOMPARE(plain->text(), plainText);
    QCOMPARE(nested->text(), plainText);
    QCOMPARE(kept->text(), keptText);
    // The edit boxes inside combo and spin boxes are theirs, not the window's.
    QCOMPARE(combo->currentText(), QStringLiteral("货位一"));
    QVERIFY(combo->lineEdit()->isEnabled());
    QCOMPARE(spin->value(), 5);
    QVERIFY(other->isEnabled());
    QCOMPARE(other->text(), QStringLiteral("别的窗口"));
}

void TestDataGrid::prompterBoxes()
{
    QtPrompter prompter;
    BoxAnswer no;
    no.clickWhenShown(QMessageBox::No);
    QVERIFY(!prompter.ask(QStringLiteral("确定要删除吗?"), QStringLiteral("删除确认")));
    QCOMPARE(no.text, QStringLiteral("确定要删除吗?"));
    QCOMPARE(no.title, QStringLiteral("删除确认"));
    QCOMPARE(no.icon, QMessageBox::Question);
    QCOMPARE(no.buttons, (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
    QCOMPARE(no.defaultButton, QStringLiteral("是"));

    BoxAnswer yes;
    yes.clickWhenShown(QMessageBox::Yes);
    QVERIFY(prompter.ask(QStringLiteral("保存吗?")));
    QCOMPARE(yes.title, Prompter::defaultTitle());

    BoxAnswer warned;
    warned.clickWhenShown(QMessageBox::Ok);
    prompter.warn(noRightText());
    QCOMPARE(warned.text, noRightText());
    QCOMPARE(warned.icon, QMessageBox::Warning);
    QCOMPARE(warned.buttons, QStringList{QStringLiteral("确定")});

    BoxAnswer failed;
    failed.clickWhenShown(QMessageBox::Ok);
    prompter.error(QStringLiteral("数据库操作失败"));
    QCOMPARE(failed.icon, QMessageBox::Critical);
}

MZT_TEST_MAIN(TestDataGrid)
#include "tstui_datagrid.moc"
