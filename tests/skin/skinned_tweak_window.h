// The real main window, shown and skinned in this process under Wine.
#pragma once

#include <gtest/gtest.h>

#include "app/tweak_form.h"
#include "skin/data/skin_data_component.h"
#include "skin/manager/skin_manage.h"
#include "skinned_window_support.h"
#include "support/program_in_process.h"

namespace velotune::skin::testing {

struct SkinnedTweakWindow {
  SkinnedTweakWindow() {
    window.Show();
    EXPECT_TRUE(PumpUntil([&] {
      TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinnedWindow(window.Handle());
      return skinned && skinned->State() == fsSkinned;
    }));
  }
  const TSkinData& Data() { return Bind<TSkinDataComponent>(window, "SkinData1")->Data(); }
  ProgramInProcess program;
  // The manager's factory is in place before the window reads its skin.
  bool managerInstalled = (InstallSkinManager(), true);
  TTweakFrm window{nullptr};
};

}  // namespace velotune::skin::testing
