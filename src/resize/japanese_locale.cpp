// Whether the user's language is Japanese, from the abbreviated language name
// of the user's locale. Without a system locale to ask, it is not.
#include "resize/resize_kit.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velotune {

bool TResizeKit::IsJapaneseLocale() {
#ifdef _WIN32
  char abbrev[16] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, abbrev, sizeof abbrev) <= 0)
    return false;
  return IsJapaneseLanguageAbbrev(abbrev);
#else
  return false;
#endif
}

std::string TResizeKit::InUserCodePage(const std::string& utf8) {
#ifdef _WIN32
  bool ascii = true;
  for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return utf8;
  const int wide =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], wide);
  const int narrow = WideCharToMultiByte(CP_ACP, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), wide, &out[0], narrow, nullptr, nullptr);
  return out;
#else
  return utf8;
#endif
}

}  // namespace velotune
