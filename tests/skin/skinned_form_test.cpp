// A small form skinned in this process under Wine: its frame, region, caption
// buttons, system menu and check boxes, a message box, and switching the skin
// off again.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menu_item.h"
#include "framework/std_controls.h"
#include "skin/data/skin_data_component.h"
#include "skin/data/win32_skin_environment.h"
#include "skin/frame/caption_hint.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/high_contrast.h"
#include "skin/manager/skin_manage.h"
#include "skin_files.h"
#include "skinned_window_support.h"

namespace velotune::skin {
namespace {

using testing::Canvas;
using testing::CellDifference;
using testing::PumpUntil;

class TTestForm : public TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TSkinTestForm"; }
};

// A form with its own skin component (the program's settings) and a few
// check boxes and radio buttons, shown and skinned.
class SkinnedForm {
 public:
  explicit SkinnedForm(const testing::Bytes& skinFile, bool show = true) {
    form = testing::NewSkinnedTestForm<TTestForm>("Skinned test", 120, 100, 360, 220, skinFile,
                                                  &holder);
    auto add = [this](const char* name, int y, const char* caption) {
      return CreateControl<TCheckBox>(form, {form, name, 10, y, 200, 17, caption});
    };
    unticked = add("unticked", 10, "Unticked");
    ticked = add("ticked", 30, "Ticked");
    ticked->SetChecked(true);
    disabled = add("disabled", 50, "Disabled");
    disabled->SetChecked(true);
    disabled->SetEnabled(false);
    greyed = add("greyed", 70, "Greyed");
    greyed->SetPropText("State", "cbGrayed");
    plain = add("plain", 90, "System look");
    plain->SetTag(99);
    green = add("green", 110, "Green text");
    green->Font().SetColor(0x008000);
    radio = CreateControl<TRadioButton>(form, {form, "radio", 10, 130, 200, 17, "Radio"});
    if (show) Show();
  }
  ~SkinnedForm() { delete form; }

  void Show() {
    form->Show();
    EXPECT_TRUE(PumpUntil([this] { return Skinned() && Skinned()->State() == fsSkinned; }));
  }
  TSkinData& Data() { return holder->Data(); }
  HWND Handle() { return form->Handle(); }
  TWinSkinForm* Skinned() {
    TSkinManage* manager = TSkinManage::Instance();
    return manager && form->HandleAllocated() ? manager->FindSkinnedWindow(form->Handle())
                                              : nullptr;
  }
  SIZE Outer() {
    RECT r;
    GetWindowRect(Handle(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }
  SIZE FrameTaken() {
    RECT c;
    GetClientRect(Handle(), &c);
    const SIZE outer = Outer();
    return SIZE{outer.cx - c.right, outer.cy - c.bottom};
  }
  // The caption button of this action that is shown now.
  TWinSysButton* Button(int action) {
    for (const auto& b : Skinned()->CaptionButtons())
      if (b->Action() == action && b->Visible && b->Bounds.Width() > 0) return b.get();
    return nullptr;
  }
  LPARAM ScreenPoint(int x, int y) {
    RECT r;
    GetWindowRect(Handle(), &r);
    return MAKELPARAM(r.left + x, r.top + y);
  }

  TForm* form;
  TSkinDataComponent* holder;
  TCheckBox *unticked, *ticked, *disabled, *greyed, *plain, *green;
  TRadioButton* radio;
};

// Paints the frame through SKM_PAINTFRAMEDC into a canvas of the window's size.
std::unique_ptr<Canvas> PaintedFrame(SkinnedForm& f) {
  const SIZE outer = f.Outer();
  auto canvas = std::make_unique<Canvas>(outer.cx, outer.cy);
  EXPECT_EQ(kSkinMagic, SendMessageA(f.Handle(), SKM_PAINTFRAMEDC,
                                     reinterpret_cast<WPARAM>(canvas->Dc()), kSkinMagic));
  return canvas;
}

TEST(SkinnedForm, FrameIsTheSkinsEdgesAndTheWindowAnswersAsSkinned) {
  SkinnedForm f(testing::ShippedSkinFile());
  const TSkinData& data = f.Data();
  const int left = data.Edge(0).Map.Width() / data.Edge(0).Frame;
  const int right = data.Edge(1).Map.Width() / data.Edge(1).Frame;
  const int top = data.Edge(2).Map.Height() / data.Edge(2).Frame;
  const int bottom = data.Edge(3).Map.Height() / data.Edge(3).Frame;
  EXPECT_EQ(left + right, f.FrameTaken().cx);
  EXPECT_EQ(top + bottom, f.FrameTaken().cy);
  RECT client;
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(360, client.right) << "skinning keeps the client size";
  EXPECT_EQ(220, client.bottom);
  // Sizing the client area later counts the skin's frame, not the system's.
  f.form->SetClientSize(300, 200);
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(300, client.right);
  EXPECT_EQ(200, client.bottom);
  EXPECT_EQ(kSkinMagic, SendMessageA(f.Handle(), SKM_IDENTIFY, 0, kSkinMagic));
  EXPECT_EQ(1, SendMessageA(f.Handle(), SKM_IDENTIFY, 0, 0));
  EXPECT_EQ(1, SendMessageA(f.Handle(), SKM_QUERYSKINNED, 0, 0));
  EXPECT_EQ(1, SendMessageA(f.unticked->Handle(), SKM_QUERYSKINNED, 0, 0));
  EXPECT_EQ(1, SendMessageA(f.radio->Handle(), SKM_QUERYSKINNED, 0, 0));
  EXPECT_EQ(0, SendMessageA(f.plain->Handle(), SKM_QUERYSKINNED, 0, 0)) << "Tag 99";
  // A reflected notification with the skinned message's number still reaches
  // the form's own handling; only the form's own message is kept back.
  int reflected = 0;
  TWndMethod previous = f.form->WindowProc;
  f.form->WindowProc = [&](TMessage& m) {
    if (m.Msg == SKM_SKINNED) ++reflected;
    previous(m);
  };
  SendMessageA(f.Handle(), SKM_SKINNED, 0, kSkinMagic);
  NMHDR header{f.unticked->Handle(), 1, 0};
  SendMessageA(f.Handle(), SKM_SKINNED, 0, reinterpret_cast<LPARAM>(&header));
  f.form->WindowProc = previous;
  EXPECT_EQ(1, reflected);
  // The shipped side edges have magenta top corners: the region cuts them.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetWindowRgn(f.Handle(), region));
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, f.Outer().cx / 2, 0));
  EXPECT_TRUE(PtInRegion(region, f.Outer().cx / 2, f.Outer().cy - 1));
  DeleteObject(region);
}

TEST(SkinnedForm, RegionCutsMagentaCornersOfTheTopEdgeOrIsTheWholeWindow) {
  for (bool cut : {true, false}) {
    SkinnedForm f(testing::EdgeSkin(cut));
    const FrameSizes frame = f.Skinned()->Frame();
    EXPECT_EQ(4, frame.left);
    EXPECT_EQ(24, frame.top);
    const SIZE outer = f.Outer();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(f.Handle(), region)) << cut;
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(0, box.left);
    EXPECT_EQ(outer.cx, box.right);
    EXPECT_EQ(outer.cy, box.bottom);
    // The top strip starts at the left edge's width.
    EXPECT_EQ(!cut, PtInRegion(region, frame.left + 1, 1) != FALSE) << cut;
    EXPECT_EQ(!cut, PtInRegion(region, outer.cx - frame.right - 2, 2) != FALSE) << cut;
    EXPECT_TRUE(PtInRegion(region, frame.left + 3, 0));
    EXPECT_TRUE(PtInRegion(region, 1, 1)) << "the sides are opaque";
    EXPECT_TRUE(PtInRegion(region, outer.cx - 1, outer.cy - 1));
    DeleteObject(region);
  }
}

TEST(SkinnedForm, CaptionButtonsShowHoverAndPressedFramesAndCloseCloses) {
  SkinnedForm f(testing::ShippedSkinFile());
  TWinSysButton* close = f.Button(0);
  ASSERT_NE(nullptr, close);
  const Bitmap& strip = close->Image();
  const Rect b = close->Bounds;
  EXPECT_EQ("", CellDifference(*PaintedFrame(f), b.left, b.top, strip, close->Frames(), 1));
  // The cursor stays on the button, so the hover timer keeps it hot.
  const LPARAM at = f.ScreenPoint(b.left + b.Width() / 2, b.top + b.Height() / 2);
  SetCursorPos(LOWORD(at), HIWORD(at));
  SendMessageA(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, at);
  EXPECT_EQ("", CellDifference(*PaintedFrame(f), b.left, b.top, strip, close->Frames(), 3));
  SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
  EXPECT_EQ("", CellDifference(*PaintedFrame(f), b.left, b.top, strip, close->Frames(), 2));
  SendMessageA(f.Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(f.Handle()); }));
}

TEST(SkinnedForm, AHotButtonRepaintsItsOwnCellOnTheWindow) {
  SkinnedForm f(testing::ShippedSkinFile());
  TWinSysButton* minimize = f.Button(2);
  ASSERT_NE(nullptr, minimize);
  const Rect b = minimize->Bounds;
  const Bitmap& strip = minimize->Image();
  const SIZE outer = f.Outer();
  // What the window shows, read back from its own DC.
  auto onScreen = [&] {
    auto canvas = std::make_unique<Canvas>(outer.cx, outer.cy);
    HDC window = GetWindowDC(f.Handle());
    BitBlt(canvas->Dc(), 0, 0, outer.cx, outer.cy, window, 0, 0, SRCCOPY);
    ReleaseDC(f.Handle(), window);
    return canvas;
  };
  ASSERT_EQ("", CellDifference(*onScreen(), b.left, b.top, strip, minimize->Frames(), 1));
  // A mark in the caption beside the button: the button's repaint leaves it.
  const int markX = b.left - 12, markY = b.top + 2;
  {
    HDC window = GetWindowDC(f.Handle());
    SetPixel(window, markX, markY, RGB(0x12, 0x34, 0x56));
    ReleaseDC(f.Handle(), window);
  }
  const LPARAM at = f.ScreenPoint(b.left + b.Width() / 2, b.top + b.Height() / 2);
  SetCursorPos(LOWORD(at), HIWORD(at));
  SendMessageA(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, at);
  const auto hot = onScreen();
  EXPECT_EQ("", CellDifference(*hot, b.left, b.top, strip, minimize->Frames(), 3));
  EXPECT_EQ(MakePixel(0x12, 0x34, 0x56), hot->At(markX, markY));
  // Leaving it paints the normal frame back.
  SetCursorPos(LOWORD(at), HIWORD(at) + 200);
  EXPECT_TRUE(PumpUntil([&] { return f.Skinned()->Current() == nullptr; }));
  EXPECT_EQ("", CellDifference(*onScreen(), b.left, b.top, strip, minimize->Frames(), 1));
}

TEST(SkinnedForm, HintNamesTheButtonAfterTwiceTheHintPause) {
  SkinnedForm f(testing::ShippedSkinFile());
  TWinSysButton* minimize = f.Button(2);
  ASSERT_NE(nullptr, minimize);
  const Rect b = minimize->Bounds;
  const LPARAM at = f.ScreenPoint(b.left + b.Width() / 2, b.top + b.Height() / 2);
  SetCursorPos(LOWORD(at), HIWORD(at));
  const DWORD start = GetTickCount();
  SendMessageA(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, at);
  ASSERT_TRUE(PumpUntil([&] { return f.Skinned()->Hint() && f.Skinned()->Hint()->Visible(); }));
  EXPECT_GE(GetTickCount() - start, DWORD(2 * kHintPauseMs - kFrameTimerMs));
  EXPECT_EQ("Minimize", f.Skinned()->Hint()->Text());
  EXPECT_TRUE(IsWindowVisible(f.Skinned()->Hint()->Window()));
  // Leaving the button hides it.
  SetCursorPos(LOWORD(at), HIWORD(at) + 200);
  EXPECT_TRUE(PumpUntil([&] { return !f.Skinned()->Hint()->Visible(); }));
}

TEST(SkinnedForm, MaximizeRestoreAndCaptionDoubleClicks) {
  SkinnedForm f(testing::ShippedSkinFile());
  auto click = [&](TWinSysButton* button) {
    ASSERT_NE(nullptr, button);
    const Rect b = button->Bounds;
    const LPARAM at = f.ScreenPoint(b.left + 3, b.top + 3);
    SetCursorPos(LOWORD(at), HIWORD(at));
    SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageA(f.Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
  };
  click(f.Button(1));
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(f.Handle()) && f.Button(1); }));
  EXPECT_EQ(1, f.Button(1)->Button().Visibility) << "the restore button shows now";
  click(f.Button(1));
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(f.Handle()); }));
  const SIZE frame = f.FrameTaken();
  EXPECT_EQ(36, frame.cy) << "restored with the skin's frame";
  auto doubleClick = [&] {
    SendMessageA(f.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(150, 12));
  };
  doubleClick();
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(f.Handle()) != FALSE; }));
  doubleClick();
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(f.Handle()); }));
}

// Looks at the skinned system menu while it is open, then moves to Close
// with the arrow keys, one a tick, and picks it.
struct MenuWatch {
  static MenuWatch* current;
  TWinSkinForm* skinned = nullptr;
  int items = 0, ownerDrawn = 0;
  bool hasClose = false;
  UINT closeId = 0;  // the Close item's command in the popup
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HMENU popup = current->skinned->SystemPopup();
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!popup || !menuWindow || !IsWindowVisible(menuWindow)) return;
    if (current->items == 0) {
      current->items = GetMenuItemCount(popup);
      for (int i = 0; i < current->items; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoA(popup, i, TRUE, &info);
        if (info.fType & MFT_OWNERDRAW) ++current->ownerDrawn;
        const TMenuItem* item = current->skinned->SystemMenuItem(info.wID);
        if (item && item->Tag() == SC_CLOSE) {
          current->hasClose = true;
          current->closeId = info.wID;
        }
      }
    }
    if (GetMenuState(popup, current->closeId, MF_BYCOMMAND) & MF_HILITE) {
      KillTimer(nullptr, id);
      PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostMessageA(menuWindow, WM_KEYDOWN, VK_UP, 0);
    }
  }
};
MenuWatch* MenuWatch::current = nullptr;

TEST(SkinnedForm, RightClickOnTheCaptionOpensTheSkinnedSystemMenuWhoseCloseCloses) {
  SkinnedForm f(testing::ShippedSkinFile());
  MenuWatch watch;
  watch.skinned = f.Skinned();
  MenuWatch::current = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &MenuWatch::Tick);
  SendMessageA(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenPoint(150, 12));
  KillTimer(nullptr, timer);
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(f.Handle(), FALSE)), watch.items);
  EXPECT_GT(watch.items, 4);
  EXPECT_TRUE(watch.hasClose);
  EXPECT_EQ(watch.items, watch.ownerDrawn);
  EXPECT_EQ(nullptr, f.Skinned()->SystemPopup()) << "the popup is freed when it closes";
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(f.Handle()); }));
}

// The box painted through WM_PRINT, its image compared with the strip's frame.
std::string CheckImageDifference(TWinControl* box, const TSkinData& data, int frame) {
  RECT r;
  GetClientRect(box->Handle(), &r);
  Canvas canvas(r.right, r.bottom);
  SendMessageA(box->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  const bool radio = dynamic_cast<TRadioButton*>(box) != nullptr;
  const Bitmap& strip = radio ? data.Button().RadioMap : data.Button().CheckMap;
  const int frames = radio ? data.Button().RadioFrame : data.Button().CheckFrame;
  return CellDifference(canvas, 0, (r.bottom - strip.Height()) / 2, strip, frames, frame);
}

TEST(SkinnedForm, CheckBoxesShowTheStripsFrameForEachState) {
  SkinnedForm f(testing::ShippedSkinFile());
  const TSkinData& data = f.Data();
  ASSERT_EQ(12, data.Button().CheckFrame);
  EXPECT_EQ("", CheckImageDifference(f.unticked, data, 1));
  EXPECT_EQ("", CheckImageDifference(f.ticked, data, 5));
  EXPECT_EQ("", CheckImageDifference(f.disabled, data, 8));
  EXPECT_EQ("", CheckImageDifference(f.greyed, data, 9));
  EXPECT_EQ("", CheckImageDifference(f.radio, data, 1));
  // Ticking by code repaints with the ticked frame; the system's own box is
  // left alone.
  f.unticked->SetChecked(true);
  EXPECT_EQ("", CheckImageDifference(f.unticked, data, 5));
  f.radio->SetChecked(true);
  EXPECT_EQ("", CheckImageDifference(f.radio, data, 5));
  EXPECT_NE("", CheckImageDifference(f.plain, data, 1));
  // The text keeps the control's font colour.
  RECT r;
  GetClientRect(f.green->Handle(), &r);
  Canvas canvas(r.right, r.bottom);
  SendMessageA(f.green->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  bool greenText = false;
  for (int y = 0; y < r.bottom && !greenText; ++y)
    for (int x = 16; x < r.right; ++x)
      if (canvas.At(x, y) == MakePixel(0, 128, 0)) greenText = true;
  EXPECT_TRUE(greenText);
}

// Closes the error box with a click on its skinned OK button once it is
// skinned, noting what it saw.
struct BoxWatch {
  static BoxWatch* current;
  const TSkinData* data = nullptr;
  bool skinned = false;
  bool okSkinned = false;
  std::string okLook = "not seen";
  bool clicked = false, stayedOpen = false;
  SIZE frame{};
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("#32770", "Velotune");
    if (!box || !IsWindowVisible(box)) return;
    if (current->clicked) {
      // The click's command comes before any timer: it did not close it.
      current->stayedOpen = true;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return;
    }
    TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinnedWindow(box);
    if (!skinned || skinned->State() != fsSkinned) return;
    current->skinned = SendMessageA(box, SKM_QUERYSKINNED, 0, 0) == 1;
    RECT w, c;
    GetWindowRect(box, &w);
    GetClientRect(box, &c);
    current->frame = SIZE{w.right - w.left - c.right, w.bottom - w.top - c.bottom};
    HWND ok = GetDlgItem(box, IDOK);
    current->okSkinned = SendMessageA(ok, SKM_QUERYSKINNED, 0, 0) == 1;
    RECT r;
    GetClientRect(ok, &r);
    // Focused and the dialog's default: frame 5 on the dialog's face.
    current->okLook =
        testing::CornersDifference(*testing::PrintClient(ok), r, current->data->Button(), 5,
                                   ToPixel(ResolveColour(current->data->FaceColour())));
    SendMessageA(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(ok, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    current->clicked = true;
  }
};
BoxWatch* BoxWatch::current = nullptr;

TEST(SkinnedForm, TheErrorBoxIsSkinnedAndItsSkinnedOkButtonClosesIt) {
  SkinnedForm f(testing::ShippedSkinFile());
  Application().SetTitle("Velotune");
  BoxWatch watch;
  watch.data = &f.Data();
  BoxWatch::current = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &BoxWatch::Tick);
  Application().HandleException(Exception("Failed to set data for 'Test'"));
  KillTimer(nullptr, timer);
  EXPECT_TRUE(watch.skinned);
  EXPECT_TRUE(watch.okSkinned);
  EXPECT_EQ("", watch.okLook);
  EXPECT_TRUE(watch.clicked);
  EXPECT_FALSE(watch.stayedOpen);
  EXPECT_EQ(8, watch.frame.cx);
  EXPECT_EQ(36, watch.frame.cy);
}

TEST(SkinnedForm, SwitchingSkinningOffGivesEveryWindowItsOwnProcedureFrameAndRegion) {
  SkinnedForm f(testing::ShippedSkinFile(), false);
  const HWND window = f.form->Handle();
  const LONG_PTR ownProcedure = GetWindowLongPtrA(window, GWLP_WNDPROC);
  const LONG_PTR boxProcedure = GetWindowLongPtrA(f.ticked->Handle(), GWLP_WNDPROC);
  const ::velotune::TColor colour = f.form->Color();
  f.Show();
  SIZE systemFrame{};
  for (int round = 0; round < 2; ++round) {
    EXPECT_NE(ownProcedure, GetWindowLongPtrA(window, GWLP_WNDPROC));
    // As a program would switch it: the component's published property.
    f.holder->SetPropText("Active", "False");
    ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->Windows().empty(); }));
    EXPECT_EQ(ownProcedure, GetWindowLongPtrA(window, GWLP_WNDPROC));
    EXPECT_EQ(boxProcedure, GetWindowLongPtrA(f.ticked->Handle(), GWLP_WNDPROC));
    EXPECT_EQ(0, SendMessageA(window, SKM_QUERYSKINNED, 0, 0));
    EXPECT_EQ(0, SendMessageA(f.ticked->Handle(), SKM_QUERYSKINNED, 0, 0));
    EXPECT_EQ(colour, f.form->Color());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(window, region)) << "no region any more";
    DeleteObject(region);
    RECT expected{0, 0, 360, 220};
    AdjustWindowRectEx(&expected, GetWindowLongA(window, GWL_STYLE), FALSE,
                       GetWindowLongA(window, GWL_EXSTYLE));
    systemFrame = f.FrameTaken();
    EXPECT_EQ(expected.right - expected.left - 360, systemFrame.cx);
    EXPECT_EQ(expected.bottom - expected.top - 220, systemFrame.cy);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU);
    // And on again: the visible form is skinned by the manager's pass.
    f.Data().SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinned() && f.Skinned()->State() == fsSkinned; }));
    EXPECT_EQ(1, SendMessageA(f.ticked->Handle(), SKM_QUERYSKINNED, 0, 0));
    EXPECT_EQ(36, f.FrameTaken().cy);
  }
}

// A skin switched off while the skinned system menu is open waits for the
// menu loop to end: the window that owns the loop keeps its skinned object
// until then. Meanwhile Alt+Space, C's WM_MENUCHAR picks the Close item.
struct LoopWatch {
  static LoopWatch* current;
  SkinnedForm* f = nullptr;
  int ticks = 0;
  bool skinnedLate = false;
  int closeAt = -1;
  LRESULT menuChar = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    LoopWatch& w = *current;
    ++w.ticks;
    if (w.ticks == 1) w.f->holder->SetPropText("Active", "False");
    // Well past the request's 250 ms.
    if (w.ticks < 16) return;
    KillTimer(nullptr, id);
    TWinSkinForm* skinned = w.f->Skinned();
    w.skinnedLate = skinned && skinned->SystemMenuOpen();
    HMENU popup = skinned ? skinned->SystemPopup() : nullptr;
    for (int i = 0; popup && i < GetMenuItemCount(popup); ++i) {
      const TMenuItem* item = skinned->SystemMenuItem(GetMenuItemID(popup, i));
      if (item && item->Tag() == SC_CLOSE) w.closeAt = i;
    }
    w.menuChar = SendMessageA(w.f->Handle(), WM_MENUCHAR, MAKEWPARAM('c', MF_POPUP),
                              reinterpret_cast<LPARAM>(popup));
    EndMenu();
  }
};
LoopWatch* LoopWatch::current = nullptr;

TEST(SkinnedForm, SkinSwitchedOffWhileTheSystemMenuIsOpenWaitsForTheMenuToClose) {
  SkinnedForm f(testing::ShippedSkinFile());
  LoopWatch watch;
  watch.f = &f;
  LoopWatch::current = &watch;
  SetTimer(nullptr, 0, 60, &LoopWatch::Tick);
  SendMessageA(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenPoint(150, 12));
  EXPECT_TRUE(watch.skinnedLate) << "the skin went while its menu loop ran";
  ASSERT_GE(watch.closeAt, 0);
  EXPECT_EQ(MAKELRESULT(watch.closeAt, MNC_EXECUTE), watch.menuChar);
  // Once the loop is over the request is carried out.
  ASSERT_TRUE(PumpUntil([] { return TSkinManage::Instance()->Windows().empty(); }));
  EXPECT_EQ(0, SendMessageA(f.Handle(), SKM_QUERYSKINNED, 0, 0));
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
}

// Broadcasts a change of the system's settings as the system does.
void BroadcastSettingChange() {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG,
                      5000, &answer);
}

TEST(SkinnedForm, HighContrastTakesTheSkinAwayAndGivesItBackOnTheSettingBroadcast) {
  SkinnedForm f(testing::ShippedSkinFile());
  bool highContrast = true;
  SetHighContrastProbe([&] { return highContrast; });
  BroadcastSettingChange();
  ASSERT_TRUE(PumpUntil([] { return TSkinManage::Instance()->Windows().empty(); }));
  EXPECT_TRUE(TSkinManage::Instance()->SteppedAside());
  EXPECT_EQ(0, SendMessageA(f.Handle(), SKM_QUERYSKINNED, 0, 0));
  EXPECT_EQ(0, SendMessageA(f.ticked->Handle(), SKM_QUERYSKINNED, 0, 0));
  RECT expected{0, 0, 360, 220};
  AdjustWindowRectEx(&expected, GetWindowLongA(f.Handle(), GWL_STYLE), FALSE,
                     GetWindowLongA(f.Handle(), GWL_EXSTYLE));
  EXPECT_EQ(expected.bottom - expected.top - 220, f.FrameTaken().cy) << "the system's frame";
  // Activated meanwhile, the window stays in the system look.
  SendMessageA(f.Handle(), WM_NCACTIVATE, TRUE, 0);
  SetActiveWindow(f.Handle());
  PumpUntil([] { return false; }, 400);
  EXPECT_EQ(nullptr, f.Skinned());

  highContrast = false;
  BroadcastSettingChange();
  ASSERT_TRUE(PumpUntil([&] { return f.Skinned() && f.Skinned()->State() == fsSkinned; }));
  EXPECT_EQ(1, SendMessageA(f.ticked->Handle(), SKM_QUERYSKINNED, 0, 0));
  EXPECT_EQ(36, f.FrameTaken().cy);
  SetHighContrastProbe(nullptr);
}

TEST(SkinnedForm, TheTitleBarKeepsItsSystemMenuAndAnswersWithTheSkinsButtons) {
  SkinnedForm f(testing::ShippedSkinFile());
  RedrawWindow(f.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  f.form->SetCaption("Überschrift für Prüfung");
  EXPECT_TRUE(GetWindowLongA(f.Handle(), GWL_STYLE) & WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongA(f.Handle(), GWL_STYLE) & WS_VISIBLE);
  RECT window;
  GetWindowRect(f.Handle(), &window);
  TITLEBARINFOEX info = {};
  info.cbSize = sizeof(info);
  ASSERT_EQ(0, SendMessageA(f.Handle(), WM_GETTITLEBARINFOEX, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(window.top, info.rcTitleBar.top);
  EXPECT_EQ(window.top + 31, info.rcTitleBar.bottom);
  EXPECT_EQ(static_cast<DWORD>(STATE_SYSTEM_INVISIBLE), info.rgstate[4]) << "no help button";
  struct Expected {
    int action;
    LRESULT hit;
    int element;
  };
  for (const Expected& e :
       {Expected{0, HTCLOSE, 5}, Expected{1, HTMAXBUTTON, 3}, Expected{2, HTMINBUTTON, 2}}) {
    SCOPED_TRACE(e.action);
    const TWinSysButton* button = f.Button(e.action);
    ASSERT_NE(nullptr, button);
    const Rect& b = button->Bounds;
    const LPARAM centre = f.ScreenPoint((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    EXPECT_EQ(e.hit, SendMessageA(f.Handle(), WM_NCHITTEST, 0, centre));
    EXPECT_EQ(0u, info.rgstate[e.element]);
    EXPECT_EQ(window.left + b.left, info.rgrect[e.element].left);
    EXPECT_EQ(window.top + b.top, info.rgrect[e.element].top);
    EXPECT_EQ(window.left + b.right, info.rgrect[e.element].right);
  }
  // Between the title and the buttons the caption drags the window.
  EXPECT_EQ(HTCAPTION, SendMessageA(f.Handle(), WM_NCHITTEST, 0, f.ScreenPoint(150, 12)));
  // The system's own title-bar answer sees the system-menu style.
  TITLEBARINFO system = {};
  system.cbSize = sizeof(system);
  ASSERT_TRUE(GetTitleBarInfo(f.Handle(), &system));
  EXPECT_FALSE(system.rgstate[5] & STATE_SYSTEM_INVISIBLE) << "the close button is there";
}

}  // namespace
}  // namespace velotune::skin
