#include "app/logic/sidebar_modes.h"

namespace velotune {

namespace {
const std::vector<SidebarMode>& Modes() {
  static const std::vector<SidebarMode> kModes = {
      {0, {"TabSheet1", "TabSheet2", "TabSheet3"}, true, "TabSheet2", nullptr},  // TWEAK
      {1, {"shtFix"}, false, "shtFix", "ScrollBox2"},                            // FIX
  };
  return kModes;
}
}  // namespace

const std::vector<const char*>& AllPageNames() {
  static const std::vector<const char*> kPages = {"TabSheet2", "TabSheet1", "TabSheet3", "shtFix"};
  return kPages;
}

const SidebarMode* FindSidebarMode(int tag) {
  for (const SidebarMode& mode : Modes())
    if (mode.tag == tag) return &mode;
  return nullptr;
}

}  // namespace velotune
