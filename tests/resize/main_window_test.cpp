// The resize kit on the real main window under Wine: placed centred in the
// work area at 806 x 688 when first shown, and every control laid out from
// its design bounds for the client size after a resize, a minimize and
// restore, and three double-clicks on the notice line.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/dfm_parser.h"
#include "framework/form.h"
#include "framework/graphic_controls.h"
#include "framework/standard_classes.h"
#include "framework/text_values.h"
#include "platform/seams.h"
#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "resize/geometry.h"
#include "resize/kit_window.h"
#include "resize/layout.h"
#include "resize/resize_kit.h"
#include "support/donate_choice.h"

namespace velotune {
namespace {

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::string MainDescriptionText() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, "MAIN_DFM", MAKEINTRESOURCEA(10));
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return data ? std::string(data, SizeofResource(module, resource)) : std::string();
}

int IntOf(const DfmObject& object, const char* name, bool* found) {
  const DfmProperty* p = object.Find(name);
  if (!p || p->value.kind != DfmKind::kInteger) {
    *found = false;
    return 0;
  }
  return static_cast<int>(p->value.integer);
}

// A control's stored bounds and which of them the kit alone decides: the
// system sizes a combo box's height from its font, and a label that sizes
// itself to its text keeps the size (and, unless left-aligned, the left) that
// its text gives it.
struct DesignBounds {
  KitBounds bounds;
  bool left = true, width = true, height = true;
};

bool IsIdent(const DfmObject& object, const char* name, const char* value) {
  const DfmProperty* p = object.Find(name);
  return p && p->value.text == value;
}

// Controls that are not aligned and not pages of a page control (the page
// control places those).
void CollectDesignBounds(const DfmObject& object, std::map<std::string, DesignBounds>* out) {
  for (const DfmObject& child : object.children) {
    bool found = true;
    DesignBounds d;
    d.bounds = {IntOf(child, "Left", &found), IntOf(child, "Top", &found),
                IntOf(child, "Width", &found), IntOf(child, "Height", &found)};
    const DfmProperty* align = child.Find("Align");
    const bool aligned = align && align->value.text != "alNone";
    if (child.className == "TComboBox") d.height = false;
    if (child.className == "TLabel" && !IsIdent(child, "AutoSize", "False")) {
      d.width = d.height = false;
      const DfmProperty* alignment = child.Find("Alignment");
      d.left = !alignment || alignment->value.text == "taLeftJustify";
    }
    if (found && !aligned && child.className != "TTabSheet") (*out)[child.name] = d;
    CollectDesignBounds(child, out);
  }
}

struct MainWindowTest : ::testing::Test {
  static void SetUpTestSuite() {
    RegisterProgramClasses();
    ParseDesign();
  }

  static void ParseDesign() {
    const std::string text = MainDescriptionText();
    ASSERT_FALSE(text.empty());
    CollectDesignBounds(ParseFormDescription(text, "main.dfm"), &design);
  }

  void SetUp() override {
    HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) GTEST_SKIP() << "the expected layout is worked out for 96 pixels per inch";
    SetActiveRegistry(&registry);
    SetActiveProcesses(&processes);
    SetActiveFiles(&files);
    window = std::make_unique<TTweakFrm>(nullptr);
    kit = Bind<TResizeKit>(*window, "ResizeKit1");
  }

  void TearDown() override { window.reset(); }

  RECT Client() {
    RECT r;
    GetClientRect(window->Handle(), &r);
    return r;
  }

  static KitBounds RealBounds(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      RECT r;
      HWND handle = windowed->Handle();
      GetWindowRect(handle, &r);
      MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&r), 2);
      return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    return {control->Left(), control->Top(), control->Width(), control->Height()};
  }

  std::map<std::string, KitBounds> Layout() {
    std::map<std::string, KitBounds> layout;
    for (const auto& entry : design)
      layout[entry.first] = RealBounds(Bind<TControl>(*window, entry.first));
    return layout;
  }

  // Every control at its design bounds scaled by client / design size.
  void ExpectDesignScaledToClient(const std::string& when) {
    const RECT client = Client();
    const double x = client.right / 790.0, y = client.bottom / 648.0;
    int wrong = 0;
    for (const auto& entry : design) {
      const DesignBounds& d = entry.second;
      const KitBounds real = RealBounds(Bind<TControl>(*window, entry.first));
      KitBounds expected = ScaledBounds(d.bounds, x, y);
      if (!d.left) expected.left = real.left;
      if (!d.width) expected.width = real.width;
      if (!d.height) expected.height = real.height;
      if (real != expected && ++wrong <= 10)
        ADD_FAILURE() << when << ": " << entry.first << " at (" << real.left << ", " << real.top
                      << ", " << real.width << ", " << real.height << "), expected ("
                      << expected.left << ", " << expected.top << ", " << expected.width << ", "
                      << expected.height << ") for client " << client.right << " x "
                      << client.bottom;
    }
    EXPECT_EQ(wrong, 0) << when << ": controls off their scaled design bounds";
  }

  // The first page fills the page control's page area and its controls are on
  // screen (not hidden under a page the kit shrank to nothing).
  void ExpectFirstPageShown(const std::string& when) {
    HWND pages = Bind<TWinControl>(*window, "TweaksSheet")->Handle();
    RECT area;
    GetClientRect(pages, &area);
    SendMessageA(pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const KitBounds page = RealBounds(Bind<TControl>(*window, "TabSheet2"));
    EXPECT_NEAR(page.left, area.left, 1) << when;
    EXPECT_NEAR(page.top, area.top, 1) << when;
    EXPECT_NEAR(page.width, area.right - area.left, 1) << when;
    EXPECT_NEAR(page.height, area.bottom - area.top, 1) << when;
    for (const char* name : {"Prog", "Manually", "Save2"}) {
      HWND control = Bind<TWinControl>(*window, name)->Handle();
      RECT r;
      GetWindowRect(control, &r);
      const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      EXPECT_EQ(WindowFromPoint(centre), control) << when << ": " << name << " not on screen";
    }
  }

  static std::map<std::string, DesignBounds> design;
  Win32Registry registry;
  Win32Processes processes;
  Win32Files files;
  DonateChoice donateChoice;
  std::unique_ptr<TTweakFrm> window;
  TResizeKit* kit = nullptr;
  int dpi = 96;
};
std::map<std::string, DesignBounds> MainWindowTest::design;

TEST_F(MainWindowTest, FirstShownCentredInTheWorkAreaAt806By688) {
  ASSERT_GT(design.size(), 100u);
  window->Show();
  Pump();
  RECT r;
  GetWindowRect(window->Handle(), &r);
  const WorkArea area = GetWorkArea(true);
  const int w = std::min(806, area.width), h = std::min(688, area.height);
  EXPECT_EQ(r.right - r.left, w);
  EXPECT_EQ(r.bottom - r.top, h);
  EXPECT_EQ(r.left, std::max((area.width - w) / 2, 0));
  EXPECT_EQ(r.top, std::max((area.height - h) / 2, 0));
  ExpectDesignScaledToClient("first shown");
  ExpectFirstPageShown("first shown");
}

TEST_F(MainWindowTest, AtTheDesignClientSizeTheBannerEndsAtMinusThree) {
  window->Show();
  window->SetClientSize(790, 648);
  Pump();
  ExpectDesignScaledToClient("design client size");
  EXPECT_EQ(RealBounds(Bind<TControl>(*window, "back")).left, -3);
}

TEST_F(MainWindowTest, ResizeThenMinimizeAndRestore) {
  window->Show();
  Pump();
  window->SetClientSize(1000, 700);
  Pump();
  EXPECT_EQ(Client().right, 1000);
  ExpectDesignScaledToClient("client 1000 x 700");
  const auto before = Layout();
  ShowWindow(window->Handle(), SW_MINIMIZE);
  Pump();
  ShowWindow(window->Handle(), SW_RESTORE);
  Pump();
  EXPECT_TRUE(Layout() == before) << "the layout changed over a minimize and restore";
  ExpectDesignScaledToClient("restored");
}

TEST_F(MainWindowTest, ThreeDoubleClicksOnTheNoticeLineShrinkTo95PercentEachTime) {
  window->Show();
  Pump();
  TControl* cpr = Bind<TControl>(*window, "cpr");
  for (int click = 1; click <= 3; ++click) {
    const RECT was = Client();
    const LPARAM at = MAKELPARAM(cpr->Left() + cpr->Width() / 2, cpr->Top() + cpr->Height() / 2);
    HWND parent = cpr->Parent()->Handle();
    SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(parent, WM_LBUTTONUP, 0, at);
    SendMessageA(parent, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(parent, WM_LBUTTONUP, 0, at);
    Pump();
    const RECT now = Client();
    EXPECT_EQ(now.right, ScaleRounded(was.right, 95, 100)) << "click " << click;
    EXPECT_EQ(now.bottom, ScaleRounded(was.bottom, 95, 100)) << "click " << click;
    ExpectDesignScaledToClient("after double-click " + std::to_string(click));
    ExpectFirstPageShown("after double-click " + std::to_string(click));
    EXPECT_EQ(cpr->Font().Size(),
              ScaledFontSize(kit->Layout().Find("cpr")->baseFontSize, kit->FontScale()));
  }
}

// Shows the other pages once each, as a user would, and comes back to the
// first tweak page.
void ShowEveryPage(TTweakFrm& form) {
  form.DialogChar('2');
  form.DialogChar('3');
  Bind<TSpeedButton>(form, "spdFix")->Click();
  Bind<TSpeedButton>(form, "spdTweak")->Click();
  Pump();
}

int FontHeight(HWND window) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// The pages not shown at start get their windows when first shown, at the
// size the window has then: the same bounds and fonts as those of a window
// whose pages were all made at start and then rescaled with it.
TEST_F(MainWindowTest, APageFirstShownAfterAResizeIsLaidOutAsOneMadeAtStart) {
  TTweakFrm early(nullptr);
  early.Show();
  ShowEveryPage(early);
  window->Show();
  Pump();
  ASSERT_FALSE(Bind<TWinControl>(*window, "SUMW")->HandleAllocated());
  ASSERT_FALSE(Bind<TWinControl>(*window, "chkFO")->HandleAllocated());
  // Both resized, then every page shown (the FIX page gives the page control
  // its height in both): the late window makes its pages now.
  for (TTweakFrm* form : {&early, window.get()}) {
    form->SetClientSize(1000, 700);
    Pump();
    form->ScaleBy(95, 100);
    Pump();
    ShowEveryPage(*form);
  }
  int compared = 0;
  for (const auto& entry : design) {
    auto* late = Bind<TControl>(*window, entry.first);
    auto* made = Bind<TControl>(early, entry.first);
    const KitBounds l = RealBounds(late), m = RealBounds(made);
    EXPECT_TRUE(l == m) << entry.first << " made late at (" << l.left << ", " << l.top << ", "
                        << l.width << ", " << l.height << "), made at start at (" << m.left << ", "
                        << m.top << ", " << m.width << ", " << m.height << ")";
    auto* windowed = dynamic_cast<TWinControl*>(late);
    if (!windowed || !windowed->HandleAllocated()) continue;
    EXPECT_EQ(FontHeight(windowed->Handle()),
              FontHeight(dynamic_cast<TWinControl*>(made)->Handle()))
        << entry.first;
    ++compared;
  }
  EXPECT_GT(compared, 200);
}

}  // namespace
}  // namespace velotune
