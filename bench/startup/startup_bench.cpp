// Start-up of the main window to its first complete paint, with the skin
// engine on and off in alternating rounds of one run under Wine:
//   startup_bench.exe [rounds]      (default 10 rounds of each)
// Each round builds the real main window from its description, shows it and
// pumps messages until the window and every child have nothing left to
// paint (and, skinned, the frame is started). Prints the median, the
// fastest and the slowest round of each.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/application.h"
#include "platform/memory_registry.h"
#include "platform/seams.h"
#include "platform/win32_system.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/win32_skin_environment.h"
#include "tweaks/registry.h"

namespace {

using namespace velotune;

BOOL CALLBACK NeedsPaint(HWND child, LPARAM found) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

bool Painted(HWND window, bool skinned) {
  if (skinned) {
    skin::TSkinManage* manager = skin::TSkinManage::Instance();
    skin::TWinSkinForm* form = manager ? manager->FindSkinnedWindow(window) : nullptr;
    if (!form || form->State() != skin::fsSkinned) return false;
  }
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool pending = false;
  EnumChildWindows(window, NeedsPaint, reinterpret_cast<LPARAM>(&pending));
  return !pending;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double OneRound(bool skinned) {
  // Without the manager's factory the skin component skins nothing.
  skin::SetSkinManagerFactory(nullptr);
  if (skinned) skin::InstallSkinManager();
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  auto* window = new TTweakFrm(nullptr);
  window->Show();
  const DWORD limit = GetTickCount() + 20000;
  for (;;) {
    Pump();
    if (Painted(window->Handle(), skinned) || GetTickCount() > limit) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  QueryPerformanceCounter(&end);
  delete window;
  Pump();
  return Milliseconds(start, end);
}

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-12s median %7.1f ms   fastest %7.1f ms   slowest %7.1f ms   (%zu rounds)\n", name,
              times[times.size() / 2], times.front(), times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  // The program's keys in memory, so that the bench leaves the registry as
  // it was; no Donate dialog at start.
  MemoryRegistry registry;
  Win32Processes processes;
  Win32Files files;
  ScopedSeams seams(&registry, &processes, &files);
  WriteStringUser("Zolex\\Support", "01", "0");
  RegisterProgramClasses();
  skin::InstallWin32SkinEnvironment();
  Application().SetTitle("Velotune");
  OneRound(true);  // warm-up: fonts, classes and caches of the first window
  std::vector<double> on, off;
  for (int i = 0; i < rounds; ++i) {
    on.push_back(OneRound(true));
    off.push_back(OneRound(false));
  }
  Report("skin on", on);
  Report("skin off", off);
  return 0;
}
