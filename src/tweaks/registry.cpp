#include "tweaks/registry.h"

#include <utility>
#include <vector>

#include "platform/registry_names.h"
#include "platform/registry_values.h"
#include "platform/seams.h"

namespace velotune {

namespace {
const char kCreateFailed[] = "Failed to create key %s";
const char kSetFailed[] = "Failed to set data for '%s'";
const char kInvalidType[] = "Invalid data type for '%s'";
const char kGetFailed[] = "Failed to get data for '%s'";

bool IsRelative(const std::string& path) {
  return path.empty() || path[0] != '\\';
}
std::string WithoutLeadingBackslash(const std::string& path) {
  return IsRelative(path) ? path : path.substr(1);
}
}  // namespace

TRegistry::TRegistry() : TRegistry(ActiveRegistry()) {}
TRegistry::TRegistry(RegistryBackend& backend) : backend_(backend) {}
TRegistry::~TRegistry() {
  CloseKey();
}

void TRegistry::SetRootKey(RegistryRoot root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

// A relative path is resolved beneath the open key, an absolute one (leading
// backslash) from the root.
RegKey TRegistry::BaseKeyFor(const std::string& path, std::string* relative) const {
  *relative = WithoutLeadingBackslash(path);
  if (IsRelative(path) && current_ != 0) return current_;
  return velotune::RootKey(root_);
}

std::string TRegistry::ResolvedPath(const std::string& path, const std::string& relative) const {
  return (current_ != 0 && IsRelative(path)) ? currentPath_ + "\\" + relative : relative;
}

std::string TRegistry::WrittenKeyName() const {
  return FullKeyName(root_, current_ != 0 ? currentPath_ : refusedPath_);
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
  std::string sub;
  RegKey base = BaseKeyFor(path, &sub);
  RegKey key = 0;
  long rc = (canCreate && !sub.empty()) ? backend_.CreateKeyEx(base, sub, kKeyAllAccess, &key)
                                        : backend_.OpenKeyEx(base, sub, kKeyAllAccess, &key);
  if (rc != regerr::kSuccess) {
    refusedPath_ = ResolvedPath(path, sub);
    return false;
  }
  std::string newPath = ResolvedPath(path, sub);
  CloseKey();
  current_ = key;
  currentPath_ = newPath;
  refusedPath_.clear();
  return true;
}

bool TRegistry::CreateKey(const std::string& path) {
  std::string sub;
  RegKey base = BaseKeyFor(path, &sub);
  RegKey key = 0;
  if (backend_.CreateKeyEx(base, sub, kKeyAllAccess, &key) != regerr::kSuccess)
    throw ERegistryException(FormatMessage1(kCreateFailed, path),
                             FullKeyName(root_, ResolvedPath(path, sub)));
  backend_.CloseKey(key);
  return true;
}

bool TRegistry::DeleteKey(const std::string& path) {
  std::string sub;
  RegKey base = BaseKeyFor(path, &sub);
  return DeleteKeyTree(backend_, base, sub);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return backend_.DeleteValue(current_, name) == regerr::kSuccess;
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
  std::uint32_t v = static_cast<std::uint32_t>(value);
  std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                           static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  if (backend_.SetValueEx(current_, name, regtype::kDword, bytes, 4) != regerr::kSuccess)
    throw ERegistryException(FormatMessage1(kSetFailed, name), WrittenKeyName());
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::vector<std::uint8_t> data = StringData(value);
  if (backend_.SetValueEx(current_, name, regtype::kSz, data.data(),
                          static_cast<std::uint32_t>(data.size())) != regerr::kSuccess)
    throw ERegistryException(FormatMessage1(kSetFailed, name), WrittenKeyName());
}

std::string TRegistry::ReadString(const std::string& name) {
  std::uint32_t type = 0, size = 0;
  if (backend_.QueryValueEx(current_, name, &type, nullptr, &size) != regerr::kSuccess || size == 0)
    return "";
  std::vector<std::uint8_t> data(size);
  if (backend_.QueryValueEx(current_, name, &type, data.data(), &size) != regerr::kSuccess)
    throw ERegistryException(FormatMessage1(kGetFailed, name));
  if (type != regtype::kSz && type != regtype::kExpandSz)
    throw ERegistryException(FormatMessage1(kInvalidType, name));
  data.resize(size);
  return TextOfStringData(data);
}

bool TRegistry::ValueExists(const std::string& name) {
  return backend_.QueryValueEx(current_, name, nullptr, nullptr, nullptr) == regerr::kSuccess;
}

void TRegistry::CloseKey() {
  if (current_ != 0) backend_.CloseKey(current_);
  current_ = 0;
  currentPath_.clear();
}

// The shared accessor of the page saves.
namespace {
std::unique_ptr<TRegistry>& SharedSlot() {
  static std::unique_ptr<TRegistry> slot;
  return slot;
}
}  // namespace

TRegistry& RenewSharedRegistry() {
  SharedSlot() = std::make_unique<TRegistry>();
  return *SharedSlot();
}

std::unique_ptr<TRegistry> ExchangeSharedRegistry(std::unique_ptr<TRegistry> accessor) {
  std::swap(SharedSlot(), accessor);
  return accessor;
}

TRegistry& SharedRegistry() {
  if (!SharedSlot()) SharedSlot() = std::make_unique<TRegistry>();
  return *SharedSlot();
}

// The one-call operations.
namespace {
void WriteDwordAt(RegistryRoot root, const std::string& key, const std::string& name,
                  std::int32_t value) {
  TRegistry reg;
  reg.SetRootKey(root);
  reg.OpenKey(key, true);
  reg.WriteInteger(name, value);
  reg.CloseKey();
}

void WriteStringAt(RegistryRoot root, const std::string& key, const std::string& name,
                   const std::string& text) {
  TRegistry reg;
  reg.SetRootKey(root);
  reg.OpenKey(key, true);
  reg.WriteString(name, text);
  reg.CloseKey();
}
}  // namespace

bool WriteDwordBoth(const std::string& key, const std::string& name, std::int32_t value) {
  WriteDwordAt(RegistryRoot::LocalMachine, key, name, value);
  WriteDwordAt(RegistryRoot::CurrentUser, key, name, value);
  return true;
}

bool DeleteRegValue(RegistryRoot root, const std::string& key, const std::string& name) {
  TRegistry reg;
  reg.SetRootKey(root);
  reg.OpenKey(key, false);
  reg.DeleteValue(name);
  reg.CloseKey();
  return true;
}

void WriteDwordMachine(const std::string& key, const std::string& name, std::int32_t value) {
  WriteDwordAt(RegistryRoot::LocalMachine, key, name, value);
}
void WriteDwordUser(const std::string& key, const std::string& name, std::int32_t value) {
  WriteDwordAt(RegistryRoot::CurrentUser, key, name, value);
}
void WriteDwordUsers(const std::string& key, const std::string& name, std::int32_t value) {
  WriteDwordAt(RegistryRoot::Users, key, name, value);
}
void WriteStringUsers(const std::string& key, const std::string& name, const std::string& text) {
  WriteStringAt(RegistryRoot::Users, key, name, text);
}
void WriteStringMachine(const std::string& key, const std::string& name, const std::string& text) {
  WriteStringAt(RegistryRoot::LocalMachine, key, name, text);
}
void WriteStringUser(const std::string& key, const std::string& name, const std::string& text) {
  WriteStringAt(RegistryRoot::CurrentUser, key, name, text);
}
void WriteStringClasses(const std::string& key, const std::string& name, const std::string& text) {
  WriteStringAt(RegistryRoot::ClassesRoot, key, name, text);
}

std::string ReadStringUser(const std::string& key, const std::string& name) {
  TRegistry reg;
  reg.OpenKey(key, false);
  std::string text = reg.ReadString(name);
  reg.CloseKey();
  return text;
}

void EnsureKey(RegistryRoot root, const std::string& key) {
  TRegistry reg;
  reg.SetRootKey(root);
  reg.CreateKey(key);
}

void DeleteRegKey(RegistryRoot root, const std::string& key) {
  TRegistry reg;
  reg.SetRootKey(root);
  reg.DeleteKey(key);
}

bool SetSystemPolicy(unsigned index, unsigned flag) {
  static const char* const kNames[] = {
      "DisableRegistryTools",
      "NoAdminPage",
      "NoConfigPage",
      "NoDevMgrPage",
      "NoDispAppearancePage",
      "NoDispBackgroundPage",
      "NoDispCPL",
      "NoDispScrSavPage",
      "NoDispSettingsPage",
      "NoFileSysPage",
      "NoNetHood",
      "NoProfilePage",
      "NoPwdPage",
      "NoSecCPL",
      "NoVirtMemPage",
  };
  const char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
  const char kSystem[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  TRegistry reg;
  reg.CreateKey(kPolicies);
  reg.CreateKey(kSystem);
  reg.OpenKey(kSystem, false);
  if (index < sizeof kNames / sizeof kNames[0])
    reg.WriteInteger(kNames[index], static_cast<std::int32_t>(flag & 0xFF));
  reg.CloseKey();
  return true;
}

void RunProcess(const std::string& application, const std::string& commandLine, bool wait) {
  ActiveProcesses().RunProcess(application, commandLine, wait);
}

std::string GetNetUserName() {
  return ActiveProcesses().NetUserName();
}

void CRegKey(TRegistry& shared) {
  static const char* const kUserKeys[] = {
      "Control Panel",
      "Control Panel\\Mouse",
      "Control Panel\\Desktop",
      "Control Panel\\Desktop\\WindowMetrics",
      "Software\\Microsoft\\Windows\\CurrentVersion",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Applets",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Hearts",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp",
  };
  static const char* const kMachineKeys[] = {
      "System",
      "System\\CurrentControlSet",
      "System\\CurrentControlSet\\Control",
      "System\\CurrentControlSet\\Control\\Update",
      "System\\CurrentControlSet\\Control\\ShutDown",
      "System\\CurrentControlSet\\Control\\ShutDown\\ExclusionList",
      "System\\ControlSet001",
      "System\\ControlSet001\\Control",
      "System\\CurrentControlSet\\Control\\Class\\",  // the trailing backslash goes to the registry
                                                      // as is
      "System\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}",
      "System\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}\\0000",
      "System\\ControlSet001\\Control\\Session Manager",
      "System\\ControlSet001\\Control\\Session Manager\\Memory Management",
      "System\\ControlSet001\\Control\\Session Manager\\Memory Management\\PrefetchParameters",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
      "Software\\Microsoft\\Windows\\CurrentVersion",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
      "Software\\Microsoft\\Windows NT",
      "Software\\Microsoft\\Windows NT\\CurrentVersion",
      "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
      "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
      "SOFTWARE\\Microsoft\\Dfrg",
      "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace",
  };
  shared.SetRootKey(RegistryRoot::CurrentUser);
  for (const char* key : kUserKeys) shared.CreateKey(key);
  shared.CloseKey();
  shared.SetRootKey(RegistryRoot::LocalMachine);
  for (const char* key : kMachineKeys) shared.CreateKey(key);
  shared.CloseKey();
}

}  // namespace velotune
