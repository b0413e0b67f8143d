// One rescale of the main window on the kit's data model: the model is built
// from the main window's own form description (every control, its bounds,
// its font and ParentFont flag), then laid out for a new client size.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "framework/dfm_parser.h"
#include "resize/layout.h"

namespace velotune {
namespace {

int IntProperty(const DfmObject& object, const char* name, int fallback) {
  const DfmProperty* p = object.Find(name);
  return p && p->value.kind == DfmKind::kInteger ? static_cast<int>(p->value.integer) : fallback;
}

void AddComponents(const DfmObject& object, FormModel* form) {
  for (const DfmObject& child : object.children) {
    ControlModel c;
    c.name = child.name;
    c.isControl = child.Find("Left") || child.Find("Width") || child.Find("Align");
    c.bounds = {IntProperty(child, "Left", 0), IntProperty(child, "Top", 0),
                IntProperty(child, "Width", 0), IntProperty(child, "Height", 0)};
    c.fontSize = IntProperty(child, "Font.Height", -11) * -72 / 96;
    const DfmProperty* parentFont = child.Find("ParentFont");
    c.parentFont = !parentFont || parentFont->value.text != "False";
    form->components.push_back(c);
    AddComponents(child, form);
  }
}

FormModel MainWindowModel() {
  std::ifstream file(VELOTUNE_MAIN_DFM);
  std::stringstream text;
  text << file.rdbuf();
  FormModel form;
  const DfmObject root = ParseFormDescription(text.str(), "main.dfm");
  form.name = root.name;
  AddComponents(root, &form);
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
  FormModel form = MainWindowModel();
  KitLayout layout;
  const LayoutSettings settings = MainWindowSettings();
  LoadLayout(form, layout, settings, 96, 96);
  int width = 790;
  for (auto _ : state) {
    width = width == 790 ? 751 : 790;  // alternate so that each pass changes every bound
    RescaleLayout(form, layout, settings, width, 616);
    benchmark::DoNotOptimize(form.components.data());
  }
  state.counters["controls"] = static_cast<double>(layout.ctrlInfos.size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(layout.ctrlInfos.size()));
}
BENCHMARK(BM_RescaleMainWindow);

// The rescale after the program added an unnamed control: the records are
// brought up to date first.
void BM_RescaleAfterAControlWasAdded(benchmark::State& state) {
  const FormModel loaded = MainWindowModel();
  const LayoutSettings settings = MainWindowSettings();
  for (auto _ : state) {
    state.PauseTiming();
    FormModel form = loaded;
    KitLayout layout;
    LoadLayout(form, layout, settings, 96, 96);
    form.components.push_back(ControlModel());
    state.ResumeTiming();
    RescaleLayout(form, layout, settings, 751, 616);
    benchmark::DoNotOptimize(form.components.data());
  }
}
BENCHMARK(BM_RescaleAfterAControlWasAdded);

}  // namespace
}  // namespace velotune

BENCHMARK_MAIN();
