#pragma once

#include "masterlistwindow.h"
#include "suppliers.h"

#include <functional>
#include <optional>

namespace mzt {

// "供应商信息管理": the supplier list with one box per column. "新增供商资料" and a row click
// give edit mode, "开始查找供应商资料" query mode; saving inserts after a question or changes
// the supplier whose row was clicked; the list is then read in name order.
class Tfrm_prvice final : public MasterListWindow
{
    Q_OBJECT

public:
    // Opens the supplier import window modally; the import feature installs it.
    using ImportWindowOpener = std::function<void(Session&, QWidget* parent)>;
    static void setImportWindowOpener(ImportWindowOpener opener);

    explicit Tfrm_prvice(Session& session, QWidget* parent = nullptr);

    SupplierList& suppliers() { return static_cast<SupplierList&>(logic()); }
    // The supplier being edited (the row clicked); nothing for a new one.
    const std::optional<FieldValues>& editedRow() const { return m_edited; }

    void startNew() override;
    void startFind() override;
    void save() override;
    void removeCurrent() override;
    void rowClicked(int row) override;
    void importSuppliers();

private:
    std::optional<FieldValues> m_edited;
};

} // namespace mzt
