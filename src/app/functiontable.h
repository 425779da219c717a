#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace mzt {

// How an entry's window is shown.
enum class OpenMode { Modal, NonModal };

// The function pages of the main window, numbered as their page buttons select them.
enum FunctionPage { PagePurchase = 1, PageSales = 2, PageStock = 3, PageFinance = 4, PageSystem = 5 };

// One function of the main window: its menu entry, page shortcuts, right and window.
struct FunctionEntry
{
    QString menuGroup;      // "[基础资料]"
    QString menuSubgroup;   // "账务处理" for nested entries, else empty
    QString caption;        // menu text
    bool menuHidden = false;
    QList<int> pages;       // pages carrying a shortcut
    QString pageCaption;    // caption of the shortcut label
    QString right;          // empty: no right is tested
    QString window;         // window class, the key of its factory; or a built-in action
    OpenMode mode = OpenMode::Modal;
    int setupPage = -1;     // page of a multi-page window to open on
    QString logNature;      // written before the window opens, when set
    QString logText;
    QString shortcutMenu;   // caption in the right-click shortcut menu, when it is there

    bool isReport() const { return menuGroup == QStringLiteral("[报表与统计]"); }
};

// Built-in actions that are not windows.
namespace Action {
inline const QString Lock = QStringLiteral("@lock");
inline const QString Exit = QStringLiteral("@exit");
inline const QString Notepad = QStringLiteral("@notepad");
inline const QString Calculator = QStringLiteral("@calc");
inline const QString Demo1 = QStringLiteral("@demo1");
inline const QString Demo2 = QStringLiteral("@demo2");
inline const QString PosStart = QStringLiteral("@pos");
inline const QString Backup = QStringLiteral("@backup");
inline const QString Restore = QStringLiteral("@restore");
} // namespace Action

// Every function of the main window in menu order.
const QList<FunctionEntry>& functionTable();
// The menu groups in menu-bar order.
const QStringList& menuGroups();
// Captions of the page buttons, page 1 to 5 ("      采购管理" …, six leading blanks).
QString pageButtonCaption(int page);
// The caption of a page button after a click on it (marker ">>") or on another one.
QString markPageCaption(const QString& caption, bool chosen);

} // namespace mzt
