#include <windows.h>

#include "platform/errors.h"
#include "platform/win32_system.h"

namespace velotune {

void Win32Files::WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw EFCreateError(CannotCreateFileMessage(path, SystemErrorText(GetLastError())));
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  DWORD code = GetLastError();
  CloseHandle(file);
  // A file that could not be written whole is as good as not created.
  if (!ok || written != text.size())
    throw EFCreateError(CannotCreateFileMessage(path, SystemErrorText(code)));
}

bool Win32Files::Delete(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32Files::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Win32Files::ProgramFolder() {
  char buffer[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path(buffer, n);
  return path.substr(0, path.find_last_of("\\/") + 1);
}

}  // namespace velotune
