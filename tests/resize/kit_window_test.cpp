// The kit on a real form window under Wine: first-show placement, the layout
// read back from the real windows after every kind of size change, the
// sizing limits, the switch-off, and a control added at run time.
#include "resize/kit_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/control.h"
#include "framework/form.h"
#include "framework/form_loader.h"
#include "framework/text_values.h"
#include "resize/geometry.h"
#include "resize/layout.h"
#include "resize/placement.h"
#include "resize/resize_kit.h"

namespace velotune {
namespace {

class TKitBox : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const char* ClassName() const override { return "TKitBox"; }
};

class TKitMark : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  const char* ClassName() const override { return "TKitMark"; }
  void Paint(HDC) override {}
};

class TKitTestForm : public TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TKitTestForm"; }
};

const char* const kFormText = R"(object KitTestForm: TKitTestForm
  Left = 10
  Top = 10
  BorderStyle = bsSingle
  Caption = 'Kit'
  ClientHeight = 648
  ClientWidth = 790
  Position = poDesktopCenter
  object Banner: TKitMark
    Left = -4
    Top = 0
    Width = 798
    Height = 57
  end
  object Panel2: TKitBox
    Left = 0
    Top = 585
    Width = 790
    Height = 63
    object Save1: TKitBox
      Left = 12
      Top = 10
      Width = 75
      Height = 25
    end
  end
  object cpr: TKitMark
    Left = 300
    Top = 620
    Width = 200
    Height = 13
    Font.Height = -9
    ParentFont = False
  end
  object Box3: TKitBox
    Left = 401
    Top = 99
    Width = 333
    Height = 211
  end
  object ResizeKit1: TResizeKit
    FormPos = rpMiddleCenter
    FormWidth = 806
    FormHeight = 688
    DesignFrmW = 790
    DesignFrmH = 648
    DesignDpiW = 96
    DesignDpiH = 96
  end
end
)";

// Design bounds of the controls above, at 96 pixels per inch.
struct Design {
  const char* name;
  KitBounds bounds;
};
const Design kDesign[] = {
    {"Banner", {-4, 0, 798, 57}}, {"Panel2", {0, 585, 790, 63}}, {"Save1", {12, 10, 75, 25}},
    {"cpr", {300, 620, 200, 13}}, {"Box3", {401, 99, 333, 211}},
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

struct KitWindowTest : ::testing::Test {
  static void SetUpTestSuite() {
    TForm::Classes().Add<TKitBox>();
    TForm::Classes().Add<TKitMark>();
    RegisterResizeKitClass(TForm::Classes());
  }

  void SetUp() override {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) GTEST_SKIP() << "the expected layout is worked out for 96 pixels per inch";
    form = std::make_unique<TKitTestForm>(nullptr);
    form->LoadDescription(kFormText, "kit_test.dfm");
    kit = Bind<TResizeKit>(*form, "ResizeKit1");
  }

  void TearDown() override { form.reset(); }

  RECT ClientRect() {
    RECT r;
    GetClientRect(form->Handle(), &r);
    return r;
  }

  // The bounds a control really has: its window's for windowed controls,
  // else what its parent paints it at.
  static KitBounds RealBounds(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      RECT r;
      HWND window = windowed->Handle();
      GetWindowRect(window, &r);
      MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
      return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    return {control->Left(), control->Top(), control->Width(), control->Height()};
  }

  // Every control laid out from its design bounds for the current client size.
  void ExpectLayoutForClient(const char* when) {
    const RECT client = ClientRect();
    const double x = client.right / 790.0, y = client.bottom / 648.0;
    for (const Design& d : kDesign)
      EXPECT_EQ(RealBounds(Bind<TControl>(*form, d.name)), ScaledBounds(d.bounds, x, y))
          << when << ": " << d.name << " at client " << client.right << " x " << client.bottom;
    // The form's font rounds, a control's own font truncates; controls that
    // use their parent's font show the form's.
    const double fontScale = std::min(x, y);
    EXPECT_EQ(form->Font().Size(), RoundHalfUp(8 * fontScale)) << when;
    EXPECT_EQ(Bind<TControl>(*form, "Box3")->Font().Size(), form->Font().Size()) << when;
    EXPECT_TRUE(Bind<TControl>(*form, "Box3")->ParentFont()) << when;
    EXPECT_EQ(Bind<TControl>(*form, "cpr")->Font().Size(), ScaledFontSize(7, fontScale)) << when;
  }

  std::unique_ptr<TKitTestForm> form;
  TResizeKit* kit = nullptr;
};

// The main window's own test checks the layout control by control; this one
// makes sure each kind of size change reaches the kit (also through the
// thread hook, in the rerun below).
TEST_F(KitWindowTest, FirstShowAndEveryKindOfSizeChangeLayTheFormOut) {
  int rescales = 0;
  kit->SetOnExitResize([&rescales](TResizeKit&, double, double) { ++rescales; });
  form->Show();
  Pump();
  RECT r;
  GetWindowRect(form->Handle(), &r);
  const WorkArea area = GetWorkArea(true);
  EXPECT_EQ(r.right - r.left, std::min(806, area.width));
  EXPECT_EQ(r.left, std::max<LONG>((area.width - (r.right - r.left)) / 2, 0));
  ExpectLayoutForClient("first show");

  form->SetClientSize(600, 500);
  Pump();
  ExpectLayoutForClient("client 600 x 500");
  const int before = rescales;
  ShowWindow(form->Handle(), SW_MINIMIZE);
  Pump();
  EXPECT_EQ(rescales, before);  // minimizing does not rescale
  ShowWindow(form->Handle(), SW_RESTORE);
  Pump();
  EXPECT_GT(rescales, before);
  ExpectLayoutForClient("restored");
  form->ScaleBy(95, 100);
  Pump();
  EXPECT_EQ(ClientRect().right, 570);
  ExpectLayoutForClient("shrunk to 95 %");

  // Later showings no longer move the form.
  form->Hide();
  MoveWindow(form->Handle(), 5, 6, 806, 688, TRUE);
  form->Show();
  Pump();
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r.left, 5);
}

TEST_F(KitWindowTest, SizingAndMaximizeLimits) {
  form->Show();
  Pump();
  kit->SetSize(SizeProperty::kMaxWidth, 900);
  kit->SetSize(SizeProperty::kMaxHeight, 700);
  kit->SetSize(SizeProperty::kMinWidth, 300);
  kit->SetSize(SizeProperty::kMinHeight, 200);
  RECT big{50, 60, 1250, 960};
  SendMessageA(form->Handle(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&big));
  EXPECT_EQ(big.left, 50);
  EXPECT_EQ(big.right, 950);
  EXPECT_EQ(big.bottom, 760);
  RECT small{50, 60, 100, 90};
  SendMessageA(form->Handle(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&small));
  EXPECT_EQ(small.right, 350);
  EXPECT_EQ(small.bottom, 260);

  MINMAXINFO info{};
  info.ptMaxSize = {5000, 5000};
  info.ptMinTrackSize = {11, 12};
  SendMessageA(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxSize.x, 900);
  EXPECT_EQ(info.ptMaxSize.y, 700);
  EXPECT_EQ(info.ptMaxTrackSize.x, 900);
  EXPECT_EQ(info.ptMinTrackSize.x, 11);

  // A call-window-procedure hook sees the system's own WM_GETMINMAXINFO but
  // cannot change what the system then uses; only the procedure can.
  if (KitOsMajorVersion() == 4) return;
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Pump();
  RECT maximized;
  GetWindowRect(form->Handle(), &maximized);
  EXPECT_EQ(maximized.right - maximized.left, 900);
  EXPECT_EQ(maximized.bottom - maximized.top, 700);
  ExpectLayoutForClient("maximized to the limit");
}

TEST_F(KitWindowTest, ChangingThePositionPlacesTheFormAtOnce) {
  form->Show();
  Pump();
  kit->SetFormPos(rpBottomRight);
  RECT r;
  GetWindowRect(form->Handle(), &r);
  const WorkArea area = GetWorkArea(true);
  EXPECT_EQ(r.right, area.width);
  EXPECT_EQ(r.bottom, area.height);
  EXPECT_EQ(r.right - r.left, 806);
}

TEST_F(KitWindowTest, SwitchedOffTheFormIsLeftAloneUntilSwitchedOn) {
  form->Show();
  Pump();
  const KitBounds shown = RealBounds(Bind<TControl>(*form, "Box3"));
  kit->SetEnabled(false);
  form->SetClientSize(500, 400);
  Pump();
  EXPECT_EQ(RealBounds(Bind<TControl>(*form, "Box3")), shown);
  kit->SetEnabled(true);
  form->SetClientSize(520, 410);
  Pump();
  ExpectLayoutForClient("switched on again");
}

TEST_F(KitWindowTest, ProceduresWrappedAroundTheKitKeepWorkingWhenItStopsOrGoes) {
  form->Show();
  Pump();
  int seen = 0;
  TWndMethod kitProc = form->WindowProc;
  form->WindowProc = [&seen, kitProc](TMessage& m) {
    if (m.Msg == WM_SIZE) ++seen;
    kitProc(m);
  };
  kit->SetEnabled(false);  // the outer wrapper stays; the kit only passes on
  const KitBounds shown = RealBounds(Bind<TControl>(*form, "Box3"));
  form->SetClientSize(500, 400);
  Pump();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(RealBounds(Bind<TControl>(*form, "Box3")), shown);
  kit->SetEnabled(true);
  form->SetClientSize(520, 410);
  Pump();
  EXPECT_EQ(seen, 2);
  ExpectLayoutForClient("enabled again under a wrapper");

  delete kit;  // the form goes on with its own handling
  form->SetClientSize(600, 450);
  Pump();
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(ClientRect().right, 600);
  EXPECT_EQ(form->Width(), [this] {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    return static_cast<int>(r.right - r.left);
  }());
}

TEST_F(KitWindowTest, AControlAddedAtRunTimeIsNamedAndScaled) {
  form->Show();
  form->SetClientSize(790, 648);
  Pump();
  auto* added = new TKitBox(form.get());
  added->SetParent(form.get());
  added->SetBounds(100, 200, 50, 40);
  form->SetClientSize(395, 324);
  Pump();
  EXPECT_EQ(added->Name(), "RKitAdd0001");
  EXPECT_EQ(RealBounds(added), (KitBounds{50, 100, 25, 20}));
}

TEST_F(KitWindowTest, TwoFormsAreResizedIndependently) {
  TKitTestForm second(nullptr);
  second.LoadDescription(kFormText, "kit_test.dfm");
  form->Show();
  second.Show();
  Pump();
  form->SetClientSize(395, 324);
  second.SetClientSize(790, 648);
  Pump();
  EXPECT_EQ(RealBounds(Bind<TControl>(*form, "Box3")), (KitBounds{201, 50, 167, 106}));
  EXPECT_EQ(RealBounds(Bind<TControl>(second, "Box3")), (KitBounds{401, 99, 333, 211}));
}

// A copy of the window owned by the form is a window of its own: resizing the
// form leaves the copy's place, size and font alone.
TEST_F(KitWindowTest, AWindowTheFormOwnsIsNotOneOfItsControls) {
  auto* copy = new TKitTestForm(form.get());
  copy->LoadDescription(kFormText, "kit_test.dfm");
  form->Show();
  copy->Show();
  copy->SetClientSize(600, 500);
  Pump();
  RECT before, after;
  GetWindowRect(copy->Handle(), &before);
  const int font = copy->Font().Size();
  form->SetClientSize(395, 324);
  Pump();
  GetWindowRect(copy->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(copy->Font().Size(), font);
  EXPECT_EQ(kit->Layout().Find(copy->Name()), nullptr);
  ExpectLayoutForClient("beside an owned copy");
}

// On version-4 systems the kits share one thread hook: switching one kit off
// leaves the others working.
TEST_F(KitWindowTest, SwitchingOneKitOffLeavesTheOthersWorking) {
  TKitTestForm second(nullptr);
  second.LoadDescription(kFormText, "kit_test.dfm");
  form->Show();
  second.Show();
  Pump();
  Bind<TResizeKit>(second, "ResizeKit1")->SetEnabled(false);
  const KitBounds secondShown = RealBounds(Bind<TControl>(second, "Box3"));
  form->SetClientSize(395, 324);
  second.SetClientSize(500, 400);
  Pump();
  EXPECT_EQ(RealBounds(Bind<TControl>(*form, "Box3")), (KitBounds{201, 50, 167, 106}));
  EXPECT_EQ(RealBounds(Bind<TControl>(second, "Box3")), secondShown);
}

// The same tests once more in a copy of this program that Wine tells it runs
// on another system (Wine's name for it, and its major version). The program
// carries Velotune's manifest, so from Windows 8.1 on it is told the truth.
void RunTheTestsPosingAs(const char* wineVersion, const char* majorVersion) {
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
    GTEST_SKIP() << "needs Wine to pose as another system";
  if (GetEnvironmentVariableA("VELOTUNE_KIT_CHILD", nullptr, 0) > 0) GTEST_SKIP();
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string name = std::string("resize_window_test_") + wineVersion + ".exe";
  std::string copy = self;
  copy = copy.substr(0, copy.rfind('\\') + 1) + name;
  ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
  const std::string key = "Software\\Wine\\AppDefaults\\" + name;
  HKEY appKey;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &appKey, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(appKey, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineVersion),
                 static_cast<DWORD>(std::strlen(wineVersion) + 1));
  RegCloseKey(appKey);

  SetEnvironmentVariableA("VELOTUNE_KIT_CHILD", majorVersion);
  std::string command = "\"" + copy + "\" --gtest_filter=KitWindow*";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA("VELOTUNE_KIT_CHILD", nullptr);
  DWORD exitCode = 1;
  if (started) {
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  DeleteFileA(copy.c_str());
  ASSERT_TRUE(started);
  EXPECT_EQ(exitCode, 0u);
}

// On systems of major version 4 the kit works through a thread hook.
TEST(KitWindowSystemTest, TheThreadHookOfVersionFourSystemsDoesTheSameWork) {
  RunTheTestsPosingAs("nt40", "4");
}

// Windows 10 and 11 report 10.0, minor version 0 as on the systems before
// 98 and 2000: the kit still takes them for the later systems they are.
TEST(KitWindowSystemTest, OnWindowsTenTheKitReadsTheTrueVersionAndWorksAsOnSevenAndEight) {
  RunTheTestsPosingAs("win10", "10");
}

// In the children above: they really run on the system they were given.
TEST(KitWindowSystemTest, ChildRunsOnTheSystemVersionItWasGiven) {
  char wanted[8] = {};
  if (GetEnvironmentVariableA("VELOTUNE_KIT_CHILD", wanted, sizeof wanted) == 0) GTEST_SKIP();
  TResizeKit kit(nullptr);  // reads the version
  EXPECT_EQ(KitOsMajorVersion(), std::atoi(wanted));
  EXPECT_EQ(KitLaterSystem(KitOsMajorVersion(), KitOsMinorVersion()), KitOsMajorVersion() > 4);
}

}  // namespace
}  // namespace velotune
