#include "codelistpage.h"
#include "datagrid.h"
#include "jczlsz_frm.h"
#include "reprot_frm.h"
#include "sell_node_frm.h"
#include "testdb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace mzt;

namespace {

void addWarehouses(Database& db)
{
    const QString insert = QStringLiteral("insert into 货位(货位编码,货位名称) values (?,?)");
    db.exec(insert, {QStringLiteral("01"), QStringLiteral("一号仓")});
    db.exec(insert, {QStringLiteral("02"), QStringLiteral("二号仓")});
    db.exec(insert, {QStringLiteral("03"), QStringLiteral("门市")});
}

void shoot(QWidget* w, const QString& name)
{
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QString file = QStringLiteral("/tmp/h8-%1-%2.png").arg(name, test::backendName());
    QVERIFY(w->grab().save(file));
}

// Types each character as its own key press, as an input method hands them over.
void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

int rowOf(DataGrid* grid, const QString& site)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->rowValue(r, QStringLiteral("站点名称")).toString() == site)
            return r;
    return -1;
}

QString iniText(const QString& folder)
{
    QFile f(QDir(folder).filePath(QStringLiteral("bdchange.ini")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestJczlszUi final : public QObject
{
    Q_OBJECT

private slots:
    void opensOnThePage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("caption");
        QTest::newRow("units") << 0 << 0 << "计量单位";
        QTest::newRow("handlers") << 1 << 1 << "经手人";
        QTest::newRow("other expense") << 2 << 2 << "其它支出项目";
        QTest::newRow("other income") << 3 << 3 << "其它收入项目";
        QTest::newRow("bank accounts") << 4 << 4 << "银行账户资料";
        QTest::newRow("payment methods") << 5 << 5 << "付款方式";
        QTest::newRow("defaults") << 6 << 6 << "默认资料设置";
        QTest::newRow("none chosen") << -1 << 0 << "计量单位";
    }
    void opensOnThePage()
    {
        QFETCH(int, page);
        QFETCH(int, shown);
        QFETCH(QString, caption);
        test::TestSession s;
        addWarehouses(s.db());
        Tfrm_jczlsz w(s.session(), nullptr, page);
        QCOMPARE(w.windowTitle(), QStringLiteral("基础资料设置"));
        QCOMPARE(w.tabs()->count(), 7);
        QCOMPARE(w.currentPage(), shown);
        QCOMPARE(w.tabs()->tabText(shown), caption);
        QVERIFY(!w.applyButton()->isEnabled());
        if (page >= 0)
            shoot(&w, QStringLiteral("jczlsz-page%1").arg(page));
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void listPageAddChangeDelete()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("insert into 单位(编号,单位名,进制) values ('09','箱',1)"));
        Tfrm_jczlsz w(s.session(), nullptr, Tfrm_jczlsz::UnitsPage);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CodeListPage* page = w.codeListPage(Tfrm_jczlsz::UnitsPage);
        QVERIFY(!page->isEditing());
        QCOMPARE(page->grid()->rowCount(), 1);

        QTest::mouseClick(page->button(QStringLiteral("增加")), Qt::LeftButton);
        QVERIFY(page->isEditing());
        QCOMPARE(page->codeBox()->text(), QStringLiteral("010"));
        QVERIFY(page->codeBox()->isReadOnly());
        QVERIFY(page->nameBox()->hasFocus());
        // Enter with an empty name does nothing.
        QTest::keyClick(page->nameBox(), Qt::Key_Return);
        QVERIFY(page->isEditing());
        typeText(page->nameBox(), QStringLiteral("件"));
        QTest::keyClick(page->nameBox(), Qt::Key_Return);
        QVERIFY(!page->isEditing());
        QCOMPARE(page->grid()->rowCount(), 2);
        QCOMPARE(page->grid()->currentValue(QStringLiteral("编号")).toString(), QStringLiteral("010"));
        QVERIFY(w.isVisible()); // Enter never reached a button of the window

        page->startChange();
        QVERIFY(page->isEditing());
        QCOMPARE(page->mode(), CodeListMode::Change);
        QCOMPARE(page->nameBox()->text(), QStringLiteral("件"));
        page->nameBox()->setText(QStringLiteral("个"));
        QTest::mouseClick(page->button(QStringLiteral("保存")), Qt::LeftButton);
        QCOMPARE(s.db().column(QStringLiteral("select 单位名 from 单位 where 编号='010'")),
                 QStringList{"个"});

        page->startAdd();
        QTest::mouseClick(page->button(QStringLiteral("取消")), Qt::LeftButton);
        QVERIFY(!page->isEditing());

        page->grid()->setCurrentRow(0);
        QTest::mouseClick(page->button(QStringLiteral("删除")), Qt::LeftButton);
        QCOMPARE(s.prompter().last(), QStringLiteral("是否删除此单位？"));
        QCOMPARE(page->grid()->rowCount(), 1);
        QVERIFY(s.prompter().shown.size() == 1);
    }

    void accountPageLocksTheOpeningAmount()
    {
        test::TestSession s;
        Tfrm_jczlsz w(s.session(), nullptr, Tfrm_jczlsz::BankAccountsPage);
        CodeListPage* page = w.codeListPage(Tfrm_jczlsz::BankAccountsPage);
        QVERIFY(page->button(QStringLiteral("获取编码")));
        QVERIFY(!w.codeListPage(Tfrm_jczlsz::HandlersPage)->button(QStringLiteral("获取编码")));
        page->startAdd();
        QCOMPARE(page->amountBox()->text(), QStringLiteral("0"));
        QVERIFY(!page->amountBox()->isReadOnly());
        page->nameBox()->setText(QStringLiteral("现金"));
        page->amountBox()->setText(QStringLiteral("200"));
        shoot(&w, QStringLiteral("jczlsz-account-editing"));
        page->save();
        QCOMPARE(page->grid()->rowCount(), 1);
        page->startChange();
        QVERIFY(page->amountBox()->isReadOnly());
        QVERIFY(!page->button(QStringLiteral("获取编码"))->isEnabled());
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void changeWithoutRowsIsRefused()
    {
        test::TestSession s;
        Tfrm_jczlsz w(s.session(), nullptr, Tfrm_jczlsz::HandlersPage);
        CodeListPage* page = w.codeListPage(Tfrm_jczlsz::HandlersPage);
        QTest::mouseClick(page->button(QStringLiteral("修改")), Qt::LeftButton);
        QVERIFY(!page->isEditing());
        QCOMPARE(s.prompter().texts(), QStringList{"当前没有记录可修改!"});
    }

    void defaultsPage()
    {
        test::TestSession s;
        addWarehouses(s.db());
        QFile f(QDir(s.folder()).filePath(QStringLiteral("bdchange.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral(
                    "[currensys]\n销售出货=门市\n采购入库=旧仓库\n销售出货默认折扣=0.9\n小数点位数1=3\n")
                    .toUtf8());
        f.close();
        s.settings().reload();

        Tfrm_jczlsz w(s.session(), nullptr, Tfrm_jczlsz::DefaultsPage);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.warehouseBox(QStringLiteral("销售出货"))->currentText(), QStringLiteral("门市"));
        QCOMPARE(w.warehouseBox(QStringLiteral("采购入库"))->currentIndex(), -1);
        QCOMPARE(w.warehouseBox(QStringLiteral("其它出库"))->count(), 3);
        QCOMPARE(w.decimalsBox()->value(), 3);
        QCOMPARE(w.discountBox()->text(), QStringLiteral("9"));
        QVERIFY(w.startupBox()->isChecked()); // never set: ticked
        QVERIFY(!w.applyButton()->isEnabled());
        const QString before = iniText(s.folder());

        w.decimalsBox()->setValue(1);
        QVERIFY(w.applyButton()->isEnabled());
        QCOMPARE(iniText(s.folder()), before); // nothing written before "应用"

        w.noDiscountBox()->setChecked(true);
        QCOMPARE(w.discountBox()->text(), QStringLiteral("0"));
        QVERIFY(!w.discountBox()->isEnabled());
        w.noDiscountBox()->setChecked(false);
        QVERIFY(w.discountBox()->isEnabled());

        QTest::mouseClick(w.applyButton(), Qt::LeftButton);
        QVERIFY(!w.applyButton()->isEnabled());
        const BdChangeSettings written(s.folder());
        QCOMPARE(written.value(QStringLiteral("小数点位数"), {}), QStringLiteral("0.0"));
        QCOMPARE(written.value(QStringLiteral("小数点位数1"), {}), QStringLiteral("1"));
        QCOMPARE(written.value(QStringLiteral("销售出货默认折扣"), {}), QStringLiteral("1"));
        QCOMPARE(written.value(QStringLiteral("销售出货"), {}), QStringLiteral("门市"));
        QVERIFY(s.prompter().shown.isEmpty());

        w.discountBox()->setText(QStringLiteral("8.8"));
        QTest::mouseClick(w.saveSettingsButton(), Qt::LeftButton);
        QCOMPARE(s.prompter().texts(), QStringList{"设置成功!"});
        QCOMPARE(BdChangeSettings(s.folder()).value(QStringLiteral("销售出货默认折扣"), {}),
                 QStringLiteral("0.88"));
    }

    void discountBoxTakesOnlyZhe()
    {
        test::TestSession s;
        Tfrm_jczlsz w(s.session(), nullptr, Tfrm_jczlsz::DefaultsPage);
        w.discountBox()->clear();
        QTest::keyClicks(w.discountBox(), QStringLiteral("8a.8"));
        QCOMPARE(w.discountBox()->text(), QStringLiteral("8.8"));
        w.discountBox()->clear();
        QTest::keyClicks(w.discountBox(), QStringLiteral("12"));
        QCOMPARE(w.discountBox()->text(), QStringLiteral("1"));
    }

    void startupBoxWritesAtOnce()
    {
        test::TestSession s;
        Tfrm_jczlsz w(s.session(), nullptr, Tfrm_jczlsz::UnitsPage);
        QVERIFY(w.startupBox()->isChecked());
        QVERIFY(!QFile::exists(QDir(s.folder()).filePath(QStringLiteral("bdchange.ini"))));
        w.startupBox()->setChecked(false);
        QCOMPARE(BdChangeSettings(s.folder()).value(QStringLiteral("启动提示设置"), {}), QStringLiteral("0"));
        w.startupBox()->setChecked(true);
        QCOMPARE(BdChangeSettings(s.folder()).value(QStringLiteral("启动提示设置"), {}), QStringLiteral("1"));
        QVERIFY(!w.applyButton()->isEnabled());
    }

    void companyWindow()
    {
        test::TestSession s;
        {
            Tfrm_reprot w(s.session());
            QCOMPARE(w.windowTitle(), QStringLiteral("公司信息设置"));
            QCOMPARE(w.nameBox()->text(), QStringLiteral("XXXX贸易有限公司"));
            shoot(&w, QStringLiteral("reprot"));
            // Without a telephone the window closes and nothing is stored.
            QTest::mouseClick(w.okButton(), Qt::LeftButton);
            QCOMPARE(w.result(), int(QDialog::Accepted));
            QCOMPARE(s.db().countRows(QStringLiteral("报表参数")), 0);
        }
        {
            Tfrm_reprot w(s.session());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.nameBox()->setFocus();
            QTest::keyClick(w.nameBox(), Qt::Key_Return);
            QVERIFY(w.phoneBox()->hasFocus());
            QTest::keyClicks(w.phoneBox(), QStringLiteral("0571-1234"));
            QTest::mouseClick(w.okButton(), Qt::LeftButton);
            QVERIFY(!w.isVisible());
        }
        Tfrm_reprot again(s.session());
        QCOMPARE(again.phoneBox()->text(), QStringLiteral("0571-1234"));
        QCOMPARE(again.nameBox()->text(), QStringLiteral("XXXX贸易有限公司"));
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void sitesWindowAdd()
    {
        test::TestSession s;
        addWarehouses(s.db());
        Tfrm_sell_node w(s.session());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("销售站点设置"));
        QVERIFY(w.nameBox()->isReadOnly());
        QCOMPARE(w.warehouseBox()->count(), 3);

        w.addButton()->click();
        QCOMPARE(w.mode(), Tfrm_sell_node::Mode::Adding);
        QCOMPARE(w.addButton()->text(), QStringLiteral("保存"));
        QVERIFY(!w.changeButton()->isEnabled());
        QVERIFY(!w.deleteButton()->isEnabled());
        QVERIFY(!w.grid()->isEnabled());
        QVERIFY(!w.nameBox()->isReadOnly());

        // A fifth character does not fit in eight bytes.
        typeText(w.nameBox(), QStringLiteral("杭州第一店"));
        QCOMPARE(w.nameBox()->text(), QStringLiteral("杭州第一"));
        w.natureBox()->setText(QStringLiteral("直营"));
        w.warehouseBox()->setCurrentIndex(w.warehouseBox()->findText(QStringLiteral("门市")));
        w.remarkBox()->setPlainText(QStringLiteral("城西"));
        shoot(&w, QStringLiteral("sell_node-adding"));
        w.addButton()->click();
        QCOMPARE(s.prompter().last(), QStringLiteral("站点增加成功!若要生效，请退出重新登入进销存软件系统!"));
        QCOMPARE(w.mode(), Tfrm_sell_node::Mode::Normal);
        QCOMPARE(w.addButton()->text(), QStringLiteral("增加"));
        QVERIFY(w.nameBox()->text().isEmpty());
        QVERIFY(w.nameBox()->isReadOnly());
        QCOMPARE(w.grid()->rowCount(), 1);

        // The same name again: still adding.
        w.addButton()->click();
        w.nameBox()->setText(QStringLiteral("杭州第一"));
        w.addButton()->click();
        QCOMPARE(s.prompter().last(), QStringLiteral("已经有此站点了，请用其它的站点名!"));
        QCOMPARE(w.mode(), Tfrm_sell_node::Mode::Adding);
        QVERIFY(w.nameBox()->hasFocus());
        w.nameBox()->clear();
        w.addButton()->click();
        QCOMPARE(s.prompter().last(), QStringLiteral("站点名称不能为空!"));
        QCOMPARE(s.db().countRows(QStringLiteral("站点")), 1);
    }

    void sitesWindowChange()
    {
        test::TestSession s;
        addWarehouses(s.db());
        s.db().exec(QStringLiteral("insert into 站点(站点名称,站点性质,管理人员,备注) values "
                                   "('总店','直营','一号仓','一楼'),('分店','加盟','已撤仓库','')"));
        Tfrm_sell_node w(s.session());
        QCOMPARE(w.grid()->rowCount(), 2);
        shoot(&w, QStringLiteral("sell_node"));

        // A double-click loads the row and starts the change.
        w.rowActivated(rowOf(w.grid(), QStringLiteral("总店")));
        QCOMPARE(w.nameBox()->text(), QStringLiteral("总店"));
        QCOMPARE(w.warehouseBox()->currentText(), QStringLiteral("一号仓"));
        QCOMPARE(w.mode(), Tfrm_sell_node::Mode::Changing);
        QCOMPARE(w.changeButton()->text(), QStringLiteral("保存"));
        QVERIFY(!w.addButton()->isEnabled());
        QVERIFY(!w.deleteButton()->isEnabled());
        QVERIFY(w.nameBox()->isReadOnly());
        w.natureBox()->setText(QStringLiteral("旗舰"));
        w.changeButton()->click();
        QCOMPARE(s.prompter().last(), QStringLiteral("修改成功!"));
        QCOMPARE(w.changeButton()->text(), QStringLiteral("修改"));
        QCOMPARE(s.db().column(QStringLiteral("select 站点性质 from 站点 where 站点名称='总店'")),
                 QStringList{"旗舰"});

        // A site whose warehouse is gone keeps it through a change.
        w.rowActivated(rowOf(w.grid(), QStringLiteral("分店")));
        QCOMPARE(w.warehouseBox()->currentText(), QStringLiteral("已撤仓库"));
        w.changeButton()->click();
        QCOMPARE(s.db().column(QStringLiteral("select 管理人员 from 站点 where 站点名称='分店'")),
                 QStringList{"已撤仓库"});
    }

    void sitesWindowDelete()
    {
        test::TestSession s;
        Tfrm_sell_node w(s.session());
        w.changeButton()->click();
        QCOMPARE(s.prompter().last(), QStringLiteral("当前没有记录可以修改!"));
        QCOMPARE(w.mode(), Tfrm_sell_node::Mode::Normal);
        w.deleteButton()->click();
        QCOMPARE(s.prompter().last(), QStringLiteral("当前没有站点可以供删除!"));

        s.db().exec(QStringLiteral("insert into 站点(站点名称) values ('总店')"));
        Tfrm_sell_node filled(s.session());
        s.prompter().clear();
        s.db().exec(QStringLiteral("drop table 站点"));
        filled.deleteButton()->click();
        QCOMPARE(s.prompter().shown.size(), 1);
        QCOMPARE(s.prompter().shown.first().kind, MessageKind::Error);
        QVERIFY(!s.prompter().texts().contains(QStringLiteral("删除成功!")));
    }
};

MZT_TEST_MAIN(TestJczlszUi)
#include "tstui_jczlsz.moc"
