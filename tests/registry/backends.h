// The registry backends the conformance suite runs on: the memory registry
// everywhere, and the real registry in the Windows build.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/memory_registry.h"
#ifdef _WIN32
#include "platform/win32_registry.h"
#endif

namespace velotune {

inline std::vector<std::string> BackendNames() {
#ifdef _WIN32
  return {"Memory", "Win32"};
#else
  return {"Memory"};
#endif
}

inline std::unique_ptr<RegistryBackend> MakeBackend(const std::string& name) {
#ifdef _WIN32
  if (name == "Win32") return std::make_unique<Win32Registry>();
#endif
  (void)name;
  return std::make_unique<MemoryRegistry>();
}

}  // namespace velotune
