#pragma once

#include "database.h"
#include "session.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace mzt {

// One node of the goods category tree (table 类别).
struct CategoryNode
{
    QString code;
    QString name;
    QString parentCode;
    QString leafFlag; // 未级标志: "是" no sub-categories, "否" has some
    bool hasChildren = false;

    bool isRoot() const;
    // "名称(编码)", as the tree and the category lists show a category.
    QString caption() const;
};

// The goods category tree: reading it for the tree views and lists, and the category
// editor's add, rename and delete. Changes need the right "增加管理商品"; every refusal is
// shown through the session's prompter.
class Categories final
{
public:
    explicit Categories(Session& session);

    static QString rootCode() { return QStringLiteral("0"); }
    static QString rootName() { return QStringLiteral("商品类别"); }
    static CategoryNode rootNode();

    // The sub-categories of a node, by code; "0" gives the top-level categories. A node has
    // children to expand when its 未级标志 is "否" and a sub-category exists.
    QList<CategoryNode> children(const QString& parentCode);
    std::optional<CategoryNode> find(const QString& code);
    // Codes from the top-level category down to the category itself; empty when unknown.
    QStringList pathTo(const QString& code);

    // The editor's category list: "类名(编码)" of every category, by name.
    QStringList choiceTexts();
    // The text between the last "(" and the ")" after it: the code of a list entry.
    static QString codeFromChoice(const QString& choice);
    // The category part of a goods code: the category code, with "00" appended to a
    // two-character code.
    static QString goodsCodePart(const QString& categoryCode);

    // Adds a category under the parent ("0" for a top-level one).
    bool AddCategory(const QString& code, const QString& name, const QString& parentCode);
    bool RenameCategory(const QString& code, const QString& name);
    // Only a category without sub-categories; its goods stay as they are.
    bool DeleteCategory(const QString& code);

    // The category picker's check: refuses the root and no choice at all.
    bool checkPick(const std::optional<CategoryNode>& node);

private:
    bool mayChange();
    CategoryNode nodeFrom(const Row& r) const;

    Session& m_s;
};

} // namespace mzt
