// The operating-system seams the portable core works through. The program
// installs the Win32 implementations at start-up; tests install memory and
// recording ones with ScopedSeams.
#pragma once

#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry_backend.h"

namespace velotune {

// Each raises std::logic_error when nothing has been installed.
RegistryBackend& ActiveRegistry();
Processes& ActiveProcesses();
Files& ActiveFiles();

void SetActiveRegistry(RegistryBackend* registry);
void SetActiveProcesses(Processes* processes);
void SetActiveFiles(Files* files);

// Installs the given seams (null leaves that seam as it is) and restores the
// previous ones when it goes out of scope.
class ScopedSeams {
 public:
  ScopedSeams(RegistryBackend* registry, Processes* processes = nullptr, Files* files = nullptr);
  ~ScopedSeams();
  ScopedSeams(const ScopedSeams&) = delete;
  ScopedSeams& operator=(const ScopedSeams&) = delete;

 private:
  RegistryBackend* registry_;
  Processes* processes_;
  Files* files_;
};

}  // namespace velotune
