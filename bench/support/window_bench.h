// The benchmark runner of the Windows bench programs (run under Wine, where
// Google Benchmark is not built). It takes the options ./scripts/bench.sh
// gives every suite and writes the same JSON, so their figures are reported
// alongside the native ones:
//   --benchmark_repetitions=N                 rounds, each running every
//                                             benchmark once; default 10
//   --benchmark_enable_random_interleaving    each round of repetitions runs
//                                             the benchmarks in a new order
//   --benchmark_min_time=S                    passes per repetition: until S
//   --benchmark_out=FILE --benchmark_out_format=json
//   --benchmark_filter=TEXT                   only names containing TEXT
// Windows, other processes and the display server all take part in what is
// measured, so every figure is wall-clock time: benchmark names end in
// "/real_time", as Google Benchmark names benchmarks that use real time.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velotune::bench {

struct WindowBenchmark {
  std::string name;  // "/real_time" is appended
  // Before each repetition, untimed (bring the window to the front...).
  std::function<void()> setUp;
  // One timed pass; returns its seconds.
  std::function<double()> pass;
};

// Runs the benchmarks as the options say, prints a summary and writes the
// JSON; returns the program's exit code.
int RunWindowBenchmarks(int argc, char** argv, const std::vector<WindowBenchmark>& benchmarks);

// Seconds since an arbitrary start, from the performance counter.
double Now();

// Dispatches every message waiting for this thread.
void PumpMessages();

// Waits, pumping this thread's messages, until `done` holds; false when it
// did not within `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs);

// True when the window and every visible window inside it have nothing
// left to paint. Works for windows of other processes too.
bool NothingToPaint(HWND window);

}  // namespace velotune::bench
