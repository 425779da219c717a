#pragma once

#include "prompter.h"

#include <QPointer>
#include <QWidget>

namespace mzt {

// Messages and Yes/No questions as message boxes over the active window, buttons in Chinese.
class QtPrompter final : public Prompter
{
public:
    // Boxes are centred on parent, or on the active window when there is none.
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& title = defaultTitle(),
                 MessageKind kind = MessageKind::Information) override;
    // Yes is the default button; closing the box counts as No.
    bool ask(const QString& text, const QString& title = defaultTitle()) override;

private:
    QWidget* parentWidget() const;
    QPointer<QWidget> m_parent;
};

} // namespace mzt
