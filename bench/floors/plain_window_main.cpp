// The plain window as a program of its own: the floor of the main window's
// start-up. It shows the window and runs until the window is closed.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "plain_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  plain::PlainWindow window;
  window.Show();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
