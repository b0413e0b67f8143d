// Small helpers the control classes' property tables and window code share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/component.h"

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

// A window's whole text.
inline std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int got = GetWindowTextA(window, &text[0], length + 1);
  text.resize(got > 0 ? got : 0);
  return text;
}

}  // namespace velotune
