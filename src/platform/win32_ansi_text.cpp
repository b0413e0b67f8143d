#include <windows.h>

#include "platform/registry_names.h"

namespace velotune {

std::string AnsiToUtf8(const std::string& text) {
  if (text.empty()) return "";
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(units), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(&wide[0]), units);
  return Utf16ToUtf8(wide);
}

}  // namespace velotune
