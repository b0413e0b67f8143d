// One rescale of a form the size of the main window (about three hundred
// controls) on the kit's data model, and the same with a control added so
// that the records are brought up to date as well.
#include <benchmark/benchmark.h>

#include "resize/layout.h"

namespace velotune {
namespace {

constexpr int kControls = 290;

FormModel MainWindowSizedForm() {
  FormModel form;
  form.name = "TweakFrm";
  for (int i = 0; i < kControls; ++i) {
    ControlModel c;
    c.name = "Control" + std::to_string(i);
    c.bounds = {(i * 37) % 760, (i * 23) % 620, 20 + i % 150, 13 + i % 40};
    c.fontSize = 8;
    c.parentFont = i % 3 == 0;
    form.components.push_back(c);
  }
  return form;
}

LayoutSettings MainWindowSettings() {
  LayoutSettings settings;
  settings.designFrmW = 790;
  settings.designFrmH = 648;
  settings.designDpiW = 96;
  settings.designDpiH = 96;
  return settings;
}

void BM_RescaleMainWindow(benchmark::State& state) {
  FormModel form = MainWindowSizedForm();
  KitLayout layout;
  const LayoutSettings settings = MainWindowSettings();
  LoadLayout(form, layout, settings, 96, 96);
  int width = 790;
  for (auto _ : state) {
    width = width == 790 ? 751 : 790;  // alternate so each pass changes every bound
    RescaleLayout(form, layout, settings, width, 616);
    benchmark::DoNotOptimize(form.components.data());
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_RescaleMainWindow);

void BM_RescaleAfterAControlWasAdded(benchmark::State& state) {
  const LayoutSettings settings = MainWindowSettings();
  for (auto _ : state) {
    state.PauseTiming();
    FormModel form = MainWindowSizedForm();
    KitLayout layout;
    LoadLayout(form, layout, settings, 96, 96);
    ControlModel added;
    form.components.push_back(added);
    state.ResumeTiming();
    RescaleLayout(form, layout, settings, 751, 616);
    benchmark::DoNotOptimize(form.components.data());
  }
}
BENCHMARK(BM_RescaleAfterAControlWasAdded);

}  // namespace
}  // namespace velotune

BENCHMARK_MAIN();
