#include "hwxx_info_frm.h"

#include "warehouses.h"

namespace mzt {

MasterListSetup Tfrm_hwxx_info::windowSetup()
{
    MasterListSetup s;
    s.title = QStringLiteral("货位信息管理");
    s.newCaption = QStringLiteral("新增货位资料");
    s.newHint = QStringLiteral("新增货位资料");
    s.saveCaption = QStringLiteral("保存货位资料");
    s.deleteCaption = QStringLiteral("删除当前货位资料");
    s.findCaption = QStringLiteral("开始查找货位资料");
    s.sortCaption = QStringLiteral("排序资料");
    s.deleteAskCheckBox = QStringLiteral("删除提示");
    s.filterTriggers = {QStringLiteral("货位编码")};
    s.focusField = QStringLiteral("货位编码");
    s.saveOnEnter = {QStringLiteral("备注")};
    s.afterInsert = AfterSave::EmptyBoxes;
    s.afterUpdate = AfterSave::EmptyBoxes;
    s.afterDelete = AfterSave::EmptyBoxes;
    s.boxColumns = 3;
    s.size = QSize(860, 560);
    return s;
}

Tfrm_hwxx_info::Tfrm_hwxx_info(Session& session, QWidget* parent)
    : MasterListWindow(session, std::make_unique<WarehouseList>(session), windowSetup(), parent)
{
    reload(true);
}

void Tfrm_hwxx_info::afterSaved(SaveResult result, const FieldValues& values)
{
    MasterListWindow::afterSaved(result, values);
    // The list is shown in code order after every save, whatever happened.
    if (result == SaveResult::Refused || result == SaveResult::Cancelled)
        reload();
}

} // namespace mzt
