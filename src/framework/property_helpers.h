// Small helpers the control classes' property tables and window code share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/window_text.h"

namespace velotune {

inline std::string BoolText(bool b) {
  return b ? "True" : "False";
}

// The component a property table entry works on, as its own class.
template <typename T>
T& As(TComponent& c) {
  return static_cast<T&>(c);
}
template <typename T>
const T& As(const TComponent& c) {
  return static_cast<const T&>(c);
}

// taLeftJustify, taRightJustify, taCenter.
inline const std::vector<const char*>& AlignmentNames() {
  static const std::vector<const char*> kNames = {"taLeftJustify", "taRightJustify", "taCenter"};
  return kNames;
}

}  // namespace velotune
