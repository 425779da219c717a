#pragma once

#include "suppliers.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

namespace mzt {

class DataGrid;

// "供应商档案浏览": the supplier list the purchase bills, the payables windows, the goods
// editor, the stock queries and the purchase reports open to pick a supplier. Typing in a
// box narrows the list; a double-click (or Enter) on a row takes that supplier and closes
// the list, except that a caller needing the code gets nothing from a row without one.
class Tfrm_gyshz_check final : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_gyshz_check(Session& session, SupplierPickMode mode = SupplierPickMode::CodeAndName,
                              QWidget* parent = nullptr);

    // Opens the list modally; the supplier taken, or nothing when it was closed.
    static std::optional<SupplierChoice> choose(Session& session, SupplierPickMode mode,
                                                QWidget* parent = nullptr);

    std::optional<SupplierChoice> chosenSupplier() const { return m_chosen; }
    SupplierPickMode pickMode() const { return m_mode; }

    DataGrid* grid() const { return m_grid; }
    QLineEdit* codeBox() const { return m_code; }
    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* phoneBox() const { return m_phone; }
    QLineEdit* contactBox() const { return m_contact; }
    QPushButton* addButton() const { return m_add; }

    void reload();
    // Takes the supplier of a shown row; -1 (no row) gives the empty-list message.
    void takeRow(int row);
    void addSupplier();

private:
    Session& m_s;
    SupplierBrowse m_browse;
    SupplierPickMode m_mode;
    std::optional<SupplierChoice> m_chosen;
    DataGrid* m_grid = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_phone = nullptr;
    QLineEdit* m_contact = nullptr;
    QPushButton* m_add = nullptr;
};

} // namespace mzt
