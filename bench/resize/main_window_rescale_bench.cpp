// One whole rescale of the real main window against its floor, under Wine (a
// Windows program taking Google Benchmark's options, see
// bench/support/window_bench.h). The main window is built here, skinned as
// users get it, over a memory registry; the plain window (bench/floors) has
// the same windowed controls and moves them in one deferred batch per parent
// (the main window's pages are each shown once first, so that it has them too).
// Each pass is timed from the change to the last paint it causes:
//   Rescale/main_window_drag, Rescale/plain_window_drag
//       the client size switched between 760 x 640 and 820 x 640;
//   Rescale/main_window_shrink, Rescale/plain_window_shrink
//       the 95 % shrink from the design size (the main window's is the one a
//       double click on the notice line makes), the design size given back
//       untimed before each.
// The window measured is brought to the front before each repetition.
#include <windows.h>

#include <stdexcept>

#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/application.h"
#include "framework/graphic_controls.h"
#include "plain_window.h"
#include "platform/memory_registry.h"
#include "platform/seams.h"
#include "platform/win32_system.h"
#include "skin/data/win32_skin_environment.h"
#include "skin/manager/skin_manage.h"
#include "tweaks/registry.h"
#include "window_bench.h"

namespace {

using namespace velotune;

constexpr int kDesignWidth = plain::PlainWindow::kDesignWidth;
constexpr int kDesignHeight = plain::PlainWindow::kDesignHeight;

// Dispatches what the change caused, painting included, and checks that
// nothing is left to paint.
double FinishPass(HWND window, double start) {
  bench::PumpMessages();
  const double end = bench::Now();
  if (!bench::NothingToPaint(window)) throw std::runtime_error("window left unpainted");
  return end - start;
}

void BringToFront(HWND window) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
  if (!bench::PumpUntil([window] { return bench::NothingToPaint(window); }, 20000))
    throw std::runtime_error("window not painted after coming to the front");
}

// Alternates a window between two client sizes.
template <typename Window>
double Drag(Window& window, HWND handle, bool* wide) {
  *wide = !*wide;
  const double start = bench::Now();
  window.SetClientSize(*wide ? 820 : 760, 640);
  return FinishPass(handle, start);
}

void GiveDesignSize(TForm& form) {
  if (form.ClientWidth() == kDesignWidth && form.ClientHeight() == kDesignHeight) return;
  form.SetClientSize(kDesignWidth, kDesignHeight);
  bench::PumpMessages();
}

}  // namespace

int main(int argc, char** argv) {
  MemoryRegistry registry;
  Win32Processes processes;
  Win32Files files;
  ScopedSeams seams(&registry, &processes, &files);
  WriteStringUser("Zolex\\Support", "01", "0");  // no Donate dialog at start
  RegisterProgramClasses();
  skin::InstallWin32SkinEnvironment();
  skin::InstallSkinManager();
  Application().SetTitle("Velotune");

  TTweakFrm main(nullptr);
  main.Show();
  // Every page shown once, as the plain window has every control's window:
  // the main window makes a page's windows only when it is first shown.
  main.DialogChar('2');
  main.DialogChar('3');
  Bind<TSpeedButton>(main, "spdFix")->Click();
  Bind<TSpeedButton>(main, "spdTweak")->Click();
  bench::PumpMessages();
  plain::PlainWindow plain;
  plain.Show();
  HWND mainHandle = main.Handle(), plainHandle = plain.Handle();
  bool mainWide = false, plainWide = false;

  // The 95 % shrink of the design size.
  const int shrunkWidth = MulDiv(kDesignWidth, 95, 100);
  const int shrunkHeight = MulDiv(kDesignHeight, 95, 100);

  const auto mainToFront = [mainHandle] { BringToFront(mainHandle); };
  const auto plainToFront = [plainHandle] { BringToFront(plainHandle); };
  return bench::RunWindowBenchmarks(
      argc, argv,
      {{"Rescale/main_window_drag", mainToFront, [&] { return Drag(main, mainHandle, &mainWide); }},
       {"Rescale/plain_window_drag", plainToFront,
        [&] { return Drag(plain, plainHandle, &plainWide); }},
       {"Rescale/main_window_shrink", mainToFront,
        [&] {
          GiveDesignSize(main);
          const double start = bench::Now();
          main.ScaleBy(95, 100);
          return FinishPass(mainHandle, start);
        }},
       {"Rescale/plain_window_shrink", plainToFront, [&] {
          plain.SetClientSize(kDesignWidth, kDesignHeight);
          bench::PumpMessages();
          const double start = bench::Now();
          plain.SetClientSize(shrunkWidth, shrunkHeight);
          return FinishPass(plainHandle, start);
        }}});
}
