// Whether the live registry already holds what each control of the three
// Tweaks pages would write from its present state. The pages are planned in
// the order 1-Click Tweak saves them, so a value that two rows write is judged
// by the one that writes it last.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/described_controls.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry_backend.h"
#include "tweaks/action_plan.h"

namespace velotune {

struct ControlStatus {
  const DescribedControls::Control* control = nullptr;
  std::size_t items = 0;            // registry items and files its rows touch
  std::vector<Mismatch> different;  // those the live registry does not hold
};

struct StatusReport {
  std::vector<ControlStatus> controls;  // page by page, in form order
  std::string error;                    // a save that would fail, and why
};

StatusReport ControlsStatus(DescribedControls& controls, RegistryBackend& live, Files& files,
                            Processes& processes);

}  // namespace velotune
