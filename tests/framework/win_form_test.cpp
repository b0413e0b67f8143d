// The framework's controls over real windows, under Wine: a small form read
// from a description, its messages, notifications and properties.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_control_states.h"
#include "framework/application.h"
#include "framework/containers.h"
#include "framework/dfm_parser.h"
#include "framework/dib.h"
#include "framework/form.h"
#include "framework/graphic_controls.h"
#include "framework/shown_region.h"
#include "framework/standard_classes.h"
#include "framework/std_controls.h"
#include "support/box_answerer.h"

namespace velotune {
namespace {

const char kDescription[] =
    "object TestForm: TTestForm\n"
    "  Caption = 'Test'\n"
    "  ClientWidth = 400\n"
    "  ClientHeight = 300\n"
    "  object Panel: TPanel\n"
    "    Left = 0\n"
    "    Top = 0\n"
    "    Width = 400\n"
    "    Height = 300\n"
    "    object Box: TCheckBox\n"
    "      Left = 8\n"
    "      Top = 8\n"
    "      Width = 100\n"
    "      Height = 17\n"
    "      Caption = 'Tick'\n"
    "      Checked = True\n"
    "      OnClick = BoxClick\n"
    "    end\n"
    "    object Go: TButton\n"
    "      Left = 8\n"
    "      Top = 40\n"
    "      Caption = '&Go'\n"
    "      Default = True\n"
    "      OnClick = GoClick\n"
    "    end\n"
    "    object Num: TEdit\n"
    "      Left = 8\n"
    "      Top = 70\n"
    "      Width = 40\n"
    "      Text = '5'\n"
    "    end\n"
    "    object Spin: TUpDown\n"
    "      Left = 48\n"
    "      Top = 70\n"
    "      Associate = Num\n"
    "      Max = 10\n"
    "      Position = 5\n"
    "    end\n"
    "    object Lbl: TLabel\n"
    "      Left = 200\n"
    "      Top = 8\n"
    "      Width = 60\n"
    "      Height = 13\n"
    "      AutoSize = False\n"
    "      Caption = 'Click me'\n"
    "      OnClick = LabelClick\n"
    "      OnMouseDown = LabelDown\n"
    "      OnMouseUp = LabelUp\n"
    "    end\n"
    "    object Broken: TImage\n"
    "      Left = 200\n"
    "      Top = 40\n"
    "      Picture.Data = {0A544A504547496D6167650500000001020304FF}\n"
    "    end\n"
    "    object Pages: TPageControl\n"
    "      Left = 8\n"
    "      Top = 100\n"
    "      Width = 380\n"
    "      Height = 190\n"
    "      ActivePage = SheetB\n"
    "      object SheetA: TTabSheet\n"
    "        Caption = 'Page [&1]'\n"
    "      end\n"
    "      object SheetB: TTabSheet\n"
    "        Caption = 'Page [&2]'\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

std::vector<std::string> gErrors;

class TTestForm : public TForm {
 public:
  explicit TTestForm(const std::string& text) : TForm(nullptr) {
    LoadDescription(text, "test.dfm");
  }
  const char* ClassName() const override { return "TTestForm"; }
  TEvent FindHandler(const std::string& name) override {
    static const HandlerEntry<TTestForm> kHandlers[] = {
        {"BoxClick", &TTestForm::BoxClick},     {"GoClick", &TTestForm::GoClick},
        {"LabelClick", &TTestForm::LabelClick}, {"LabelDown", &TTestForm::LabelDown},
        {"LabelUp", &TTestForm::LabelUp},
    };
    return FindHandlerIn(this, kHandlers, name);
  }
  void BoxClick(TEventArgs& e) { clicks.push_back(e.Sender->Name()); }
  void GoClick(TEventArgs& e) {
    clicks.push_back(e.Sender->Name());
    if (failGo) throw Exception("Boom");
  }
  void LabelClick(TEventArgs& e) { clicks.push_back(e.Sender->Name()); }
  void LabelDown(TEventArgs& e) { presses.push_back("down " + std::to_string(e.Button)); }
  void LabelUp(TEventArgs& e) { presses.push_back("up " + std::to_string(e.Button)); }

  std::vector<std::string> clicks;
  std::vector<std::string> presses;
  bool failGo = false;
};

class WinForm : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterStandardClasses();
    Application().SetTitle("Velotune");
    Application().onException = [](const std::exception& e) { gErrors.push_back(e.what()); };
  }
  void SetUp() override {
    gErrors.clear();
    form = new TTestForm(kDescription);
    form->Show();
    Application().ProcessMessages();
  }
  void TearDown() override { delete form; }
  template <typename T>
  T* Get(const char* name) {
    return Bind<T>(*form, name);
  }

  TTestForm* form = nullptr;
};

TEST_F(WinForm, CreatesWindowsFromTheDescription) {
  auto* panel = Get<TPanel>("Panel");
  auto* box = Get<TCheckBox>("Box");
  ASSERT_TRUE(box->HandleAllocated());
  EXPECT_EQ(GetParent(box->Handle()), panel->Handle());
  char cls[64];
  GetClassNameA(box->Handle(), cls, sizeof(cls));
  EXPECT_STRCASEEQ(cls, "Button");
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(form->ClientWidth(), 400);
  EXPECT_EQ(form->ClientHeight(), 300);
  // Properties by name, as text, over the live window.
  EXPECT_EQ(box->GetPropText("Checked"), "True");
  box->SetPropText("Checked", "False");
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Get<TButton>("Go")->GetPropText("Default"), "True");
  EXPECT_EQ(Get<TLabel>("Lbl")->GetPropText("Transparent"), "False");
  EXPECT_EQ(panel->GetPropText("ParentBackground"), "True");
  Get<TLabel>("Lbl")->SetPropText("Caption", "New");
  EXPECT_EQ(Get<TLabel>("Lbl")->Caption(), "New");
  // The whole form in tab order, and the form among the program's forms.
  std::vector<std::string> order;
  for (TWinControl* c : form->TabOrderList()) order.push_back(c->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"Panel", "Box", "Go", "Num", "Spin", "Pages", "SheetA",
                                             "SheetB"}));
  EXPECT_EQ(TForm::Forms(), std::vector<TForm*>{form});
  // A picture that cannot be decoded stays empty.
  EXPECT_TRUE(Get<TImage>("Broken")->Picture().Empty());
}

TEST_F(WinForm, NotificationsReachTheControlThatSentThem) {
  SendMessageA(Get<TButton>("Go")->Handle(), BM_CLICK, 0, 0);
  SendMessageA(Get<TCheckBox>("Box")->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->clicks, (std::vector<std::string>{"Go", "Box"}));
  EXPECT_FALSE(Get<TCheckBox>("Box")->Checked());
}

TEST_F(WinForm, ParentPassesMouseClicksToNonWindowedControls) {
  HWND panel = Get<TPanel>("Panel")->Handle();
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(210, 12));
  SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(210, 12));
  // Pressed on the label but released elsewhere: no click.
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(210, 12));
  SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(390, 290));
  EXPECT_EQ(form->clicks, (std::vector<std::string>{"Lbl"}));
}

// Mouse down and up reach a non-windowed control for every button, the
// middle one included; only the left button clicks.
TEST_F(WinForm, EveryMouseButtonPressesANonWindowedControl) {
  HWND panel = Get<TPanel>("Panel")->Handle();
  const struct {
    UINT down, up;
    WPARAM keys;
  } buttons[] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON},
                 {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
                 {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON}};
  for (const auto& b : buttons) {
    SendMessageA(panel, b.down, b.keys, MAKELPARAM(210, 12));
    SendMessageA(panel, b.up, 0, MAKELPARAM(210, 12));
  }
  EXPECT_EQ(form->presses,
            (std::vector<std::string>{"down 0", "up 0", "down 1", "up 1", "down 2", "up 2"}));
  EXPECT_EQ(form->clicks, (std::vector<std::string>{"Lbl"}));
}

TEST_F(WinForm, WindowProcSeesMessagesBeforeAndAfterTheControl) {
  auto* box = Get<TCheckBox>("Box");
  std::vector<std::string> seen;
  TWndMethod previous = box->WindowProc;
  box->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_ENABLEDCHANGED) seen.push_back("before enabled-changed");
    if (m.Msg == BM_GETCHECK) seen.push_back("before get-check");
    previous(m);
    if (m.Msg == BM_GETCHECK) seen.push_back("after get-check=" + std::to_string(m.Result));
  };
  box->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(box->Handle()));
  // Reading the state asks the window, through WindowProc too.
  EXPECT_TRUE(box->Checked());
  box->WindowProc = previous;
  EXPECT_EQ(seen, (std::vector<std::string>{"before enabled-changed", "before get-check",
                                            "after get-check=1"}));
  EXPECT_EQ(CM_ENABLEDCHANGED, 0xB00Cu);
  EXPECT_EQ(CM_MOUSELEAVE, 0xB014u);
  EXPECT_EQ(CM_DIALOGKEY, 0xB005u);
  EXPECT_EQ(CM_FOCUSCHANGED, 0xB007u);
  EXPECT_EQ(CN_NOTIFY, 0xBC4Eu);
}

TEST_F(WinForm, FocusChangesAreBroadcast) {
  int focusChanges = 0;
  auto* box = Get<TCheckBox>("Box");
  TWndMethod previous = box->WindowProc;
  box->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_FOCUSCHANGED) ++focusChanges;
    previous(m);
  };
  Get<TEdit>("Num")->SetFocus();
  Get<TButton>("Go")->SetFocus();
  box->WindowProc = previous;
  EXPECT_GE(focusChanges, 2);
  EXPECT_EQ(form->ActiveControl(), Get<TButton>("Go"));
}

TEST_F(WinForm, TheFocusIsFollowedOnTheFrameworksWindowsAndNowhereElse) {
  auto* go = Get<TButton>("Go");
  go->SetFocus();
  EXPECT_EQ(TWinControl::FocusedWindow(), GetFocus());
  // On a window the framework does not know, the system is the one to ask.
  HWND plain = CreateWindowExA(0, "EDIT", "Fremd", WS_CHILD | WS_VISIBLE, 200, 8, 80, 20,
                               Get<TPanel>("Panel")->Handle(), nullptr, nullptr, nullptr);
  SetFocus(plain);
  EXPECT_EQ(TWinControl::FocusedWindow(), nullptr);
  go->SetFocus();
  DestroyWindow(plain);
  // A focused window that goes, its procedure given back first, is forgotten.
  go->DestroyHandle();
  const HWND now = GetFocus();
  EXPECT_EQ(TWinControl::FocusedWindow(), TWinControl::FromHandle(now) ? now : nullptr);
}

TEST_F(WinForm, UpDownKeepsItsEditCurrent) {
  auto* spin = Get<TUpDown>("Spin");
  auto* edit = Get<TEdit>("Num");
  EXPECT_EQ(spin->Associate(), edit);
  EXPECT_EQ(spin->Position(), 5);
  spin->SetPosition(7);
  EXPECT_EQ(edit->Text(), "7");
  // The range holds.
  SendMessageA(spin->Handle(), UDM_SETPOS32, 0, 50);
  EXPECT_EQ(spin->Position(), 10);
}

TEST_F(WinForm, TabsHideAndShowAndFollowTheirAccelerators) {
  auto* pages = Get<TPageControl>("Pages");
  HWND tabs = pages->Handle();
  EXPECT_EQ(pages->ActivePage(), Get<TTabSheet>("SheetB"));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(form->DialogChar('1'));
  EXPECT_EQ(pages->ActivePage(), Get<TTabSheet>("SheetA"));
  EXPECT_FALSE(form->DialogChar('9'));
  Get<TTabSheet>("SheetA")->SetTabVisible(false);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(pages->AcceleratorPage('1'), nullptr);
  Get<TTabSheet>("SheetA")->SetTabVisible(true);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(WinForm, AFailingHandlerGoesToTheErrorBoxAndTheFormGoesOn) {
  form->failGo = true;
  SendMessageA(Get<TButton>("Go")->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(gErrors, std::vector<std::string>{"Boom"});
  form->failGo = false;
  SendMessageA(Get<TButton>("Go")->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->clicks.size(), 2u);
}

TEST_F(WinForm, ScaleByShrinksBoundsFontsAndClientArea) {
  auto* go = Get<TButton>("Go");
  int fontHeight = form->Font().Height();
  form->ScaleBy(95, 100);
  EXPECT_EQ(form->ClientWidth(), 380);
  EXPECT_EQ(form->ClientHeight(), 285);
  EXPECT_EQ(go->Left(), 8);    // 7.6
  EXPECT_EQ(go->Top(), 38);    // 38
  EXPECT_EQ(go->Width(), 71);  // 71.25
  RECT r;
  GetWindowRect(go->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 71);
  EXPECT_EQ(form->Font().Height(), ScaleRounded(fontHeight, 95, 100));
}

TEST_F(WinForm, CataloguesReadAndSetControlsByName) {
  FormControlStates states(*form);
  EXPECT_TRUE(states.Checked("Box"));
  states.SetChecked("Box", false);
  EXPECT_EQ(SendMessageA(Get<TCheckBox>("Box")->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(states.Text("Num"), "5");
  SetWindowTextA(Get<TEdit>("Num")->Handle(), "8");
  EXPECT_EQ(states.Text("Num"), "8");
  // The up-down reads its position back from its edit.
  EXPECT_EQ(states.Position("Spin"), 8);
  EXPECT_TRUE(states.Enabled("Go"));
  Get<TButton>("Go")->SetEnabled(false);
  EXPECT_FALSE(states.Enabled("Go"));
  // A name the form lacks, or a state the control has not, is a fault.
  EXPECT_THROW(states.Checked("Nope"), Exception);
  EXPECT_THROW(states.Position("Box"), Exception);
  EXPECT_THROW(states.ItemIndex("Num"), Exception);
}

TEST(WinFormDescription, ABadDescriptionNamesFileAndLine) {
  const char* bad =
      "object TestForm: TTestForm\n"
      "  object Go: TButton\n"
      "    Colour = clRed\n"
      "  end\n"
      "end\n";
  try {
    TTestForm form(bad);
    FAIL() << "no error";
  } catch (const EFormDescriptionError& e) {
    EXPECT_EQ(e.Line(), 3);
    EXPECT_NE(std::string(e.what()).find("test.dfm, line 3"), std::string::npos) << e.what();
  }
}

// The error box as shown for a message, answered with OK.
AnsweredBox ShowErrorBox(const std::string& message) {
  auto keep = Application().onException;
  Application().onException = nullptr;
  BoxAnswerer answerer(IDOK);
  Application().HandleException(Exception(message));
  Application().onException = keep;
  return answerer.Result();
}

// However long the message, the box and its OK button stay on the screen:
// lines that do not fit are left out and a last line says so.
TEST(ErrorBox, FitsOnTheScreenWhateverTheMessage) {
  EXPECT_EQ(ShowErrorBox("Missing C:\\FIXER").text, "Missing C:\\FIXER.");
  std::string tall = "Some repairs could not be started:";
  for (int i = 0; i < 200; ++i)
    tall += "\r\nMissing C:\\Program Files\\Velotune\\FIXER\\Script" + std::to_string(i) + ".fix";
  const AnsweredBox shown = ShowErrorBox(tall);
  ASSERT_TRUE(shown.shown);
  const int screen = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_GE(shown.box.top, 0);
  EXPECT_LE(shown.box.bottom, screen);
  EXPECT_GT(shown.button.top, shown.box.top);
  EXPECT_LE(shown.button.bottom, shown.box.bottom);
  EXPECT_TRUE(shown.childrenInside);
  EXPECT_EQ(shown.text.rfind("Some repairs could not be started:\r\nMissing ", 0), 0u);
  ASSERT_GT(shown.text.size(), 9u);
  EXPECT_EQ(shown.text.substr(shown.text.size() - 9), ".fix\r\n...") << shown.text;
  EXPECT_EQ(tall.compare(0, shown.text.size() - 5, shown.text, 0, shown.text.size() - 5), 0);
}

// What a paint shows, told in the window's client coordinates however far
// from the screen's corner the window lies.
TEST(ShownRegion, LeavesOutChildrenAndWhatIsNotToBePainted) {
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 57, 83,
                                200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExA(0, "STATIC", "Kind", WS_CHILD | WS_VISIBLE, 0, 0, 120, 100, window,
                               nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  // The clip box of a buffer clipped to what a paint of `dirty` shows; the
  // empty box when nothing shows.
  const auto shownBox = [window](const RECT* dirty) {
    InvalidateRect(window, dirty, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT box{};
    const ShownRegion shown(dc, window);
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 200, 100);
    HGDIOBJ old = SelectObject(buffer, bitmap);
    shown.ClipTo(buffer);
    if (!shown.Empty()) GetClipBox(buffer, &box);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
    EndPaint(window, &ps);
    return std::vector<LONG>{box.left, box.top, box.right, box.bottom};
  };
  EXPECT_EQ(shownBox(nullptr), (std::vector<LONG>{120, 0, 200, 100}));
  const RECT dirty{150, 10, 170, 25};
  EXPECT_EQ(shownBox(&dirty), (std::vector<LONG>{150, 10, 170, 25}));
  MoveWindow(child, 0, 0, 200, 100, FALSE);
  EXPECT_EQ(shownBox(nullptr), (std::vector<LONG>{0, 0, 0, 0})) << "covered whole by its child";
  DestroyWindow(window);
}

// A picture's transparent colour shows what lies under it, whether the
// picture is drawn into a bitmap made for the screen or into a 32-bit DIB
// section, as forms and skinned controls paint off screen.
TEST(DrawPixels, TheTransparentColourShowsWhatLiesUnder) {
  Pixels picture;
  picture.width = 2;
  picture.height = 1;
  picture.argb = {0xFFFF00FFu, 0xFF102030u};  // as decoded: full alpha
  HDC screen = GetDC(nullptr);
  BITMAPINFO info = DibInfo32(2, 1);
  void* bits = nullptr;
  const HBITMAP targets[] = {CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0),
                             CreateCompatibleBitmap(screen, 2, 1)};
  for (HBITMAP target : targets) {
    ASSERT_TRUE(target);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all{0, 0, 2, 1};
    HBRUSH under = CreateSolidBrush(RGB(0, 128, 0));
    FillRect(dc, &all, under);
    DeleteObject(under);
    DrawPixels(dc, picture, all, 0xFF00FF);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 128, 0)) << (target == targets[0] ? "DIB" : "screen");
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0x10, 0x20, 0x30));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(target);
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace velotune
