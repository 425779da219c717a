#include "main_frm.h"

#include "database.h"
#include "lock_system_frm.h"
#include "locklogic.h"
#include "loginlogic.h"
#include "prompter.h"
#include "rights.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace mzt {

namespace {

QString findProgram(const QStringList& candidates)
{
    for (const QString& c : candidates) {
        const QString path = QStandardPaths::findExecutable(c);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

QString textEditor()
{
    return findProgram({QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("mousepad"),
                        QStringLiteral("pluma"), QStringLiteral("xed"), QStringLiteral("kate"),
                        QStringLiteral("kwrite"), QStringLiteral("leafpad"), QStringLiteral("featherpad")});
}

QString calculator()
{
    return findProgram({QStringLiteral("gnome-calculator"), QStringLiteral("galculator"), QStringLiteral("kcalc"),
                        QStringLiteral("mate-calc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")});
}

// The twin picture of a shortcut: the caption's first character on a coloured tile.
QIcon shortcutIcon(const QString& caption, int page, bool report)
{
    static const QColor colours[] = {QColor(70, 110, 170), QColor(46, 125, 90),  QColor(196, 98, 36),
                                     QColor(126, 70, 160), QColor(168, 50, 60),  QColor(60, 120, 150)};
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = report ? QColor(90, 96, 110) : colours[page % 6];
    p.setBrush(c);
    p.setPen(c.darker(130));
    p.drawRoundedRect(QRectF(1.5, 1.5, 37, 37), 8, 8);
    p.setPen(Qt::white);
    QFont f = QApplication::font();
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 40, 40), Qt::AlignCenter, caption.left(1));
    return QIcon(pm);
}

const QString kChosenStyle = QStringLiteral(
    "QPushButton{text-align:left;padding:10px 4px;border:none;border-bottom:3px solid #1f5fa8;"
    "background:#dfe9f6;font-weight:bold;color:#123;}");
const QString kOtherStyle = QStringLiteral(
    "QPushButton{text-align:left;padding:10px 4px;border:1px solid #9fb4cf;background:#f4f7fb;color:#123;}"
    "QPushButton:hover{background:#e8eff8;}");

} // namespace

ShortcutLabel::ShortcutLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("color:black;"));
}

void ShortcutLabel::enterEvent(QEnterEvent* e)
{
    setStyleSheet(QStringLiteral("color:blue;text-decoration:underline;"));
    QLabel::enterEvent(e);
}

void ShortcutLabel::leaveEvent(QEvent* e)
{
    setStyleSheet(QStringLiteral("color:black;"));
    QLabel::leaveEvent(e);
}

void ShortcutLabel::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

Tfrm_main::Tfrm_main(Session& session, QWidget* parent)
    : QMainWindow(parent), m_s(session), m_dispatcher(session)
{
    setWindowTitle(QStringLiteral("铭泽通进销存财务一体化"));
    setObjectName(QStringLiteral("Tfrm_main"));
    buildMenus();
    buildPages();
    buildStatusBar();
    showPage(PagePurchase);
}

bool Tfrm_main::isAvailable(const FunctionEntry& f)
{
    if (f.window == Action::Lock || f.window == Action::Exit)
        return true;
    if (f.window == Action::Notepad)
        return !textEditor().isEmpty();
    if (f.window == Action::Calculator)
        return !calculator().isEmpty();
    if (f.window == Action::Demo1 || f.window == Action::Demo2)
        return false;
    if (f.window == Action::PosStart)
        return WindowRegistry::instance().contains(QStringLiteral("Tfrm_sell_pos"));
    if (f.window == Action::Backup || f.window == Action::Restore)
        return WindowRegistry::instance().contains(QStringLiteral("Tfrm_databack"));
    return WindowRegistry::instance().contains(f.window);
}

void Tfrm_main::buildMenus()
{
    QMenuBar* bar = menuBar();
    for (const QString& group : menuGroups()) {
        QMenu* menu = nullptr;
        QHash<QString, QMenu*> subs;
        for (const FunctionEntry& f : functionTable()) {
            if (f.menuGroup != group || f.menuHidden || !isAvailable(f))
                continue;
            if (!menu)
                menu = bar->addMenu(group);
            QMenu* target = menu;
            if (!f.menuSubgroup.isEmpty()) {
                target = subs.value(f.menuSubgroup);
                if (!target) {
                    target = menu->addMenu(f.menuSubgroup);
                    subs.insert(f.menuSubgroup, target);
                }
            }
            if (f.window == Action::Exit)
                target->addSeparator();
            QAction* a = target->addAction(f.caption);
            connect(a, &QAction::triggered, this, [this, f] { run(f); });
        }
    }
    m_shortcutMenu = new QMenu(this);
    for (const QString& caption : {QStringLiteral("商品资料"), QStringLiteral("客户资料"), QStringLiteral("供应商资料"),
                                   QStringLiteral("计量单位"), QStringLiteral("锁定计算机")}) {
        for (const FunctionEntry& f : functionTable()) {
            if (f.shortcutMenu == caption && isAvailable(f)) {
                QAction* a = m_shortcutMenu->addAction(caption);
                connect(a, &QAction::triggered, this, [this, f] { run(f); });
                break;
            }
        }
    }
}

QWidget* Tfrm_main::makePage(int page)
{
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("page%1").arg(page));
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(24, 18, 24, 18);
    auto* heading = new QLabel(pageButtonCaption(page).trimmed(), w);
    QFont hf = heading->font();
    hf.setPointSize(hf.pointSize() + 6);
    hf.setBold(true);
    heading->setFont(hf);
    heading->setStyleSheet(QStringLiteral("color:#1f4f8f;"));
    layout->addWidget(heading);

    auto addCell = [this, page](QGridLayout* grid, int index, const FunctionEntry& f, bool report, QWidget* parent) {
        auto* cell = new QWidget(parent);
        auto* v = new QVBoxLayout(cell);
        v->setContentsMargins(4, 4, 4, 4);
        auto* button = new QToolButton(cell);
        button->setIcon(shortcutIcon(f.pageCaption, page, report));
        button->setIconSize(QSize(40, 40));
        button->setAutoRaise(true);
        button->setToolTip(f.pageCaption);
        auto* label = new ShortcutLabel(f.pageCaption, cell);
        label->setAlignment(Qt::AlignCenter);
        v->addWidget(button, 0, Qt::AlignHCenter);
        v->addWidget(label, 0, Qt::AlignHCenter);
        connect(button, &QToolButton::clicked, this, [this, f] { run(f); });
        connect(label, &ShortcutLabel::clicked, this, [this, f] { run(f); });
        m_shortcuts[page].append(label);
        const int columns = report ? 6 : 5;
        grid->addWidget(cell, index / columns, index % columns);
    };

    auto* shortcuts = new QWidget(w);
    auto* grid = new QGridLayout(shortcuts);
    grid->setHorizontalSpacing(28);
    grid->setVerticalSpacing(16);
    int n = 0;
    for (const FunctionEntry& f : functionTable())
        if (!f.isReport() && f.pages.contains(page) && isAvailable(f))
            addCell(grid, n++, f, false, shortcuts);
    if (n == 0) {
        auto* none = new QLabel(QStringLiteral("本页暂无可用功能"), shortcuts);
        none->setStyleSheet(QStringLiteral("color:#778;"));
        grid->addWidget(none, 0, 0);
    }
    layout->addWidget(shortcuts, 0, Qt::AlignLeft);

    auto* reports = new QGroupBox(QStringLiteral("<<报表汇总区>>"), w);
    reports->setStyleSheet(QStringLiteral("QGroupBox{font-weight:bold;color:#7a2e12;border:1px solid #c9b8a8;"
                                          "margin-top:12px;padding-top:10px;}"
                                          "QGroupBox::title{subcontrol-origin:margin;left:10px;padding:0 4px;}"));
    auto* rgrid = new QGridLayout(reports);
    rgrid->setHorizontalSpacing(24);
    int r = 0;
    for (const FunctionEntry& f : functionTable())
        if (f.isReport() && f.pages.contains(page) && isAvailable(f))
            addCell(rgrid, r++, f, true, reports);
    if (r == 0) {
        auto* none = new QLabel(QStringLiteral("本页暂无可用报表"), reports);
        none->setStyleSheet(QStringLiteral("color:#778;font-weight:normal;"));
        rgrid->addWidget(none, 0, 0);
    }
    layout->addSpacing(16);
    layout->addWidget(reports);
    layout->addStretch();
    return w;
}

void Tfrm_main::buildPages()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frame"));
    auto* h = new QHBoxLayout(central);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    auto* left = new QFrame(central);
    left->setObjectName(QStringLiteral("pageColumn"));
    left->setStyleSheet(QStringLiteral("#pageColumn{background:#c9d7ea;}"));
    left->setFixedWidth(170);
    auto* v = new QVBoxLayout(left);
    v->setContentsMargins(8, 16, 8, 16);
    v->setSpacing(8);
    // Top to bottom: 系统设置, 财务管理, 仓库管理, 销售管理, 采购管理.
    const int order[] = {PageSystem, PageFinance, PageStock, PageSales, PagePurchase};
    m_pageButtons.resize(6);
    for (int page : order) {
        auto* b = new QPushButton(pageButtonCaption(page), left);
        b->setObjectName(QStringLiteral("pageButton%1").arg(page));
        QFont f = b->font();
        f.setPointSize(f.pointSize() + 2);
        b->setFont(f);
        b->setMinimumHeight(44);
        connect(b, &QPushButton::clicked, this, [this, page] { showPage(page); });
        m_pageButtons[page] = b;
        v->addWidget(b);
    }
    v->addStretch();
    m_pages = new QStackedWidget(central);
    m_pages->setStyleSheet(QStringLiteral("QStackedWidget{background:#fbfcfe;}"));
    for (int page = 1; page <= 5; ++page)
        m_pages->addWidget(makePage(page));
    h->addWidget(left);
    h->addWidget(m_pages, 1);
    setCentralWidget(central);
}

void Tfrm_main::buildStatusBar()
{
    const int widths[] = {80, 80, 55, 100, 230};
    const QString texts[] = {QStringLiteral("  操作日期："), QString(), QStringLiteral("操作员："), QString(),
                             QStringLiteral("数据无价，请每天及时备份数据库")};
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(texts[i], this);
        l->setMinimumWidth(widths[i]);
        l->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(l, i == 4 ? 1 : 0);
        m_status.append(l);
    }
}

void Tfrm_main::showLoggedIn()
{
    m_status[1]->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    m_status[3]->setText(QStringLiteral(" ") + m_s.login.OperatorName);
}

void Tfrm_main::applyAdministratorVisibility()
{
    // The delivered layout shows these groups to everybody already; the login of "888"
    // makes sure of it.
    if (m_s.login.JobNo != QStringLiteral("888"))
        return;
    for (QAction* a : menuBar()->actions())
        a->setVisible(true);
}

void Tfrm_main::showPage(int page)
{
    if (page < 1 || page > 5)
        return;
    for (int p = 1; p <= 5; ++p) {
        QPushButton* b = m_pageButtons[p];
        b->setText(markPageCaption(b->text(), p == page));
        b->setStyleSheet(p == page ? kChosenStyle : kOtherStyle);
    }
    m_pages->setCurrentIndex(page - 1);
}

int Tfrm_main::currentPage() const
{
    return m_pages->currentIndex() + 1;
}

QString Tfrm_main::pageButtonText(int page) const
{
    return page >= 1 && page <= 5 ? m_pageButtons[page]->text() : QString();
}

QList<ShortcutLabel*> Tfrm_main::pageShortcuts(int page) const
{
    return m_shortcuts.value(page);
}

void Tfrm_main::startProgram(const QString& which)
{
    const QString program = which == Action::Notepad ? textEditor() : calculator();
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        m_s.prompter.warn(QStringLiteral("无法启动该程序"));
}

void Tfrm_main::run(const FunctionEntry& f)
{
    if (f.window == Action::Exit) {
        close();
        return;
    }
    if (f.window == Action::Lock) {
        lockSystem();
        return;
    }
    if (f.window == Action::Notepad || f.window == Action::Calculator) {
        startProgram(f.window);
        return;
    }
    m_dispatcher.open(f, centralWidget());
}

void Tfrm_main::lockSystem()
{
    try {
        if (!LockLogic::Lock(m_s))
            return;
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return;
    }
    hide();
    Tfrm_lock_system lock(m_s);
    lock.exec();
    showMaximized();
    raise();
    activateWindow();
}

void Tfrm_main::closeEvent(QCloseEvent* e)
{
    if (m_closing || ExitProgram(m_s)) {
        m_closing = true;
        e->accept();
        QApplication::quit();
        return;
    }
    e->ignore();
}

void Tfrm_main::contextMenuEvent(QContextMenuEvent* e)
{
    if (!m_shortcutMenu->isEmpty())
        m_shortcutMenu->popup(e->globalPos() + QPoint(0, 50));
}

} // namespace mzt
