#pragma once

// Warehouses (货位): each warehouse owns a stock table named exactly after its 货位名称,
// created with the 货位 row and dropped with it.

#include "masterlist.h"

namespace mzt {

// The five columns of the warehouse window.
MasterListConfig warehouseListConfig();

// The warehouse window's logic (Tfrm_hwxx_info).
//
// SaveWarehouse looks the row up by the code and name boxes. No row: the name is checked
// first (a name the database cannot take, or the name of any existing table, view or
// warehouse, is refused with "保存失败！系统不允许你用此货位名称,请用其它的货位名称试试。"
// before anything is written), then "是否保存此货位信息？" and, in one transaction, the
// stock table with a zero row per goods code and the 货位 row. A row: 货位性质, 管理人员
// and 备注 are updated. A changed code or name is thus a further warehouse with its own
// stock table; the old one stays. DeleteWarehouse removes the row and drops its stock
// table in one transaction. Warehouse changes write no log row.
class WarehouseList final : public MasterListLogic
{
public:
    explicit WarehouseList(Session& session);

    static QString refusedNameText()
    {
        return QStringLiteral("保存失败！系统不允许你用此货位名称,请用其它的货位名称试试。");
    }

    Rows open() { return loadOpening(); }
    // "排序资料": the list in code order.
    Rows SortWarehouses() { return loadAll(); }
    Rows FilterWarehouses(const FieldValues& boxes) { return filter(boxes); }
    SaveResult SaveWarehouse(const FieldValues& boxes) { return save(boxes); }
    // askFirst: the "删除提示" check box.
    DeleteResult DeleteWarehouse(const FieldValues& currentRow, bool askFirst)
    {
        return remove(currentRow, {}, askFirst);
    }

protected:
    bool checkBeforeSave(const FieldValues& values, bool inserting) override;
    void beforeInsert(const FieldValues& values) override;
    void beforeDelete(const FieldValues& row) override;
};

} // namespace mzt
