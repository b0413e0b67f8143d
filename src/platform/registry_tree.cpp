#include <vector>

#include "platform/registry_backend.h"

namespace velotune {

bool DeleteKeyTree(RegistryBackend& registry, RegKey base, const std::string& path) {
  RegKey key = 0;
  if (registry.OpenKeyEx(base, path, kKeyAllAccess, &key) == regerr::kSuccess) {
    std::uint32_t count = 0, longest = 0;
    if (registry.QueryInfoKey(key, &count, &longest) == regerr::kSuccess) {
      for (std::uint32_t i = count; i-- > 0;) {
        std::vector<char> name(MaxNameBytes(longest));
        std::uint32_t size = MaxNameBytes(longest);
        if (registry.EnumKeyEx(key, i, name.data(), &size) == regerr::kSuccess)
          DeleteKeyTree(registry, key, std::string(name.data(), size));
      }
    }
    registry.CloseKey(key);
  }
  return registry.DeleteKey(base, path) == regerr::kSuccess;
}

}  // namespace velotune
