#pragma once

#include "customers.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mzt {

class DataGrid;

// "客户档案浏览": the customer list a sales-side bill opens to pick a customer. Typing in
// the code, name or phone box, or choosing a price class, narrows the list; a
// double-click (or Enter) on a row takes that customer and closes the list.
class Tfrm_check_khzl final : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_check_khzl(Session& session, QWidget* parent = nullptr);

    // Opens the list modally; the customer taken, or nothing when it was closed.
    static std::optional<CustomerChoice> choose(Session& session, QWidget* parent = nullptr);

    std::optional<CustomerChoice> chosenCustomer() const { return m_chosen; }

    DataGrid* grid() const { return m_grid; }
    QLineEdit* codeBox() const { return m_code; }
    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* phoneBox() const { return m_phone; }
    QRadioButton* retailButton() const { return m_retail; }
    QRadioButton* tradeButton() const { return m_trade; }
    QRadioButton* allButton() const { return m_all; }
    QPushButton* addButton() const { return m_add; }

    void reload();
    // Takes the customer of a shown row; -1 (no row) gives the empty-list message.
    void takeRow(int row);
    void addCustomer();

private:
    Session& m_s;
    CustomerBrowse m_browse;
    std::optional<CustomerChoice> m_chosen;
    DataGrid* m_grid = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_phone = nullptr;
    QRadioButton* m_retail = nullptr;
    QRadioButton* m_trade = nullptr;
    QRadioButton* m_all = nullptr;
    QPushButton* m_add = nullptr;
};

} // namespace mzt
