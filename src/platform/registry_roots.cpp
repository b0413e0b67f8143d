#include <cctype>

#include "platform/registry_backend.h"

namespace velotune {

const char* RootName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RegistryRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegistryRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::Users: return "HKEY_USERS";
  }
  return "";
}

bool ParseRootName(const std::string& text, RegistryRoot* root) {
  std::string upper;
  for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  struct Name {
    const char* longName;
    const char* shortName;
    RegistryRoot root;
  };
  static const Name kNames[] = {
      {"HKEY_CLASSES_ROOT", "HKCR", RegistryRoot::ClassesRoot},
      {"HKEY_CURRENT_USER", "HKCU", RegistryRoot::CurrentUser},
      {"HKEY_LOCAL_MACHINE", "HKLM", RegistryRoot::LocalMachine},
      {"HKEY_USERS", "HKU", RegistryRoot::Users},
  };
  for (const Name& n : kNames) {
    if (upper == n.longName || upper == n.shortName) {
      *root = n.root;
      return true;
    }
  }
  return false;
}

}  // namespace velotune
