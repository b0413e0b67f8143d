#include "skin/manager/wrapper_registry.h"

#include <iterator>

#include "skin/controls/skin_box.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_check_box.h"
#include "skin/controls/skin_combo_box.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_group_box.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_tab.h"
#include "skin/controls/skin_track_bar.h"
#include "skin/controls/skin_up_down.h"

namespace velotune::skin {

namespace {

template <typename T>
TSkinControl* Make(TComponent* owner, const WrapChoice&) {
  return new T(owner);
}

TSkinControl* MakeTab(TComponent* owner, const WrapChoice& choice) {
  return new TSkinTab(owner, static_cast<WrapperMode>(choice.mode));
}

TSkinControl* MakeComBox(TComponent* owner, const WrapChoice& choice) {
  return new TSkinComBox(owner, choice.extendedCombo);
}

struct WrapperEntry {
  WrapperKind kind;
  TSkinControl* (*make)(TComponent* owner, const WrapChoice& choice);
};

const WrapperEntry kWrappers[] = {
    {wkSkinCheckBox, &Make<TSkinCheckBox>},
    {wkSkinRadioButton, &Make<TSkinRadioButton>},
    {wkSkinButton, &Make<TSkinButton>},
    {wkSkinGroupBox, &Make<TSkinGroupBox>},
    {wkSkinEdit, &Make<TSkinEdit>},
    {wkSkinUpDown, &Make<TSkinUpDown>},
    {wkSkinBox, &Make<TSkinBox>},
    {wkSkinSpeedButton, &Make<TSkinSpeedButton>},
    {wkSkinTab, &MakeTab},
    {wkSkinTabSheet, &Make<TSkinTabSheet>},
    {wkSkinTrackBar, &Make<TSkinTrackBar>},
    {wkSkinComBox, &MakeComBox},
    {wkSkinScrollbar, &Make<TSkinScrollbar>},
};

const WrapperEntry* Find(WrapperKind kind) {
  for (const WrapperEntry& entry : kWrappers)
    if (entry.kind == kind) return &entry;
  return nullptr;
}

}  // namespace

TSkinControl* CreateWrapper(WrapperKind kind, TComponent* owner, const WrapChoice& choice) {
  const WrapperEntry* entry = Find(kind);
  return entry ? entry->make(owner, choice) : nullptr;
}

bool WrapperBuilt(WrapperKind kind) {
  return Find(kind) != nullptr;
}

}  // namespace velotune::skin
