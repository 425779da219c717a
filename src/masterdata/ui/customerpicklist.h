#pragma once

#include "customers.h"

#include <QDialog>

#include <optional>

namespace mzt {

class DataGrid;

// The small list a bill shows when a typed customer name or code fits several customers:
// 编码, 公司名, 联系人 and 电话; Enter or a double-click takes the row, Esc takes none.
class CustomerPickList final : public QDialog
{
    Q_OBJECT

public:
    // Rows of CustomerLookup (its select list).
    explicit CustomerPickList(const Rows& rows, QWidget* parent = nullptr);

    // The look-up of a typed name or code fragment: no customer shows "没有此客户资料!",
    // one is taken at once, several are offered in the list.
    static std::optional<CustomerChoice> findAndPick(Session& session, const QString& text,
                                                     QWidget* parent = nullptr);
    // The same for a code typed in full.
    static std::optional<CustomerChoice> findByCodeAndPick(Session& session, const QString& code,
                                                           QWidget* parent = nullptr);

    std::optional<CustomerChoice> pickedCustomer() const { return m_picked; }
    DataGrid* grid() const { return m_grid; }
    void takeRow(int row);

private:
    static std::optional<CustomerChoice> offer(Session& session, const Rows& rows, QWidget* parent);

    DataGrid* m_grid = nullptr;
    std::optional<CustomerChoice> m_picked;
};

} // namespace mzt
