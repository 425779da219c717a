#include "testdb.h"

#include "check_khzl_frm.h"
#include "customerpicklist.h"
#include "datagrid.h"
#include "delete_cous_frm.h"
#include "gyshz_check_frm.h"
#include "khzl_frm.h"
#include "prvice_frm.h"
#include "reportpainter.h"
#include "reportpreview.h"
#include "supplierpicklist.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

using namespace mzt;

namespace {

void addCustomer(Database& db, const QString& code, const QString& name, const QString& address,
                 const QString& priceClass = QStringLiteral("售价"))
{
    db.exec(QStringLiteral(
                "insert into 客户(编码,公司名,电话一,性质,电话二,负责人,传真,联系人,银行账号,结账方式,结账日,"
                "行业类别,所处片区,邮件地址,所处街区) values(?,?,?,?,'0571-8888','0571-6666','13900000000',"
                "'王经理','6222 0000','月结','25','百货','城东','a@b.cn','0')"),
            {code, name, address, priceClass});
}

void addSupplier(Database& db, const QString& code, const QString& name, const QString& contact = {})
{
    db.exec(
        QStringLiteral(
            "insert into 供应商(编码,公司名,联系人,电话一,电话二,电话,手机,邮箱,银行账户,行业类别,期初应付)"
            " values(?,?,?,'杭州市文三路','0571-1','0571-2','138','s@x.cn','6228','食品','0')"),
        {code, name, contact});
}

QStringList column(const DataGrid* grid, const QString& field)
{
    QStringList out;
    for (int i = 0; i < grid->rowCount(); ++i)
        out << grid->rowValue(i, field).toString();
    return out;
}

void clickRow(DataGrid* grid, int row)
{
    QTableView* view = grid->view();
    const QRect r = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
}

void doubleClickRow(DataGrid* grid, int row)
{
    QTableView* view = grid->view();
    const QRect r = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, r.center());
}

void revoke(Database& db, const QString& right)
{
    db.exec(QStringLiteral("update 权限密码 set ") + quoteIdentifier(right) +
            QStringLiteral("='0' where 工号='888'"));
}

void shoot(QWidget& w, const QString& name)
{
    w.show();
    QApplication::processEvents();
    if (!test::onPostgres())
        w.grab().save(QStringLiteral("/tmp/h6-") + name + QStringLiteral(".png"));
}

// Closes the next modal window as soon as it is shown.
void closeNextModal()
{
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

} // namespace

class TestCustomerWindows final : public QObject
{
    Q_OBJECT
private slots:
    void customerWindowModes()
    {
        test::TestSession s;
        addCustomer(s.db(), QStringLiteral("K01"), QStringLiteral("张三商店"), QStringLiteral("北京路1号"));
        addCustomer(s.db(), QStringLiteral("K02"), QStringLiteral("李四'S 商行"),
                    QStringLiteral("上海路50%街"), QStringLiteral("批价"));
        addCustomer(s.db(), QStringLiteral("K03"), QString(), QStringLiteral("无名"));
        Tfrm_khzl w(s.session());
        QCOMPARE(w.windowTitle(), QStringLiteral("客户信息管理"));
        // Opening: the named customers, boxes and save closed.
        QCOMPARE(column(w.grid(), QStringLiteral("编码")), (QStringList{"K01", "K02"}));
        QVERIFY(!w.lineEdit(QStringLiteral("编码"))->isEnabled());
        QVERIFY(!w.comboBox(QStringLiteral("性质"))->isEnabled());
        QVERIFY(!w.button(QStringLiteral("保存客户资料"))->isEnabled());
        QVERIFY(!w.button(QStringLiteral("客户资料排序"))->isVisibleTo(&w));
        shoot(w, QStringLiteral("khzl"));

        // A row click fills the boxes for changing that customer.
        clickRow(w.grid(), 1);
        QCOMPARE(w.mode(), ListMode::Edit);
        QCOMPARE(w.boxText(QStringLiteral("公司名")), QStringLiteral("李四'S 商行"));
        QCOMPARE(w.boxText(QStringLiteral("性质")), QStringLiteral("批价"));
        QCOMPARE(w.boxText(QStringLiteral("传真")), QStringLiteral("13900000000"));
        QVERIFY(w.lineEdit(QStringLiteral("公司名"))->isEnabled());
        QVERIFY(w.button(QStringLiteral("保存客户资料"))->isEnabled());
        QVERIFY(w.chosenCustomer());
        QCOMPARE(w.chosenCustomer()->code, QStringLiteral("K02"));
        shoot(w, QStringLiteral("khzl-edit"));
        QCOMPARE(w.chosenCustomer()->account, QStringLiteral("月结"));

        // Query mode: the boxes empty, typing filters literally.
        w.startFind();
        QCOMPARE(w.mode(), ListMode::Query);
        QCOMPARE(w.boxText(QStringLiteral("公司名")), QString());
        QCOMPARE(w.boxText(QStringLiteral("性质")), QString());
        QCOMPARE(w.grid()->rowCount(), 3);
        QTest::keyClicks(w.lineEdit(QStringLiteral("公司名")), QStringLiteral("'s"));
        QCOMPARE(column(w.grid(), QStringLiteral("编码")), QStringList{"K02"});
        w.lineEdit(QStringLiteral("公司名"))->clear();
        QTest::keyClicks(w.lineEdit(QStringLiteral("电话一")), QStringLiteral("50%"));
        QCOMPARE(column(w.grid(), QStringLiteral("编码")), QStringList{"K02"});
        w.lineEdit(QStringLiteral("电话一"))->setText(QStringLiteral("%%"));
        QCOMPARE(w.grid()->rowCount(), 0);
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void customerWindowSaves()
    {
        test::TestSession s;
        addCustomer(s.db(), QStringLiteral("K01"), QStringLiteral("张三商店"), QStringLiteral("北京路1号"));
        Tfrm_khzl w(s.session());

        // New customer with an existing code under another name: a second customer.
        QTest::mouseClick(w.button(QStringLiteral("新增客户资料")), Qt::LeftButton);
        w.setBoxText(QStringLiteral("编码"), QStringLiteral("K01"));
        w.setBoxText(QStringLiteral("公司名"), QStringLiteral("张三分店"));
        w.setBoxText(QStringLiteral("性质"), QStringLiteral("价格6"));
        // Enter in the last box saves.
        QTest::keyClick(w.lineEdit(QStringLiteral("所处街区")), Qt::Key_Return);
        QCOMPARE(s.prompter().texts(), (QStringList{"是否保存此客户？", "保存成功！"}));
        QCOMPARE(s.db().countRows(QStringLiteral("客户")), 2);
        // The list shows the customers of the saved name; the boxes are closed.
        QCOMPARE(column(w.grid(), QStringLiteral("公司名")), QStringList{"张三分店"});
        QVERIFY(!w.lineEdit(QStringLiteral("编码"))->isEnabled());
        QVERIFY(!w.button(QStringLiteral("保存客户资料"))->isEnabled());

        // A required box left empty keeps everything as it was.
        s.prompter().clear();
        w.startNew();
        w.setBoxText(QStringLiteral("编码"), QStringLiteral("K05"));
        w.setBoxText(QStringLiteral("公司名"), QStringLiteral("王五"));
        w.save();
        QCOMPARE(s.prompter().texts(), QStringList{"请你确保带 [*] 的资料不为空!"});
        QVERIFY(w.lineEdit(QStringLiteral("编码"))->isEnabled());

        // Rename of the clicked row, after the question.
        s.prompter().clear();
        w.reload();
        clickRow(w.grid(), 0);
        w.setBoxText(QStringLiteral("公司名"), QStringLiteral("张三百货"));
        s.prompter().answers = {true};
        w.save();
        QCOMPARE(
            s.prompter().texts(),
            (QStringList{
                "此客户编码已经存在,你是否要修改此编码的客户资料呢?如果不要，请你重新输入其它的客户编码!",
                "修改成功！"}));
        QCOMPARE(s.db().column(QStringLiteral("select 公司名 from 客户 order by ID")),
                 (QStringList{"张三百货", "张三分店"}));
        QCOMPARE(column(w.grid(), QStringLiteral("公司名")), (QStringList{"张三百货", "张三分店"}));
    }

    void customerExportAndPrintRights()
    {
        test::TestSession s;
        Tfrm_khzl w(s.session());
        w.exportList();
        QCOMPARE(s.prompter().texts(), QStringList{"当前无数据可导出!"});

        addCustomer(s.db(), QStringLiteral("K01"), QStringLiteral("张三商店"), QStringLiteral("北京路1号"));
        w.reload();
        s.prompter().clear();
        revoke(s.db(), QStringLiteral("导出数据到excel"));
        w.exportList();
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});

        s.prompter().clear();
        revoke(s.db(), QStringLiteral("客户资料打印"));
        w.printList();
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
        QCOMPARE(s.db().countRows(QStringLiteral("日志")), 0);
        QVERIFY(!w.findChild<ReportPreview*>());
    }

    void customerPrintPreview()
    {
        test::TestSession s;
        addCustomer(s.db(), QStringLiteral("K01"), QStringLiteral("张三商店"), QStringLiteral("北京路1号"));
        const QString shipped =
            QFileInfo(QStringLiteral(__FILE__))
                .dir()
                .absoluteFilePath(QStringLiteral("../../templates/zcfrf/khzl_report.frf"));
        QVERIFY(QDir(s.folder()).mkpath(QStringLiteral("zcfrf")));
        QVERIFY(QFile::copy(shipped, s.folder() + QStringLiteral("/zcfrf/khzl_report.frf")));
        Tfrm_khzl w(s.session());
        w.printList();
        auto* preview = w.findChild<ReportPreview*>();
        QVERIFY(preview);
        QCOMPARE(preview->pages().size(), 1);
        QVERIFY(preview->pages().first().texts().contains(QStringLiteral("张三商店")));
        if (!test::onPostgres()) {
            QImage page(QSize(794, 1123), QImage::Format_RGB32);
            page.fill(Qt::white);
            QPainter painter(&page);
            PaintReportPage(painter, preview->pages().first(), 794 / 210.0);
            painter.end();
            page.save(QStringLiteral("/tmp/h6-khzl_report.png"));
        }
        QCOMPARE(s.db().column(QStringLiteral("select 操作内容 from 日志 where 性质='一般'")),
                 QStringList{"打印客户资料"});
        preview->close();
    }

    void deleteDialog()
    {
        test::TestSession s;
        addCustomer(s.db(), QStringLiteral("K01"), QStringLiteral("张三商店"), QStringLiteral("北京路1号"));
        s.db().exec(QStringLiteral("insert into 客户售价(客户编码,商品编码) values('K01','G1')"));
        CustomerList logic(s.session());
        TFrm_delete_cous d(logic, QStringLiteral("K01"), QStringLiteral("张三商店"));
        QCOMPARE(d.windowTitle(), QStringLiteral("删除客户资料条件"));
        shoot(d, QStringLiteral("delete_cous"));
        d.confirm();
        QCOMPARE(s.prompter().texts(), QStringList{"请选择要删除的项目!"});
        QCOMPARE(d.result(), int(QDialog::Rejected));

        s.prompter().clear();
        d.lastPricesBox()->setChecked(true);
        d.confirm();
        QCOMPARE(s.prompter().texts(), (QStringList{"确定删除此客户？", "删除成功！"}));
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(s.db().countRows(QStringLiteral("客户")), 1);
        QCOMPARE(s.db().countRows(QStringLiteral("客户售价")), 0);

        TFrm_delete_cous sort(logic);
        QCOMPARE(sort.windowTitle(), QStringLiteral("客户资料排序条件选择"));
        sort.sortFieldBox()->setCurrentText(QStringLiteral("编码"));
        sort.sortDirectionBox()->setCurrentText(QStringLiteral("降序"));
        addCustomer(s.db(), QStringLiteral("K02"), QStringLiteral("李四"), QString());
        sort.confirm();
        QCOMPARE(sort.sortedRows().size(), 2);
        QCOMPARE(sort.sortedRows().first().value(QStringLiteral("编码")).toString(), QStringLiteral("K02"));
    }

    void customerBrowse()
    {
        test::TestSession s;
        addCustomer(s.db(), QStringLiteral("K01"), QStringLiteral("张三商店"), QStringLiteral("北京路1号"));
        addCustomer(s.db(), QStringLiteral("K02"), QStringLiteral("李四'商行"), QStringLiteral("上海路"),
                    QStringLiteral("批价"));
        Tfrm_check_khzl list(s.session());
        QCOMPARE(list.windowTitle(), QStringLiteral("客户档案浏览"));
        QCOMPARE(list.grid()->rowCount(), 2);
        shoot(list, QStringLiteral("check_khzl"));

        list.tradeButton()->setChecked(true);
        QCOMPARE(column(list.grid(), QStringLiteral("编码")), QStringList{"K02"});
        list.allButton()->setChecked(true);
        QTest::keyClicks(list.nameBox(), QStringLiteral("'"));
        QCOMPARE(column(list.grid(), QStringLiteral("编码")), QStringList{"K02"});

        doubleClickRow(list.grid(), 0);
        QCOMPARE(list.result(), int(QDialog::Accepted));
        QVERIFY(list.chosenCustomer());
        QCOMPARE(list.chosenCustomer()->code, QStringLiteral("K02"));
        QCOMPARE(list.chosenCustomer()->name, QStringLiteral("李四'商行"));
        QCOMPARE(list.chosenCustomer()->priceClass, QStringLiteral("批价"));
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void customerBrowseEmptyAndAdd()
    {
        test::TestSession s;
        Tfrm_check_khzl list(s.session());
        list.show();
        QTest::mouseDClick(list.grid()->view()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(s.prompter().texts(), QStringList{"对不起当前无客户资料!"});
        QVERIFY(!list.chosenCustomer());

        // The customer window opens from the list and the list is read again afterwards.
        s.prompter().clear();
        addCustomer(s.db(), QStringLiteral("K01"), QStringLiteral("张三商店"), QString());
        closeNextModal();
        list.addCustomer();
        QCOMPARE(list.grid()->rowCount(), 1);

        revoke(s.db(), QStringLiteral("客户资料查询"));
        list.addCustomer();
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
    }

    void customerPickList()
    {
        test::TestSession s;
        addCustomer(s.db(), QStringLiteral("ZS01"), QStringLiteral("张三商店"), QString(),
                    QStringLiteral("批价"));
        addCustomer(s.db(), QStringLiteral("ZS02"), QStringLiteral("张三分店"), QString());
        QVERIFY(!CustomerPickList::findAndPick(s.session(), QStringLiteral("无此人")));
        QCOMPARE(s.prompter().texts(), QStringList{"没有此客户资料!"});
        const std::optional<CustomerChoice> one =
            CustomerPickList::findAndPick(s.session(), QStringLiteral("zs01"));
        QVERIFY(one);
        QCOMPARE(one->name, QStringLiteral("张三商店"));
        QCOMPARE(one->priceClass, QStringLiteral("批价"));

        CustomerPickList list(CustomerLookup(s.db()).FindCustomers(QStringLiteral("张三")));
        QCOMPARE(list.grid()->rowCount(), 2);
        shoot(list, QStringLiteral("customerpick"));
        list.grid()->setCurrentRow(1);
        QTest::keyClick(list.grid()->view(), Qt::Key_Return);
        QVERIFY(list.pickedCustomer());
        QCOMPARE(list.pickedCustomer()->code, QStringLiteral("ZS02"));
        QCOMPARE(list.result(), int(QDialog::Accepted));
    }

    void supplierWindow()
    {
        test::TestSession s;
        addSupplier(s.db(), QStringLiteral("G2"), QStringLiteral("b 联华超市"), QStringLiteral("李工"));
        addSupplier(s.db(), QStringLiteral("G1"), QStringLiteral("a 华联批发"), QStringLiteral("王工"));
        Tfrm_prvice w(s.session());
        QCOMPARE(w.windowTitle(), QStringLiteral("供应商信息管理"));
        QCOMPARE(column(w.grid(), QStringLiteral("编码")), (QStringList{"G2", "G1"}));
        QVERIFY(!w.lineEdit(QStringLiteral("编码"))->isEnabled());
        shoot(w, QStringLiteral("prvice"));

        // Saving with closed boxes starts a new supplier first: the boxes are empty.
        w.save();
        QCOMPARE(s.prompter().texts(), QStringList{"请你确保:带[*]号的资料不为空!"});
        QVERIFY(w.lineEdit(QStringLiteral("编码"))->isEnabled());

        // Enter before the fax box moves on, from it onwards it saves.
        s.prompter().clear();
        w.setBoxText(QStringLiteral("编码"), QStringLiteral("G3"));
        w.setBoxText(QStringLiteral("公司名"), QStringLiteral("c 100% O'Hara"));
        QTest::keyClick(w.lineEdit(QStringLiteral("电话一")), Qt::Key_Return);
        QVERIFY(s.prompter().shown.isEmpty());
        QTest::keyClick(w.lineEdit(QStringLiteral("电话二")), Qt::Key_Return);
        QCOMPARE(s.prompter().texts(), (QStringList{"是否保存此客户？", "保存成功！"}));
        QCOMPARE(column(w.grid(), QStringLiteral("编码")), (QStringList{"G1", "G2", "G3"}));
        QCOMPARE(w.boxText(QStringLiteral("编码")), QString());

        // Rename the clicked supplier: no question.
        s.prompter().clear();
        clickRow(w.grid(), 1);
        QCOMPARE(w.boxText(QStringLiteral("联系人")), QStringLiteral("李工"));
        w.setBoxText(QStringLiteral("公司名"), QStringLiteral("d 联华超市"));
        w.save();
        QCOMPARE(s.prompter().texts(), QStringList{"修改成功！"});
        QCOMPARE(column(w.grid(), QStringLiteral("公司名")),
                 (QStringList{"a 华联批发", "c 100% O'Hara", "d 联华超市"}));
        QCOMPARE(w.boxText(QStringLiteral("公司名")), QStringLiteral("d 联华超市"));

        // Delete takes the supplier the boxes show.
        s.prompter().clear();
        w.removeCurrent();
        QCOMPARE(s.prompter().texts(), (QStringList{"是否删除当前供应商？", "删除成功！"}));
        QCOMPARE(column(w.grid(), QStringLiteral("编码")), (QStringList{"G1", "G3"}));

        // Query mode filters as the user types, "%" literally.
        w.startFind();
        QCOMPARE(w.mode(), ListMode::Query);
        QTest::keyClicks(w.lineEdit(QStringLiteral("公司名")), QStringLiteral("%"));
        QCOMPARE(column(w.grid(), QStringLiteral("编码")), QStringList{"G3"});

        s.prompter().clear();
        revoke(s.db(), QStringLiteral("导出数据到excel"));
        w.exportList();
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
    }

    void supplierBrowse_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("takesCodeless");
        QTest::newRow("code and name caller") << int(SupplierPickMode::CodeAndName) << false;
        QTest::newRow("name only caller") << int(SupplierPickMode::NameOnly) << true;
    }
    void supplierBrowse()
    {
        QFETCH(int, mode);
        QFETCH(bool, takesCodeless);
        test::TestSession s;
        addSupplier(s.db(), QString(), QStringLiteral("无码批发"), QStringLiteral("赵工"));
        addSupplier(s.db(), QStringLiteral("G1"), QStringLiteral("华联批发"), QStringLiteral("王工"));
        Tfrm_gyshz_check list(s.session(), SupplierPickMode(mode));
        QCOMPARE(list.windowTitle(), QStringLiteral("供应商档案浏览"));
        QCOMPARE(list.grid()->rowCount(), 2);
        if (mode == int(SupplierPickMode::CodeAndName))
            shoot(list, QStringLiteral("gyshz_check"));
        list.show();

        doubleClickRow(list.grid(), 0);
        QCOMPARE(list.result() == QDialog::Accepted, takesCodeless);
        QCOMPARE(bool(list.chosenSupplier()), takesCodeless);
        QVERIFY(s.prompter().shown.isEmpty());

        list.contactBox()->setText(QStringLiteral("王"));
        QCOMPARE(column(list.grid(), QStringLiteral("编码")), QStringList{"G1"});
        doubleClickRow(list.grid(), 0);
        QCOMPARE(list.result(), int(QDialog::Accepted));
        QCOMPARE(list.chosenSupplier()->code, QStringLiteral("G1"));
        QCOMPARE(list.chosenSupplier()->name, QStringLiteral("华联批发"));
    }

    void supplierBrowseAddAndPick()
    {
        test::TestSession s;
        Tfrm_gyshz_check list(s.session());
        closeNextModal();
        list.addSupplier();
        QVERIFY(s.prompter().shown.isEmpty());
        revoke(s.db(), QStringLiteral("供应商信息管理"));
        list.addSupplier();
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});

        addSupplier(s.db(), QStringLiteral("HL01"), QStringLiteral("华联批发"));
        addSupplier(s.db(), QStringLiteral("HL02"), QStringLiteral("华联超市"));
        QVERIFY(!SupplierPickList::findAndPick(s.session(), QStringLiteral("无此")));
        const std::optional<SupplierChoice> one =
            SupplierPickList::findAndPick(s.session(), QStringLiteral("hl02"));
        QVERIFY(one);
        QCOMPARE(one->name, QStringLiteral("华联超市"));
        SupplierPickList pick(SupplierLookup(s.db()).FindSuppliers(QStringLiteral("华联")));
        QCOMPARE(pick.grid()->rowCount(), 2);
        shoot(pick, QStringLiteral("supplierpick"));
        pick.takeRow(1);
        QCOMPARE(pick.pickedSupplier()->code, QStringLiteral("HL02"));
    }
};

MZT_TEST_MAIN(TestCustomerWindows)
#include "tstui_customers.moc"
