// The wrappers that exist, by the kind a rule names. Adding a member is one
// file under controls/ and one entry in the table of wrapper_registry.cpp.
#pragma once

#include <vector>

#include "skin/manager/wrap_rules.h"

namespace velotune {
class TComponent;
}

namespace velotune::skin {

class TSkinControl;

// A new wrapper owned by `owner` (the control, or null for a foreign window),
// or null while no wrapper of that kind is built: the control keeps the
// system look.
TSkinControl* CreateWrapper(WrapperKind kind, TComponent* owner, const WrapChoice& choice);
bool WrapperBuilt(WrapperKind kind);

}  // namespace velotune::skin
