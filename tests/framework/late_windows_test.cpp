// Windows of controls not shown yet, under Wine: a page's controls get theirs
// when the page is first shown (or a handle is asked for), a hidden control's
// when it is shown; until then their states live in the framework, and read
// and change as they do with a window.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_control_states.h"
#include "framework/application.h"
#include "framework/containers.h"
#include "framework/form.h"
#include "framework/standard_classes.h"
#include "framework/std_controls.h"

namespace velotune {
namespace {

// The first page shows "Stil" and a hidden box; the second, never shown
// yet, holds a group box with a check box, an edit with its up-down, a
// radio button and a track bar, captions in German.
const char kDescription[] =
    "object LateForm: TLateForm\n"
    "  Caption = 'Sp'#228'te Fenster'\n"
    "  ClientWidth = 420\n"
    "  ClientHeight = 300\n"
    "  ShowHint = True\n"
    "  object Pages: TPageControl\n"
    "    Left = 4\n"
    "    Top = 4\n"
    "    Width = 412\n"
    "    Height = 292\n"
    "    ActivePage = First\n"
    "    object First: TTabSheet\n"
    "      Caption = 'Seite [&1]'\n"
    "      object Stil: TCheckBox\n"
    "        Left = 8\n"
    "        Top = 8\n"
    "        Width = 120\n"
    "        Height = 17\n"
    "        Caption = 'Stil'\n"
    "      end\n"
    "      object Versteckt: TCheckBox\n"
    "        Left = 8\n"
    "        Top = 40\n"
    "        Width = 120\n"
    "        Height = 17\n"
    "        Caption = 'Versteckt'\n"
    "        Visible = False\n"
    "      end\n"
    "    end\n"
    "    object Second: TTabSheet\n"
    "      Caption = 'Seite [&2]'\n"
    "      object Gruppe: TGroupBox\n"
    "        Left = 8\n"
    "        Top = 8\n"
    "        Width = 380\n"
    "        Height = 240\n"
    "        Caption = ' Gr'#246#223'e '\n"
    "        object Erste: TCheckBox\n"
    "          Left = 8\n"
    "          Top = 20\n"
    "          Width = 150\n"
    "          Height = 17\n"
    "          Caption = #220'berpr'#252'fen'\n"
    "          Checked = True\n"
    "          Hint = 'Pr'#252'ft alles'\n"
    "        end\n"
    "        object Menge: TEdit\n"
    "          Left = 8\n"
    "          Top = 50\n"
    "          Width = 60\n"
    "          Text = '1.024'\n"
    "        end\n"
    "        object Schritt: TUpDown\n"
    "          Left = 68\n"
    "          Top = 50\n"
    "          Associate = Menge\n"
    "          Min = 512\n"
    "          Max = 8192\n"
    "          Position = 1024\n"
    "        end\n"
    "        object Zweite: TRadioButton\n"
    "          Left = 8\n"
    "          Top = 90\n"
    "          Width = 150\n"
    "          Height = 17\n"
    "          Caption = 'Zweite'\n"
    "        end\n"
    "        object Regler: TTrackBar\n"
    "          Left = 8\n"
    "          Top = 120\n"
    "          Width = 200\n"
    "          Max = 8000\n"
    "          Position = 3500\n"
    "          OnChange = ReglerChange\n"
    "        end\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

std::vector<std::vector<std::string>> gLateBatches;
int gBatchesStarted = 0;

void NoteLate(const std::vector<TWinControl*>& made) {
  std::vector<std::string> names;
  for (TWinControl* control : made) {
    EXPECT_TRUE(control->HandleAllocated()) << control->Name();
    names.push_back(control->Name());
  }
  gLateBatches.push_back(names);
}

void NoteBatch(bool starting) {
  if (starting) ++gBatchesStarted;
}

class TLateForm : public TForm {
 public:
  TLateForm() : TForm(nullptr) { LoadDescription(kDescription, "late.dfm"); }
  const char* ClassName() const override { return "TLateForm"; }
  TEvent FindHandler(const std::string& name) override {
    static const HandlerEntry<TLateForm> kHandlers[] = {{"ReglerChange", &TLateForm::ReglerChange}};
    return FindHandlerIn(this, kHandlers, name);
  }
  void ReglerChange(TEventArgs&) {
    changes.push_back(Bind<TTrackBar>(*this, "Regler")->Position());
  }
  std::vector<int> changes;
};

class LateWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterStandardClasses();
  }
  void SetUp() override {
    SetLateControlWindowsHandler(&NoteLate);
    SetControlWindowsBatchHandler(&NoteBatch);
    form.Show();
    Application().ProcessMessages();
    // What the first showing made is not what these tests look at.
    gLateBatches.clear();
    gBatchesStarted = 0;
  }
  void TearDown() override {
    SetLateControlWindowsHandler(nullptr);
    SetControlWindowsBatchHandler(nullptr);
  }
  template <typename T>
  T* Get(const char* name) {
    return Bind<T>(form, name);
  }
  bool Made(const char* name) { return Get<TWinControl>(name)->HandleAllocated(); }
  // The children's windows from the top of the stack down.
  static std::vector<HWND> Stack(HWND parent) {
    std::vector<HWND> stack;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) stack.push_back(w);
    return stack;
  }
  // The hints the form's tool-tip window knows.
  int ToolCount() {
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    return tooltip ? static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0)) : -1;
  }
  static BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
  }

  TLateForm form;
};

TEST_F(LateWindows, APageNotShownKeepsItsStatesAndShowsThemWhenFirstShown) {
  // The first page and its visible box have windows; nothing of the second
  // page has, the hidden box neither.
  EXPECT_TRUE(Made("First"));
  EXPECT_TRUE(Made("Stil"));
  EXPECT_FALSE(Made("Versteckt"));
  for (const char* name : {"Second", "Gruppe", "Erste", "Menge", "Schritt", "Zweite", "Regler"})
    EXPECT_FALSE(Made(name)) << name;
  const int toolsAtStart = ToolCount();

  // States read and set as with windows.
  FormControlStates states(form);
  EXPECT_TRUE(states.Checked("Erste"));
  EXPECT_EQ(states.Text("Menge"), "1,024") << "the up-down shows its position in its edit";
  EXPECT_EQ(states.Position("Regler"), 3500);
  states.SetChecked("Erste", false);
  states.SetChecked("Zweite", true);
  Get<TEdit>("Menge")->SetText("2048");
  EXPECT_EQ(states.Position("Schritt"), 2048) << "an up-down reads its edit, as its window does";
  Get<TTrackBar>("Regler")->SetPosition(9000);
  EXPECT_EQ(states.Position("Regler"), 8000) << "kept in range, as the window keeps it";
  EXPECT_EQ(form.changes, std::vector<int>{8000}) << "told without a window too";
  EXPECT_FALSE(Made("Erste"));
  EXPECT_TRUE(gLateBatches.empty());

  // The page's first showing makes its windows in one batch, parents before
  // their children, and they show the states set meanwhile.
  ASSERT_TRUE(form.DialogChar('2'));
  ASSERT_EQ(gLateBatches.size(), 1u);
  EXPECT_EQ(gBatchesStarted, 1);
  const std::vector<std::string>& made = gLateBatches[0];
  ASSERT_EQ(made.size(), 7u);
  EXPECT_EQ(made[0], "Second");
  EXPECT_EQ(made[1], "Gruppe");
  EXPECT_TRUE(IsWindowVisible(Get<TWinControl>("Erste")->Handle()));
  EXPECT_EQ(SendMessageA(Get<TWinControl>("Erste")->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(Get<TWinControl>("Zweite")->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(Get<TWinControl>("Regler")->Handle(), TBM_GETPOS, 0, 0), 8000);
  EXPECT_EQ(SendMessageA(Get<TWinControl>("Schritt")->Handle(), UDM_GETPOS32, 0, 0), 2048);
  EXPECT_EQ(states.Text("Menge"), "2,048") << "written back by the up-down's window";
  EXPECT_EQ(states.Position("Schritt"), 2048);
  // Stacked as though made with the form: a later control over an earlier one.
  HWND group = Get<TWinControl>("Gruppe")->Handle();
  const std::vector<HWND> stack = Stack(group);
  const std::vector<HWND> expected = {
      Get<TWinControl>("Regler")->Handle(), Get<TWinControl>("Zweite")->Handle(),
      Get<TWinControl>("Schritt")->Handle(), Get<TWinControl>("Menge")->Handle(),
      Get<TWinControl>("Erste")->Handle()};
  EXPECT_EQ(stack, expected);
  // The box's hint is registered with its window.
  EXPECT_EQ(ToolCount(), toolsAtStart + 1);

  // Showing it again makes nothing more.
  ASSERT_TRUE(form.DialogChar('1'));
  ASSERT_TRUE(form.DialogChar('2'));
  EXPECT_EQ(gLateBatches.size(), 1u);
}

TEST_F(LateWindows, AHandleAskedForMakesThatWindowAloneWhereItBelongs) {
  HWND second = Get<TWinControl>("Zweite")->Handle();
  ASSERT_TRUE(second);
  // Its containers came with it; its siblings still wait.
  EXPECT_TRUE(Made("Second"));
  EXPECT_TRUE(Made("Gruppe"));
  EXPECT_FALSE(Made("Erste"));
  EXPECT_FALSE(Made("Regler"));
  ASSERT_EQ(gLateBatches.size(), 1u);
  EXPECT_EQ(gLateBatches[0], (std::vector<std::string>{"Second", "Gruppe", "Zweite"}));
  EXPECT_FALSE(IsWindowVisible(second)) << "its page is not shown";
  // Each goes where it would be had they been made together: the last
  // control over the others, an up-down (which brings its edit) under it.
  HWND last = Get<TWinControl>("Regler")->Handle();
  HWND group = Get<TWinControl>("Gruppe")->Handle();
  EXPECT_EQ(Stack(group), (std::vector<HWND>{last, second}));
  Get<TWinControl>("Schritt")->HandleNeeded();
  EXPECT_EQ(gLateBatches.back(), (std::vector<std::string>{"Schritt", "Menge"}));
  const std::vector<HWND> stacked = {last, second, Get<TWinControl>("Schritt")->Handle(),
                                     Get<TWinControl>("Menge")->Handle()};
  EXPECT_EQ(Stack(group), stacked);

  // The page shown later makes the rest.
  ASSERT_TRUE(form.DialogChar('2'));
  EXPECT_EQ(gLateBatches.back(), std::vector<std::string>{"Erste"});
  std::vector<HWND> all = stacked;
  all.push_back(Get<TWinControl>("Erste")->Handle());
  EXPECT_EQ(Stack(group), all);
}

TEST_F(LateWindows, AHiddenControlGetsItsWindowWhenShown) {
  auto* hidden = Get<TCheckBox>("Versteckt");
  hidden->SetChecked(true);
  EXPECT_FALSE(hidden->HandleAllocated());
  hidden->SetVisible(true);
  ASSERT_TRUE(hidden->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(hidden->Handle()));
  EXPECT_EQ(SendMessageA(hidden->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(gLateBatches, (std::vector<std::vector<std::string>>{{"Versteckt"}}));
  // Hidden and shown again, it keeps its window.
  hidden->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
  hidden->SetVisible(true);
  EXPECT_EQ(gLateBatches.size(), 1u);
}

TEST_F(LateWindows, AnUpDownWithoutItsWindowReadsAndWritesItsEditAsTheWindowDoes) {
  auto* upDown = Get<TUpDown>("Schritt");
  auto* edit = Get<TEdit>("Menge");
  // Separators are left out; a number out of range or no number leaves the
  // last position.
  edit->SetText("4,096");
  EXPECT_EQ(upDown->Position(), 4096);
  edit->SetText("9000");
  EXPECT_EQ(upDown->Position(), 1024);
  edit->SetText(
      "zw"
      "\xF6"
      "lf");
  EXPECT_EQ(upDown->Position(), 1024);
  // Set, it keeps within its range and writes its edit.
  upDown->SetPosition(100);
  EXPECT_EQ(upDown->Position(), 512);
  EXPECT_EQ(edit->Text(), "512");
  upDown->SetPosition(8000);
  EXPECT_EQ(edit->Text(), "8,000");
  EXPECT_FALSE(upDown->HandleAllocated());
  // The window, made now, agrees.
  HWND window = upDown->Handle();
  EXPECT_EQ(SendMessageA(window, UDM_GETPOS32, 0, 0), 8000);
  EXPECT_EQ(edit->Text(), "8,000");
}

}  // namespace
}  // namespace velotune
