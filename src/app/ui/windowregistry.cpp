#include "windowregistry.h"

#include "database.h"
#include "prompter.h"
#include "rights.h"

#include <QDialog>

namespace mzt {

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::add(const QString& windowClass, Factory factory)
{
    m_factories.insert(windowClass, std::move(factory));
}

bool Dispatcher::isOpen(const QString& windowClass) const
{
    return !m_open.value(windowClass).isNull();
}

QWidget* Dispatcher::ShowChildWindow(const QString& right, const QString& windowClass, OpenMode mode,
                                     int setupPage, QWidget* frame)
{
    try {
        if (!right.isEmpty() && !HasRight(m_s.db, m_s.login.JobNo, right)) {
            m_s.prompter.warn(noRightText());
            return nullptr;
        }
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return nullptr;
    }
    const WindowRegistry::Factory make = WindowRegistry::instance().factory(windowClass);
    if (!make)
        return nullptr;
    if (mode == OpenMode::NonModal) {
        if (QWidget* w = m_open.value(windowClass)) {
            w->showNormal();
            w->raise();
            w->activateWindow();
            return w;
        }
    }
    QDialog* w = nullptr;
    try {
        w = make(m_s, frame, setupPage);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return nullptr;
    } catch (const std::exception& e) {
        m_s.prompter.error(QString::fromUtf8(e.what()));
        return nullptr;
    }
    if (!w)
        return nullptr;
    if (mode == OpenMode::NonModal) {
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setModal(false);
        if (frame)
            w->move(frame->mapToGlobal(QPoint(0, 0)));
        m_open.insert(windowClass, w);
        w->show();
        return w;
    }
    w->exec();
    delete w;
    return nullptr;
}

QWidget* Dispatcher::open(const FunctionEntry& entry, QWidget* frame)
{
    if (!entry.logText.isEmpty()) {
        // These entries log the opening once the right is known to be there.
        try {
            if (!entry.right.isEmpty() && !HasRight(m_s.db, m_s.login.JobNo, entry.right)) {
                m_s.prompter.warn(noRightText());
                return nullptr;
            }
            WriteOperationLog(m_s.db, m_s.login.ComputerName, m_s.login.OperatorName, m_s.login.JobNo,
                              entry.logNature, entry.logText);
        } catch (const DbError& e) {
            m_s.prompter.error(e.message());
            return nullptr;
        }
    }
    return ShowChildWindow(entry.right, entry.window, entry.mode, entry.setupPage, frame);
}

} // namespace mzt
