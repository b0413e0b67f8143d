// Files only administrators can change: the folder the machine-wide backups
// are kept in, and the judgement whether a file read from it could have been
// written by anyone else.
#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <memory>

#include "platform/registry_names.h"
#include "platform/win32_system.h"

namespace velotune {

namespace {

std::wstring Wide(const std::string& text) {
  const std::u16string units = Utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

// Administrators and SYSTEM full control, Users read; owned by
// Administrators; nothing inherited from above, all of it passed down.
const wchar_t kProtectedAcl[] = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

// Rights that change what a file holds, or who may change it.
constexpr DWORD kChangeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE |
                                WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

struct LocalFreeing {
  void operator()(void* memory) const { LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalFreeing>;

LocalMemory Descriptor(const std::wstring& sddl) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &sd, nullptr);
  return LocalMemory(sd);
}

bool SameSid(PSID sid, const wchar_t* text) {
  PSID other = nullptr;
  if (!ConvertStringSidToSidW(text, &other)) return false;
  const bool same = EqualSid(sid, other) != 0;
  LocalFree(other);
  return same;
}

// With User Account Control off, every process of an administrator holds
// the full rights, so what the elevated user's own account may change only
// administrators can.
bool EveryProcessOfTheUserIsElevated() {
  // In the 64-bit view, so that a 32-bit process on 64-bit Windows is not
  // sent to its own.
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return false;
  DWORD enabled = 1, type = 0, size = sizeof enabled;
  const LONG read =
      RegQueryValueExW(key, L"EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&enabled), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS && type == REG_DWORD && enabled == 0 && Win32Processes().Elevated();
}

class Writers {
 public:
  Writers() {
    HANDLE token = nullptr;
    if (!EveryProcessOfTheUserIsElevated() ||
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
      return;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    user_.reset(new char[size]);
    if (!GetTokenInformation(token, TokenUser, user_.get(), size, &size)) user_.reset();
    CloseHandle(token);
  }
  // Administrators, SYSTEM, TrustedInstaller, the owner's own rights (the
  // owner is judged by itself), and the elevated user as above.
  bool Trusted(PSID sid) const {
    if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
        IsWellKnownSid(sid, WinLocalSystemSid) || SameSid(sid, L"S-1-3-4") ||
        SameSid(sid, L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"))
      return true;
    return user_ && EqualSid(sid, reinterpret_cast<TOKEN_USER*>(user_.get())->User.Sid);
  }

 private:
  std::unique_ptr<char[]> user_;
};

// Whether only administrators and the system can change the object: its
// owner (who may always change its ACL) and everyone its ACL lets change it.
bool OnlyAdministratorsChange(HANDLE object) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (GetSecurityInfo(object, SE_FILE_OBJECT,
                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                      &dacl, nullptr, &sd) != ERROR_SUCCESS)
    return false;
  LocalMemory held(sd);
  const Writers writers;
  // No ACL at all lets everyone in.
  if (!owner || !dacl || !writers.Trusted(owner)) return false;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) return false;
    const auto* header = static_cast<ACE_HEADER*>(ace);
    if (header->AceFlags & INHERIT_ONLY_ACE) continue;
    switch (header->AceType) {
      case ACCESS_DENIED_ACE_TYPE:
      case ACCESS_DENIED_CALLBACK_ACE_TYPE:
      case SYSTEM_MANDATORY_LABEL_ACE_TYPE:
        continue;
      case ACCESS_ALLOWED_ACE_TYPE:
      case ACCESS_ALLOWED_CALLBACK_ACE_TYPE: {
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if ((allowed->Mask & kChangeRights) &&
            !writers.Trusted(const_cast<DWORD*>(&allowed->SidStart)))
          return false;
        continue;
      }
      default:
        // An entry of a kind not read here might grant anything.
        return false;
    }
  }
  return true;
}

bool FolderIsProtected(const std::wstring& folder) {
  HANDLE handle = CreateFileW(folder.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool only = OnlyAdministratorsChange(handle);
  CloseHandle(handle);
  return only;
}

// Lets an administrator take over a folder someone else made.
void EnablePrivilege(const wchar_t* name) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid))
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  CloseHandle(token);
}

}  // namespace

std::string Win32Files::CommonAppDataFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, path) != S_OK) return "";
  std::string folder = Utf16ToUtf8(reinterpret_cast<const char16_t*>(path), wcslen(path));
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

bool Win32Files::MakeProtectedFolder(const std::string& folder) {
  const std::string bare = folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
  if (!MakeFolders(bare.substr(0, bare.find_last_of('\\') + 1))) return false;
  const std::wstring wide = Wide(bare);
  // Made so from the start: an administrator's process may name the
  // Administrators as owner; where it may not, the owner is its default.
  for (const wchar_t* owner : {L"O:BA", L""}) {
    LocalMemory sd = Descriptor(std::wstring(owner) + kProtectedAcl);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, sd.get(), FALSE};
    if (CreateDirectoryW(wide.c_str(), &attributes) || GetLastError() != ERROR_INVALID_OWNER) break;
  }
  if (FolderIsProtected(wide)) return true;
  // There already, and others could change it: taken over and locked.
  EnablePrivilege(L"SeTakeOwnershipPrivilege");
  EnablePrivilege(L"SeRestorePrivilege");
  LocalMemory sd = Descriptor(kProtectedAcl);
  PACL dacl = nullptr;
  BOOL present = FALSE, defaulted = FALSE;
  GetSecurityDescriptorDacl(sd.get(), &present, &dacl, &defaulted);
  PSID administrators = nullptr;
  if (ConvertStringSidToSidW(L"BA", &administrators)) {
    SetNamedSecurityInfoW(&std::wstring(wide)[0], SE_FILE_OBJECT,
                          OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                              PROTECTED_DACL_SECURITY_INFORMATION,
                          administrators, nullptr, dacl, nullptr);
    LocalFree(administrators);
  }
  return FolderIsProtected(wide);
}

bool Win32Files::ReadAllProtected(const std::string& path, std::string* data, bool* adminOnly) {
  *adminOnly = false;
  const std::wstring wide = Wide(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | READ_CONTROL, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ReadAll(path, data);
  // Judged on the handle the data comes through, so that a file put in its
  // place meanwhile is not taken for it.
  *adminOnly = OnlyAdministratorsChange(file);
  const bool read = ReadOpenFile(file, data);
  CloseHandle(file);
  return read;
}

bool Win32Files::Rename(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace velotune
