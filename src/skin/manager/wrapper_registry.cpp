#include "skin/manager/wrapper_registry.h"

#include <iterator>

#include "skin/controls/skin_check_box.h"

namespace velotune::skin {

namespace {

template <typename T>
TSkinControl* Make(TComponent* owner, const WrapChoice&) {
  return new T(owner);
}

struct WrapperEntry {
  WrapperKind kind;
  TSkinControl* (*make)(TComponent* owner, const WrapChoice& choice);
};

const WrapperEntry kWrappers[] = {
    {wkSkinCheckBox, &Make<TSkinCheckBox>},
    {wkSkinRadioButton, &Make<TSkinRadioButton>},
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
