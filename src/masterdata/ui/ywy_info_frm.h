#pragma once

#include "masterlistwindow.h"

namespace mzt {

// "业务员信息管理": the salespersons.
class Tfrm_ywy_info final : public MasterListWindow
{
    Q_OBJECT

public:
    Tfrm_ywy_info(Session& session, QWidget* parent = nullptr);

    static MasterListSetup windowSetup();
    static QString importWindowClass() { return QStringLiteral("Tfrm_ywypup"); }
    static QString importCaption() { return QStringLiteral("从Excel 文件导入业务员资料"); }
};

} // namespace mzt
