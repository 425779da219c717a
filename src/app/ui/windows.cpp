#include "windowregistry.h"

namespace mzt {

void registerAllWindows()
{
    // Each feature adds its windows here as they are built:
    //   registry.add("Tfrm_spzl", [](Session& s, QWidget* parent, int) { return new Tfrm_spzl(s, parent); });
    WindowRegistry& registry = WindowRegistry::instance();
    Q_UNUSED(registry);
}

} // namespace mzt
