#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

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

bool Win32Files::ReadAll(const std::string& path, std::string* data) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  data->clear();
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0)
    data->append(buffer, read);
  CloseHandle(file);
  return ok;
}

std::vector<std::string> Win32Files::ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool Win32Files::MakeFolders(const std::string& folder) {
  // Each level from the drive down; the ones that exist already are fine.
  for (std::size_t at = folder.find_first_of("\\/", 3); at != std::string::npos;
       at = folder.find_first_of("\\/", at + 1)) {
    CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Files::LocalAppDataFolder() {
  char path[MAX_PATH + 1] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path) != S_OK)
    return "";
  std::string folder = path;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace velotune
