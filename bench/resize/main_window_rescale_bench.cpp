// One whole rescale of the real main window under Wine or Windows: the kit
// lays out every control of TTweakFrm and the windows move, resize and
// repaint. The window is built in this process over a memory registry, shown,
// and its client size switched between two sizes; each switch is one rescale.
// Prints the mean, the fastest and the slowest rescale in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/form.h"
#include "platform/memory_registry.h"
#include "platform/seams.h"
#include "platform/win32_system.h"
#include "resize/resize_kit.h"
#include "tweaks/registry.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velotune;
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
  MemoryRegistry registry;
  Win32Processes processes;
  Win32Files files;
  ScopedSeams seams(&registry, &processes, &files);
  WriteStringUser("Zolex\\Support", "01", "0");  // no Donate dialog at start
  RegisterProgramClasses();

  TTweakFrm window(nullptr);
  window.Show();
  Pump();
  const std::size_t controls = Bind<TResizeKit>(window, "ResizeKit1")->Layout().ctrlInfos.size();
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    window.SetClientSize(i % 2 ? 760 : 820, 640);
    Pump();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  double sum = 0;
  for (double t : times) sum += t;
  std::printf(
      "main window rescale (%zu controls, %d rounds): mean %.2f ms, min %.2f ms, max %.2f ms\n",
      controls, rounds, sum / rounds, *std::min_element(times.begin(), times.end()),
      *std::max_element(times.begin(), times.end()));
  return 0;
}
