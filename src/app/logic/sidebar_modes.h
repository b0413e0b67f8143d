// The two modes the sidebar's speed buttons switch between, as data: which
// page tabs show, whether the bottom panel shows, which page becomes active
// and which control takes the focus. The clicked button's Tag picks the mode.
#pragma once

#include <vector>

namespace velotune {

struct SidebarMode {
  int tag;
  std::vector<const char*> shownTabs;  // shown in this order after hiding all
  bool bottomPanelVisible;
  const char* activePage;  // made the active page
  const char* focus;       // nullptr: the focus stays where it is
  const char* button;      // the speed button that switches to it
  char accessKey;          // Alt+this key presses that button
};

// Every page of the page control, whose tabs a mode switch hides first.
const std::vector<const char*>& AllPageNames();
constexpr int kSidebarPageControlHeight = 577;
constexpr const char kBottomPanelName[] = "Panel2";

// The mode for a speed button's Tag; nullptr for a Tag without a mode, which
// leaves the window as it is rather than hiding every tab.
const SidebarMode* FindSidebarMode(int tag);
// The mode whose access key is c (either case); nullptr for none.
const SidebarMode* FindSidebarModeByKey(char c);

}  // namespace velotune
