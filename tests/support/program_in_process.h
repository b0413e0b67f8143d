// What building the real main window in this process needs, as the program
// sets it up at start: its component classes, the system's skin answers, the
// Win32 seams, and no Donate dialog at start.
#pragma once

#include "app/program_classes.h"
#include "platform/seams.h"
#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "skin/data/win32_skin_environment.h"
#include "support/donate_choice.h"

namespace velotune {

class ProgramInProcess {
 public:
  ProgramInProcess() : seams_(&registry_, &processes_, &files_) {
    RegisterProgramClasses();
    skin::InstallWin32SkinEnvironment();
  }

 private:
  Win32Registry registry_;
  Win32Processes processes_;
  Win32Files files_;
  ScopedSeams seams_;
  DonateChoice noDonateDialog_;
};

}  // namespace velotune
