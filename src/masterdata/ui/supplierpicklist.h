#pragma once

#include "suppliers.h"

#include <QDialog>

#include <optional>

namespace mzt {

class DataGrid;

// The small list a window shows when a typed supplier name fits several suppliers: 编码 and
// 公司名; Enter or a double-click takes the row, Esc takes none.
class SupplierPickList final : public QDialog
{
    Q_OBJECT

public:
    // Rows of SupplierLookup.
    explicit SupplierPickList(const Rows& rows, QWidget* parent = nullptr);

    // The look-up of a typed code or name fragment: one supplier is taken at once, several
    // are offered in the list; none gives nothing (the caller decides what to say).
    static std::optional<SupplierChoice> findAndPick(Session& session, const QString& text,
                                                     QWidget* parent = nullptr);

    std::optional<SupplierChoice> pickedSupplier() const { return m_picked; }
    DataGrid* grid() const { return m_grid; }
    void takeRow(int row);

private:
    DataGrid* m_grid = nullptr;
    std::optional<SupplierChoice> m_picked;
};

} // namespace mzt
