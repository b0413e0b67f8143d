#include "cli/control_status.h"

#include <map>
#include <utility>

#include "tweaks/page_catalogues.h"

namespace velotune {

StatusReport ControlsStatus(DescribedControls& controls, RegistryBackend& live, Files& files,
                            Processes& processes) {
  StatusReport report;
  ActionPlan plan(live, files, processes);
  // The steps each control's rows made, by control name.
  std::map<std::string, std::vector<std::pair<std::size_t, std::size_t>>> stepsOf;
  plan.Run([&] {
    for (const std::vector<Row>* rows : {&Page1Rows(), &Page3Rows(), &Page2Rows()}) {
      for (const Row& row : *rows) {
        const std::size_t first = plan.Steps().size();
        ApplyRows(std::vector<Row>{row}, controls);
        stepsOf[row.control].push_back({first, plan.Steps().size()});
      }
    }
  });
  report.error = plan.Error();
  for (const char* page : {"page1", "page2", "page3"}) {
    for (const DescribedControls::Control* control : controls.OnPage(page)) {
      ControlStatus status;
      status.control = control;
      for (const auto& range : stepsOf[control->name]) {
        std::size_t items = 0;
        for (Mismatch& m : plan.Check(live, files, range.first, range.second, &items))
          status.different.push_back(std::move(m));
        status.items += items;
      }
      report.controls.push_back(std::move(status));
    }
  }
  return report;
}

}  // namespace velotune
