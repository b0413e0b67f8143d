// Push buttons, edits and spins of a small skinned form in this process
// under Wine: what each draws in each state, compared with the skin's strips,
// and that they still click and step.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <utility>

#include "framework/containers.h"
#include "framework/std_controls.h"
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_up_down.h"
#include "skin/frame/skin_messages.h"
#include "skin/manager/wrapper_registry.h"
#include "skin_files.h"
#include "skinned_window_support.h"

namespace velotune::skin {
namespace {

using testing::ArrowDifference;
using testing::Canvas;
using testing::PrintClient;
using testing::PumpUntil;

constexpr COLORREF kPanelRed = RGB(200, 30, 30);

class TControlsForm : public TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TSkinControlsForm"; }
};

HWND ChildWindow(const char* className, DWORD style, HWND parent, int x, int y, int w, int h) {
  return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A form with its own skin component and the odd cases: a default and a
// disabled default button, a Tag 5555 button on a red unskinned panel, a
// disabled up-down, an edit with a spin inside it, and windows the form does
// not know (a horizontal spin, an edit without border) wrapped by handle, as
// the tab wrapper wraps its scroll arrows.
class ControlsForm {
 public:
  explicit ControlsForm(const testing::Bytes& skinFile) {
    form = testing::NewSkinnedTestForm<TControlsForm>("Skinned controls", 140, 120, 420, 260,
                                                      skinFile, &holder);
    plain = Add<TButton>(form, "plain", 10, 10, 90, 25, "Plain");
    plain->SetEvent("OnClick", [this](TEventArgs&) { ++clicks; });
    byDefault = Add<TButton>(form, "byDefault", 110, 10, 90, 25, "Default");
    disabled = Add<TButton>(form, "disabled", 210, 10, 90, 25, "Disabled");
    byDefault->isDefault = disabled->isDefault = true;
    disabled->SetEnabled(false);
    auto* panel = Add<TPanel>(form, "panel", 10, 45, 120, 40);
    panel->SetTag(99);
    panel->SetColor(kPanelRed);
    clear = Add<TButton>(panel, "clear", 10, 8, 90, 25, "Clear");
    clear->SetTag(5555);
    edit = Add<TEdit>(form, "edit", 150, 50, 80, 21);
    spinOff = Add<TUpDown>(form, "spinOff", 340, 50, 16, 21);
    spinOff->SetEnabled(false);
    horizontal = ChildWindow(UPDOWN_CLASSA, UDS_HORZ, form->Handle(), 240, 100, 40, 16);
    SendMessageA(horizontal, UDM_SETRANGE32, 0, 10);
    SendMessageA(horizontal, UDM_SETPOS32, 0, 5);
    bare = ChildWindow("EDIT", 0, form->Handle(), 250, 50, 80, 21);
    RECT client;
    GetClientRect(edit->Handle(), &client);
    inner = ChildWindow(UPDOWN_CLASSA, 0, edit->Handle(), client.right - 14, 0, 14, client.bottom);
    form->Show();
    EXPECT_TRUE(PumpUntil([this] { return Skinned() && Skinned()->State() == fsSkinned; }));
    for (auto [kind, window] : {std::pair{wkSkinUpDown, horizontal}, std::pair{wkSkinEdit, bare}})
      CreateWrapper(kind, nullptr, WrapChoice())
          ->AttachWindow(window, Data(), *Skinned(), Skinned()->ScratchDc());
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  ~ControlsForm() { delete form; }

  template <typename T>
  T* Add(TWinControl* parent, const char* name, int x, int y, int w, int h,
         const char* caption = "") {
    return CreateControl<T>(form, {parent, name, x, y, w, h, caption});
  }
  TSkinData& Data() { return holder->Data(); }
  Pixel Colour(int entry) { return ToPixel(ResolveColour(Data().Colour(entry))); }
  TWinSkinForm* Skinned() { return TSkinManage::Instance()->FindSkinnedWindow(form->Handle()); }
  template <typename T>
  T* WrapperOf(TComponent* control) {
    for (TComponent* c : control->Components())
      if (auto* w = dynamic_cast<T*>(c)) return w;
    return nullptr;
  }

  TForm* form;
  TSkinDataComponent* holder;
  TButton *plain, *byDefault, *disabled, *clear;
  TEdit* edit;
  TUpDown* spinOff;
  HWND horizontal, bare, inner;
  int clicks = 0;
};

// A button as its wrapper paints it, its corners against the strip's frame.
std::string Corners(HWND button, const TDataSkinButton& skin, int index, Pixel behind) {
  RECT r;
  GetClientRect(button, &r);
  return testing::CornersDifference(*PrintClient(button), r, skin, index, behind);
}

bool SamePixels(const Canvas& a, const Canvas& b, const RECT& r) {
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

void MouseTo(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  SetCursorPos(p.x, p.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

TEST(SkinnedControls, PushButtonFramesForEachStateOneClickOnReleaseAndTheFocusRectangle) {
  ControlsForm f(testing::ShippedSkinFile());
  const TDataSkinButton& skin = f.Data().Button();
  const Pixel face = f.Colour(ceButtonFace);
  f.edit->SetFocus();
  EXPECT_EQ("", Corners(f.plain->Handle(), skin, pfNormal, face));
  EXPECT_EQ("", Corners(f.byDefault->Handle(), skin, pfFocused, face)) << "default, not focused";
  EXPECT_EQ("", Corners(f.disabled->Handle(), skin, pfDisabled, face)) << "disabled default";
  EXPECT_EQ("", Corners(f.clear->Handle(), skin, pfNormal, ToPixel(kPanelRed))) << "Tag 5555";

  auto* wrapper = f.WrapperOf<TSkinButton>(f.plain);
  const HWND plain = f.plain->Handle();
  MouseTo(plain, 20, 10);
  EXPECT_EQ("", Corners(plain, skin, pfHover, face));
  SendMessageA(plain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  EXPECT_EQ(plain, GetFocus());
  EXPECT_EQ("", Corners(plain, skin, pfPressed, face));
  EXPECT_EQ(0, f.clicks) << "the press alone does not click";
  SendMessageA(plain, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(1, f.clicks);
  // Pressed, moved off and released elsewhere: no click, no pressed look.
  SendMessageA(plain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  MouseTo(plain, 20, 200);
  ASSERT_TRUE(PumpUntil([&] { return !wrapper->Pressed() && !wrapper->Hover(); }));
  SendMessageA(f.form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 200));
  SendMessageA(plain, WM_LBUTTONUP, 0, MAKELPARAM(20, 200));
  EXPECT_EQ(1, f.clicks);
  EXPECT_EQ("", Corners(plain, skin, pfFocused, face));
  // Space held shows the press; its click comes from the button itself.
  SendMessageA(plain, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ("", Corners(plain, skin, pfPressed, face));
  SendMessageA(plain, WM_KEYUP, VK_SPACE, 0xC0000001);
  SendMessageA(plain, BM_CLICK, 0, 0);
  EXPECT_EQ(3, f.clicks);

  // Focused or default: frame 5 alike, the focus rectangle as the option says.
  const HWND button = f.byDefault->Handle();
  RECT r;
  GetClientRect(button, &r);
  f.edit->SetFocus();
  const auto unfocused = PrintClient(button);
  f.byDefault->SetFocus();
  f.Data().Options |= SetOf(xoNoFocusRect);
  EXPECT_TRUE(SamePixels(*unfocused, *PrintClient(button), r));
  f.Data().Options &= ~SetOf(xoNoFocusRect);
  EXPECT_FALSE(SamePixels(*unfocused, *PrintClient(button), r));
}

TEST(SkinnedControls, EditFrameIsFlatOnScreenAndInPrintNoneWithoutBorder) {
  ControlsForm f(testing::ShippedSkinFile());
  const Pixel shadow = f.Colour(ceButtonShadow), white = MakePixel(255, 255, 255);
  auto screen = [](HWND window) {  // what the window shows, its frame included
    RECT r;
    GetWindowRect(window, &r);
    auto canvas = std::make_unique<Canvas>(r.right - r.left, r.bottom - r.top);
    HDC dc = GetWindowDC(window);
    BitBlt(canvas->Dc(), 0, 0, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return canvas;
  };
  const HWND edit = f.edit->Handle();
  // Also after the system has drawn its own edge again.
  RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const auto shown = screen(edit);
  EXPECT_EQ(shadow, shown->At(0, 10));
  EXPECT_EQ(shadow, shown->At(40, 20));
  EXPECT_EQ(white, shown->At(1, 10));
  EXPECT_EQ(white, shown->At(40, 2));
  EXPECT_NE(shadow, screen(f.bare)->At(0, 10)) << "no border, no frame";

  RECT r;
  GetWindowRect(edit, &r);
  Canvas printed(r.right - r.left, r.bottom - r.top);
  SendMessageA(edit, WM_PRINT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(shadow, printed.At(0, 10));
  EXPECT_EQ(white, printed.At(1, 10)) << "the DC's own brush";

  // The client area alone, on request: the edit's own painting.
  SetWindowTextA(edit, "WWWW");
  GetClientRect(edit, &r);
  Canvas inside(r.right, r.bottom);
  EXPECT_EQ(kSkinMagic, SendMessageA(edit, SKM_PAINTCLIENTDC, reinterpret_cast<WPARAM>(inside.Dc()),
                                     kSkinMagic));
  bool text = false;
  for (int x = 0; x < r.right && !text; ++x) text = PixelRed(inside.At(x, r.bottom / 2)) < 100;
  EXPECT_TRUE(text);
}

TEST(SkinnedControls, SpinsInBothOrientationsDisabledAndInsideAnEdit) {
  ControlsForm f(testing::ShippedSkinFile());
  const TDataSkinBorder& vertical = *f.Data().BorderPart(spUpDownVert);
  const TDataSkinBorder& across = *f.Data().BorderPart(spUpDownHorz);
  RECT r;
  GetClientRect(f.spinOff->Handle(), &r);
  SpinHalves halves = SplitSpin({0, 0, r.right, r.bottom}, false);
  const auto off = PrintClient(f.spinOff->Handle());
  EXPECT_EQ("", ArrowDifference(*off, halves.first, vertical, 3));
  EXPECT_EQ("", ArrowDifference(*off, halves.second, vertical, 7));

  // The horizontal spin held on its right half; its value still steps.
  GetClientRect(f.horizontal, &r);
  halves = SplitSpin({0, 0, r.right, r.bottom}, true);
  MouseTo(f.horizontal, r.right - 4, 8);
  SendMessageA(f.horizontal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 4, 8));
  const auto held = PrintClient(f.horizontal);
  EXPECT_EQ("", ArrowDifference(*held, halves.first, across, 1));
  EXPECT_EQ("", ArrowDifference(*held, halves.second, across, 6));
  SendMessageA(f.horizontal, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 4, 8));
  EXPECT_EQ(6, SendMessageA(f.horizontal, UDM_GETPOS32, 0, 0));

  // The spin inside the edit, found when the edit painted, keeps three
  // pixels inside the edit's top edge (the edit's two-pixel edge + one).
  auto* edit = f.WrapperOf<TSkinEdit>(f.edit);
  ASSERT_TRUE(edit && edit->Spin() && edit->Spin()->Window() == f.inner);
  EXPECT_TRUE(edit->Spin()->Embedded());
  const auto inner = PrintClient(f.inner);
  EXPECT_EQ(MakePixel(255, 255, 255), inner->At(5, 0));
  EXPECT_NE(MakePixel(255, 255, 255), inner->At(5, 1));
}

TEST(SkinnedControls, WithoutSpinAndButtonImagesSpinsAreDrawnAndButtonsDrawThemselves) {
  ControlsForm f(testing::EdgeSkin(false));
  RECT r;
  GetClientRect(f.horizontal, &r);
  const auto drawn = PrintClient(f.horizontal);
  EXPECT_EQ(f.Colour(ceButtonDkShadow), drawn->At(0, 0));
  EXPECT_EQ(f.Colour(ceButtonDkShadow), drawn->At(r.right / 2, r.bottom - 1));
  EXPECT_EQ(f.Colour(ceButtonFace), drawn->At(3, 3));
  SendMessageA(f.plain->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(1, f.clicks) << "the system clicks its own button";
}

}  // namespace
}  // namespace velotune::skin
