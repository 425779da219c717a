#pragma once

#include "functiontable.h"
#include "windowregistry.h"

#include <QLabel>
#include <QMainWindow>

class QPushButton;
class QStackedWidget;
class QMenu;

namespace mzt {

// A page shortcut: black and plain, blue and underlined while the mouse is over it.
class ShortcutLabel final : public QLabel
{
    Q_OBJECT
public:
    explicit ShortcutLabel(const QString& text, QWidget* parent = nullptr);
signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// The main window "铭泽通进销存财务一体化".
class Tfrm_main final : public QMainWindow
{
    Q_OBJECT
public:
    explicit Tfrm_main(Session& session, QWidget* parent = nullptr);

    // True when the entry shows in menus and pages: its window exists or its action can run.
    static bool isAvailable(const FunctionEntry& entry);
    // Runs an entry as its menu item, shortcut or shortcut-menu item does.
    void run(const FunctionEntry& entry);
    void showPage(int page);
    int currentPage() const;
    QString pageButtonText(int page) const;
    // The status bar after login.
    void showLoggedIn();
    // Menu groups made visible for "888" at login.
    void applyAdministratorVisibility();
    // Locks the program; returns when it is unlocked again.
    void lockSystem();
    Dispatcher& dispatcher() { return m_dispatcher; }
    QMenu* shortcutMenu() const { return m_shortcutMenu; }
    QList<ShortcutLabel*> pageShortcuts(int page) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void buildMenus();
    void buildPages();
    void buildStatusBar();
    QWidget* makePage(int page);
    void startProgram(const QString& which);

    Session& m_s;
    Dispatcher m_dispatcher;
    QStackedWidget* m_pages = nullptr;
    QList<QPushButton*> m_pageButtons;
    QList<QLabel*> m_status;
    QMenu* m_shortcutMenu = nullptr;
    QHash<int, QList<ShortcutLabel*>> m_shortcuts;
    bool m_closing = false;
};

} // namespace mzt
