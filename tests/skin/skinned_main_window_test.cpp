// The real main window, skinned in this process: its frame, its check boxes
// (the green ones still green), and the controls whose wrappers are not built
// yet keeping the system look.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/tweak_form.h"
#include "framework/form.h"
#include "framework/std_controls.h"
#include "skin/frame/skin_messages.h"
#include "skin/manager/skin_manage.h"
#include "skin/manager/wrapper_registry.h"
#include "skin/skin_data_component.h"
#include "skinned_window_support.h"
#include "support/program_in_process.h"

namespace velotune::skin {
namespace {

using testing::Canvas;
using testing::PumpUntil;

TEST(SkinnedMainWindow, FrameCheckBoxesAndTheControlsStillInTheSystemLook) {
  ProgramInProcess program;
  InstallSkinManager();

  TTweakFrm window(nullptr);
  window.Show();
  ASSERT_TRUE(PumpUntil([&] {
    TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinnedWindow(window.Handle());
    return skinned && skinned->State() == fsSkinned;
  }));
  RECT outer, client;
  GetWindowRect(window.Handle(), &outer);
  GetClientRect(window.Handle(), &client);
  EXPECT_EQ(4 + 4, outer.right - outer.left - client.right);
  EXPECT_EQ(31 + 5, outer.bottom - outer.top - client.bottom);
  EXPECT_EQ(kSkinMagic, SendMessageA(window.Handle(), SKM_IDENTIFY, 0, kSkinMagic));

  const TSkinData& data = Bind<TSkinDataComponent>(window, "SkinData1")->Data();
  const WrapSettings settings = WrapSettingsOf(data);
  std::map<std::string, std::string> waiting;  // class -> wrapper not built yet
  int boxes = 0;
  for (TComponent* c : window.Components()) {
    auto* control = dynamic_cast<TWinControl*>(c);
    if (!control || !control->HandleAllocated()) continue;
    const bool skinned = SendMessageA(control->Handle(), SKM_QUERYSKINNED, 0, 0) == 1;
    if (dynamic_cast<TButtonControl*>(control)) {
      ++boxes;
      EXPECT_TRUE(skinned) << control->Name();
      continue;
    }
    EXPECT_FALSE(skinned) << control->Name();
  }
  for (TComponent* c : window.Components()) {
    auto* control = dynamic_cast<TControl*>(c);
    if (!control || dynamic_cast<TButtonControl*>(control)) continue;
    const WrapChoice choice = ChooseWrapper(FactsOfControl(control), settings);
    if (choice.wrapper != wkNone && !WrapperBuilt(choice.wrapper))
      waiting[control->ClassName()] = WrapperName(choice.wrapper);
  }
  EXPECT_EQ(161 + 6, boxes);
  const std::map<std::string, std::string> expected = {
      {"TButton", "TSkinButton"},
      {"TComboBox", "TSkinComBox"},
      {"TEdit", "TSkinEdit"},
      {"TGroupBox", "TSkinGroupBox"},
      {"TPageControl", "TSkinTab"},
      {"TPanel", "TSkinBox"},
      {"TRichEdit", "TSkinScrollbar"},
      {"TScrollBox", "TSkinScrollbar"},
      {"TSpeedButton", "TSkinSpeedButton"},
      {"TTabSheet", "TSkinTabSheet"},
      {"TTrackBar", "TSkinTrackBar"},
      {"TUpDown", "TSkinUpDown"},
  };
  EXPECT_EQ(expected, waiting);

  // The five green boxes keep their green text.
  for (const char* name : {"chkIC", "SUMW", "chkCFS", "chkIDM", "chkLatency"}) {
    auto* box = Bind<TCheckBox>(window, name);
    RECT r;
    GetClientRect(box->Handle(), &r);
    Canvas canvas(r.right, r.bottom);
    SendMessageA(box->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    int green = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 16; x < r.right; ++x)
        if (canvas.At(x, y) == MakePixel(0, 128, 0)) ++green;
    EXPECT_GT(green, 10) << name;
  }
}

}  // namespace
}  // namespace velotune::skin
