#pragma once

#include "categories.h"

#include <QDialog>

#include <optional>

class QPushButton;

namespace mzt {

class CategoryTree;

// The category picker "类别选择": a category is chosen with "选中" (or a double-click on
// a category without sub-categories); the root or no choice is refused.
class Tfrm_tree_check final : public QDialog
{
    Q_OBJECT
public:
    explicit Tfrm_tree_check(Session& session, QWidget* parent = nullptr, const QString& currentCode = {});

    // The category chosen when the window closed with "选中".
    const std::optional<CategoryNode>& chosen() const { return m_chosen; }
    CategoryTree* tree() const { return m_tree; }
    QPushButton* chooseButton() const { return m_choose; }

    // "选中".
    void choose();

private:
    Session& m_s;
    Categories m_logic;
    CategoryTree* m_tree = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_close = nullptr;
    std::optional<CategoryNode> m_chosen;
};

} // namespace mzt
