// The real main window, skinned in this process: its frame, its check boxes
// (the green ones still green), and the controls whose wrappers are not built
// yet keeping the system look.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <utility>

#include "app/tweak_form.h"
#include "framework/containers.h"
#include "framework/form.h"
#include "framework/graphic_controls.h"
#include "framework/std_controls.h"
#include "skin/controls/button_looks.h"
#include "skin/data/skin_data_component.h"
#include "skin/frame/skin_messages.h"
#include "skin/manager/skin_manage.h"
#include "skin/manager/wrapper_registry.h"
#include "skinned_tweak_window.h"
#include "skinned_window_support.h"

namespace velotune::skin {
namespace {

using testing::ArrowDifference;
using testing::Canvas;
using testing::CornersDifference;
using testing::PrintClient;
using testing::PumpUntil;
using testing::SkinnedTweakWindow;

// Each control with a window is wrapped exactly when the rules give it a
// wrapper that is built; returns how many check boxes and radio buttons have
// windows.
int ExpectWrappedAsTheRulesSay(TTweakFrm& window, const TSkinData& data, const char* when) {
  const WrapSettings settings = WrapSettingsOf(data);
  int boxes = 0;
  for (TComponent* c : window.Components()) {
    auto* control = dynamic_cast<TWinControl*>(c);
    if (!control || !control->HandleAllocated()) continue;
    const bool skinned = SendMessageA(control->Handle(), SKM_QUERYSKINNED, 0, 0) == 1;
    if (dynamic_cast<TButtonControl*>(control)) ++boxes;
    const WrapChoice choice = ChooseWrapper(FactsOfControl(control), settings);
    EXPECT_EQ(WrapperBuilt(choice.wrapper), skinned) << when << ": " << control->Name();
  }
  return boxes;
}

TEST(SkinnedMainWindow, FrameCheckBoxesAndTheControlsStillInTheSystemLook) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  RECT outer, client;
  GetWindowRect(window.Handle(), &outer);
  GetClientRect(window.Handle(), &client);
  EXPECT_EQ(4 + 4, outer.right - outer.left - client.right);
  EXPECT_EQ(31 + 5, outer.bottom - outer.top - client.bottom);
  EXPECT_EQ(kSkinMagic, SendMessageA(window.Handle(), SKM_IDENTIFY, 0, kSkinMagic));

  // At start only the first page's boxes have windows; the other pages'
  // are made, and wrapped, as each page is first shown.
  const TSkinData& data = shown.Data();
  EXPECT_EQ(46, ExpectWrappedAsTheRulesSay(window, data, "at start"));
  EXPECT_FALSE(Bind<TWinControl>(window, "SUMW")->HandleAllocated());
  EXPECT_FALSE(Bind<TWinControl>(window, "GroupBox7")->HandleAllocated());
  EXPECT_TRUE(window.DialogChar('2'));
  EXPECT_TRUE(window.DialogChar('3'));
  Bind<TSpeedButton>(window, "spdFix")->Click();
  Bind<TSpeedButton>(window, "spdTweak")->Click();
  // Every box but the FIX page's hidden one, which gets a window only if it
  // is ever shown.
  EXPECT_EQ(161 + 6 - 1, ExpectWrappedAsTheRulesSay(window, data, "every page shown"));
  EXPECT_FALSE(Bind<TWinControl>(window, "chkExpFrame")->HandleAllocated());

  const WrapSettings settings = WrapSettingsOf(data);
  std::map<std::string, std::string> waiting;  // class -> wrapper not built yet
  for (TComponent* c : window.Components()) {
    auto* control = dynamic_cast<TControl*>(c);
    if (!control || dynamic_cast<TButtonControl*>(control)) continue;
    const WrapChoice choice = ChooseWrapper(FactsOfControl(control), settings);
    if (choice.wrapper != wkNone && !WrapperBuilt(choice.wrapper))
      waiting[control->ClassName()] = WrapperName(choice.wrapper);
  }
  // Every control the rules give a wrapper has it.
  EXPECT_EQ((std::map<std::string, std::string>{}), waiting);

  // The five green boxes and "GREEN Boost" keep their green text.
  for (const char* name : {"chkIC", "SUMW", "chkCFS", "chkIDM", "chkLatency", "Button5"}) {
    auto* box = Bind<TWinControl>(window, name);
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

// The WM_PAINT messages each window of this thread handles, posted or sent.
std::map<HWND, int> gPaints;
LRESULT CALLBACK CountPosted(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_PAINT) ++gPaints[msg->hwnd];
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK CountSent(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && msg->message == WM_PAINT && !msg->wParam) ++gPaints[msg->hwnd];
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool NothingLeftToPaint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && !NothingLeftToPaint(child)) return false;
  return true;
}

// A page shown the first time makes its windows hidden and shows them in one
// go: each of its windows is painted once, not once for each step.
TEST(SkinnedMainWindow, AFirstVisitOfEachPagePaintsEachOfItsWindowsOnce) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  ASSERT_TRUE(PumpUntil([&] { return NothingLeftToPaint(window.Handle()); }));
  const std::pair<const char*, std::function<void()>> visits[] = {
      {"TabSheet1", [&] { window.DialogChar('2'); }},
      {"TabSheet3", [&] { window.DialogChar('3'); }},
      {"shtFix", [&] { Bind<TSpeedButton>(window, "spdFix")->Click(); }},
  };
  for (const auto& [name, visit] : visits) {
    auto* page = Bind<TTabSheet>(window, name);
    ASSERT_FALSE(page->HandleAllocated()) << name;
    gPaints.clear();
    const HHOOK posted =
        SetWindowsHookExA(WH_GETMESSAGE, CountPosted, nullptr, GetCurrentThreadId());
    const HHOOK sent = SetWindowsHookExA(WH_CALLWNDPROC, CountSent, nullptr, GetCurrentThreadId());
    visit();
    EXPECT_TRUE(PumpUntil([&] { return NothingLeftToPaint(window.Handle()); })) << name;
    UnhookWindowsHookEx(posted);
    UnhookWindowsHookEx(sent);
    int windows = 0;
    for (TComponent* c : window.Components()) {
      auto* control = dynamic_cast<TWinControl*>(c);
      if (!control || !control->HandleAllocated() || !IsWindowVisible(control->Handle())) continue;
      // A combo box's wrapper repaints it at once on each frame paint too.
      if (dynamic_cast<TComboBox*>(control)) continue;
      bool onPage = false;
      for (TControl* up = control; up && !onPage; up = up->Parent()) onPage = up == page;
      if (!onPage) continue;
      ++windows;
      EXPECT_GE(1, gPaints[control->Handle()]) << name << ": " << control->Name();
    }
    EXPECT_GT(windows, 20) << name;
  }
}

TEST(SkinnedMainWindow, ButtonsSidebarAndPageTwoSpinsDrawnFromTheSkinAndStillWorking) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  const TSkinData& data = shown.Data();
  const Pixel face = ToPixel(ResolveColour(data.FaceColour()));
  const Pixel shadow = ToPixel(ResolveColour(data.Colour(ceButtonShadow)));

  // "GREEN Boost" on the strip's face; the group boxes' flat outline.
  auto* boost = Bind<TButton>(window, "Button5");
  RECT r;
  GetClientRect(boost->Handle(), &r);
  EXPECT_EQ("", CornersDifference(*PrintClient(boost->Handle()), r, data.Button(), pfNormal, face));
  auto* group = Bind<TGroupBox>(window, "StartGroup");
  GetClientRect(group->Handle(), &r);
  EXPECT_EQ(shadow, PrintClient(group->Handle(), WM_PAINT)->At(1, r.bottom / 2));

  // The sidebar panel flat in the face colour; its TWEAK page button down.
  auto* sidebar = Bind<TPanel>(window, "Panel6");
  const auto panel = PrintClient(sidebar->Handle(), WM_PAINT);
  EXPECT_EQ(shadow, panel->At(0, 40));
  EXPECT_EQ(face, panel->At(3, 300));
  auto* tweak = Bind<TSpeedButton>(window, "spdTweak");
  auto* fix = Bind<TSpeedButton>(window, "spdFix");
  EXPECT_EQ("", CornersDifference(*panel, tweak->BoundsRect(), data.Button(), pfPressed, face));
  EXPECT_EQ("", CornersDifference(*panel, fix->BoundsRect(), data.Button(), pfNormal, face));

  // Page 2's up-down steps its read-only edit and shows the press on its
  // upper half only.
  auto* spin = Bind<TUpDown>(window, "GW");
  auto* edit = Bind<TEdit>(window, "Edit1");
  const TDataSkinBorder& strip = *data.BorderPart(spUpDownVert);
  GetClientRect(spin->Handle(), &r);
  const SpinHalves halves = SplitSpin({0, 0, r.right, r.bottom}, false);
  SendMessageA(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 2));
  const auto held = PrintClient(spin->Handle());
  EXPECT_EQ("", ArrowDifference(*held, halves.first, strip, 2));
  EXPECT_EQ("", ArrowDifference(*held, halves.second, strip, 5));
  SendMessageA(spin->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 2));
  EXPECT_EQ(6, spin->Position());
  EXPECT_EQ("6", edit->Text());
  SendMessageA(edit->Handle(), WM_CHAR, '9', 1);
  EXPECT_EQ("6", edit->Text()) << "still read-only";
}

}  // namespace
}  // namespace velotune::skin
