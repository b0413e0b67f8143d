#include "framework/shortcuts.h"

#include <cctype>

#include "framework/component.h"
#include "platform/text_case.h"

namespace velotune {

namespace {

struct KeyName {
  unsigned key;
  const char* name;
};
// Keys whose names are not their character; letters and digits name
// themselves and F1 to F24 are counted.
const KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};
constexpr unsigned kF1 = 0x70;

struct Modifier {
  TShortCut bit;
  const char* text;
};
const Modifier kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyText(unsigned key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::string(1, static_cast<char>(key));
  if (key >= kF1 && key < kF1 + 24) return "F" + std::to_string(key - kF1 + 1);
  for (const KeyName& k : kKeyNames)
    if (k.key == key) return k.name;
  return "";
}

}  // namespace

TShortCut MakeShortCut(unsigned key, unsigned shift) {
  TShortCut result = static_cast<TShortCut>(key & 0xFF);
  if (shift & kShiftKey) result |= scShift;
  if (shift & kCtrlKey) result |= scCtrl;
  if (shift & kAltKey) result |= scAlt;
  return result;
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string key = KeyText(shortCut & 0xFF);
  if (key.empty()) return "";
  std::string text;
  for (const Modifier& m : kModifiers)
    if (shortCut & m.bit) text += m.text;
  return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut modifiers = 0;
  std::size_t at = 0;
  for (bool more = true; more;) {
    more = false;
    for (const Modifier& m : kModifiers) {
      if (!(modifiers & m.bit) && SameTextAt(text, at, m.text)) {
        modifiers |= m.bit;
        at += std::char_traits<char>::length(m.text);
        more = true;
      }
    }
  }
  std::string rest = text.substr(at);
  if (rest.empty()) return scNone;
  for (unsigned key = 1; key < 0x100; ++key) {
    std::string name = KeyText(key);
    if (!name.empty() && SameText(rest, name)) return static_cast<TShortCut>(modifiers | key);
  }
  return scNone;
}

char AcceleratorOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return LowerChar(caption[i + 1]);
  }
  return 0;
}

}  // namespace velotune
