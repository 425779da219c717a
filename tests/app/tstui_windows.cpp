#include "testdb.h"

#include "functiontable.h"
#include "main_frm.h"
#include "windowregistry.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>

using namespace mzt;

// Every registered window opens on an empty database without an error, and the main
// window shows each of its pages.
class TestWindows final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerAllWindows(); }

    void everyRegisteredWindowOpens()
    {
        test::TestSession s;
        int opened = 0;
        for (const FunctionEntry& f : functionTable()) {
            const auto make = WindowRegistry::instance().factory(f.window);
            if (!make)
                continue;
            QDialog* w = make(s.session(), nullptr, f.setupPage);
            QVERIFY2(w, qPrintable(f.window));
            w->show();
            QVERIFY2(!w->windowTitle().isEmpty(), qPrintable(f.window));
            if (!test::onPostgres())
                w->grab().save(QDir::temp().filePath(QStringLiteral("mzt-%1-%2.png").arg(f.window).arg(f.setupPage)));
            delete w;
            ++opened;
        }
        QVERIFY(opened > 0);
        for (const auto& shown : s.prompter().shown)
            QVERIFY2(shown.kind != MessageKind::Error, qPrintable(shown.text));
    }

    void mainWindowPages()
    {
        if (test::onPostgres())
            QSKIP("the pictures are the same on both databases");
        test::TestSession s;
        Tfrm_main w(s.session());
        w.resize(1280, 800);
        w.show();
        for (int page = 1; page <= 5; ++page) {
            w.showPage(page);
            QVERIFY(w.pageButtonText(page).endsWith(QStringLiteral(">>")));
            w.grab().save(QDir::temp().filePath(QStringLiteral("mzt-main-page%1.png").arg(page)));
        }
    }
};

MZT_TEST_MAIN(TestWindows)
#include "tstui_windows.moc"
