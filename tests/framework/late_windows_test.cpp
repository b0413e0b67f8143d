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
#include "framework/form.h"
#include "framework/standard_classes.h"
#include "framework/std_controls.h"

namespace velotune {
namespace {

// The second page, never shown yet, holds a group box with a check box, an
// edit with its up-down and a track bar; the first a hidden box.
const char kDescription[] =
    "object LateForm: TLateForm\n"
    "  ClientWidth = 420\n"
    "  ClientHeight = 300\n"
    "  ShowHint = True\n"
    "  object Pages: TPageControl\n"
    "    Width = 412\n"
    "    Height = 292\n"
    "    object First: TTabSheet\n"
    "      Caption = 'Seite [&1]'\n"
    "      object Versteckt: TCheckBox\n"
    "        Caption = 'Versteckt'\n"
    "        Visible = False\n"
    "      end\n"
    "    end\n"
    "    object Second: TTabSheet\n"
    "      Caption = 'Seite [&2]'\n"
    "      object Gruppe: TGroupBox\n"
    "        Width = 380\n"
    "        Height = 240\n"
    "        Caption = ' Gr'#246#223'e '\n"
    "        object Erste: TCheckBox\n"
    "          Top = 20\n"
    "          Caption = #220'berpr'#252'fen'\n"
    "          Checked = True\n"
    "          Hint = 'Pr'#252'ft alles'\n"
    "        end\n"
    "        object Menge: TEdit\n"
    "          Top = 50\n"
    "          Text = '1.024'\n"
    "        end\n"
    "        object Schritt: TUpDown\n"
    "          Left = 121\n"
    "          Top = 50\n"
    "          Associate = Menge\n"
    "          Min = 512\n"
    "          Max = 8192\n"
    "          Position = 1024\n"
    "        end\n"
    "        object Regler: TTrackBar\n"
    "          Top = 120\n"
    "          Max = 8000\n"
    "          Position = 3500\n"
    "          OnChange = ReglerChange\n"
    "        end\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

std::vector<std::vector<std::string>> gMade;  // each late batch's controls
int gBatches = 0;

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
    SetLateControlWindowsHandler([](const std::vector<TWinControl*>& made) {
      gMade.emplace_back();
      for (TWinControl* control : made) gMade.back().push_back(control->Name());
    });
    SetControlWindowsBatchHandler([](bool starting) { gBatches += starting; });
    form.Show();
    gMade.clear();
    gBatches = 0;
  }
  void TearDown() override {
    SetLateControlWindowsHandler(nullptr);
    SetControlWindowsBatchHandler(nullptr);
  }
  HWND Window(const char* name) { return Bind<TWinControl>(form, name)->Handle(); }
  bool Made(const char* name) { return Bind<TWinControl>(form, name)->HandleAllocated(); }
  // The children's windows from the top of the stack down.
  static std::vector<HWND> Stack(HWND parent) {
    std::vector<HWND> stack;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) stack.push_back(w);
    return stack;
  }

  TLateForm form;
};

TEST_F(LateWindows, APageNotShownKeepsItsStatesAndShowsThemWhenFirstShown) {
  for (const char* name : {"Second", "Gruppe", "Erste", "Menge", "Schritt", "Regler", "Versteckt"})
    EXPECT_FALSE(Made(name)) << name;
  // Read and set as with windows; the up-down shows its position in its
  // edit and reads it back, the track bar keeps its range and tells.
  FormControlStates states(form);
  EXPECT_TRUE(states.Checked("Erste"));
  EXPECT_EQ(states.Text("Menge"), "1,024");
  states.SetChecked("Erste", false);
  Bind<TEdit>(form, "Menge")->SetText("2048");
  EXPECT_EQ(states.Position("Schritt"), 2048);
  Bind<TTrackBar>(form, "Regler")->SetPosition(9000);
  EXPECT_EQ(states.Position("Regler"), 8000);
  EXPECT_EQ(form.changes, std::vector<int>{8000});
  EXPECT_TRUE(gMade.empty());

  // The first showing makes the page in one batch, parents first, the
  // states set meanwhile shown, the controls stacked as though made with
  // the form (a later one over an earlier one).
  ASSERT_TRUE(form.DialogChar('2'));
  EXPECT_EQ(gBatches, 1);
  EXPECT_EQ(gMade, (std::vector<std::vector<std::string>>{
                       {"Second", "Gruppe", "Regler", "Schritt", "Menge", "Erste"}}));
  EXPECT_TRUE(IsWindowVisible(Window("Erste")));
  EXPECT_EQ(SendMessageA(Window("Erste"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(Window("Regler"), TBM_GETPOS, 0, 0), 8000);
  EXPECT_EQ(SendMessageA(Window("Schritt"), UDM_GETPOS32, 0, 0), 2048);
  EXPECT_EQ(states.Text("Menge"), "2,048");
  EXPECT_EQ(Stack(Window("Gruppe")), (std::vector<HWND>{Window("Regler"), Window("Schritt"),
                                                        Window("Menge"), Window("Erste")}));
  // The box's hint came with its window.
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = Window("Gruppe");
  tool.uId = reinterpret_cast<UINT_PTR>(Window("Erste"));
  HWND tooltip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
  while (tooltip && GetWindow(tooltip, GW_OWNER) != form.Handle())
    tooltip = FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr);
  EXPECT_TRUE(SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));

  // Shown again, it makes nothing more.
  form.DialogChar('1');
  form.DialogChar('2');
  EXPECT_EQ(gMade.size(), 1u);
}

TEST_F(LateWindows, AHandleAskedForMakesThatWindowAloneWhereItBelongs) {
  HWND first = Window("Erste");
  EXPECT_EQ(gMade, (std::vector<std::vector<std::string>>{{"Second", "Gruppe", "Erste"}}));
  EXPECT_FALSE(IsWindowVisible(first)) << "its page is not shown";
  // The last control goes over the first; an up-down brings its edit and
  // goes between them.
  HWND last = Window("Regler");
  EXPECT_EQ(Stack(Window("Gruppe")), (std::vector<HWND>{last, first}));
  HWND upDown = Window("Schritt");
  EXPECT_EQ(gMade.back(), (std::vector<std::string>{"Schritt", "Menge"}));
  EXPECT_EQ(Stack(Window("Gruppe")), (std::vector<HWND>{last, upDown, Window("Menge"), first}));
  ASSERT_TRUE(form.DialogChar('2'));
  EXPECT_EQ(gMade.size(), 3u) << "nothing left to make";
}

TEST_F(LateWindows, AHiddenControlGetsItsWindowWhenShown) {
  auto* hidden = Bind<TCheckBox>(form, "Versteckt");
  hidden->SetChecked(true);
  hidden->SetVisible(true);
  ASSERT_TRUE(hidden->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(hidden->Handle()));
  EXPECT_EQ(SendMessageA(hidden->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(gMade, (std::vector<std::vector<std::string>>{{"Versteckt"}}));
}

TEST_F(LateWindows, AnUpDownWithoutItsWindowReadsAndWritesItsEditAsTheWindowDoes) {
  auto* upDown = Bind<TUpDown>(form, "Schritt");
  auto* edit = Bind<TEdit>(form, "Menge");
  // Separators are left out; out of range or no number, the last position.
  for (const char* text : {"4,096", "9000", "zw\xF6lf"}) {
    edit->SetText(text);
    EXPECT_EQ(upDown->Position(), 4096) << text;
  }
  upDown->SetPosition(100);
  EXPECT_EQ(edit->Text(), "512") << "kept in range and written into the edit";
  upDown->SetPosition(8000);
  EXPECT_EQ(SendMessageA(upDown->Handle(), UDM_GETPOS32, 0, 0), 8000);
  EXPECT_EQ(edit->Text(), "8,000");
}

}  // namespace
}  // namespace velotune
