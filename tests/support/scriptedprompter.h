#pragma once

#include "prompter.h"

#include <QList>
#include <QStringList>

namespace mzt::test {

// Records every message and answers questions from a script (Yes when it runs dry).
class ScriptedPrompter final : public Prompter
{
public:
    struct Shown
    {
        QString text;
        QString title;
        MessageKind kind;
        bool question;
    };

    void message(const QString& text, const QString& title, MessageKind kind) override
    {
        shown.append(Shown{text, title, kind, false});
    }
    bool ask(const QString& text, const QString& title) override
    {
        shown.append(Shown{text, title, MessageKind::Information, true});
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown& s : shown)
            out.append(s.text);
        return out;
    }
    QString last() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }

    QList<Shown> shown;
    QList<bool> answers;
};

} // namespace mzt::test
