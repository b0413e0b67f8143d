#include "window_bench.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <stdexcept>

namespace velotune::bench {

namespace {

struct Options {
  int repetitions = 10;
  bool interleave = false;
  double minTime = 0;
  std::string out;
  std::string filter;
};

bool TakeOption(const char* arg, const char* name, std::string* value) {
  const std::size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0) return false;
  if (arg[n] == '=') {
    *value = arg + n + 1;
    return true;
  }
  if (arg[n] == '\0') {
    *value = "true";
    return true;
  }
  return false;
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string v;
    if (TakeOption(argv[i], "--benchmark_repetitions", &v))
      options.repetitions = std::max(1, std::atoi(v.c_str()));
    else if (TakeOption(argv[i], "--benchmark_enable_random_interleaving", &v))
      options.interleave = v == "true" || v == "1";
    else if (TakeOption(argv[i], "--benchmark_min_time", &v))
      options.minTime = std::atof(v.c_str());  // "0.05" or "0.05s"
    else if (TakeOption(argv[i], "--benchmark_out", &v))
      options.out = v;
    else if (TakeOption(argv[i], "--benchmark_filter", &v))
      options.filter = v;
    else if (!TakeOption(argv[i], "--benchmark_out_format", &v))
      std::fprintf(stderr, "unknown option %s\n", argv[i]);
  }
  return options;
}

// One repetition's outcome.
struct Run {
  std::size_t benchmark = 0;
  int repetition = 0;
  long iterations = 0;
  double realSeconds = 0;  // per iteration
  double cpuSeconds = 0;   // this process's, per iteration
  std::string error;
};

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) *
           1e-7;
  };
  return seconds(kernel) + seconds(user);
}

Run RunOne(const WindowBenchmark& benchmark, std::size_t index, int repetition, double minTime) {
  Run run;
  run.benchmark = index;
  run.repetition = repetition;
  try {
    if (benchmark.setUp) benchmark.setUp();
    const double cpuStart = ProcessCpuSeconds();
    double total = 0;
    do {
      total += benchmark.pass();
      ++run.iterations;
    } while (total < minTime);
    run.realSeconds = total / run.iterations;
    run.cpuSeconds = (ProcessCpuSeconds() - cpuStart) / run.iterations;
  } catch (const std::exception& e) {
    run.error = e.what();
  }
  return run;
}

std::string JsonText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
      continue;
    }
    out += c;
  }
  return out + "\"";
}

void WriteJson(const Options& options, const char* executable,
               const std::vector<WindowBenchmark>& benchmarks, const std::vector<Run>& runs) {
  FILE* f = std::fopen(options.out.c_str(), "w");
  if (!f) {
    std::fprintf(stderr, "cannot write %s\n", options.out.c_str());
    return;
  }
  char date[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", std::localtime(&now));
  char host[MAX_COMPUTERNAME_LENGTH + 1] = "";
  DWORD hostSize = sizeof host;
  GetComputerNameA(host, &hostSize);
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  std::fprintf(f,
               "{\n  \"context\": {\"date\": %s, \"host_name\": %s, \"executable\": %s, "
               "\"num_cpus\": %lu, \"library_build_type\": \"release\"},\n  \"benchmarks\": [",
               JsonText(date).c_str(), JsonText(host).c_str(), JsonText(executable).c_str(),
               system.dwNumberOfProcessors);
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const Run& r = runs[i];
    const std::string name = JsonText(benchmarks[r.benchmark].name + "/real_time");
    std::fprintf(f,
                 "%s\n    {\"name\": %s, \"family_index\": %zu, \"per_family_instance_index\": 0, "
                 "\"run_name\": %s, \"run_type\": \"iteration\", \"repetitions\": %d, "
                 "\"repetition_index\": %d, \"threads\": 1, \"iterations\": %ld, ",
                 i ? "," : "", name.c_str(), r.benchmark, name.c_str(), options.repetitions,
                 r.repetition, r.iterations);
    if (!r.error.empty())
      std::fprintf(f, "\"error_occurred\": true, \"error_message\": %s, ",
                   JsonText(r.error).c_str());
    std::fprintf(f, "\"real_time\": %.6f, \"cpu_time\": %.6f, \"time_unit\": \"ms\"}",
                 r.realSeconds * 1e3, r.cpuSeconds * 1e3);
  }
  std::fprintf(f, "\n  ]\n}\n");
  std::fclose(f);
}

void PrintSummary(const std::vector<WindowBenchmark>& benchmarks, const std::vector<Run>& runs) {
  for (std::size_t b = 0; b < benchmarks.size(); ++b) {
    std::vector<double> times;
    std::string error;
    for (const Run& r : runs) {
      if (r.benchmark != b) continue;
      if (r.error.empty())
        times.push_back(r.realSeconds * 1e3);
      else
        error = r.error;
    }
    if (times.empty() && error.empty()) continue;
    std::sort(times.begin(), times.end());
    if (times.empty())
      std::printf("%-40s failed: %s\n", benchmarks[b].name.c_str(), error.c_str());
    else
      std::printf("%-40s median %8.2f ms   fastest %8.2f ms   slowest %8.2f ms   (%zu)%s%s\n",
                  benchmarks[b].name.c_str(), times[times.size() / 2], times.front(), times.back(),
                  times.size(), error.empty() ? "" : "   failed once: ", error.c_str());
  }
}

}  // namespace

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

namespace {
BOOL CALLBACK FindPending(HWND child, LPARAM found) {
  if (GetUpdateRect(child, nullptr, FALSE) && IsWindowVisible(child)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool NothingToPaint(HWND window) {
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  bool pending = false;
  EnumChildWindows(window, FindPending, reinterpret_cast<LPARAM>(&pending));
  return !pending;
}

int RunWindowBenchmarks(int argc, char** argv, const std::vector<WindowBenchmark>& all) {
  const Options options = ParseOptions(argc, argv);
  std::vector<WindowBenchmark> benchmarks;
  for (const WindowBenchmark& b : all)
    if (options.filter.empty() || b.name.find(options.filter) != std::string::npos)
      benchmarks.push_back(b);
  std::mt19937 random(GetTickCount());
  std::vector<Run> runs;
  for (int rep = 0; rep < options.repetitions; ++rep) {
    // Every benchmark once per round, in a fresh order when interleaving, so
    // that a figure and its floor see the same moments of machine load.
    std::vector<std::size_t> order(benchmarks.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (options.interleave) std::shuffle(order.begin(), order.end(), random);
    for (std::size_t b : order) runs.push_back(RunOne(benchmarks[b], b, rep, options.minTime));
  }
  PrintSummary(benchmarks, runs);
  if (!options.out.empty()) WriteJson(options, argv[0], benchmarks, runs);
  // A pass that failed once is reported; a benchmark that never ran fails.
  for (std::size_t b = 0; b < benchmarks.size(); ++b)
    if (std::none_of(runs.begin(), runs.end(),
                     [b](const Run& r) { return r.benchmark == b && r.error.empty(); }))
      return 1;
  return 0;
}

}  // namespace velotune::bench
