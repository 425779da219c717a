#include "ywy_info_frm.h"

#include "salespersons.h"

namespace mzt {

MasterListSetup Tfrm_ywy_info::windowSetup()
{
    MasterListSetup s;
    s.title = QStringLiteral("业务员信息管理");
    s.newCaption = QStringLiteral("新增业务员资料");
    s.newHint = QStringLiteral("新增业务员资料");
    s.saveCaption = QStringLiteral("保存业务员资料");
    s.deleteCaption = QStringLiteral("删除当前业务员资料");
    s.findCaption = QStringLiteral("开始查找业务员资料");
    s.exportCaption = QStringLiteral("导出EXCEL");
    s.exportName = SalespersonList::exportName();
    s.focusField = QStringLiteral("客服代号");
    s.saveOnEnter = {QStringLiteral("备注")};
    s.afterInsert = AfterSave::KeepBoxes;
    s.afterUpdate = AfterSave::KeepBoxes;
    s.afterDelete = AfterSave::EmptyBoxes;
    s.boxColumns = 4;
    s.defaultBoxWidth = 130;
    s.size = QSize(980, 600);
    return s;
}

Tfrm_ywy_info::Tfrm_ywy_info(Session& session, QWidget* parent)
    : MasterListWindow(session, std::make_unique<SalespersonList>(session), windowSetup(), parent)
{
    if (canOpenWindow(importWindowClass())) {
        addButton(importCaption(), [this] {
            openWindow(importWindowClass());
            // Everything imported shows, in query mode.
            startFind();
        });
    }
    reload(true);
}

} // namespace mzt
