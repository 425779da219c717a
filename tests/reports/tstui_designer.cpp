#include "testdb.h"

#include "decimal.h"
#include "report.h"
#include "reportdesigner.h"
#include "reportpainter.h"
#include "reportpreview.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QSqlField>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace mzt;

namespace {

const QString adviceText = QStringLiteral("建议您在设计报表前先备份一份报表文件!\r备份方法:将本软件安装目录-"
                                          "zcfrf文件夹下面扩展名为[.frf]文件 复制一份起来即可!");

ReportItem field(const QString& text, double x, double y, double w, double h, HAlign align = HAlign::Left,
                 const QString& picture = {}, int frames = 0)
{
    ReportItem it;
    it.text = text;
    it.x = x;
    it.y = y;
    it.width = w;
    it.height = h;
    it.hAlign = align;
    it.picture = picture;
    it.frames = frames;
    return it;
}

// A sales list as a bill window would print it: company header, framed columns, page sums.
ReportTemplate salesTemplate()
{
    ReportTemplate t;
    t.title = QStringLiteral("商品销售信息报表");
    t.page.marginLeft = t.page.marginRight = 15;
    t.page.marginTop = t.page.marginBottom = 12;
    const int all = FrameSide::All;
    const int cell = FrameSide::Left | FrameSide::Right | FrameSide::Bottom;

    ReportBand& title = t.ensureBand(BandKind::ReportTitle);
    title.height = 24;
    ReportItem company = field(QStringLiteral("[报表参数.公司名]"), 0, 0, 180, 9, HAlign::Center);
    company.fontSize = 16;
    company.bold = true;
    ReportItem heading = field(QStringLiteral("[报表标题]"), 0, 9.5, 180, 7, HAlign::Center);
    heading.fontSize = 13;
    ReportItem contact =
        field(QStringLiteral("电话:[报表参数.销售电话]  传真:[报表参数.传真]  地址:[报表参数.地址]"), 0, 17,
              180, 6, HAlign::Center);
    contact.fontSize = 9;
    title.items = {company, heading, contact};

    ReportBand& header = t.ensureBand(BandKind::PageHeader);
    header.height = 8;
    header.items = {field(QStringLiteral("客户:[客户名称]"), 0, 0, 90, 7),
                    field(QStringLiteral("单号:[单号]"), 90, 0, 90, 7, HAlign::Right)};

    struct Column
    {
        const char* title;
        const char* expr;
        double x;
        double w;
        HAlign align;
        const char* picture;
    };
    const Column columns[] = {{"序号", "[行号]", 0, 12, HAlign::Center, ""},
                              {"品名", "[品名]", 12, 58, HAlign::Left, ""},
                              {"单位", "[单位]", 70, 16, HAlign::Center, ""},
                              {"数量", "[数量]", 86, 22, HAlign::Right, "#,##0"},
                              {"单价", "[单价]", 108, 30, HAlign::Right, "0.00"},
                              {"金额", "[金额]", 138, 42, HAlign::Right, "#,##0.00"}};
    ReportBand& columnHeader = t.ensureBand(BandKind::ColumnHeader);
    columnHeader.height = 8;
    ReportBand& detail = t.ensureBand(BandKind::Detail);
    detail.height = 7;
    for (const Column& c : columns) {
        ReportItem head = field(QString::fromUtf8(c.title), c.x, 0, c.w, 8, HAlign::Center, {}, all);
        head.bold = true;
        columnHeader.items.append(head);
        detail.items.append(
            field(QString::fromUtf8(c.expr), c.x, 0, c.w, 7, c.align, QString::fromUtf8(c.picture), cell));
    }

    ReportBand& summary = t.ensureBand(BandKind::Summary);
    summary.height = 16;
    ReportItem total = field(QStringLiteral("合计"), 0, 0, 86, 8, HAlign::Center, {}, cell);
    total.bold = true;
    summary.items = {
        total,
        field(QStringLiteral("[SUM(数量)]"), 86, 0, 22, 8, HAlign::Right, QStringLiteral("#,##0"), cell),
        field(QString(), 108, 0, 30, 8, HAlign::Left, {}, cell),
        field(QStringLiteral("[SUM(金额)]"), 138, 0, 42, 8, HAlign::Right, QStringLiteral("#,##0.00"), cell),
        field(QStringLiteral("大写金额:[NtoC(SUM(金额))]"), 0, 8, 180, 8, HAlign::Left, {}, cell)};

    ReportBand& footer = t.ensureBand(BandKind::PageFooter);
    footer.height = 8;
    ReportItem rule;
    rule.kind = ItemKind::Line;
    rule.width = 180;
    rule.height = 0;
    ReportItem pageSum = field(QStringLiteral("本页金额:[SUM(金额)]"), 120, 1, 60, 6, HAlign::Right,
                               QStringLiteral("#,##0.00"));
    footer.items = {rule, field(QStringLiteral("制表:[操作员]"), 0, 1, 60, 6),
                    field(QStringLiteral("第[页码]页 共[总页数]页"), 60, 1, 60, 6, HAlign::Center), pageSum};
    for (ReportItem& it : footer.items)
        it.fontSize = 9;
    return t;
}

ReportData salesRows(int n)
{
    static const char* names[] = {"可口可乐 330ml",   "康师傅红烧牛肉面", "农夫山泉 550ml",
                                  "旺旺雪饼 84g",     "蒙牛纯牛奶 250ml", "双汇王中王火腿肠",
                                  "雀巢速溶咖啡 1+2", "金龙鱼大米 5kg"};
    static const char* units[] = {"箱", "件", "瓶", "袋", "盒"};
    ReportData d;
    d.columns = {QStringLiteral("单号"), QStringLiteral("客户名称"), QStringLiteral("品名"),
                 QStringLiteral("单位"), QStringLiteral("数量"),     QStringLiteral("单价"),
                 QStringLiteral("金额")};
    for (int i = 0; i < n; ++i) {
        const Decimal qty(i % 7 + 1);
        const Decimal price =
            *Decimal::parse(QStringLiteral("%1.%2").arg(3 + i % 40).arg(i % 10 * 5, 2, 10, QLatin1Char('0')));
        d.rows.append({QStringLiteral("X20240305140709"), QStringLiteral("杭州市西湖区百货商店"),
                       QString::fromUtf8(names[i % 8]), QString::fromUtf8(units[i % 5]), qty.toString(),
                       price.toString(), (qty * price).toString()});
    }
    return d;
}

Report salesReport(int rows)
{
    Report r;
    r.setTemplate(salesTemplate());
    r.setTitle(QStringLiteral("商品销售信息报表"));
    r.setDataSet(salesRows(rows));
    Row company;
    const QList<QPair<QString, QString>> values = {
        {QStringLiteral("公司名"), QStringLiteral("铭泽贸易有限公司")},
        {QStringLiteral("销售电话"), QStringLiteral("0571-88886666")},
        {QStringLiteral("传真"), QStringLiteral("0571-88886667")},
        {QStringLiteral("地址"), QStringLiteral("杭州市文三路100号")}};
    for (const auto& [name, value] : values) {
        QSqlField f(name);
        f.setValue(value);
        company.append(f);
    }
    r.setCompanyData(company);
    r.setVariable(QStringLiteral("操作员"), QStringLiteral("系统管理员"));
    return r;
}

int pdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int n = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

QList<ReportPreview*> openPreviews()
{
    QList<ReportPreview*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<ReportPreview*>(w); p && p->isVisible())
            out.append(p);
    }
    return out;
}

bool anyMessageBox()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(w) && w->isVisible())
            return true;
    }
    return false;
}

// Widgets and pages are saved for a look by eye when MZT_REPORT_SAMPLES names a folder.
void keepSample(const QString& name, const QImage& image)
{
    const QString dir = qEnvironmentVariable("MZT_REPORT_SAMPLES");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(name));
}

QString writeTemplate(const QTemporaryDir& dir, const QString& rel, const ReportTemplate& t)
{
    const QString path = dir.filePath(rel);
    if (!t.writeFile(path))
        return {};
    return path;
}

// Closes whatever modal window opens next.
void closeNextModal()
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            w->close();
        }
    });
    timer->start();
}

} // namespace

class TestDesigner final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void movedFieldIsSaved();
    void mouseMovesAndResizes();
    void bandHeightFollowsItsEdge();
    void propertyPanelEditsTheField();
    void addAndDeleteFields();
    void closingAsksToSave_data();
    void closingAsksToSave();
    void designReportShowsAdviceFirst();
    void loadReportTemplate_data();
    void loadReportTemplate();
    void previewPaintsEveryPage();
    void exportPdfWritesEveryPage();
    void canvasDrawsTheFields();
};

void TestDesigner::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReportPreview*>(w))
            w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestDesigner::movedFieldIsSaved()
{
    QTemporaryDir dir;
    const QString path = writeTemplate(dir, QStringLiteral("zcfrf/printreport3_new.frf"), salesTemplate());
    QVERIFY(!path.isEmpty());
    test::ScriptedPrompter prompter;
    ReportDesigner d(prompter, path);
    QCOMPARE(d.openResult(), TemplateDocument::OpenResult::Opened);
    d.show();

    const ItemRef ref{BandKind::Detail, 1};
    d.canvas()->selectItem(ref);
    QVERIFY(d.document().moveItem(ref, 4.5, 0));
    d.refreshFromDocument();
    QCOMPARE(d.findChild<QDoubleSpinBox*>(QStringLiteral("itemX"))->value(), 16.5);
    QVERIFY(d.save());
    QVERIFY(prompter.shown.isEmpty());

    const std::optional<ReportTemplate> back = ReportTemplate::readFile(path);
    QVERIFY(back);
    ReportTemplate expected = salesTemplate();
    expected.band(BandKind::Detail)->items[1].x = 16.5;
    QCOMPARE(back->toJson(), expected.toJson());
    QVERIFY(*back == expected);
}

void TestDesigner::mouseMovesAndResizes()
{
    QTemporaryDir dir;
    const QString path = writeTemplate(dir, QStringLiteral("zcfrf/a.frf"), salesTemplate());
    test::ScriptedPrompter prompter;
    ReportDesigner d(prompter, path);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    DesignerCanvas* canvas = d.canvas();
    const double ppm = canvas->pixelsPerMm();

    const ItemRef ref{BandKind::PageHeader, 0};
    const QPoint start = canvas->itemRect(ref).center().toPoint();
    const QPoint end = start + QPoint(qRound(10 * ppm), qRound(0.5 * ppm));
    QTest::mousePress(canvas, Qt::LeftButton, {}, start);
    QCOMPARE(canvas->selectedItem(), std::optional<ItemRef>(ref));
    QTest::mouseMove(canvas, start + QPoint(qRound(5 * ppm), 0));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, end);
    QCOMPARE(d.document().item(ref)->x, 10.0);
    QCOMPARE(d.document().item(ref)->y, 0.5);
    // The whole drag is one step back.
    d.document().undo();
    QCOMPARE(d.document().item(ref)->x, 0.0);
    d.document().redo();
    d.refreshFromDocument();

    // The lower right handle makes the field wider and taller.
    const QRectF r = canvas->itemRect(ref);
    const QPoint corner = r.bottomRight().toPoint();
    QTest::mousePress(canvas, Qt::LeftButton, {}, corner);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, corner + QPoint(qRound(-20 * ppm), qRound(0.5 * ppm)));
    QCOMPARE(d.document().item(ref)->x, 10.0);
    QCOMPARE(d.document().item(ref)->width, 70.0);
    QCOMPARE(d.document().item(ref)->height, 7.5);

    // Delete removes the selected field.
    const qsizetype before = d.document().reportTemplate().band(BandKind::PageHeader)->items.size();
    QTest::keyClick(canvas, Qt::Key_Delete);
    QCOMPARE(d.document().reportTemplate().band(BandKind::PageHeader)->items.size(), before - 1);
    QVERIFY(!canvas->selectedItem());
    prompter.answers = {false};
}

void TestDesigner::bandHeightFollowsItsEdge()
{
    QTemporaryDir dir;
    const QString path = writeTemplate(dir, QStringLiteral("zcfrf/b.frf"), salesTemplate());
    test::ScriptedPrompter prompter;
    ReportDesigner d(prompter, path);
    d.show();
    DesignerCanvas* canvas = d.canvas();
    const double ppm = canvas->pixelsPerMm();
    const QRectF band = canvas->bandRect(BandKind::Summary);
    const QPoint edge(qRound(band.right() - 2), qRound(band.bottom() + 2));
    QTest::mousePress(canvas, Qt::LeftButton, {}, edge);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, edge + QPoint(0, qRound(10 * ppm)));
    QCOMPARE(d.document().reportTemplate().band(BandKind::Summary)->height, 26.0);
    QCOMPARE(d.findChild<QDoubleSpinBox*>(QStringLiteral("bandHeight"))->value(), 26.0);
    QVERIFY(d.save());
    QCOMPARE(ReportTemplate::readFile(path)->band(BandKind::Summary)->height, 26.0);
}

void TestDesigner::propertyPanelEditsTheField()
{
    QTemporaryDir dir;
    const QString path = writeTemplate(dir, QStringLiteral("zcfrf/c.frf"), salesTemplate());
    test::ScriptedPrompter prompter;
    ReportDesigner d(prompter, path);
    d.show();
    const ItemRef ref{BandKind::Summary, 4};
    d.canvas()->selectItem(ref);

    auto* text = d.findChild<QLineEdit*>(QStringLiteral("itemText"));
    QCOMPARE(text->text(), QStringLiteral("大写金额:[NtoC(SUM(金额))]"));
    text->setFocus();
    text->selectAll();
    // Chinese arrives from the input method as committed text.
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("合计"));
    QCoreApplication::sendEvent(text, &typed);
    QTest::keyClicks(text, QStringLiteral("[SUM("));
    QInputMethodEvent column;
    column.setCommitString(QStringLiteral("金额"));
    QCoreApplication::sendEvent(text, &column);
    QTest::keyClicks(text, QStringLiteral(")]"));
    QCOMPARE(d.document().item(ref)->text, QStringLiteral("合计[SUM(金额)]"));
    d.findChild<QDoubleSpinBox*>(QStringLiteral("itemFontSize"))->setValue(14);
    d.findChild<QComboBox*>(QStringLiteral("itemAlign"))->setCurrentIndex(2);
    d.findChild<QComboBox*>(QStringLiteral("itemPicture"))->setCurrentText(QStringLiteral("#,##0.00"));

    const ReportItem* it = d.document().item(ref);
    QCOMPARE(it->fontSize, 14.0);
    QCOMPARE(it->hAlign, HAlign::Right);
    QCOMPARE(it->picture, QStringLiteral("#,##0.00"));
    // Typing is one step back, not one per key.
    text->clearFocus();
    QVERIFY(d.document().canUndo());
    d.document().undo(); // picture
    d.document().undo(); // alignment
    d.document().undo(); // font size
    d.document().undo(); // the typed text
    QCOMPARE(d.document().item(ref)->text, QStringLiteral("大写金额:[NtoC(SUM(金额))]"));
    prompter.answers = {false};
}

void TestDesigner::addAndDeleteFields()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zcfrf/new_report.frf"));
    test::ScriptedPrompter prompter;
    ReportDesigner d(prompter, path);
    QCOMPARE(d.openResult(), TemplateDocument::OpenResult::Created);
    d.canvas()->selectBand(BandKind::ColumnHeader);
    const ItemRef text = d.addItem(ItemKind::Text);
    const ItemRef line = d.addItem(ItemKind::Line);
    QCOMPARE(text.band, BandKind::ColumnHeader);
    QCOMPARE(d.document().reportTemplate().band(BandKind::ColumnHeader)->items.size(), 2);
    QCOMPARE(d.document().item(line)->kind, ItemKind::Line);
    QCOMPARE(d.canvas()->selectedItem(), std::optional<ItemRef>(line));
    d.deleteSelected();
    QCOMPARE(d.document().reportTemplate().band(BandKind::ColumnHeader)->items.size(), 1);
    QVERIFY(d.save());
    QVERIFY(QFile::exists(path));
    QCOMPARE(ReportTemplate::readFile(path)->band(BandKind::ColumnHeader)->items.size(), 1);
}

void TestDesigner::closingAsksToSave_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes saves") << true;
    QTest::newRow("no discards") << false;
}

void TestDesigner::closingAsksToSave()
{
    QFETCH(bool, answer);
    QTemporaryDir dir;
    const QString path = writeTemplate(dir, QStringLiteral("zcfrf/d.frf"), salesTemplate());
    test::ScriptedPrompter prompter;
    prompter.answers = {answer};
    {
        ReportDesigner d(prompter, path);
        d.show();
        d.document().setBandHeight(BandKind::Detail, 9);
        d.close();
        QVERIFY(!d.isVisible());
    }
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY(prompter.shown.first().question);
    QCOMPARE(ReportTemplate::readFile(path)->band(BandKind::Detail)->height, answer ? 9.0 : 7.0);
}

void TestDesigner::designReportShowsAdviceFirst()
{
    QTemporaryDir dir;
    writeTemplate(dir, QStringLiteral("zcfrf/printreport3_new.frf"), salesTemplate());
    test::ScriptedPrompter prompter;
    closeNextModal();
    QVERIFY(DesignReport(nullptr, prompter, dir.path(), QStringLiteral("zcfrf\\printreport3_new.frf")));
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().text, adviceText);
    QCOMPARE(prompter.shown.first().title, QStringLiteral("操作提示"));
    QVERIFY(!prompter.shown.first().question);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestDesigner::loadReportTemplate_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("shown");
    QTest::newRow("missing template") << QByteArray() << false;
    QTest::newRow("broken template") << QByteArray("{\"format\": \"mzt-report\", \"bands\": [") << false;
    QTest::newRow("good template") << salesTemplate().toJson() << true;
}

void TestDesigner::loadReportTemplate()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, shown);
    QTemporaryDir dir;
    if (!content.isEmpty()) {
        QDir().mkpath(dir.filePath(QStringLiteral("zcfrf")));
        QFile f(dir.filePath(QStringLiteral("zcfrf/khzl_report.frf")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QWidget window;
    window.show();
    Report r = salesReport(40);
    QCOMPARE(LoadReportTemplate(&window, r, dir.path(), QStringLiteral("zcfrf\\khzl_report.frf")), shown);
    QCoreApplication::processEvents();
    QVERIFY(!anyMessageBox());
    const QList<ReportPreview*> previews = openPreviews();
    QCOMPARE(previews.size(), shown ? 1 : 0);
    if (!shown)
        return;
    ReportPreview* preview = previews.first();
    QCOMPARE(preview->parentWidget(), &window);
    QVERIFY(!preview->isModal());
    QCOMPARE(preview->windowTitle(), QStringLiteral("商品销售信息报表"));
    QCOMPARE(preview->pages().size(), 2);
    // The window stays usable behind its preview.
    QVERIFY(!QApplication::activeModalWidget());
    QPointer<ReportPreview> guard(preview);
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(guard.isNull());
}

void TestDesigner::previewPaintsEveryPage()
{
    Report r = salesReport(55);
    auto* preview = ShowReportPreview(nullptr, r);
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    QCOMPARE(preview->pages().size(), 2);
    // The preview widget holds one sheet per laid-out page.
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    QVERIFY(widget);
    QCOMPARE(widget->pageCount(), 2);
    keepSample(QStringLiteral("preview.png"), preview->grab().toImage());
    preview->close();
}

void TestDesigner::exportPdfWritesEveryPage()
{
    QTemporaryDir dir;
    Report r = salesReport(55);
    const int pages = int(r.layout().size());
    QCOMPARE(pages, 2);
    const QString path = dir.filePath(QStringLiteral("sales.pdf"));
    QVERIFY(exportPdf(r, path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdfPageCount(pdf), pages);
    if (const QString samples = qEnvironmentVariable("MZT_REPORT_SAMPLES"); !samples.isEmpty())
        QFile::copy(path, QDir(samples).filePath(QStringLiteral("sales.pdf")));

    Report three = salesReport(80);
    QCOMPARE(three.layout().size(), 3);
    QVERIFY(exportPdf(three, path));
    QFile g(path);
    QVERIFY(g.open(QIODevice::ReadOnly));
    QCOMPARE(pdfPageCount(g.readAll()), 3);

    Report none;
    const QString nothing = dir.filePath(QStringLiteral("none.pdf"));
    QVERIFY(!exportPdf(none, nothing));
    QVERIFY(!QFile::exists(nothing));
    QVERIFY(!exportPdf(r, dir.filePath(QStringLiteral("no/such/folder/x.pdf"))));
}

void TestDesigner::canvasDrawsTheFields()
{
    QTemporaryDir dir;
    const QString path = writeTemplate(dir, QStringLiteral("zcfrf/e.frf"), salesTemplate());
    test::ScriptedPrompter prompter;
    Report sample = salesReport(3);
    ReportDesigner d(prompter, path, &sample);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    // The sample's columns are offered for insertion.
    auto* insert = d.findChild<QComboBox*>(QStringLiteral("insertField"));
    QVERIFY(insert->findText(QStringLiteral("品名")) > 0);

    const QImage canvas = d.canvas()->grab().toImage();
    // The framed column titles leave dark pixels along their frame.
    const QRectF cell = d.canvas()->itemRect(ItemRef{BandKind::ColumnHeader, 1});
    int dark = 0;
    for (int x = int(cell.left()) + 2; x < int(cell.right()) - 2; ++x) {
        if (qGray(canvas.pixel(x, int(cell.top()))) < 100)
            ++dark;
    }
    QVERIFY2(dark > cell.width() / 2, qPrintable(QString::number(dark)));
    d.canvas()->selectItem(ItemRef{BandKind::Detail, 1});
    keepSample(QStringLiteral("designer.png"), d.grab().toImage());
}

MZT_TEST_MAIN(TestDesigner)
#include "tstui_designer.moc"
