// The registry access layer every tweak and fix writes through: the accessor
// TRegistry and the one-call operations built on it. All registry work goes
// to ActiveRegistry(), processes to ActiveProcesses().
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/errors.h"
#include "platform/registry_backend.h"

namespace velotune {

// One root, at most one open key, full access for every open and create, and
// lazy writing: closing a key releases it without flushing.
class TRegistry {
 public:
  TRegistry();  // root HKEY_CURRENT_USER, no open key
  explicit TRegistry(RegistryBackend& backend);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  RegistryRoot RootKey() const { return root_; }
  // Closes the current key first when the root changes.
  void SetRootKey(RegistryRoot root);

  RegKey CurrentKey() const { return current_; }
  const std::string& CurrentPath() const { return currentPath_; }

  // With create and a non-empty path: RegCreateKeyEx; otherwise RegOpenKeyEx.
  // True and the key becomes current; false and nothing changes but that a
  // following write names this key in its failure. Never raises.
  bool OpenKey(const std::string& path, bool canCreate);
  // Creates the key (and every missing level); the current key is unchanged.
  // Raises "Failed to create key %s".
  bool CreateKey(const std::string& path);
  // Deletes the key with its whole sub-tree, depth first. Never raises.
  bool DeleteKey(const std::string& path);
  // Never raises; fails when there is no current key.
  bool DeleteValue(const std::string& name);
  // Raise "Failed to set data for '%s'", naming the key in the exception.
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteString(const std::string& name, const std::string& value);
  // Empty when the value or key is missing; raises "Invalid data type for '%s'"
  // for a value that is not a string, "Failed to get data for '%s'" when the
  // data cannot be read.
  std::string ReadString(const std::string& name);
  bool ValueExists(const std::string& name);
  void CloseKey();

 private:
  RegKey BaseKeyFor(const std::string& path, std::string* relative) const;
  // The path a path given to OpenKey or CreateKey stands for.
  std::string ResolvedPath(const std::string& path, const std::string& relative) const;
  // The full name of the key a write goes to: the current one, or the one
  // that could not be opened.
  std::string WrittenKeyName() const;

  RegistryBackend& backend_;
  RegistryRoot root_ = RegistryRoot::CurrentUser;
  RegKey current_ = 0;
  std::string currentPath_;
  std::string refusedPath_;  // the last key OpenKey could not open
};

// The accessor the page-1 and page-2 saves share with some of their rows.
// Each of those saves replaces it with a fresh accessor as its first step
// (RenewSharedRegistry); SharedRegistry() is the present one.
TRegistry& SharedRegistry();
TRegistry& RenewSharedRegistry();
// Puts the accessor into the shared slot and hands back the one that was
// there, so that a plan can run the saves on an accessor of its own and leave
// the window's as it was.
std::unique_ptr<TRegistry> ExchangeSharedRegistry(std::unique_ptr<TRegistry> accessor);

// The one-call operations. Each makes its own accessor.
bool WriteDwordBoth(const std::string& key, const std::string& name, std::int32_t value);
bool DeleteRegValue(RegistryRoot root, const std::string& key, const std::string& name);
void WriteDwordMachine(const std::string& key, const std::string& name, std::int32_t value);
void WriteDwordUser(const std::string& key, const std::string& name, std::int32_t value);
void WriteDwordUsers(const std::string& key, const std::string& name, std::int32_t value);
void WriteStringUsers(const std::string& key, const std::string& name, const std::string& text);
std::string ReadStringUser(const std::string& key, const std::string& name);
void EnsureKey(RegistryRoot root, const std::string& key);
void DeleteRegKey(RegistryRoot root, const std::string& key);
void WriteStringMachine(const std::string& key, const std::string& name, const std::string& text);
void WriteStringUser(const std::string& key, const std::string& name, const std::string& text);
void WriteStringClasses(const std::string& key, const std::string& name, const std::string& text);
bool SetSystemPolicy(unsigned index, unsigned flag);
// Starts the command line (search path applies when application is empty),
// waiting for it to end when asked. Raises EOSError.
void RunProcess(const std::string& application, const std::string& commandLine, bool wait);

// The user name of the current logon, or empty.
std::string GetNetUserName();

// Pre-creates on the shared accessor the HKCU and HKLM keys the page saves
// open without creating. Raises "Failed to create key %s" at the first key that
// cannot be created.
void CRegKey(TRegistry& shared);

}  // namespace velotune
