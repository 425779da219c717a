#pragma once

// Salespersons (业务员): the list the bills draw their 业务员 from.

#include "masterlist.h"

namespace mzt {

// The eleven columns of the salesperson window, in the order an insert lists them.
MasterListConfig salespersonListConfig();

// The salesperson window's logic (Tfrm_ywy_info).
//
// SaveSalesperson looks the row up by the code box and the name of the list row being
// edited (empty with an empty list). No row: "是否保存此业务员？", a log row and the insert.
// A row: a log row and the update of every column but the code, matched by the code and
// the old name — so a salesperson is renamed by selecting the row, editing the name and
// saving. DeleteSalesperson asks "是否删除当前业务员？" and removes the current row.
class SalespersonList final : public MasterListLogic
{
public:
    explicit SalespersonList(Session& session);

    static QString exportName() { return QStringLiteral("业务员信息"); }

    Rows open() { return loadOpening(); }
    Rows reloadList() { return loadAll(); }
    Rows FilterSalespersons(const FieldValues& boxes) { return filter(boxes); }
    SaveResult SaveSalesperson(const FieldValues& boxes, const FieldValues& currentRow)
    {
        return save(boxes, currentRow);
    }
    DeleteResult DeleteSalesperson(const FieldValues& currentRow, const FieldValues& boxes)
    {
        return remove(currentRow, boxes);
    }
};

} // namespace mzt
