#include "skin/data/win32_skin_environment.h"

#include <windows.h>

#include "skin/data/colour.h"
#include "skin/data/skin_environment.h"

namespace velotune::skin {

void InstallWin32SkinEnvironment() {
  SetSystemColourQuery([](int index) { return static_cast<TColor>(GetSysColor(index)); });
  SkinEnvironment& env = ActiveSkinEnvironment();
  env.horizontalScrollArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
  env.maximizedWidth = GetSystemMetrics(SM_CXMAXIMIZED);
  env.maximizedHeight = GetSystemMetrics(SM_CYMAXIMIZED);
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  if (comctl == nullptr) comctl = LoadLibraryA("comctl32.dll");
  env.flatScrollBars = comctl != nullptr && GetProcAddress(comctl, "InitializeFlatSB") != nullptr;
  env.showMessage = [](const std::string& text) {
    // A plain message box over the active window, captioned with the program's title.
    MessageBoxA(GetActiveWindow(), text.c_str(), "Velotune", MB_OK);
  };
}

}  // namespace velotune::skin
