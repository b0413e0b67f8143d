// Checks of the kit's size properties, with the messages the user sees when a
// value is refused (English, or Japanese on a Japanese-language system).
#pragma once

#include <string>

#include "resize/size_limits.h"

namespace velotune {

enum class SizeProperty { kFormWidth, kFormHeight, kMaxWidth, kMaxHeight, kMinWidth, kMinHeight };

// The six size properties as they are stored.
struct SizeSettings {
  int formWidth = 0;
  int formHeight = 0;
  SizeLimits limits;
};

// Whether the user's abbreviated language name ("JPN", "ENU", ...) is Japanese.
bool IsJapaneseLanguageAbbrev(const std::string& abbrev);

// The message refusing `value` for `property`, or "" when it is accepted.
// 0 is always accepted. The first failing check decides. Japanese text is UTF-8.
std::string SizeValueProblem(const SizeSettings& settings, SizeProperty property, int value,
                             bool japanese);

// Stores the value, or raises EInvalidOperation with the refusal message and
// leaves the settings as they were.
void SetSizeProperty(SizeSettings& settings, SizeProperty property, int value, bool japanese);

}  // namespace velotune
