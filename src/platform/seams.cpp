#include "platform/seams.h"

#include <stdexcept>

namespace velotune {

namespace {
RegistryBackend* gRegistry = nullptr;
Processes* gProcesses = nullptr;
Files* gFiles = nullptr;

template <typename T>
T& Require(T* seam, const char* what) {
  if (seam == nullptr) throw std::logic_error(std::string("no ") + what + " installed");
  return *seam;
}
}  // namespace

RegistryBackend& ActiveRegistry() { return Require(gRegistry, "registry"); }
Processes& ActiveProcesses() { return Require(gProcesses, "process starter"); }
Files& ActiveFiles() { return Require(gFiles, "file access"); }

void SetActiveRegistry(RegistryBackend* registry) { gRegistry = registry; }
void SetActiveProcesses(Processes* processes) { gProcesses = processes; }
void SetActiveFiles(Files* files) { gFiles = files; }

ScopedSeams::ScopedSeams(RegistryBackend* registry, Processes* processes, Files* files)
    : registry_(gRegistry), processes_(gProcesses), files_(gFiles) {
  if (registry) gRegistry = registry;
  if (processes) gProcesses = processes;
  if (files) gFiles = files;
}

ScopedSeams::~ScopedSeams() {
  gRegistry = registry_;
  gProcesses = processes_;
  gFiles = files_;
}

}  // namespace velotune
