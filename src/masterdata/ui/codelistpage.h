#pragma once

#include "codelists.h"

#include <QHash>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mzt {

class DataGrid;

// One code-list page of the basic-settings window: the list over the whole width and,
// while adding or changing, the entry panel beside it (read-only code box, name box, the
// opening amount on the account pages, "保存" and "取消"). Under the list "增加",
// "修改" (or a double-click), "删除" and, where the page has it, "获取编码".
class CodeListPage final : public QWidget
{
    Q_OBJECT
public:
    CodeListPage(Session& session, CodeListKind kind, QWidget* parent = nullptr);

    CodeList& logic() { return m_logic; }
    DataGrid* grid() const { return m_grid; }
    QLineEdit* codeBox() const { return m_code; }
    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* amountBox() const { return m_amount; } // nullptr on pages without an amount
    QGroupBox* entryPanel() const { return m_panel; }
    // "增加", "修改", "删除", "获取编码", "保存", "取消"; nullptr when the page has none.
    QPushButton* button(const QString& caption) const { return m_buttons.value(caption); }
    bool isEditing() const;
    CodeListMode mode() const { return m_mode; }

    void reload();
    void startAdd();
    void startChange();
    void fetchCode();
    void save();
    void removeCurrent();
    void cancel();

signals:
    // After a row was saved or deleted.
    void listChanged();

private:
    QPushButton* addButton(const QString& caption);
    std::optional<CodeListEntry> currentEntry() const;
    void setEditing(bool editing);

    CodeList m_logic;
    const CodeListDefinition& m_def;
    CodeListMode m_mode = CodeListMode::Add;
    DataGrid* m_grid = nullptr;
    QGroupBox* m_panel = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_amount = nullptr;
    QHash<QString, QPushButton*> m_buttons;
};

} // namespace mzt
