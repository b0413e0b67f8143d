// The registry backends the conformance suite runs on: the memory registry
// everywhere, and the real registry in the Windows build.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/layered_registry.h"
#include "platform/memory_registry.h"
#ifdef _WIN32
#include "platform/win32_registry.h"
#endif

namespace velotune {

// A layer over a registry of its own: it must behave as the registry would,
// while the one underneath never changes.
template <typename Under>
struct BaseHolder {
  Under base;
};
template <typename Under>
class LayerOver : private BaseHolder<Under>, public LayeredRegistry {
 public:
  LayerOver() : LayeredRegistry(BaseHolder<Under>::base) {}
};

inline std::vector<std::string> BackendNames() {
#ifdef _WIN32
  return {"Memory", "Win32", "LayerOverMemory", "LayerOverWin32"};
#else
  return {"Memory", "LayerOverMemory"};
#endif
}

inline std::unique_ptr<RegistryBackend> MakeBackend(const std::string& name) {
#ifdef _WIN32
  if (name == "Win32") return std::make_unique<Win32Registry>();
  if (name == "LayerOverWin32") return std::make_unique<LayerOver<Win32Registry>>();
#endif
  if (name == "LayerOverMemory") return std::make_unique<LayerOver<MemoryRegistry>>();
  return std::make_unique<MemoryRegistry>();
}

}  // namespace velotune
