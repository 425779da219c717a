#pragma once

#include "categories.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mzt {

class CategoryTree;

// The category editor "类别名称": the tree on the left; code, name and "设为根结点" on the
// right. "增加" adds under the current node (or at the top level), "修改" loads the current
// node for "保存" to rename it, "删除" removes a category without sub-categories.
class Tfrm_splebei_new final : public QDialog
{
    Q_OBJECT
public:
    explicit Tfrm_splebei_new(Session& session, QWidget* parent = nullptr, const QString& currentCode = {});

    CategoryTree* tree() const { return m_tree; }
    QLineEdit* codeBox() const { return m_code; }
    QLineEdit* nameBox() const { return m_name; }
    QCheckBox* rootBox() const { return m_asRoot; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* deleteButton() const { return m_delete; }
    // True once a category was added, renamed or deleted.
    bool changedAny() const { return m_changed; }

    void addCategory();
    void startRename();
    void saveRename();
    void deleteCategory();

private:
    void updateParentLabel();
    void leaveRename();

    Session& m_s;
    Categories m_logic;
    CategoryTree* m_tree = nullptr;
    QLabel* m_parent = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_asRoot = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_close = nullptr;
    QString m_renaming; // code of the category being renamed
    bool m_changed = false;
};

} // namespace mzt
