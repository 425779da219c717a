#include "categorytree.h"
#include "datagrid.h"
#include "goodsselection.h"
#include "product_frm.h"
#include "reportpainter.h"
#include "splebei_new_frm.h"
#include "spzl_frm.h"
#include "stocktables.h"
#include "testdb.h"
#include "tree_check_frm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace mzt;
using namespace mzt::test;

namespace {

void addWarehouse(Database& db, const QString& name)
{
    db.exec(QStringLiteral("insert into 货位(货位编码,货位名称) values(?,?)"), {name, name});
    StockTables::CreateWarehouseTable(db, name);
}

void addUnits(Database& db)
{
    const QStringList names{QStringLiteral("件"), QStringLiteral("袋"), QStringLiteral("包"),
                            QStringLiteral("箱")};
    for (int i = 0; i < names.size(); ++i)
        db.exec(QStringLiteral("insert into 单位(编号,单位名,进制) values(?,?,1)"),
                {QString(QStringLiteral("0") + QString::number(i + 1)), names.at(i)});
}

void addCategory(Database& db, const QString& code, const QString& name,
                 const QString& parent = QStringLiteral("0"))
{
    db.exec(QStringLiteral("insert into 类别(编码,类名,未级标志,父项编码,层次码) values(?,?,'是',?,0)"),
            {code, name, parent});
    if (parent != QLatin1String("0"))
        db.exec(QStringLiteral("update 类别 set 未级标志='否' where 编码=?"), {parent});
}

void insertGoods(Database& db, const QString& code, const QString& name,
                 const QString& price = QStringLiteral("2.5"))
{
    db.exec(QStringLiteral(
                "insert into "
                "商品(编码,条码,品名,单位,柜组,换算数,小包装,大包装,备注,公司名,淘汰否,进价,批价,售价) "
                "values(?,'KBK',?,'包*24','1件*24包','件包',24,'件','','','否',1.2,2,?)"),
            {code, name, price});
    db.exec(QStringLiteral("insert into 库存(货位,编码,数量,金额,组合库存) values('库存',?,0,0,'0')"),
            {code});
}

// Data a screenshot of the windows shows.
void fillShowcase(Database& db)
{
    addUnits(db);
    addWarehouse(db, QStringLiteral("一号库"));
    addCategory(db, QStringLiteral("01"), QStringLiteral("休闲食品"));
    addCategory(db, QStringLiteral("0101"), QStringLiteral("膨化食品"), QStringLiteral("01"));
    addCategory(db, QStringLiteral("0102"), QStringLiteral("饼干糕点"), QStringLiteral("01"));
    addCategory(db, QStringLiteral("02"), QStringLiteral("酒水饮料"));
    insertGoods(db, QStringLiteral("B01011"), QStringLiteral("达利可比克[1件*24包]"));
    insertGoods(db, QStringLiteral("B01012"), QStringLiteral("乐事薯片原味[1件*24包]"),
                QStringLiteral("3.5"));
    insertGoods(db, QStringLiteral("B01023"), QStringLiteral("好丽友派[1件*12盒]"), QStringLiteral("12"));
    insertGoods(db, QStringLiteral("B02004"), QStringLiteral("农夫山泉550ml[1件*24瓶]"),
                QStringLiteral("1.5"));
    db.exec(QStringLiteral("insert into 供应商(编码,公司名) values('DL','达利食品集团')"));
}

void loginWithout(TestSession& s, const QString& right)
{
    s.db().exec(QStringLiteral("update 权限密码 set ") + quoteIdentifier(right) +
                QStringLiteral("=0 where 工号='888'"));
}

void clickRow(DataGrid* grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTableView* view = grid->view();
    const QRect r = view->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, r.center());
}

// Types any text, as an input method would hand it over.
void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void grab(QWidget* w, const QString& name)
{
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::qWait(50);
    QVERIFY(w->grab().save(QStringLiteral("/tmp/h7-") + name + QStringLiteral(".png")));
}

} // namespace

class TestGoodsWindows final : public QObject
{
    Q_OBJECT

private slots:
    void purchasePriceHiddenWithoutRight_data();
    void purchasePriceHiddenWithoutRight();
    void treeFiltersTheList();
    void pickerCollectsClickedRows();
    void importEntryOnlyInPicker();
    void packTextsFollowUnits();
    void quickCodeFollowsName();
    void ratioBoxRefusesFractions();
    void changeModeHidesUsedUnits_data();
    void changeModeHidesUsedUnits();
    void addKeepsEditorOpen();
    void editorOpensOtherWindows();
    void categoryEditorAddsAndDeletes();
    void categoryPickerRefusesRoot();
    void screenshots();
};

void TestGoodsWindows::purchasePriceHiddenWithoutRight_data()
{
    QTest::addColumn<bool>("granted");
    QTest::newRow("granted") << true;
    QTest::newRow("not granted") << false;
}

void TestGoodsWindows::purchasePriceHiddenWithoutRight()
{
    QFETCH(bool, granted);
    TestSession s;
    fillShowcase(s.db());
    if (!granted)
        loginWithout(s, QStringLiteral("可查看商品进价"));
    Tfrm_spzl list(s.session());
    const int column = list.grid()->columnIndex(QStringLiteral("进价"));
    QVERIFY(column >= 0);
    QCOMPARE(list.grid()->isColumnVisible(column), granted);
    QVERIFY(list.grid()->isColumnVisible(list.grid()->columnIndex(QStringLiteral("售价"))));
    TFrm_product editor(s.session());
    QCOMPARE(editor.purchasePriceBox()->isVisibleTo(&editor), granted);
    QVERIFY(editor.retailPriceBox()->isVisibleTo(&editor));
}

void TestGoodsWindows::treeFiltersTheList()
{
    TestSession s;
    fillShowcase(s.db());
    Tfrm_spzl list(s.session());
    QCOMPARE(list.grid()->rowCount(), 4);
    QCOMPARE(list.countLabel()->text(), QStringLiteral("记录数：4"));
    QVERIFY(list.tree()->selectCode(QStringLiteral("0101")));
    QCOMPARE(list.grid()->rowCount(), 2);
    QCOMPARE(list.countLabel()->text(), QStringLiteral("记录数：2"));
    QStringList codes{list.grid()->rowValue(0, QStringLiteral("编码")).toString(),
                      list.grid()->rowValue(1, QStringLiteral("编码")).toString()};
    codes.sort();
    QCOMPARE(codes, (QStringList{QStringLiteral("B01011"), QStringLiteral("B01012")}));
    QVERIFY(list.tree()->selectCode(QStringLiteral("01")));
    QCOMPARE(list.grid()->rowCount(), 3);
    list.queryBox(QStringLiteral("品名"))->setText(QStringLiteral("山泉"));
    list.runQuery();
    QCOMPARE(list.grid()->rowCount(), 1);
    QCOMPARE(list.grid()->rowValue(0, QStringLiteral("编码")).toString(), QStringLiteral("B02004"));
}

void TestGoodsWindows::pickerCollectsClickedRows()
{
    TestSession s;
    fillShowcase(s.db());
    GoodsSelectionList selection;
    Tfrm_spzl picker(s.session(), nullptr, &selection, QStringLiteral("一号库"));
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    picker.sortByName();
    DataGrid* grid = picker.grid();
    const auto code = [grid](int row) { return grid->rowValue(row, QStringLiteral("编码")).toString(); };

    clickRow(grid, 0);
    QCOMPARE(selection.size(), 1);
    QCOMPARE(selection.at(0).code, code(0));
    QCOMPARE(selection.at(0).unit, QStringLiteral("包"));
    QCOMPARE(selection.at(0).warehouse, QStringLiteral("一号库"));
    clickRow(grid, 2, Qt::ControlModifier);
    clickRow(grid, 3, Qt::ControlModifier);
    QCOMPARE(selection.size(), 3);
    // A row clicked out of the selection leaves the list.
    clickRow(grid, 2, Qt::ControlModifier);
    QCOMPARE(selection.size(), 2);
    QVERIFY(!selection.contains(code(2)));
    QVERIFY(selection.contains(code(3)));
    // A plain click starts again from that row.
    clickRow(grid, 1);
    QCOMPARE(selection.size(), 1);
    QCOMPARE(selection.at(0).code, code(1));

    // "修改商品资料" hands the list over instead of editing.
    picker.button(QStringLiteral("修改商品资料"))->click();
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(selection.size(), 1);
}

void TestGoodsWindows::importEntryOnlyInPicker()
{
    TestSession s;
    fillShowcase(s.db());
    Tfrm_spzl list(s.session());
    QVERIFY(!list.importAction()->isVisible());
    GoodsSelectionList selection;
    Tfrm_spzl picker(s.session(), nullptr, &selection);
    QVERIFY(picker.importAction()->isVisible());
    QCOMPARE(picker.importAction()->text(), QStringLiteral("导入选中行的商品"));
    picker.importAction()->trigger();
    QCOMPARE(picker.result(), int(QDialog::Accepted));
}

void TestGoodsWindows::packTextsFollowUnits()
{
    TestSession s;
    fillShowcase(s.db());
    TFrm_product editor(s.session());
    editor.unitBox(0)->setCurrentText(QStringLiteral("件"));
    QCOMPARE(editor.specificationLabel()->text(), QStringLiteral("商品规格:1件"));
    editor.unitBox(1)->setCurrentText(QStringLiteral("袋"));
    QTest::keyClicks(editor.ratioBox(0), QStringLiteral("2"));
    QCOMPARE(editor.ratioBox(0)->text(), QStringLiteral("12"));
    editor.unitBox(2)->setCurrentText(QStringLiteral("包"));
    editor.ratioBox(1)->setText(QStringLiteral("24"));
    emit editor.ratioBox(1)->textEdited(QStringLiteral("24"));
    QCOMPARE(editor.specificationLabel()->text(), QStringLiteral("商品规格:1件*12袋*24包"));
    QCOMPARE(editor.smallestUnitHint()->text(),
             QStringLiteral("请注意：下面的:进价，批价，售价，及更多价格中的价格应为最小单位:【包】的价格"));
    QCOMPARE(editor.form().pack.specification(), QStringLiteral("1件*12袋*24包"));
    // The second unit back to none ends the chain.
    editor.unitBox(1)->setCurrentIndex(0);
    QCOMPARE(editor.specificationLabel()->text(), QStringLiteral("商品规格:1件"));
    QVERIFY(!editor.ratioBox(0)->isEnabled());
}

void TestGoodsWindows::quickCodeFollowsName()
{
    TestSession s;
    fillShowcase(s.db());
    TFrm_product editor(s.session());
    typeText(editor.nameBox(), QStringLiteral("可比克"));
    QCOMPARE(editor.quickCodeBox()->text(), QStringLiteral("KBK"));
    typeText(editor.nameBox(), QStringLiteral("[1件]"));
    QCOMPARE(editor.quickCodeBox()->text(), QStringLiteral("KBK[1J]"));
}

void TestGoodsWindows::ratioBoxRefusesFractions()
{
    TestSession s;
    fillShowcase(s.db());
    TFrm_product editor(s.session());
    editor.unitBox(0)->setCurrentText(QStringLiteral("件"));
    editor.unitBox(1)->setCurrentText(QStringLiteral("包"));
    QLineEdit* ratio = editor.ratioBox(0);
    ratio->clear();
    QTest::keyClicks(ratio, QStringLiteral("1.5x"));
    QCOMPARE(ratio->text(), QStringLiteral("1.5")); // letters cannot be typed
    emit ratio->editingFinished();
    QCOMPARE(s.prompter().last(), QStringLiteral("单位换算数必须是1至999999之间的整数,请重新输入!"));
    s.prompter().clear();
    ratio->clear();
    emit ratio->editingFinished();
    QCOMPARE(ratio->text(), QStringLiteral("1"));
    QVERIFY(s.prompter().shown.isEmpty());
}

void TestGoodsWindows::changeModeHidesUsedUnits_data()
{
    QTest::addColumn<bool>("used");
    QTest::newRow("unused goods") << false;
    QTest::newRow("goods in a receipt line") << true;
}

void TestGoodsWindows::changeModeHidesUsedUnits()
{
    QFETCH(bool, used);
    TestSession s;
    fillShowcase(s.db());
    if (used)
        s.db().exec(
            QStringLiteral("insert into 进货子(单号,编码,品名,数量) values('J1','B01011','可比克',24)"));
    TFrm_product editor(s.session());
    QVERIFY(editor.startChange(QStringLiteral("B01011")));
    QCOMPARE(editor.unitsPanel()->isVisibleTo(&editor), !used);
    QVERIFY(editor.changeNote()->isVisibleTo(&editor));
    QCOMPARE(editor.changeNote()->text(),
             QStringLiteral("注：如果你要修改的商品已经开始作为销售数据了,请不要随意修改规格."));
    QVERIFY(!editor.categoryHint()->isVisibleTo(&editor));
    QVERIFY(!editor.categoryBox()->isEnabled());
    QVERIFY(editor.numberBox()->isReadOnly());
    QCOMPARE(editor.codeLabel()->text(), QStringLiteral("B01011"));
    QCOMPARE(editor.categoryBox()->currentText(), QStringLiteral("膨化食品(0101)"));
    QCOMPARE(editor.specificationLabel()->text(), QStringLiteral("商品规格:1件*24包"));
    QCOMPARE(editor.nameBox()->text(), QStringLiteral("达利可比克[1件*24包]"));
    QVERIFY(!editor.startChange(QStringLiteral("B09999")));
    QCOMPARE(s.prompter().last(), QStringLiteral("当前无资料可修改!"));
}

void TestGoodsWindows::addKeepsEditorOpen()
{
    TestSession s;
    fillShowcase(s.db());
    TFrm_product editor(s.session());
    editor.startAdd(QStringLiteral("02"));
    QCOMPARE(editor.categoryBox()->currentText(), QStringLiteral("酒水饮料(02)"));
    QCOMPARE(editor.numberBox()->text(), QStringLiteral("5"));
    QCOMPARE(editor.codeLabel()->text(), QStringLiteral("B02005"));
    editor.unitBox(0)->setCurrentText(QStringLiteral("箱"));
    editor.unitBox(1)->setCurrentText(QStringLiteral("包"));
    editor.ratioBox(0)->setText(QStringLiteral("6"));
    typeText(editor.nameBox(), QStringLiteral("可乐"));
    editor.retailPriceBox()->setText(QStringLiteral("3"));
    editor.priceBox(0)->setText(QStringLiteral("2.8"));
    QString added;
    connect(&editor, &TFrm_product::goodsAdded, this, [&added](const QString& c) { added = c; });
    editor.saveButton()->click();
    QCOMPARE(added, QStringLiteral("B02005"));
    QCOMPARE(s.prompter().last(), QStringLiteral("增加新商品成功！"));
    QCOMPARE(s.db().scalar(QStringLiteral("select 柜组 from 商品 where 编码='B02005'"))->toString(),
             QStringLiteral("1箱*6包"));
    // Ready for the next one: boxes emptied, number proposed, units and further prices kept.
    QCOMPARE(editor.nameBox()->text(), QString());
    QCOMPARE(editor.retailPriceBox()->text(), QString());
    QCOMPARE(editor.numberBox()->text(), QStringLiteral("6"));
    QCOMPARE(editor.priceBox(0)->text(), QStringLiteral("2.8"));
    QCOMPARE(editor.ratioBox(0)->text(), QStringLiteral("6"));
    QCOMPARE(editor.unitBox(0)->currentText(), QStringLiteral("箱"));
    // The supplier box: Enter looks the supplier up.
    typeText(editor.supplierBox(), QStringLiteral("达利"));
    QTest::keyClick(editor.supplierBox(), Qt::Key_Return);
    QCOMPARE(editor.supplierCodeBox()->text(), QStringLiteral("DL"));
    QCOMPARE(editor.supplierBox()->text(), QStringLiteral("达利食品集团"));
}

void TestGoodsWindows::editorOpensOtherWindows()
{
    TestSession s;
    addUnits(s.db());
    addCategory(s.db(), QStringLiteral("01"), QStringLiteral("休闲食品"));
    int warehouseOpened = 0;
    int unitsOpened = 0;
    GoodsWindowOpeners openers;
    openers.warehouses = [&warehouseOpened](Session&, QWidget*) { ++warehouseOpened; };
    openers.units = [&unitsOpened](Session& session, QWidget*) {
        ++unitsOpened;
        session.db.exec(QStringLiteral("insert into 单位(编号,单位名,进制) values('05','瓶',1)"));
    };
    TFrm_product editor(s.session(), nullptr, openers);
    editor.startAdd(QStringLiteral("01"));
    editor.unitBox(0)->setCurrentText(QStringLiteral("件"));
    typeText(editor.nameBox(), QStringLiteral("可乐"));

    // No warehouse yet: the warehouse window opens instead of saving.
    editor.saveButton()->click();
    QCOMPARE(warehouseOpened, 1);
    QCOMPARE(s.prompter().last(), QStringLiteral("对不起,当前没有一个仓库信息,请您先增加一个仓库!"));
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 0);

    // The unit page, and the unit lists read again afterwards.
    QCOMPARE(editor.unitBox(1)->findText(QStringLiteral("瓶")), -1);
    editor.unitsButton()->click();
    QCOMPARE(unitsOpened, 1);
    QVERIFY(editor.unitBox(1)->findText(QStringLiteral("瓶")) > 0);
    QCOMPARE(editor.unitBox(0)->currentText(), QStringLiteral("件"));

    // Both need their rights.
    loginWithout(s, QStringLiteral("计量单位增加"));
    loginWithout(s, QStringLiteral("仓库货位增加"));
    s.prompter().clear();
    editor.unitsButton()->click();
    editor.saveButton()->click();
    QCOMPARE(unitsOpened, 1);
    QCOMPARE(warehouseOpened, 1);
    QCOMPARE(s.prompter().texts(),
             (QStringList{noRightText(), QStringLiteral("对不起,当前没有一个仓库信息,请您先增加一个仓库!"),
                          noRightText()}));
}

void TestGoodsWindows::categoryEditorAddsAndDeletes()
{
    TestSession s;
    fillShowcase(s.db());
    Tfrm_splebei_new editor(s.session(), nullptr, QStringLiteral("02"));
    editor.codeBox()->setText(QStringLiteral("0201"));
    editor.nameBox()->setText(QStringLiteral("碳酸饮料"));
    editor.addButton()->click();
    QCOMPARE(s.prompter().last(), QStringLiteral("增加成功!"));
    QCOMPARE(s.db().scalar(QStringLiteral("select 父项编码 from 类别 where 编码='0201'"))->toString(),
             QStringLiteral("02"));
    QVERIFY(editor.tree()->itemForCode(QStringLiteral("0201")));
    // "设为根结点" puts it at the top whatever is selected.
    editor.rootBox()->setChecked(true);
    editor.codeBox()->setText(QStringLiteral("03"));
    editor.nameBox()->setText(QStringLiteral("日化用品"));
    editor.addButton()->click();
    QCOMPARE(s.db().scalar(QStringLiteral("select 父项编码 from 类别 where 编码='03'"))->toString(),
             QStringLiteral("0"));
    QVERIFY(editor.tree()->selectCode(QStringLiteral("0201")));
    editor.changeButton()->click();
    QCOMPARE(editor.nameBox()->text(), QStringLiteral("碳酸饮料"));
    QVERIFY(editor.codeBox()->isReadOnly());
    editor.nameBox()->setText(QStringLiteral("汽水"));
    editor.saveButton()->click();
    QCOMPARE(s.db().scalar(QStringLiteral("select 类名 from 类别 where 编码='0201'"))->toString(),
             QStringLiteral("汽水"));
    QVERIFY(editor.tree()->selectCode(QStringLiteral("0201")));
    editor.deleteButton()->click();
    QCOMPARE(s.prompter().last(), QStringLiteral("删除成功!"));
    QCOMPARE(s.db().scalar(QStringLiteral("select 未级标志 from 类别 where 编码='02'"))->toString(),
             QStringLiteral("是"));
    QVERIFY(editor.changedAny());
}

void TestGoodsWindows::categoryPickerRefusesRoot()
{
    TestSession s;
    fillShowcase(s.db());
    Tfrm_tree_check picker(s.session());
    picker.tree()->setCurrentItem(picker.tree()->rootItem());
    picker.chooseButton()->click();
    QCOMPARE(s.prompter().last(), QStringLiteral("选中的项目-不能为[根目录]或不能为\"空\",请重新选择!"));
    QVERIFY(!picker.chosen());
    QVERIFY(picker.tree()->selectCode(QStringLiteral("0102")));
    picker.chooseButton()->click();
    QVERIFY(picker.chosen());
    QCOMPARE(picker.chosen()->code, QStringLiteral("0102"));
    QCOMPARE(picker.result(), int(QDialog::Accepted));

    // The editor takes the choice as its category.
    TFrm_product editor(s.session());
    editor.chooseCategory(QStringLiteral("0102"));
    QCOMPARE(editor.categoryBox()->currentText(), QStringLiteral("饼干糕点(0102)"));
    QCOMPARE(editor.codeLabel()->text(), QStringLiteral("B01025"));
}

void TestGoodsWindows::screenshots()
{
    if (onPostgres())
        QSKIP("the windows look the same on both engines");
    TestSession s;
    fillShowcase(s.db());
    {
        Tfrm_spzl list(s.session());
        list.tree()->selectCode(QStringLiteral("01"));
        grab(&list, QStringLiteral("spzl"));
    }
    {
        TFrm_product editor(s.session());
        editor.startAdd(QStringLiteral("0101"));
        editor.unitBox(0)->setCurrentText(QStringLiteral("件"));
        editor.unitBox(1)->setCurrentText(QStringLiteral("袋"));
        editor.ratioBox(0)->setText(QStringLiteral("12"));
        editor.unitBox(2)->setCurrentText(QStringLiteral("包"));
        editor.ratioBox(1)->setText(QStringLiteral("24"));
        emit editor.ratioBox(1)->textEdited(QStringLiteral("24"));
        typeText(editor.nameBox(), QStringLiteral("达利可比克[1件*12袋*24包]"));
        editor.retailPriceBox()->setText(QStringLiteral("2.5"));
        grab(&editor, QStringLiteral("product"));
    }
    {
        TFrm_product editor(s.session());
        editor.startChange(QStringLiteral("B01011"));
        grab(&editor, QStringLiteral("product-change"));
    }
    {
        Tfrm_splebei_new editor(s.session(), nullptr, QStringLiteral("0101"));
        grab(&editor, QStringLiteral("splebei"));
    }
    {
        Tfrm_tree_check picker(s.session(), nullptr, QStringLiteral("0102"));
        grab(&picker, QStringLiteral("treecheck"));
    }
    {
        // The printout of the list with the purchase price.
        s.db().exec(QStringLiteral("delete from 报表参数"));
        s.db().exec(QStringLiteral("insert into 报表参数(公司名) values('铭泽商贸有限公司')"));
        GoodsList list(s.session());
        list.ListGoods();
        s.prompter().answers = {true};
        const std::optional<GoodsList::PrintJob> job = list.PrintGoods();
        QVERIFY(job);
        Report report;
        QVERIFY(report.loadFile(QFINDTESTDATA("../../templates/zcfrf/proceduct.frf")));
        report.setCompanyData(ReadCompanyData(s.db()));
        report.setDataSet(job->rows);
        const QList<ReportPage> pages = report.layout();
        QVERIFY(!pages.isEmpty());
        QImage image(840, 1188, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintReportPage(painter, pages.first(), 4.0);
        painter.end();
        QVERIFY(image.copy(0, 0, 840, 300).save(QStringLiteral("/tmp/h7-print.png")));
    }
}

MZT_TEST_MAIN(TestGoodsWindows)
#include "tstui_goods.moc"
