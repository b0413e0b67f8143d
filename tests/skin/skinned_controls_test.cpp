// Push buttons, group boxes, edits and spins of a small skinned form in this
// process under Wine: what each draws in each state, compared with the
// skin's strips, and that they still click, step and keep their looks.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <utility>

#include "framework/containers.h"
#include "framework/form.h"
#include "framework/graphic_controls.h"
#include "framework/std_controls.h"
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_up_down.h"
#include "skin/controls/spin_looks.h"
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

template <typename T>
T* Make(TForm* form, TWinControl* parent, const char* name, int x, int y, int w, int h,
        const char* caption = "") {
  return CreateControl<T>(form, {parent, name, x, y, w, h, caption});
}

// A form with its own skin component and the odd cases of each member.
class ControlsForm {
 public:
  explicit ControlsForm(const testing::Bytes& skinFile) {
    form = testing::NewSkinnedTestForm<TControlsForm>("Skinned controls", 140, 120, 420, 260,
                                                      skinFile, &holder);
    plain = Make<TButton>(form, form, "plain", 10, 10, 90, 25, "Plain");
    plain->SetEvent("OnClick", [this](TEventArgs&) { ++clicks; });
    byDefault = Make<TButton>(form, form, "byDefault", 110, 10, 90, 25, "Default");
    byDefault->isDefault = true;
    disabled = Make<TButton>(form, form, "disabled", 210, 10, 90, 25, "Disabled");
    disabled->isDefault = true;
    disabled->SetEnabled(false);
    panel = Make<TPanel>(form, form, "panel", 10, 45, 120, 40);
    panel->SetTag(99);
    panel->SetColor(kPanelRed);
    clear = Make<TButton>(form, panel, "clear", 10, 8, 90, 25, "Clear");
    clear->SetTag(5555);
    edit = Make<TEdit>(form, form, "edit", 150, 50, 80, 21);
    spinOff = Make<TUpDown>(form, form, "spinOff", 340, 50, 16, 21);
    spinOff->SetEnabled(false);
    group = Make<TGroupBox>(form, form, "group", 10, 100, 200, 80, "Group");
    label = Make<TLabel>(form, group, "label", 20, 40, 100, 13, "Label inside");
    // Spin windows the form knows nothing of: one across the bottom of the
    // form, horizontal, and one inside the bordered edit at its right end.
    horizontal =
        CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_HORZ, 240, 100, 40, 16,
                        form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(horizontal, UDM_SETRANGE32, 0, 10);
    SendMessageA(horizontal, UDM_SETPOS32, 0, 5);
    // An edit without a border, which the form knows nothing of either.
    bare = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 250, 50, 80, 21, form->Handle(),
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    RECT client;
    GetClientRect(edit->Handle(), &client);
    inner =
        CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, client.right - 14, 0, 14,
                        client.bottom, edit->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    form->Show();
    EXPECT_TRUE(PumpUntil([this] { return Skinned() && Skinned()->State() == fsSkinned; }));
    // The tab wrapper's way with a spin child, and the one for edits of
    // other classes: by kind, on the window handle.
    for (auto [kind, window] : {std::pair{wkSkinUpDown, horizontal}, std::pair{wkSkinEdit, bare}})
      CreateWrapper(kind, nullptr, WrapChoice())
          ->AttachWindow(window, Data(), *Skinned(), Skinned()->ScratchDc());
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  ~ControlsForm() { delete form; }

  TSkinData& Data() { return holder->Data(); }
  TWinSkinForm* Skinned() {
    TSkinManage* manager = TSkinManage::Instance();
    return manager && form->HandleAllocated() ? manager->FindSkinnedWindow(form->Handle())
                                              : nullptr;
  }
  template <typename T>
  T* WrapperOf(TComponent* control) {
    for (TComponent* c : control->Components())
      if (auto* w = dynamic_cast<T*>(c)) return w;
    return nullptr;
  }

  TForm* form;
  TSkinDataComponent* holder;
  TButton *plain, *byDefault, *disabled, *clear;
  TPanel* panel;
  TEdit* edit;
  TUpDown* spinOff;
  TGroupBox* group;
  TLabel* label;
  HWND bare, horizontal, inner;
  int clicks = 0;
};

// A button's client area as its wrapper paints it, its corners against the
// strip's frame.
std::string CornersDifference(HWND button, const TDataSkinButton& skin, int index, Pixel behind) {
  RECT r;
  GetClientRect(button, &r);
  return testing::CornersDifference(*PrintClient(button), r, skin, index, behind);
}

bool SamePixels(const Canvas& a, const Canvas& b, int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

void MouseTo(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  SetCursorPos(p.x, p.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

TEST(SkinnedControls, PushButtonFramesForEachStateAndOneClickOnRelease) {
  ControlsForm f(testing::ShippedSkinFile());
  const TDataSkinButton& skin = f.Data().Button();
  const Pixel face = ToPixel(ResolveColour(f.Data().FaceColour()));
  f.edit->SetFocus();
  EXPECT_EQ("", CornersDifference(f.plain->Handle(), skin, pfNormal, face));
  EXPECT_EQ("", CornersDifference(f.byDefault->Handle(), skin, pfFocused, face))
      << "the default button while another control has the focus";
  EXPECT_EQ("", CornersDifference(f.disabled->Handle(), skin, pfDisabled, face))
      << "a disabled default button";
  EXPECT_EQ("", CornersDifference(f.clear->Handle(), skin, pfNormal, ToPixel(kPanelRed)))
      << "Tag 5555: the panel shows through";

  auto* wrapper = f.WrapperOf<TSkinButton>(f.plain);
  ASSERT_NE(nullptr, wrapper);
  const HWND plain = f.plain->Handle();
  MouseTo(plain, 20, 10);
  EXPECT_EQ("", CornersDifference(plain, skin, pfHover, face));
  SendMessageA(plain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  EXPECT_EQ(plain, GetFocus());
  EXPECT_EQ("", CornersDifference(plain, skin, pfPressed, face));
  EXPECT_EQ(0, f.clicks) << "the press alone does not click";
  SendMessageA(plain, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(1, f.clicks);
  EXPECT_EQ("", CornersDifference(plain, skin, pfHover, face));

  // Pressed, then the mouse leaves and is released elsewhere: no click, and
  // the button does not stay pressed.
  SendMessageA(plain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  MouseTo(plain, 20, 200);
  ASSERT_TRUE(PumpUntil([&] { return !wrapper->Pressed() && !wrapper->Hover(); }));
  SendMessageA(f.form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 200));
  SendMessageA(plain, WM_LBUTTONUP, 0, MAKELPARAM(20, 200));
  EXPECT_EQ(1, f.clicks);
  EXPECT_EQ("", CornersDifference(plain, skin, pfFocused, face));

  // The keyboard's click comes from the button itself, once; space held
  // shows the pressed frame.
  SendMessageA(plain, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ("", CornersDifference(plain, skin, pfPressed, face));
  SendMessageA(plain, WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(2, f.clicks);
  SendMessageA(plain, BM_CLICK, 0, 0);
  EXPECT_EQ(3, f.clicks);
}

TEST(SkinnedControls, FocusRectangleUnlessTheOptionSaysNo) {
  ControlsForm f(testing::ShippedSkinFile());
  const HWND button = f.byDefault->Handle();
  RECT r;
  GetClientRect(button, &r);
  f.edit->SetFocus();
  const auto unfocused = PrintClient(button);
  f.byDefault->SetFocus();
  f.Data().Options |= SetOf(xoNoFocusRect);
  EXPECT_TRUE(SamePixels(*unfocused, *PrintClient(button), r.right, r.bottom))
      << "focused or default: frame 5 alike, and no focus rectangle";
  f.Data().Options &= ~SetOf(xoNoFocusRect);
  EXPECT_FALSE(SamePixels(*unfocused, *PrintClient(button), r.right, r.bottom));
}

TEST(SkinnedControls, GroupBoxOutlineCaptionAndLabels) {
  ControlsForm f(testing::ShippedSkinFile());
  const auto canvas = PrintClient(f.group->Handle(), WM_PAINT);
  const Pixel shadow = ToPixel(ResolveColour(f.Data().Colour(ceButtonShadow)));
  RECT r;
  GetClientRect(f.group->Handle(), &r);
  HDC dc = GetDC(f.group->Handle());
  SelectObject(dc, f.group->Font().Handle());
  SIZE zero;
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  ReleaseDC(f.group->Handle(), dc);
  const int top = zero.cy / 2;
  EXPECT_EQ(shadow, canvas->At(1, r.bottom / 2)) << "left edge";
  EXPECT_EQ(shadow, canvas->At(r.right / 2, r.bottom - 2)) << "bottom edge";
  EXPECT_EQ(shadow, canvas->At(r.right - 20, top)) << "top edge after the caption";
  EXPECT_NE(shadow, canvas->At(10, top)) << "the caption interrupts it";
  int dark = 0;
  for (int y = f.label->Top(); y < f.label->Top() + f.label->Height(); ++y)
    for (int x = f.label->Left(); x < f.label->Left() + 60; ++x)
      if (PixelRed(canvas->At(x, y)) < 100) ++dark;
  EXPECT_GT(dark, 20) << "the label is painted over the box";
}

TEST(SkinnedControls, EditFrameIsFlatOnScreenInPrintAndWithoutBorderNone) {
  ControlsForm f(testing::ShippedSkinFile());
  const Pixel shadow = ToPixel(ResolveColour(f.Data().Colour(ceButtonShadow)));
  const Pixel white = MakePixel(255, 255, 255);
  auto screen = [](HWND window) {
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
  EXPECT_EQ(white, shown->At(2, 10));
  EXPECT_EQ(white, shown->At(40, 1));
  EXPECT_NE(shadow, screen(f.bare)->At(0, 10)) << "no border, no frame";

  RECT r;
  GetWindowRect(edit, &r);
  Canvas printed(r.right - r.left, r.bottom - r.top);
  SendMessageA(edit, WM_PRINT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(shadow, printed.At(0, 10));
  EXPECT_EQ(white, printed.At(1, 10)) << "the DC's own brush";

  // The client area alone, on request.
  SetWindowTextA(edit, "WWWW");
  RECT client;
  GetClientRect(edit, &client);
  Canvas inside(client.right, client.bottom);
  EXPECT_EQ(kSkinMagic, SendMessageA(edit, SKM_PAINTCLIENTDC, reinterpret_cast<WPARAM>(inside.Dc()),
                                     kSkinMagic));
  int dark = 0;
  for (int x = 0; x < client.right; ++x)
    if (PixelRed(inside.At(x, client.bottom / 2)) < 100) ++dark;
  EXPECT_GT(dark, 3);
}

TEST(SkinnedControls, SpinsInBothOrientationsDisabledAndInsideAnEdit) {
  ControlsForm f(testing::ShippedSkinFile());
  const TDataSkinBorder& vertical = *f.Data().BorderPart(spUpDownVert);
  const TDataSkinBorder& across = *f.Data().BorderPart(spUpDownHorz);
  ASSERT_EQ(8, vertical.Frame);

  RECT r;
  GetClientRect(f.spinOff->Handle(), &r);
  SpinHalves halves = SplitSpin({0, 0, r.right, r.bottom}, false);
  auto off = PrintClient(f.spinOff->Handle());
  EXPECT_EQ("", ArrowDifference(*off, halves.first, vertical, 3));
  EXPECT_EQ("", ArrowDifference(*off, halves.second, vertical, 7));

  // The foreign horizontal spin: pressed on its right half only, and its
  // value still steps.
  ASSERT_EQ(1, SendMessageA(f.horizontal, SKM_QUERYSKINNED, 0, 0));
  GetClientRect(f.horizontal, &r);
  halves = SplitSpin({0, 0, r.right, r.bottom}, true);
  auto rest = PrintClient(f.horizontal);
  EXPECT_EQ("", ArrowDifference(*rest, halves.first, across, 1));
  EXPECT_EQ("", ArrowDifference(*rest, halves.second, across, 5));
  MouseTo(f.horizontal, r.right - 4, 8);
  SendMessageA(f.horizontal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 4, 8));
  auto held = PrintClient(f.horizontal);
  EXPECT_EQ("", ArrowDifference(*held, halves.first, across, 1));
  EXPECT_EQ("", ArrowDifference(*held, halves.second, across, 6));
  SendMessageA(f.horizontal, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 4, 8));
  EXPECT_EQ(6, SendMessageA(f.horizontal, UDM_GETPOS32, 0, 0));
  EXPECT_EQ("", ArrowDifference(*PrintClient(f.horizontal), halves.second, across, 5));

  // The spin inside the edit was found when the edit painted, and keeps
  // clear of the edit's frame: three pixels inside its top edge.
  auto* edit = f.WrapperOf<TSkinEdit>(f.edit);
  ASSERT_NE(nullptr, edit);
  ASSERT_NE(nullptr, edit->Spin());
  EXPECT_TRUE(edit->Spin()->Embedded());
  EXPECT_EQ(1, SendMessageA(f.inner, SKM_QUERYSKINNED, 0, 0));
  const auto inner = PrintClient(f.inner);
  EXPECT_EQ(MakePixel(255, 255, 255), inner->At(5, 0)) << "the edit's two-pixel edge + one";
  EXPECT_NE(MakePixel(255, 255, 255), inner->At(5, 1));
}

TEST(SkinnedControls, WithoutSpinAndButtonImagesSpinsAreDrawnAndButtonsDrawThemselves) {
  ControlsForm f(testing::EdgeSkin(false));
  RECT r;
  GetClientRect(f.horizontal, &r);
  const auto drawn = PrintClient(f.horizontal);
  const Pixel dark = ToPixel(ResolveColour(f.Data().Colour(ceButtonDkShadow)));
  const Pixel face = ToPixel(ResolveColour(f.Data().FaceColour()));
  EXPECT_EQ(dark, drawn->At(0, 0));
  EXPECT_EQ(dark, drawn->At(r.right / 2, r.bottom - 1));
  EXPECT_EQ(face, drawn->At(3, 3));
  // The push buttons are wrapped but the system draws and clicks them.
  EXPECT_EQ(1, SendMessageA(f.plain->Handle(), SKM_QUERYSKINNED, 0, 0));
  SendMessageA(f.plain->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(1, f.clicks);
}

}  // namespace
}  // namespace velotune::skin
