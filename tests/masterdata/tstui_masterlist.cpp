#include "testdb.h"

#include "datagrid.h"
#include "hwxx_info_frm.h"
#include "hyxx_frm.h"
#include "ywy_info_frm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace mzt;

namespace {

void clickRow(DataGrid* grid, int row, bool twice = false)
{
    QTableView* v = grid->view();
    const QRect r = v->visualRect(v->model()->index(row, 0));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
    if (twice)
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, r.center());
}

QStringList shownColumn(DataGrid* grid, const QString& field)
{
    QStringList out;
    for (int i = 0; i < grid->rowCount(); ++i)
        out << grid->rowValue(i, field).toString();
    return out;
}

void screenshot(QWidget* w, const QString& name)
{
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY(w->grab().save(QStringLiteral("/tmp/h5-%1-%2.png").arg(name, test::backendName())));
}

} // namespace

class TestMasterListUi final : public QObject
{
    Q_OBJECT

private slots:
    void modesOfTheListWindow()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("insert into 业务员(客服代号,业务员姓名,电话) values('001','张三','111'),"
                                   "('002','O''Neil','222'),('003','50%','333')"));
        Tfrm_ywy_info w(s.session());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // Opening: neither mode, boxes disabled, every row listed.
        QCOMPARE(w.mode(), ListMode::None);
        QVERIFY(!w.boxesEnabled());
        QCOMPARE(w.grid()->rowCount(), 3);

        // New: edit mode, boxes enabled and empty, the code box has the focus.
        w.lineEdit(QStringLiteral("备注"))->setText(QStringLiteral("x"));
        QTest::mouseClick(w.button(QStringLiteral("新增业务员资料")), Qt::LeftButton);
        QCOMPARE(w.mode(), ListMode::Edit);
        QVERIFY(w.boxesEnabled());
        QVERIFY(w.boxText(QStringLiteral("备注")).isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.box(QStringLiteral("客服代号")));

        // A row click: edit mode with the row's values; typing does not filter.
        clickRow(w.grid(), 1);
        QCOMPARE(w.mode(), ListMode::Edit);
        QCOMPARE(w.boxText(QStringLiteral("客服代号")), QStringLiteral("002"));
        QCOMPARE(w.boxText(QStringLiteral("业务员姓名")), QStringLiteral("O'Neil"));
        QCOMPARE(w.boxText(QStringLiteral("电话")), QStringLiteral("222"));
        w.lineEdit(QStringLiteral("业务员姓名"))->setText(QStringLiteral("zzz"));
        QCOMPARE(w.grid()->rowCount(), 3);

        // Find: query mode, boxes emptied, every row; then each keystroke filters.
        QTest::mouseClick(w.button(QStringLiteral("开始查找业务员资料")), Qt::LeftButton);
        QCOMPARE(w.mode(), ListMode::Query);
        QVERIFY(w.boxText(QStringLiteral("业务员姓名")).isEmpty());
        QCOMPARE(w.grid()->rowCount(), 3);
        QTest::keyClicks(w.lineEdit(QStringLiteral("业务员姓名")), QStringLiteral("'"));
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("客服代号")), QStringList{QStringLiteral("002")});
        w.lineEdit(QStringLiteral("业务员姓名"))->clear();
        QTest::keyClicks(w.lineEdit(QStringLiteral("业务员姓名")), QStringLiteral("%"));
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("客服代号")), QStringList{QStringLiteral("003")});
        QTest::keyClicks(w.lineEdit(QStringLiteral("电话")), QStringLiteral("9"));
        QCOMPARE(w.grid()->rowCount(), 0);
        screenshot(&w, QStringLiteral("ywy_info"));
    }

    void saveThroughTheWindow()
    {
        test::TestSession s;
        Tfrm_ywy_info w(s.session());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Saving with disabled boxes starts "new" first, so nothing is there to save.
        QTest::mouseClick(w.button(QStringLiteral("保存业务员资料")), Qt::LeftButton);
        QCOMPARE(s.prompter().last(), QStringLiteral("请你确保:带[*]的资料不为空!"));
        QVERIFY(w.boxesEnabled());

        QTest::keyClicks(w.lineEdit(QStringLiteral("客服代号")), QStringLiteral("007"));
        QTest::keyClick(w.lineEdit(QStringLiteral("客服代号")), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.box(QStringLiteral("业务员姓名")));
        w.lineEdit(QStringLiteral("业务员姓名"))->setText(QStringLiteral("赵六"));
        // Enter in 备注 saves.
        QTest::keyClick(w.lineEdit(QStringLiteral("备注")), Qt::Key_Return);
        QCOMPARE(s.prompter().last(), QStringLiteral("保存成功！"));
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("业务员姓名")), QStringList{QStringLiteral("赵六")});
        QVERIFY(w.isVisible());
    }

    void warehouseWindowFiltersOnTheCodeBox()
    {
        test::TestSession s;
        s.db().exec(
            QStringLiteral("insert into 货位(货位编码,货位名称) values('02','二号仓'),('01','一号仓')"));
        Tfrm_hwxx_info w(s.session());
        QVERIFY(w.deleteAskBox() && w.deleteAskBox()->isChecked());
        // Opening order is the table's; "排序资料" gives code order.
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("货位编码")), (QStringList{"02", "01"}));
        QTest::mouseClick(w.button(QStringLiteral("排序资料")), Qt::LeftButton);
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("货位编码")), (QStringList{"01", "02"}));

        QTest::mouseClick(w.button(QStringLiteral("开始查找货位资料")), Qt::LeftButton);
        QCOMPARE(w.mode(), ListMode::Query);
        w.lineEdit(QStringLiteral("货位名称"))->setText(QStringLiteral("一"));
        QCOMPARE(w.grid()->rowCount(), 2);
        w.lineEdit(QStringLiteral("货位编码"))->setText(QStringLiteral("0"));
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("货位编码")), QStringList{"01"});
        screenshot(&w, QStringLiteral("hwxx_info"));
    }

    void warehouseSaveAndDeleteThroughTheWindow()
    {
        test::TestSession s;
        Tfrm_hwxx_info w(s.session());
        QTest::mouseClick(w.button(QStringLiteral("新增货位资料")), Qt::LeftButton);
        w.lineEdit(QStringLiteral("货位编码"))->setText(QStringLiteral("09"));
        w.lineEdit(QStringLiteral("货位名称"))->setText(QStringLiteral("九号仓"));
        QTest::mouseClick(w.button(QStringLiteral("保存货位资料")), Qt::LeftButton);
        QVERIFY(s.db().tableExists(QStringLiteral("九号仓")));
        QVERIFY(w.boxText(QStringLiteral("货位名称")).isEmpty());
        QCOMPARE(w.grid()->rowCount(), 1);

        // Without "删除提示" the delete asks nothing.
        w.deleteAskBox()->setChecked(false);
        s.prompter().clear();
        clickRow(w.grid(), 0);
        QTest::mouseClick(w.button(QStringLiteral("删除当前货位资料")), Qt::LeftButton);
        QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("删除成功！")});
        QVERIFY(!s.db().tableExists(QStringLiteral("九号仓")));
        QCOMPARE(w.grid()->rowCount(), 0);
    }

    void memberWindow()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral(
            "insert into 会员(快捷码,持卡人姓名,卡号,会员售价,性别) values"
            "('zs','张三','C001','黄金会员折扣','男'),('ls','李四','C002','普通会员折扣','女')"));
        Tfrm_hyxx w(s.session());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!w.button(QStringLiteral("保存会员资料"))->isEnabled());

        QTest::mouseClick(w.button(QStringLiteral("新增或查找开始")), Qt::LeftButton);
        QVERIFY(w.button(QStringLiteral("保存会员资料"))->isEnabled());
        w.comboBox(QStringLiteral("性别"))->setCurrentText(QStringLiteral("女"));
        clickRow(w.grid(), 0);
        QCOMPARE(w.boxText(QStringLiteral("卡号")), QStringLiteral("C001"));
        QCOMPARE(w.comboBox(QStringLiteral("会员售价"))->currentText(), QStringLiteral("黄金会员折扣"));
        // The sex keeps its own choice.
        QCOMPARE(w.comboBox(QStringLiteral("性别"))->currentText(), QStringLiteral("女"));
        QCOMPARE(QApplication::focusWidget(), w.box(QStringLiteral("快捷码")));
        // Outside picker mode a double-click does nothing.
        clickRow(w.grid(), 1, true);
        QVERIFY(w.isVisible());
        QVERIFY(w.pickedCardNumber().isEmpty());

        // Find filters once with the boxes as they are.
        w.lineEdit(QStringLiteral("持卡人姓名"))->setText(QStringLiteral("李"));
        QCOMPARE(w.grid()->rowCount(), 2);
        QTest::mouseClick(w.button(QStringLiteral("开始查找会员资料")), Qt::LeftButton);
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("快捷码")), QStringList{QStringLiteral("ls")});

        QTest::mouseClick(w.button(QStringLiteral("会员打折设置")), Qt::LeftButton);
        QVERIFY(w.discountPanel()->isVisible());
        QCOMPARE(w.goldDiscountBox()->text(), QStringLiteral("0.0"));
        screenshot(&w, QStringLiteral("hyxx"));
        w.goldDiscountBox()->setText(QStringLiteral("0.8"));
        w.normalDiscountBox()->setText(QStringLiteral("0.9"));
        QTest::keyClick(w.normalDiscountBox(), Qt::Key_Return);
        QVERIFY(!w.discountPanel()->isVisible());
        QCOMPARE(s.db().countRows(QStringLiteral("会员活动")), 2);

        QTest::mouseClick(w.button(QStringLiteral("排序资料")), Qt::LeftButton);
        QVERIFY(w.sortPanel()->isVisible());
        QCOMPARE(w.sortFieldBox()->currentText(), QStringLiteral("持卡人姓名"));
        QCOMPARE(w.sortDirectionBox()->currentText(), QStringLiteral("降序"));
        w.sortFieldBox()->setCurrentText(QStringLiteral("卡号"));
        w.sortByPanel();
        QVERIFY(!w.sortPanel()->isVisible());
        QCOMPARE(shownColumn(w.grid(), QStringLiteral("快捷码")), (QStringList{"ls", "zs"}));
    }

    void memberDiscountsRefusedWithoutTheRight()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("update 权限密码 set 会员折扣设置=0 where 工号='888'"));
        Tfrm_hyxx w(s.session());
        screenshot(&w, QStringLiteral("hyxx-opening"));
        QTest::mouseClick(w.button(QStringLiteral("会员打折设置")), Qt::LeftButton);
        QCOMPARE(s.prompter().last(), noRightText());
        QVERIFY(!w.discountPanel()->isVisible());
    }

    void memberPicker()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral(
            "insert into 会员(快捷码,持卡人姓名,卡号) values('zs','张三','C001'),('ls','李四','C002')"));
        Tfrm_hyxx w(s.session(), nullptr, true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickRow(w.grid(), 1, true);
        QCOMPARE(w.pickedCardNumber(), QStringLiteral("C002"));
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }
};

MZT_TEST_MAIN(TestMasterListUi)
#include "tstui_masterlist.moc"
