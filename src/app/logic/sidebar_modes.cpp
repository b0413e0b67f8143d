#include "app/logic/sidebar_modes.h"

#include "platform/text_case.h"

namespace velotune {

namespace {
const std::vector<SidebarMode>& Modes() {
  static const std::vector<SidebarMode> kModes = {
      {0, {"TabSheet1", "TabSheet2", "TabSheet3"}, true, "TabSheet2", nullptr, "spdTweak", 't'},
      {1, {"shtFix"}, false, "shtFix", "ScrollBox2", "spdFix", 'f'},
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

const SidebarMode* FindSidebarModeByKey(char c) {
  for (const SidebarMode& mode : Modes())
    if (mode.accessKey == LowerChar(c)) return &mode;
  return nullptr;
}

}  // namespace velotune
