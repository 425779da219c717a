#include "testdb.h"

#include "functiontable.h"
#include "lock_system_frm.h"
#include "main_frm.h"
#include "userlogin_frm.h"
#include "windowregistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

using namespace mzt;

namespace {

int g_created = 0;

// A window that closes itself as soon as it is shown modally.
class ProbeWindow final : public QDialog
{
public:
    ProbeWindow(QWidget* parent, bool closeAtOnce) : QDialog(parent)
    {
        ++g_created;
        if (closeAtOnce)
            QTimer::singleShot(0, this, &QDialog::accept);
    }
};

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        g_created = 0;
        WindowRegistry::instance().clear();
        WindowRegistry::instance().add(QStringLiteral("Tfrm_kcloc_chose"), [](Session&, QWidget* p, int) {
            return new ProbeWindow(p, true);
        });
        WindowRegistry::instance().add(QStringLiteral("Tfrm_cggl_modi"), [](Session&, QWidget* p, int) {
            return new ProbeWindow(p, false);
        });
    }

    void refusalWithoutRight()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("update 权限密码 set 库存查询 = 0 where 工号 = '888'"));
        Dispatcher d(s.session());
        QCOMPARE(d.ShowChildWindow(QStringLiteral("库存查询"), QStringLiteral("Tfrm_kcloc_chose"), OpenMode::Modal, -1, nullptr),
                 nullptr);
        QCOMPARE(g_created, 0);
        QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("对不起,你没有操作此功能的权限,请您联系-系统管理员")});
        QCOMPARE(s.prompter().shown.first().title, QStringLiteral("操作提示"));
        QCOMPARE(s.prompter().shown.first().kind, MessageKind::Warning);
    }

    void modalWindowWithRight()
    {
        test::TestSession s;
        Dispatcher d(s.session());
        d.ShowChildWindow(QStringLiteral("库存查询"), QStringLiteral("Tfrm_kcloc_chose"), OpenMode::Modal, -1, nullptr);
        d.ShowChildWindow(QStringLiteral("库存查询"), QStringLiteral("Tfrm_kcloc_chose"), OpenMode::Modal, -1, nullptr);
        QCOMPARE(g_created, 2);
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void nonModalOpensOnce()
    {
        test::TestSession s;
        Dispatcher d(s.session());
        QWidget* first = d.ShowChildWindow(QStringLiteral("进货订单开票"), QStringLiteral("Tfrm_cggl_modi"),
                                           OpenMode::NonModal, -1, nullptr);
        QVERIFY(first);
        QWidget* second = d.ShowChildWindow(QStringLiteral("进货订单开票"), QStringLiteral("Tfrm_cggl_modi"),
                                            OpenMode::NonModal, -1, nullptr);
        QCOMPARE(second, first);
        QCOMPARE(g_created, 1);
        first->close();
        QApplication::processEvents();
        QTest::qWait(10);
        QVERIFY(!d.isOpen(QStringLiteral("Tfrm_cggl_modi")));
        QVERIFY(d.ShowChildWindow(QStringLiteral("进货订单开票"), QStringLiteral("Tfrm_cggl_modi"), OpenMode::NonModal,
                                  -1, nullptr));
        QCOMPARE(g_created, 2);
    }

    void menusShowOnlyRegisteredWindows()
    {
        test::TestSession s;
        Tfrm_main w(s.session());
        QCOMPARE(w.windowTitle(), QStringLiteral("铭泽通进销存财务一体化"));
        QStringList groups;
        for (QAction* a : w.menuBar()->actions())
            groups.append(a->text());
        QVERIFY(groups.contains(QStringLiteral("[仓库管理]")));
        QVERIFY(groups.contains(QStringLiteral("[系统控制]")));
        QVERIFY(!groups.contains(QStringLiteral("[关于软件]")));
        // The stock query shows on the purchase, sales and stock pages.
        for (int page : {PagePurchase, PageSales, PageStock}) {
            QStringList captions;
            for (auto* l : w.pageShortcuts(page))
                captions.append(l->text());
            QVERIFY2(captions.contains(QStringLiteral("商品库存")), qPrintable(captions.join(',')));
        }
        QVERIFY(w.pageShortcuts(PageFinance).isEmpty());
        // The hidden purchase order entry stays out of the menu although its window exists.
        for (QAction* group : w.menuBar()->actions())
            for (QAction* a : group->menu()->actions())
                QVERIFY(a->text() != QStringLiteral("采购订货开票"));
        QCOMPARE(w.shortcutMenu()->actions().size(), 1); // 锁定计算机
    }

    void pageButtons()
    {
        test::TestSession s;
        Tfrm_main w(s.session());
        QCOMPARE(w.currentPage(), int(PagePurchase));
        QCOMPARE(w.pageButtonText(PagePurchase), QStringLiteral("      采购管理>>"));
        w.showPage(PageFinance);
        QCOMPARE(w.pageButtonText(PageFinance), QStringLiteral("      财务管理>>"));
        QCOMPARE(w.pageButtonText(PagePurchase), QStringLiteral("      采购管理"));
        QCOMPARE(w.currentPage(), int(PageFinance));
    }

    void closingWhileLockedIsRefused()
    {
        test::TestSession s;
        Tfrm_main w(s.session());
        s.login().LockState = QStringLiteral("NO");
        w.show();
        QVERIFY(!w.close());
        QCOMPARE(s.prompter().last(), QStringLiteral("系统已经锁定，暂不能关闭系统,请解锁后再关闭系统!"));
        s.login().LockState = QStringLiteral("OK");
        s.prompter().answers = {false};
        QVERIFY(!w.close());
    }

    void lockWindow()
    {
        test::TestSession s;
        Tfrm_lock_system lock(s.session());
        QCOMPARE(lock.windowTitle(), QStringLiteral("鸿昇软件-系统锁定"));
        lock.show();
        if (!test::onPostgres())
            lock.grab().save(QDir::temp().filePath(QStringLiteral("mzt-lock.png")));
        // Escape does not unlock.
        QTest::keyClick(&lock, Qt::Key_Escape);
        QVERIFY(lock.isVisible());
        lock.adminBox()->setChecked(true);
        QCOMPARE(s.prompter().last(), QStringLiteral("请输入系统管理员的密码解锁!"));
        lock.passwordBox()->setText(QStringLiteral("wrong"));
        lock.unlock();
        QCOMPARE(s.prompter().last(), QStringLiteral("对不起,系统管理员密码错误!不能解锁!"));
        QVERIFY(lock.passwordBox()->text().isEmpty());
        QVERIFY(lock.isVisible());
        lock.passwordBox()->setText(QString());
        lock.unlock();
        QVERIFY(!lock.isVisible());
        QCOMPARE(lock.result(), int(QDialog::Accepted));
    }

    void loginDialog()
    {
        test::TestSession s;
        s.login() = LoginContext{};
        TFrmUserLogin dialog(s.session());
        dialog.prepare(0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("用户登陆"));
        QCOMPARE(dialog.jobBox()->count(), 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // An unknown job number: the message, the boxes emptied, no login.
        dialog.jobBox()->setEditText(QStringLiteral("777"));
        dialog.passwordBox()->setFocus();
        QTRY_COMPARE(s.prompter().last(), QStringLiteral("对不起，此工号不存在!"));
        QVERIFY(dialog.nameBox()->text().isEmpty());
        dialog.loginButton()->click();
        QVERIFY(!s.login().loggedIn);
        // "888" with an empty password logs in.
        dialog.jobBox()->setEditText(QStringLiteral("888"));
        dialog.jobBox()->setFocus();
        QTRY_VERIFY(dialog.jobBox()->hasFocus());
        dialog.passwordBox()->setFocus();
        QTRY_COMPARE(dialog.nameBox()->text(), QStringLiteral("系统管理员"));
        QTest::keyClick(dialog.passwordBox(), Qt::Key_Return);
        QVERIFY(s.login().loggedIn);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.grab().save(QDir::temp().filePath(QStringLiteral("mzt-login.png")));
    }
};

MZT_TEST_MAIN(TestMainWindow)
#include "tstui_mainwindow.moc"
