// Program start: the Win32 seams, the application object titled "Velotune",
// the main window from its description, and the message loop until it closes.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>

#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/application.h"
#include "framework/form.h"
#include "platform/seams.h"
#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "skin/data/win32_skin_environment.h"
#include "skin/manager/skin_manage.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace velotune;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitialize(nullptr);

  Win32Registry registry;
  Win32Processes processes;
  Win32Files files;
  SetActiveRegistry(&registry);
  SetActiveProcesses(&processes);
  SetActiveFiles(&files);
  // The skin reads system colours and metrics as the main form's skin loads.
  skin::InstallWin32SkinEnvironment();
  // The main form's skin component makes the skin manager as it loads.
  skin::InstallSkinManager();

  RegisterProgramClasses();
  Application().SetTitle("Velotune");
  TTweakFrm* main = nullptr;
  try {
    main = new TTweakFrm(nullptr);
    Application().SetMainForm(main);
  } catch (const std::exception& e) {
    // A description that cannot be read: say which and where, then stop.
    Application().HandleException(e);
    return 1;
  }
  Application().Run();
  delete main;
  CoUninitialize();
  return 0;
}
