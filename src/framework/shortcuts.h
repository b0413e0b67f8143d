// Keyboard shortcuts of menu items: a virtual-key code in the low byte and
// modifier bits above it, and their text as menus show it ("Ctrl+S").
#pragma once

#include <cstdint>
#include <string>

namespace velotune {

using TShortCut = std::uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// `key` a virtual-key code, `shift` kShiftKey/kCtrlKey/kAltKey bits.
TShortCut MakeShortCut(unsigned key, unsigned shift);
// "Shift+Ctrl+Alt+" in that order before the key's name; "" for none or a
// key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse, ignoring case ("ALT+F4"); scNone for text it cannot read.
TShortCut TextToShortCut(const std::string& text);

// The accelerator letter a caption marks with '&' ("&Save Changes": 's'),
// lower-cased; 0 when it marks none ("&&" is a plain ampersand).
char AcceleratorOf(const std::string& caption);

}  // namespace velotune
