#pragma once

#include "functiontable.h"
#include "session.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

class QDialog;

namespace mzt {

// Window factories by class name. A function of the main window shows only once its
// window is registered here.
class WindowRegistry final
{
public:
    // Creates the window; setupPage selects a page of a multi-page window (-1: none).
    using Factory = std::function<QDialog*(Session&, QWidget* parent, int setupPage)>;

    static WindowRegistry& instance();
    void add(const QString& windowClass, Factory factory);
    bool contains(const QString& windowClass) const { return m_factories.contains(windowClass); }
    Factory factory(const QString& windowClass) const { return m_factories.value(windowClass); }
    void clear() { m_factories.clear(); }

private:
    QHash<QString, Factory> m_factories;
};

// Registers the windows of every feature; called once at start-up.
void registerAllWindows();

// The one dispatch step behind every menu entry, page shortcut and shortcut-menu entry.
class Dispatcher final
{
public:
    explicit Dispatcher(Session& session) : m_s(session) {}
    // Checks the right, then opens the window modally or (non-modal) at most once.
    // Returns the window for a non-modal entry, nullptr otherwise.
    QWidget* ShowChildWindow(const QString& right, const QString& windowClass, OpenMode mode, int setupPage,
                             QWidget* frame);
    QWidget* open(const FunctionEntry& entry, QWidget* frame);
    bool isOpen(const QString& windowClass) const;

private:
    Session& m_s;
    QHash<QString, QPointer<QWidget>> m_open;
};

} // namespace mzt
