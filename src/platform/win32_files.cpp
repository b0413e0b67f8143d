#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <algorithm>

#include "platform/errors.h"
#include "platform/registry_names.h"
#include "platform/win32_system.h"

namespace velotune {

namespace {

// Paths travel as UTF-8 and reach the system as UTF-16, so that a folder
// named in any language is found.
std::wstring Wide(const std::string& text) {
  const std::u16string units = Utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(const wchar_t* text) {
  return Utf16ToUtf8(reinterpret_cast<const char16_t*>(text), wcslen(text));
}

EFCreateError CannotCreate(const std::string& path, DWORD code) {
  return EFCreateError(CannotCreateFileMessage(path, SystemErrorText(code)));
}

// Writes all of the data and flushes it; the error code, or 0.
DWORD WriteAllAndFlush(HANDLE file, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, data.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    done += written;
  }
  return FlushFileBuffers(file) ? 0 : GetLastError();
}

// The files, or the folders but "." and "..", in a folder.
std::vector<std::string> ListEntries(const std::string& folder, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring name = found.cFileName;
    if (isFolder == folders && name != L"." && name != L"..")
      names.push_back(Narrow(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace

void Win32Files::WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw CannotCreate(path, GetLastError());
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  const DWORD code = ok ? ERROR_DISK_FULL : GetLastError();
  CloseHandle(file);
  // A file that could not be written whole is as good as not created.
  if (!ok || written != text.size()) throw CannotCreate(path, code);
}

bool Win32Files::WriteNewFile(const std::string& path, const std::string& data) {
  const std::wstring target = Wide(path);
  const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
  wchar_t temp[MAX_PATH + 1] = {};
  // A fresh empty file of a name no other writer holds.
  if (!GetTempFileNameW(folder.c_str(), L"vtb", 0, temp)) throw CannotCreate(path, GetLastError());
  HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD code = file == INVALID_HANDLE_VALUE ? GetLastError() : WriteAllAndFlush(file, data);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (code == 0 && !MoveFileExW(temp, target.c_str(), MOVEFILE_WRITE_THROUGH))
    code = GetLastError();
  if (code == 0) return true;
  DeleteFileW(temp);
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return false;
  throw CannotCreate(path, code);
}

bool Win32Files::IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::Delete(const std::string& path) {
  return DeleteFileW(Wide(path).c_str()) != 0;
}

bool Win32Files::Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Win32Files::ProgramFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  std::string path = Narrow(buffer);
  return path.substr(0, path.find_last_of("\\/") + 1);
}

bool Win32Files::ReadAll(const std::string& path, std::string* data) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = ReadOpenFile(file, data);
  CloseHandle(file);
  return ok;
}

bool ReadOpenFile(void* file, std::string* data) {
  data->clear();
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 31))
    data->reserve(static_cast<std::size_t>(size.QuadPart));
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0)
    data->append(buffer, read);
  return ok;
}

std::vector<std::string> Win32Files::ListFiles(const std::string& folder) {
  return ListEntries(folder, false);
}

std::vector<std::string> Win32Files::ListFolders(const std::string& folder) {
  return ListEntries(folder, true);
}

bool Win32Files::MakeFolders(const std::string& folder) {
  const std::wstring wide = Wide(folder);
  // Each level from the drive down; the ones that exist already are fine.
  for (std::size_t at = wide.find_first_of(L"\\/", 3); at != std::wstring::npos;
       at = wide.find_first_of(L"\\/", at + 1)) {
    CreateDirectoryW(wide.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryW(wide.c_str(), nullptr);
  return IsFolder(folder);
}

bool Win32Files::RemoveFolder(const std::string& folder) {
  return RemoveDirectoryW(Wide(folder).c_str()) != 0;
}

std::string Win32Files::LocalAppDataFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path) != S_OK)
    return "";
  std::string folder = Narrow(path);
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace velotune
