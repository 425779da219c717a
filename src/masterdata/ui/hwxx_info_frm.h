#pragma once

#include "masterlistwindow.h"

namespace mzt {

class WarehouseList;

// "货位信息管理": the warehouses and their stock tables.
class Tfrm_hwxx_info final : public MasterListWindow
{
    Q_OBJECT

public:
    Tfrm_hwxx_info(Session& session, QWidget* parent = nullptr);

    static MasterListSetup windowSetup();

protected:
    void afterSaved(SaveResult result, const FieldValues& values) override;
};

} // namespace mzt
