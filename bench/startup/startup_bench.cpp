// Start-up to the painted main window, under Wine (a Windows program taking
// Google Benchmark's options, see bench/support/window_bench.h):
//   Startup/velotune     the program users get (velotune.exe beside this
//                        one), from process creation to its main window
//                        visible, skinned (its frame's window region set)
//                        and with nothing left to paint, Donate dialog off;
//   Startup/plain_window its floor, plain_window.exe (bench/floors), from
//                        process creation to its window visible and painted;
//   InProcess/skin_on, InProcess/skin_off
//                        the main window built in this process, shown and
//                        painted, with the skin engine on and off: what the
//                        skin costs, without process start and program load.
// The Wine session is warm: this program runs in it, and one untimed start of
// each program comes first. Each started program is closed before the next.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/application.h"
#include "platform/memory_registry.h"
#include "platform/seams.h"
#include "platform/win32_system.h"
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

// Starts the program and returns the seconds until its main window is
// painted (and, when `skinned`, has the skin's region); closes it after.
double StartAndTime(const std::string& program, bool skinned) {
  const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string commandLine = "\"" + program + "\"";
  const double start = bench::Now();
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info))
    throw std::runtime_error("cannot start " + program);
  CloseHandle(info.hThread);
  // Checking costs the system work that the program being timed waits for:
  // first nothing until the program waits for input the first time, then
  // its main window's own state often, its children's now and then.
  WaitForInputIdle(info.hProcess, 30000);
  Found found{info.dwProcessId, nullptr};
  double end = 0, nextFullCheck = 0;
  std::string problem;
  for (;;) {
    if (!found.window) EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
    if (found.window && (!skinned || HasWindowRegion(found.window)) &&
        !GetUpdateRect(found.window, nullptr, FALSE) && bench::Now() >= nextFullCheck) {
      if (bench::NothingToPaint(found.window)) {
        end = bench::Now();
        break;
      }
      nextFullCheck = bench::Now() + 0.004;
    }
    if (bench::Now() - start > 30) {
      problem = program + ": no painted main window after 30 s";
      break;
    }
    if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) {
      problem = program + " ended before its main window was painted";
      break;
    }
  }
  if (found.window) PostMessageA(found.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, INFINITE);
  }
  CloseHandle(info.hProcess);
  if (!problem.empty()) throw std::runtime_error(problem);
  return end - start;
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
       {"Startup/plain_window", nullptr, [&] { return StartAndTime(floor, false); }},
       {"InProcess/skin_on", nullptr, [] { return BuildInProcess(true); }},
       {"InProcess/skin_off", nullptr, [] { return BuildInProcess(false); }}});
}
