#include "cli/console_text.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/registry_names.h"

namespace velotune {

std::vector<std::string> UnicodeArguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return args;
  for (int i = 1; i < count; ++i)
    args.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(words[i]), wcslen(words[i])));
  LocalFree(words);
  return args;
}

void WriteText(std::FILE* stream, const std::string& text) {
  HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    const std::u16string wide = Utf8ToUtf16(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace velotune
