#pragma once

#include "customers.h"
#include "masterlistwindow.h"

#include <functional>
#include <optional>

namespace mzt {

// "客户信息管理": the customer list with one box per column. "新增客户资料" and a row click
// give edit mode, "查询客户资料" query mode; saving inserts after a question or changes the
// customer whose row was clicked. A bill that opens this window to find a customer reads
// the last row clicked from chosenCustomer().
class Tfrm_khzl final : public MasterListWindow
{
    Q_OBJECT

public:
    // Opens the customer import window modally; the import feature installs it.
    using ImportWindowOpener = std::function<void(Session&, QWidget* parent)>;
    static void setImportWindowOpener(ImportWindowOpener opener);

    explicit Tfrm_khzl(Session& session, QWidget* parent = nullptr);

    CustomerList& customers() { return static_cast<CustomerList&>(logic()); }
    // The customer of the row clicked last; nothing before a click.
    std::optional<CustomerChoice> chosenCustomer() const { return m_chosen; }
    // The customer being edited (the row clicked); nothing for a new one.
    const std::optional<FieldValues>& editedRow() const { return m_edited; }

    void startNew() override;
    void startFind() override;
    void save() override;
    void removeCurrent() override;
    void sortList() override;
    void printList() override;
    void rowClicked(int row) override;
    void importCustomers();

private:
    void syncButtons();

    std::optional<FieldValues> m_edited;
    std::optional<CustomerChoice> m_chosen;
};

} // namespace mzt
