#pragma once

#include <QString>

namespace mzt {

enum class MessageKind { Information, Warning, Error };

// The one way logic shows a message or asks a Yes/No question.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual void message(const QString& text, const QString& title = defaultTitle(),
                         MessageKind kind = MessageKind::Information) = 0;
    // true for Yes.
    virtual bool ask(const QString& text, const QString& title = defaultTitle()) = 0;

    void warn(const QString& text, const QString& title = defaultTitle())
    {
        message(text, title, MessageKind::Warning);
    }
    void error(const QString& text, const QString& title = defaultTitle())
    {
        message(text, title, MessageKind::Error);
    }
    static QString defaultTitle() { return QStringLiteral("操作提示"); }
};

// The text every missing right shows.
inline QString noRightText()
{
    return QStringLiteral("对不起,你没有操作此功能的权限,请您联系-系统管理员");
}

} // namespace mzt
