// Puts a running velotune.exe into a state for a screenshot:
//   app_pose page N | fix | tweak | about | donate | scale | scroll | bitcoin | hover CAPTION
//   app_pose copy            double-clicks the icon: another main window opens
//   app_pose click CAPTION   presses a button without waiting for what it shows
//   app_pose restart          asks the restart question (a system message box)
//   app_pose sysmenu          right-clicks the caption: the skinned system menu opens
//   app_pose editmenu         right-clicks the first visible edit: its context menu opens
//   app_pose error            saves page 1 with a time-out that is not a number (error box)
//   app_pose tab N            presses Tab N times (the keyboard's focus walk)
//   app_pose statusbar       prints the status bar's screen rectangle: left top right bottom
//   app_pose close-dialogs   closes the Donate and About dialogs and a message box, if open
//   app_pose press left|middle|release   holds a mouse button down on the open
//                            Donate dialog's first social-network picture
#include <cstdio>
#include <cstdlib>
#include <string>

#include "program_driver.h"

namespace {

HWND MainWindow() {
  return FindWindowA("TTweakFrm", "Velotune");
}

}  // namespace

int main(int argc, char** argv) {
  using velotune::ProgramDriver;
  if (argc < 2) return 2;
  std::string action = argv[1];
  if (action == "close-dialogs") {
    // The Donate dialog opens at the first start, before the main window shows.
    for (const char* dialog : {"TfrmDonate", "TfrmVtAbout"})
      if (HWND window = FindWindowA(dialog, nullptr)) PostMessageA(window, WM_CLOSE, 0, 0);
    // A message box: No to a question, OK to an error.
    if (HWND box = FindWindowA("#32770", nullptr)) {
      PostMessageA(box, WM_COMMAND, IDNO, 0);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return 0;
  }
  if (action == "press" && argc > 2) {
    HWND donate = FindWindowA("TfrmDonate", nullptr);
    if (!donate) return 1;
    std::string button = argv[2];
    LPARAM at = MAKELPARAM(344 + 27, 163 + 11);
    if (button == "left") PostMessageA(donate, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (button == "middle") PostMessageA(donate, WM_MBUTTONDOWN, MK_MBUTTON, at);
    if (button == "release") PostMessageA(donate, WM_MBUTTONUP, 0, at);
    return 0;
  }
  HWND main = MainWindow();
  if (!main) return 1;
  if (action == "page" && argc > 2) {
    PostMessageA(main, WM_SYSCHAR, argv[2][0], 0x20000000);
  } else if (action == "fix" || action == "tweak" || action == "bitcoin") {
    HWND sidebar = ProgramDriver::Sidebar(main);
    if (!sidebar) return 1;
    int y = action == "fix" ? 140 : action == "tweak" ? 64 : 520;
    // The Bitcoin picture opens a modal box: post, so this tool does not wait.
    if (action == "bitcoin") {
      PostMessageA(sidebar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(68, y));
      PostMessageA(sidebar, WM_LBUTTONUP, 0, MAKELPARAM(68, y));
    } else {
      ProgramDriver::ClickAt(sidebar, 68, y);
    }
  } else if (action == "about" || action == "donate") {
    HWND button = ProgramDriver::FindOne(main, "Button", action == "about" ? "About" : "Donate");
    if (!button) return 1;
    ProgramDriver::Press(button);
  } else if (action == "hover" && argc > 2) {
    // Rests the mouse on a button, so that its hint shows.
    HWND button = ProgramDriver::FindOne(main, "Button", argv[2]);
    if (!button) return 1;
    RECT r;
    GetWindowRect(button, &r);
    SetCursorPos((r.left + r.right) / 2 - 3, (r.top + r.bottom) / 2 - 3);
    Sleep(100);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  } else if (action == "click" && argc > 2) {
    HWND button = ProgramDriver::FindOne(main, "Button", argv[2]);
    if (!button) return 1;
    ProgramDriver::Press(button);
  } else if (action == "copy") {
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
      PostMessageA(main, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(30, 20));
  } else if (action == "restart" || action == "error") {
    if (action == "error") {
      for (HWND edit : ProgramDriver::Find(main, "Edit", "1"))
        if (IsWindowVisible(edit)) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    }
    const char* caption = action == "restart" ? "Restart Computer" : "&Save Changes";
    for (HWND button : ProgramDriver::Find(main, "Button", caption))
      if (IsWindowVisible(button)) ProgramDriver::Press(button);
  } else if (action == "sysmenu") {
    RECT r;
    GetWindowRect(main, &r);
    PostMessageA(main, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 200, r.top + 12));
  } else if (action == "editmenu") {
    for (HWND edit : ProgramDriver::Find(main, "Edit")) {
      if (!IsWindowVisible(edit)) continue;
      RECT r;
      GetWindowRect(edit, &r);
      PostMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit),
                   MAKELPARAM(r.left + 10, r.bottom - 2));
      break;
    }
  } else if (action == "tab" && argc > 2) {
    // Posted to the main window, the program's own dispatch moves its focus.
    for (int i = std::atoi(argv[2]); i > 0; --i) {
      PostMessageA(main, WM_KEYDOWN, VK_TAB, 1);
      PostMessageA(main, WM_KEYUP, VK_TAB, 0xC0000001);
    }
  } else if (action == "statusbar") {
    // Its clock and memory figures change every second: screenshot
    // comparisons paint this rectangle over.
    HWND bar = ProgramDriver::FindOne(main, "msctls_statusbar32");
    if (!bar) return 1;
    RECT r;
    GetWindowRect(bar, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  } else if (action == "scale") {
    ProgramDriver::DoubleClickAt(main, 66, 30);
  } else if (action == "scroll") {
    HWND box = ProgramDriver::FindOne(main, "TScrollBox");
    if (!box) return 1;
    for (int i = 0; i < 20; ++i) SendMessageA(box, WM_VSCROLL, SB_LINEDOWN, 0);
  } else {
    return 2;
  }
  return 0;
}
