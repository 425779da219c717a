#include "windowregistry.h"

#include "hwxx_info_frm.h"
#include "hyxx_frm.h"
#include "ywy_info_frm.h"

#include "jczlsz_frm.h"
#include "khzl_frm.h"
#include "prvice_frm.h"
#include "reprot_frm.h"
#include "sell_node_frm.h"
#include "splebei_new_frm.h"
#include "spzl_frm.h"
#include "tree_check_frm.h"

#include <QDialog>

#include <memory>

namespace mzt {

void registerAllWindows()
{
    // Each feature adds its windows here as they are built:
    //   registry.add("Tfrm_spzl", [](Session& s, QWidget* parent, int) { return new Tfrm_spzl(s, parent); });
    WindowRegistry& registry = WindowRegistry::instance();
    registry.add(QStringLiteral("Tfrm_hwxx_info"), [](Session& s, QWidget* p, int) { return new Tfrm_hwxx_info(s, p); });
    registry.add(QStringLiteral("Tfrm_ywy_info"), [](Session& s, QWidget* p, int) { return new Tfrm_ywy_info(s, p); });
    registry.add(QStringLiteral("Tfrm_hyxx"), [](Session& s, QWidget* p, int) { return new Tfrm_hyxx(s, p); });
    // The list windows open their import windows through the registry.
    MasterListWindow::setWindowLookup([](const QString& windowClass) -> MasterListWindow::WindowFactory {
        const WindowRegistry::Factory make = WindowRegistry::instance().factory(windowClass);
        if (!make)
            return {};
        return [make](Session& s, QWidget* parent) { return make(s, parent, -1); };
    });
    registry.add(QStringLiteral("Tfrm_jczlsz"),
                 [](Session& s, QWidget* p, int page) { return new Tfrm_jczlsz(s, p, page); });
    registry.add(QStringLiteral("Tfrm_reprot"),
                 [](Session& s, QWidget* p, int) { return new Tfrm_reprot(s, p); });
    registry.add(QStringLiteral("Tfrm_sell_node"),
                 [](Session& s, QWidget* p, int) { return new Tfrm_sell_node(s, p); });
    // The goods windows open the unit page and the warehouse window through this registry.
    auto openRegistered = [](const QString& windowClass, int page) {
        return [windowClass, page](Session& s, QWidget* parent) {
            if (const WindowRegistry::Factory make = WindowRegistry::instance().factory(windowClass)) {
                const std::unique_ptr<QDialog> w(make(s, parent, page));
                if (w)
                    w->exec();
            }
        };
    };
    GoodsWindowOpeners::defaults() = GoodsWindowOpeners{openRegistered(QStringLiteral("Tfrm_jczlsz"), 0),
                                                        openRegistered(QStringLiteral("Tfrm_hwxx_info"), -1)};
    registry.add(QStringLiteral("Tfrm_spzl"),
                 [](Session& s, QWidget* p, int) { return new Tfrm_spzl(s, p); });
    registry.add(QStringLiteral("TFrm_product"),
                 [](Session& s, QWidget* p, int) { return new TFrm_product(s, p); });
    registry.add(QStringLiteral("Tfrm_splebei_new"),
                 [](Session& s, QWidget* p, int) { return new Tfrm_splebei_new(s, p); });
    registry.add(QStringLiteral("Tfrm_tree_check"),
                 [](Session& s, QWidget* p, int) { return new Tfrm_tree_check(s, p); });
    registry.add(QStringLiteral("Tfrm_khzl"), [](Session& s, QWidget* p, int) { return new Tfrm_khzl(s, p); });
    registry.add(QStringLiteral("Tfrm_prvice"), [](Session& s, QWidget* p, int) { return new Tfrm_prvice(s, p); });
}

} // namespace mzt
