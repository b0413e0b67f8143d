// The Donate dialog's rules: where it keeps the per-user "show at start"
// choice, how that choice reads back, how the product title fills its texts
// and where its pressable images move while pressed.
#pragma once

#include <string>

#include "framework/text_values.h"

namespace velotune {

// The per-user keys under HKEY_CURRENT_USER.
constexpr const char kProgramKey[] = "Zolex";
constexpr const char kSupportKey[] = "Zolex\\Support";
// The value under kProgramKey holding the program file's full path.
constexpr const char kProgramPathValue[] = "01";

// What this program passes to the dialog.
constexpr const char kDonateProductTitle[] = "Velotune";
constexpr int kDonateProductNumber = 1;

// The choice's value name for a product number: "01" for 1, "12" for 12.
// Empty for 0 (no product) and for numbers outside 1..99, which would not fit
// the two-character name: the dialog then stores nothing.
std::string SupportValueName(int productNumber);

// Whether a stored choice means "show": "1", or nothing stored (missing or
// empty). Used both for opening the dialog at start and for ticking its box.
bool ShowDonateFor(const std::string& storedChoice);

// The text stored when the dialog closes.
inline std::string StoredChoiceFor(bool showTicked) {
  return showTicked ? "1" : "0";
}

// Every "%s" in `text` (exact, case-sensitive) replaced by `title`. The title
// itself is not searched again.
inline std::string FillTitle(const std::string& text, const std::string& title) {
  return ReplaceAll(text, "%s", title);
}

// An image's place: its resting top is kept in Tag and its resting left in
// HelpContext; pressed, it sits 2 pixels lower and 2 pixels further left.
struct ImagePlace {
  int left;
  int top;
};
inline ImagePlace PressedPlace(int restTop, int restLeft) {
  return {restLeft - 2, restTop + 2};
}
inline ImagePlace RestingPlace(int restTop, int restLeft) {
  return {restLeft, restTop};
}

}  // namespace velotune
