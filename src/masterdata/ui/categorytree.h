#pragma once

#include "categories.h"

#include <QTreeWidget>

#include <optional>

namespace mzt {

// The goods category tree as the goods list, the category editor and the category picker
// show it: the root "商品类别", each category as "名称(编码)", sub-categories read when a
// node is first expanded.
class CategoryTree final : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CategoryTree(Session& session, QWidget* parent = nullptr);

    // Reads the tree again, keeping the current node when it still exists.
    void reload();
    // The current node (the root when it is current); nullopt when nothing is.
    std::optional<CategoryNode> currentNode() const;
    QString currentCode() const;
    // Expands the path to the category and makes it current; false when it is not there.
    bool selectCode(const QString& code);
    QTreeWidgetItem* rootItem() const { return m_root; }
    QTreeWidgetItem* itemForCode(const QString& code) const;

signals:
    void nodeChosen(const mzt::CategoryNode& node);

private:
    void fillChildren(QTreeWidgetItem* item);
    QTreeWidgetItem* makeItem(QTreeWidgetItem* parent, const CategoryNode& node);

    Session& m_s;
    Categories m_logic;
    QTreeWidgetItem* m_root = nullptr;
};

} // namespace mzt
