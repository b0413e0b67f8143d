// Start-up to the painted main window, under Wine (a Windows program taking
// Google Benchmark's options, see bench/support/window_bench.h):
//   Startup/velotune     the program users get (velotune.exe beside this
//                        one), from process creation to its main window
//                        visible, skinned (its frame's window region set)
//                        and with nothing left to paint, Donate dialog off;
//   Startup/velotune_every_page
//                        the same, and then the second and third tweak
//                        pages and the FIX page shown one after another,
//                        each until painted: the windows the start leaves
//                        for the first showing of their page made too;
//   Startup/plain_window its floor, plain_window.exe (bench/floors), from
//                        process creation to its window visible and painted;
//   InProcess/skin_on, InProcess/skin_off
//                        the main window built in this process, shown and
//                        painted, with the skin engine on and off: what the
//                        skin costs, without process start and program load.
// The Wine session is warm: this program runs in it, and one untimed start of
// each program comes first. Each started program is closed before the next.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/application.h"
#include "platform/memory_registry.h"
#include "platform/seams.h"
#include "platform/win32_system.h"
#include "program_driver.h"
#include "skin/data/win32_skin_environment.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/skin_manage.h"
#include "support/donate_choice_value.h"
#include "tweaks/registry.h"
#include "window_bench.h"

namespace {

using namespace velotune;

std::string BesideThisProgram(const char* file) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + file;
}

struct Found {
  DWORD process;
  HWND window;
};

// The process's visible top-level window with a caption and no owner.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != found->process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) ||
      (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
    return TRUE;
  found->window = window;
  return FALSE;
}

bool HasWindowRegion(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(window, region);
  DeleteObject(region);
  return kind != ERROR && kind != NULLREGION;
}

// A started program being timed.
struct Timed {
  std::string program;
  PROCESS_INFORMATION info;
  double start;
  double painted = 0;   // when what was waited for was seen painted
  double spent = 0;     // the seconds counted
  std::string problem;  // why it stopped short, when it did
  // False, with the problem, when the program ended or 30 s passed.
  bool StillGoing(const char* waitingFor) {
    if (bench::Now() - start > 30)
      problem = program + ": no " + waitingFor + " after 30 s";
    else if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0)
      problem = program + " ended before " + waitingFor;
    return problem.empty();
  }
};

// Waits until the program's main window is found (when *window is null),
// painted and, when `skinned`, skinned. Checking costs the system work that
// the program waits for, so it is done as lightly as the program allows:
// first nothing until it waits for input the first time, then the main
// window's own state often, that of every window inside it now and then.
// Looking at every window takes a request per window, tens of milliseconds
// for a few hundred windows on a loaded machine: the window counts as
// painted when the look that finds nothing left to paint began.
bool WaitPainted(Timed& timed, bool skinned, HWND* window) {
  Found found{timed.info.dwProcessId, *window};
  double nextFullCheck = 0;
  for (;;) {
    if (!found.window) EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
    *window = found.window;
    if (found.window && (!skinned || HasWindowRegion(found.window)) &&
        !GetUpdateRect(found.window, nullptr, FALSE) && bench::Now() >= nextFullCheck) {
      const double looked = bench::Now();
      if (bench::NothingToPaint(found.window)) {
        timed.painted = looked;
        return true;
      }
      nextFullCheck = bench::Now() + 0.004;
    }
    if (!timed.StillGoing("painted main window")) return false;
  }
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM windows) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

// Waits until the page control `tabs`, with the page just shown, has nothing
// left to paint, and notes when it was seen painted. Its windows on screen
// are listed once and waited for one after another, so that a check costs
// the program being timed one request most of the time (looking through
// every window of the main window, as the end of the visits does, costs it
// hundreds).
bool WaitPagePainted(Timed& timed, HWND tabs) {
  std::vector<HWND> windows{tabs};
  EnumChildWindows(tabs, CollectVisible, reinterpret_cast<LPARAM>(&windows));
  timed.painted = bench::Now();
  for (HWND window : windows) {
    bool waited = false;
    while (GetUpdateRect(window, nullptr, FALSE)) {
      waited = true;
      if (!timed.StillGoing("painted page")) return false;
    }
    if (waited) timed.painted = bench::Now();
  }
  return true;
}

// Shows the second and third tweak pages (Alt+2, Alt+3) and the FIX page
// (the sidebar's FIX button), as a user would, each until it is painted
// (the whole main window at the end). Each visit adds the time from the
// user's action to its page painted; the moments between, when this
// program looks and a user would, count for nothing.
bool VisitEveryPage(Timed& timed, HWND main) {
  HWND tabs = ProgramDriver::FindOne(main, WC_TABCONTROLA);
  if (!tabs || !ProgramDriver::Sidebar(main)) {
    timed.problem = timed.program + ": no page tabs or sidebar";
    return false;
  }
  // Asked while the program makes a page, these wait for it to finish.
  const auto answer = [tabs](UINT message) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(tabs, message, 0, 0, SMTO_NORMAL, 30000, &result)
               ? static_cast<LRESULT>(result)
               : -1;
  };
  for (char page : {'2', '3'}) {
    const double action = bench::Now();
    PostMessageA(main, WM_SYSCHAR, page, 0x20000000);  // with Alt
    while (answer(TCM_GETCURSEL) != page - '1')
      if (!timed.StillGoing("page shown")) return false;
    if (!WaitPagePainted(timed, tabs)) return false;
    timed.spent += timed.painted - action;
  }
  const double action = bench::Now();
  ProgramDriver::ClickSidebar(main, true);
  while (answer(TCM_GETITEMCOUNT) != 1)
    if (!timed.StillGoing("FIX page shown")) return false;
  if (!WaitPagePainted(timed, tabs) || !WaitPainted(timed, true, &main)) return false;
  timed.spent += timed.painted - action;
  return true;
}

// Starts the program and returns the seconds until its main window is
// painted (and, when `skinned`, has the skin's region), and, when
// `everyPage`, those it took to show every other page once, each until
// painted; closes it after.
double StartAndTime(const std::string& program, bool skinned, bool everyPage = false) {
  const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  Timed timed{program, {}, bench::Now(), 0, 0, ""};
  std::string commandLine = "\"" + program + "\"";
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &timed.info))
    throw std::runtime_error("cannot start " + program);
  CloseHandle(timed.info.hThread);
  WaitForInputIdle(timed.info.hProcess, 30000);
  HWND window = nullptr;
  bool done = WaitPainted(timed, skinned, &window);
  timed.spent = timed.painted - timed.start;
  done = done && (!everyPage || VisitEveryPage(timed, window));
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(timed.info.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(timed.info.hProcess, 1);
    WaitForSingleObject(timed.info.hProcess, INFINITE);
  }
  CloseHandle(timed.info.hProcess);
  if (!done) throw std::runtime_error(timed.problem);
  return timed.spent;
}

bool Painted(HWND window, bool skinned) {
  if (skinned) {
    skin::TSkinManage* manager = skin::TSkinManage::Instance();
    skin::TWinSkinForm* form = manager ? manager->FindSkinnedWindow(window) : nullptr;
    if (!form || form->State() != skin::fsSkinned) return false;
  }
  return bench::NothingToPaint(window);
}

double BuildInProcess(bool skinned) {
  // Without the manager's factory the skin component skins nothing.
  skin::SetSkinManagerFactory(nullptr);
  if (skinned) skin::InstallSkinManager();
  const double start = bench::Now();
  auto* window = new TTweakFrm(nullptr);
  window->Show();
  const bool painted = bench::PumpUntil([&] { return Painted(window->Handle(), skinned); }, 20000);
  const double end = bench::Now();
  delete window;
  bench::PumpMessages();
  if (!painted) throw std::runtime_error("the main window was not painted within 20 s");
  return end - start;
}

}  // namespace

int main(int argc, char** argv) {
  // The shipped program reads the Donate choice from the prefix's registry.
  DonateChoice noDonateDialog;
  const std::string program = BesideThisProgram("velotune.exe");
  const std::string floor = BesideThisProgram("plain_window.exe");

  // The main window built here keeps its keys in memory.
  MemoryRegistry registry;
  Win32Processes processes;
  Win32Files files;
  ScopedSeams seams(&registry, &processes, &files);
  WriteStringUser("Zolex\\Support", "01", "0");
  RegisterProgramClasses();
  skin::InstallWin32SkinEnvironment();
  Application().SetTitle("Velotune");

  // Warm-up: the programs' files read once, the fonts and classes of the
  // first window made.
  StartAndTime(program, true);
  StartAndTime(floor, false);
  BuildInProcess(true);

  return bench::RunWindowBenchmarks(
      argc, argv,
      {{"Startup/velotune", nullptr, [&] { return StartAndTime(program, true); }},
       {"Startup/velotune_every_page", nullptr, [&] { return StartAndTime(program, true, true); }},
       {"Startup/plain_window", nullptr, [&] { return StartAndTime(floor, false); }},
       {"InProcess/skin_on", nullptr, [] { return BuildInProcess(true); }},
       {"InProcess/skin_off", nullptr, [] { return BuildInProcess(false); }}});
}
