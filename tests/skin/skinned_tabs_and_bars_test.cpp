// Page tabs, track bars, combo boxes and scroll bars skinned in this process
// under Wine, on a small form with the odd cases (tabs on each side, close
// boxes, a left-hand combo box, a vertical track bar) and on the real main
// window: what they draw against the skin's strips, and that they still work.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/tweak_form.h"
#include "framework/containers.h"
#include "framework/form.h"
#include "framework/std_controls.h"
#include "skin/controls/combo_layout.h"
#include "skin/controls/skin_combo_box.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_tab.h"
#include "skin/data/colour.h"
#include "skin/data/skin_data_component.h"
#include "skin/frame/skin_messages.h"
#include "skin/manager/skin_manage.h"
#include "skin/manager/wrapper_registry.h"
#include "skin_files.h"
#include "skinned_window_support.h"
#include "support/program_in_process.h"

namespace velotune::skin {
namespace {

using testing::Canvas;
using testing::CellDifference;
using testing::PrintClient;
using testing::PumpUntil;

class TOddForm : public TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TSkinOddForm"; }
};

// The wrapper the skinned form gave a control (null when none).
template <typename T>
T* WrapperOf(TWinSkinForm& skinned, HWND window) {
  for (SkinnedControl* c : skinned.Controls())
    if (c->Window() == window) return dynamic_cast<T*>(c);
  return nullptr;
}

// A form with the shipped skin and the odd cases.
class OddForm {
 public:
  OddForm() {
    form = testing::NewSkinnedTestForm<TOddForm>("Odd cases", 60, 40, 600, 400,
                                                 testing::ShippedSkinFile(), &holder);
    for (int side = 0; side < 4; ++side)
      pages[side] = AddPages("side" + std::to_string(side), side, 10 + (side % 2) * 190,
                             10 + (side / 2) * 100, {"One", "Two", "Three"});
    pages[0]->SetTag(kCloseBoxTag);
    many = AddPages("many", 0, 10, 210, {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"});
    many->SetBounds(10, 210, 120, 60);
    plain = AddCombo("plain", 390, 10, true);
    left = AddCombo("left", 390, 40, true);
    disabled = AddCombo("disabled", 390, 70, true);
    disabled->SetEnabled(false);
    edit = AddCombo("edit", 390, 100, false);
    horizontal = CreateControl<TTrackBar>(form, {form, "horizontal", 390, 140, 150, 26, ""});
    vertical = new TTrackBar(form);
    vertical->vertical = true;
    vertical->SetName("vertical");
    vertical->SetBounds(550, 10, 30, 150);
    vertical->SetParent(form);
    box = CreateControl<TScrollBox>(form, {form, "box", 200, 210, 170, 110, ""});
    box->horzRange = 400;
    box->vertRange = 600;
    CreateControl<TCheckBox>(box, {box, "inBox", 10, 10, 120, 17, "In the box"});
    form->Show();
    // The left-hand button is asked for once the window exists.
    SetWindowLongA(left->Handle(), GWL_EXSTYLE,
                   GetWindowLongA(left->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    EXPECT_TRUE(PumpUntil([this] { return Skinned() && Skinned()->State() == fsSkinned; }));
    PumpUntil([] { return false; }, 100);
  }
  ~OddForm() { delete form; }

  TPageControl* AddPages(const std::string& name, int position, int x, int y,
                         const std::vector<std::string>& captions) {
    auto* pc = new TPageControl(form);
    pc->SetName(name);
    pc->tabPosition = position;
    pc->SetBounds(x, y, 170, 90);
    pc->SetParent(form);
    for (size_t i = 0; i < captions.size(); ++i) {
      auto* sheet = new TTabSheet(form);
      sheet->SetName(name + "Sheet" + std::to_string(i));
      sheet->SetCaption(captions[i]);
      sheet->SetParentComponent(pc);
    }
    pc->SetActivePage(pc->Pages().front());
    return pc;
  }
  TComboBox* AddCombo(const std::string& name, int x, int y, bool list) {
    auto* combo = new TComboBox(form);
    combo->SetName(name);
    combo->dropDownList = list;
    combo->SetBounds(x, y, 150, 21);
    combo->SetItems({"First", "Second", "Third"});
    combo->SetParent(form);
    combo->SetItemIndex(0);
    return combo;
  }

  TSkinData& Data() { return holder->Data(); }
  TWinSkinForm* Skinned() {
    TSkinManage* manager = TSkinManage::Instance();
    return manager && form->HandleAllocated() ? manager->FindSkinnedWindow(form->Handle())
                                              : nullptr;
  }

  TForm* form;
  TSkinDataComponent* holder;
  TPageControl* pages[4];
  TPageControl* many;
  TComboBox *plain, *left, *disabled, *edit;
  TTrackBar *horizontal, *vertical;
  TScrollBox* box;
};

// A window's frame (border and scroll bars) as it paints it into a memory DC
// of its size.
std::unique_ptr<Canvas> PrintedFrame(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  auto canvas = std::make_unique<Canvas>(r.right - r.left, r.bottom - r.top);
  SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_NONCLIENT);
  return canvas;
}

// The first pixel, walking from (x, y) by (dx, dy), that is not `skip`.
Pixel FirstOther(const Canvas& c, int x, int y, int dx, int dy, int steps, Pixel skip) {
  for (int i = 0; i < steps; ++i, x += dx, y += dy)
    if (c.At(x, y) != skip) return c.At(x, y);
  return skip;
}

LPARAM Point(int x, int y) {
  return MAKELPARAM(x, y);
}

TEST(SkinnedTabs, EachSideShowsItsTabsAndPaneTurnedThatWay) {
  OddForm f;
  const TSkinData& data = f.Data();
  const Pixel face = ToPixel(ResolveColour(data.FaceColour()));
  const Bitmap& tabs = data.Part(spTabs)->Map;
  const Rect frame1 = FrameRect(tabs, 5, 1, false), frame2 = FrameRect(tabs, 5, 2, false);
  const Pixel selectedEdge = tabs.At(frame2.left + frame2.Width() / 2, 0);
  const Pixel otherEdge = tabs.At(frame1.left + frame1.Width() / 2, 0);
  ASSERT_NE(selectedEdge, otherEdge);
  const Bitmap& pane = data.Part(spTabPane)->Map;
  const Pixel outline = pane.At(24, 0), inner = pane.At(24, 1), shaded = pane.At(24, 46);
  ASSERT_NE(inner, shaded);
  for (int side = 0; side < 4; ++side) {
    SCOPED_TRACE(side);
    HWND h = f.pages[side]->Handle();
    auto* wrapper = WrapperOf<TSkinTab>(*f.Skinned(), h);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(side, wrapper->Side());
    const auto canvas = PrintClient(h);
    // Along the outward direction of the tabs: (dx, dy) points into the control.
    const int dx[] = {0, 0, 1, -1}, dy[] = {1, -1, 0, 0};
    RECT client;
    GetClientRect(h, &client);
    for (int tab = 0; tab < 2; ++tab) {
      RECT r;
      ASSERT_TRUE(SendMessageA(h, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r)));
      // From the tab's outer edge inwards.
      const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
      const POINT outer[] = {{cx, r.top}, {cx, r.bottom - 1}, {r.left, cy}, {r.right - 1, cy}};
      EXPECT_EQ(tab == 0 ? selectedEdge : otherEdge,
                FirstOther(*canvas, outer[side].x, outer[side].y, dx[side], dy[side], 4, face))
          << "tab " << tab;
    }
    // The pane, turned with the tabs: the image's right and bottom edges
    // are shaded inside their outline, and land here on these edges.
    RECT display = client;
    SendMessageA(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const Rect p = PaneRect({display.left, display.top, display.right, display.bottom},
                            static_cast<TabSide>(side));
    const int mx = (p.left + p.right) / 2, my = (p.top + p.bottom) / 2;
    enum { kTop = 1, kBottom = 2, kLeft = 4, kRight = 8 };
    const int shadedEdges[] = {kRight | kBottom, kRight | kTop, kTop | kRight, kBottom | kLeft};
    struct Edge {
      int edge, x, y, inX, inY;
    } edges[] = {{kTop, mx, p.top, 0, 1},
                 {kBottom, mx, p.bottom - 1, 0, -1},
                 {kLeft, p.left, my, 1, 0},
                 {kRight, p.right - 1, my, -1, 0}};
    for (const Edge& e : edges) {
      EXPECT_EQ(outline, canvas->At(e.x, e.y)) << "edge " << e.edge;
      EXPECT_EQ((shadedEdges[side] & e.edge) ? shaded : inner, canvas->At(e.x + e.inX, e.y + e.inY))
          << "edge " << e.edge;
    }
  }

  // Tabs too narrow for their text: the text starts at least a pixel in and
  // stays inside its tab.
  HWND many = f.many->Handle();
  SetWindowLongA(many, GWL_STYLE, GetWindowLongA(many, GWL_STYLE) | TCS_FIXEDWIDTH);
  SendMessageA(many, TCM_SETITEMSIZE, 0, MAKELPARAM(30, 0));
  const auto canvas = PrintClient(many);
  RECT r;
  SendMessageA(many, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  ASSERT_EQ(30, r.right - r.left);
  int first = r.right, last = r.left;
  for (int y = r.top + 3; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (canvas->At(x, y) == 0) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  EXPECT_GE(first, r.left + 1);
  EXPECT_GT(last - first, 15) << "the text (with its ellipsis) spans the tab";
  // The scroll arrows of a crowded row are wrapped when their wrapper exists.
  HWND arrows = FindWindowExA(many, nullptr, UPDOWN_CLASSA, nullptr);
  ASSERT_NE(nullptr, arrows);
  EXPECT_TRUE(IsWindowVisible(arrows));
  EXPECT_EQ(WrapperBuilt(wkSkinUpDown),
            WrapperOf<TSkinTab>(*f.Skinned(), many)->ArrowWrapper() != nullptr);
}

TEST(SkinnedTabs, ACloseBoxAsksTheFormAndAnswerZeroRemovesThePageUnselected) {
  LRESULT answer = 1;
  std::vector<std::pair<WPARAM, LPARAM>> asked;
  int changes = 0;
  OddForm f;
  HWND h = f.pages[0]->Handle();
  auto* wrapper = WrapperOf<TSkinTab>(*f.Skinned(), h);
  ASSERT_NE(nullptr, wrapper);
  ASSERT_TRUE(wrapper->HasCloseBoxes());
  EXPECT_FALSE(WrapperOf<TSkinTab>(*f.Skinned(), f.pages[1]->Handle())->HasCloseBoxes());
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_EQ(3u, wrapper->CloseBoxes().size());
  const TWndMethod previous = f.form->WindowProc;
  f.form->WindowProc = [&](TMessage& m) {
    if (m.Msg != SKM_TABCLOSE) return previous(m);
    asked.push_back({m.WParam, m.LParam});
    m.Result = answer;
  };
  f.pages[0]->SetEvent("OnChange", [&](TEventArgs&) { ++changes; });
  auto press = [&](const Rect& r) {
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, Point(r.left + 2, r.top + 2));
    SendMessageA(h, WM_LBUTTONUP, 0, Point(r.left + 2, r.top + 2));
  };
  press(wrapper->CloseBoxes()[2]);  // the form says no
  ASSERT_EQ(1u, asked.size());
  EXPECT_EQ(reinterpret_cast<WPARAM>(h), asked[0].first);
  EXPECT_EQ(2, asked[0].second);
  EXPECT_EQ(3, SendMessageA(h, TCM_GETITEMCOUNT, 0, 0));
  answer = 0;
  TTabSheet* second = f.pages[0]->Pages()[1];
  press(wrapper->CloseBoxes()[1]);
  ASSERT_EQ(2u, asked.size());
  EXPECT_EQ(2u, f.pages[0]->Pages().size());
  EXPECT_EQ(2, SendMessageA(h, TCM_GETITEMCOUNT, 0, 0));
  EXPECT_NE(second, f.pages[0]->Pages()[1]);
  EXPECT_EQ(0, SendMessageA(h, TCM_GETCURSEL, 0, 0));
  EXPECT_EQ(f.pages[0]->Pages()[0], f.pages[0]->ActivePage());
  EXPECT_EQ(0, changes) << "the closed page was never selected";
  // A press beside the boxes still selects a tab.
  RECT r;
  SendMessageA(h, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, Point(r.left + 4, r.bottom - 4));
  SendMessageA(h, WM_LBUTTONUP, 0, Point(r.left + 4, r.bottom - 4));
  EXPECT_EQ(1, SendMessageA(h, TCM_GETCURSEL, 0, 0));
  EXPECT_EQ(1, changes);
  EXPECT_EQ(2u, asked.size());
  f.form->WindowProc = previous;
}

TEST(SkinnedTrackBars, ThumbAndChannelFromTheSkinTicksFromTheSystem) {
  OddForm f;
  const TSkinData& data = f.Data();
  const Pixel face = ToPixel(ResolveColour(data.FaceColour()));
  for (TTrackBar* bar : {f.horizontal, f.vertical}) {
    const bool vertical = bar == f.vertical;
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    HWND h = bar->Handle();
    const auto canvas = PrintClient(h);
    RECT thumb, channel;
    SendMessageA(h, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageA(h, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    // The thumb: frame 2 of the horizontal thumb strip (the skin has no
    // vertical one), stretched onto the thumb.
    const Bitmap& strip = data.Part(spThumbHorz)->Map;
    const Rect cell = FrameRect(strip, 5, 2, false);
    if (thumb.right - thumb.left == cell.Width() && thumb.bottom - thumb.top == cell.Height()) {
      EXPECT_EQ("", CellDifference(*canvas, thumb.left, thumb.top, strip, 5, 2));
    }
    // The channel: the track image at its own size across, centred, its
    // middle stretched along.
    const Bitmap& track = data.Part(vertical ? spTrackVert : spTrack)->Map;
    const int across = vertical ? track.Width() : track.Height();
    const int room = vertical ? channel.right - channel.left : channel.bottom - channel.top;
    const int start = (vertical ? channel.left : channel.top) + std::max(0, (room - across) / 2);
    // Along the channel, at the end away from the thumb.
    const int from = vertical ? channel.top : channel.left;
    const int to = vertical ? channel.bottom : channel.right;
    const int thumbAt = vertical ? (thumb.top + thumb.bottom) / 2 : (thumb.left + thumb.right) / 2;
    const int along = thumbAt < (from + to) / 2 ? to - 6 : from + 6;
    for (int i = 0; i < across; ++i) {
      const Pixel want = vertical ? track.At(i, 8) : track.At(8, i);
      EXPECT_EQ(want, vertical ? canvas->At(start + i, along) : canvas->At(along, start + i)) << i;
    }
    // The ticks are the system's: something is drawn beside the thumb, on
    // the far side of it from the channel.
    RECT client;
    GetClientRect(h, &client);
    bool tick = false;
    for (int a = from; a < to; ++a)
      for (int b = vertical ? thumb.right : thumb.bottom;
           b < (vertical ? client.right : client.bottom); ++b)
        tick |= (vertical ? canvas->At(b, a) : canvas->At(a, b)) != face;
    EXPECT_TRUE(tick);
  }
}

// Clicks an item of a combo box's dropped list.
void ClickListItem(HWND combo, int index) {
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(combo, &info);
  RECT item;
  SendMessageA(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = Point((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
  SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
}

// The button of a skinned combo box, printed, against a frame of a strip.
std::string ButtonDifference(TComboBox* combo, TSkinComBox* wrapper, const Bitmap& strip,
                             int frame) {
  const auto canvas = PrintClient(combo->Handle());
  const RECT b = wrapper->ButtonRect();
  return CellDifference(*canvas, b.left, b.top, strip, 4, frame);
}

TEST(SkinnedComboBoxes, TheButtonShowsEachLookForEachSide) {
  OddForm f;
  const auto& combo = *static_cast<const TDataSkinBorder*>(f.Data().Part(spComboButton));
  ASSERT_EQ(1, combo.Style);
  SetFocus(f.horizontal->Handle());
  auto* plain = WrapperOf<TSkinComBox>(*f.Skinned(), f.plain->Handle());
  ASSERT_NE(nullptr, plain);
  HWND h = f.plain->Handle();
  EXPECT_EQ("", ButtonDifference(f.plain, plain, combo.Map, 1));
  RECT b = plain->ButtonRect();
  EXPECT_GT(b.left, 100) << "at the right";
  // Hover only over the button.
  SendMessageA(h, WM_MOUSEMOVE, 0, Point(b.left + 3, b.top + 3));
  EXPECT_TRUE(plain->Hover());
  EXPECT_EQ("", ButtonDifference(f.plain, plain, combo.Map, 4));
  SendMessageA(h, WM_MOUSEMOVE, 0, Point(20, 8));
  EXPECT_FALSE(plain->Hover());
  EXPECT_EQ("", ButtonDifference(f.plain, plain, combo.Map, 1));
  // Disabled: frame 3.
  auto* disabled = WrapperOf<TSkinComBox>(*f.Skinned(), f.disabled->Handle());
  EXPECT_EQ("", ButtonDifference(f.disabled, disabled, combo.Map, 3));
  // Left-hand: the mirrored strip at the left; the system's own button at
  // the right is covered and the text moved clear of the skin's.
  auto* left = WrapperOf<TSkinComBox>(*f.Skinned(), f.left->Handle());
  EXPECT_EQ("", ButtonDifference(f.left, left, combo.Map2, ComboStripFrame(1, 4, true)));
  EXPECT_EQ(2, left->ButtonRect().left);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(f.left->Handle(), &info);
  const int shift = info.rcButton.right - info.rcButton.left;
  const auto canvas = PrintClient(f.left->Handle()), same = PrintClient(f.plain->Handle());
  for (int y = 4; y < 17; ++y)
    for (int x = 4; x < 60; ++x)
      ASSERT_EQ(same->At(x, y), canvas->At(x + shift, y)) << "the text moved by " << shift;
  EXPECT_EQ(canvas->At(40, 3), canvas->At(140, 9)) << "no system button at the right";
  // Pressed from the edit of a drop-down combo box.
  auto* edit = WrapperOf<TSkinComBox>(*f.Skinned(), f.edit->Handle());
  HWND editChild = GetWindow(f.edit->Handle(), GW_CHILD);
  ASSERT_NE(nullptr, editChild);
  SendMessageA(editChild, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
  EXPECT_TRUE(edit->Pressed());
  EXPECT_EQ("", ButtonDifference(f.edit, edit, combo.Map, 2));
  SendMessageA(editChild, WM_LBUTTONUP, 0, Point(3, 3));
  EXPECT_FALSE(edit->Pressed());
}

// Presses the left button on a point of a scroll bar (screen coordinates)
// and lets the system's own tracking run: the mouse then moves to each of
// `moves` (screen coordinates too) and the button goes up at the last one.
void DragOnBar(HWND window, int hit, POINT down, const std::vector<POINT>& moves) {
  for (POINT p : moves) {
    ScreenToClient(window, &p);
    PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, Point(p.x, p.y));
  }
  POINT up = moves.empty() ? down : moves.back();
  ScreenToClient(window, &up);
  PostMessageA(window, WM_LBUTTONUP, 0, Point(up.x, up.y));
  SendMessageA(window, WM_NCLBUTTONDOWN, hit, Point(down.x, down.y));
}

POINT ScreenCentre(HWND window, const Rect& r) {
  RECT w;
  GetWindowRect(window, &w);
  return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
}

// What the bars show while the system tracks the mouse: taken by a timer
// inside the tracking loop, which then lets the button go.
struct WhileHeld {
  static WhileHeld* current;
  HWND window = nullptr;
  std::function<void()> look;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    current->look();
    PostMessageA(current->window, WM_LBUTTONUP, 0, 0);
  }
  void Hold(int hit, POINT at) {
    current = this;
    SetTimer(nullptr, 0, 20, &Tick);
    SendMessageA(window, WM_NCLBUTTONDOWN, hit, MAKELPARAM(at.x, at.y));
  }
};
WhileHeld* WhileHeld::current = nullptr;

// The box's vertical bar drawn by the skin, against the arrow strip's frame
// at the down arrow; "" when equal.
std::string DownArrowDifference(HWND box, const ScrollParts& v, const TSkinData& data, int frame) {
  const auto canvas = PrintedFrame(box);
  const TDataSkinObject& arrows = *data.Part(spScrollbar);
  return CellDifference(*canvas, v.arrowForward.left, v.arrowForward.top, arrows.Map, arrows.Frame,
                        frame);
}

TEST(SkinnedScrollBars, TheBarsShowTheSkinsPartsInEachLook) {
  OddForm f;
  const TSkinData& data = f.Data();
  HWND h = f.box->Handle();
  auto* wrapper = WrapperOf<TSkinScrollbar>(*f.Skinned(), h);
  ASSERT_NE(nullptr, wrapper);
  ScrollParts v, hz;
  bool disabled[6];
  ASSERT_TRUE(wrapper->BarParts(true, &v, disabled) && wrapper->BarParts(false, &hz, disabled));
  const Bitmap& arrows = data.Part(spScrollbar)->Map;
  const int n = data.Part(spScrollbar)->Frame;
  const auto canvas = PrintedFrame(h);
  EXPECT_EQ("", CellDifference(*canvas, v.arrowBack.left, v.arrowBack.top, arrows, n, 1));
  EXPECT_EQ("", CellDifference(*canvas, v.arrowForward.left, v.arrowForward.top, arrows, n, 5));
  EXPECT_EQ("", CellDifference(*canvas, hz.arrowBack.left, hz.arrowBack.top, arrows, n, 9));
  EXPECT_EQ("", CellDifference(*canvas, hz.arrowForward.left, hz.arrowForward.top, arrows, n, 13));
  const Bitmap& thumb = data.Part(spVertScrollThumb)->Map;
  const Rect cell = FrameRect(thumb, data.Part(spVertScrollThumb)->Frame, 1, false);
  EXPECT_EQ(thumb.At(cell.left + cell.Width() / 2, cell.top + cell.Height() / 2),
            canvas->At((v.thumb.left + v.thumb.right) / 2, (v.thumb.top + v.thumb.bottom) / 2));
  EXPECT_EQ(ToPixel(ResolveColour(data.Colour(ceButtonShadow))), canvas->At(0, 0)) << "a flat edge";
  // Hover over the down arrow, pressed while the system tracks it, normal
  // once the mouse has left.
  const POINT down = ScreenCentre(h, v.arrowForward);
  SendMessageA(h, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(down.x, down.y));
  EXPECT_EQ("", DownArrowDifference(h, v, data, 6));
  std::string held = "not looked at";
  WhileHeld hold;
  hold.window = h;
  hold.look = [&] { held = DownArrowDifference(h, v, data, 7); };
  hold.Hold(HTVSCROLL, down);
  EXPECT_EQ("", held);
  EXPECT_GE(f.box->VertPosition(), 8) << "the arrow scrolled";
  SendMessageA(h, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ("", DownArrowDifference(h, v, data, 5));
}

TEST(SkinnedOddForm, SwitchingSkinningOffGivesTheControlsBackAndOnTakesThemAgain) {
  OddForm f;
  const std::vector<HWND> wrapped = {f.pages[2]->Handle(), f.pages[2]->Pages()[0]->Handle(),
                                     f.edit->Handle(), f.horizontal->Handle(), f.box->Handle()};
  HWND editChild = GetWindow(f.edit->Handle(), GW_CHILD);
  LONG_PTR editProcedure = 0;
  for (int round = 0; round < 2; ++round) {
    for (HWND h : wrapped) EXPECT_EQ(1, SendMessageA(h, SKM_QUERYSKINNED, 0, 0));
    EXPECT_NE(editProcedure, GetWindowLongPtrA(editChild, GWLP_WNDPROC));
    f.holder->SetPropText("Active", "False");
    ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->Windows().empty(); }));
    for (HWND h : wrapped) EXPECT_EQ(0, SendMessageA(h, SKM_QUERYSKINNED, 0, 0));
    // The page follows its form's colour again.
    EXPECT_EQ(f.form->Color(), f.pages[2]->Pages()[0]->Color());
    if (round == 0) editProcedure = GetWindowLongPtrA(editChild, GWLP_WNDPROC);
    EXPECT_EQ(editProcedure, GetWindowLongPtrA(editChild, GWLP_WNDPROC));
    // The system draws again: the box's edge is its own.
    EXPECT_NE(ToPixel(ResolveColour(f.Data().Colour(ceButtonShadow))),
              PrintedFrame(f.box->Handle())->At(0, 0));
    f.Data().SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinned() && f.Skinned()->State() == fsSkinned; }));
  }
}

TEST(SkinnedMainWindowControls, TrackBarComboAndTheFixPageStillWorkSkinned) {
  ProgramInProcess program;
  InstallSkinManager();
  TTweakFrm window(nullptr);
  window.Show();
  TWinSkinForm* skinned = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    skinned = TSkinManage::Instance()->FindSkinnedWindow(window.Handle());
    return skinned && skinned->State() == fsSkinned;
  }));
  const TSkinData& data = Bind<TSkinDataComponent>(window, "SkinData1")->Data();

  Bind<TPageControl>(window, "TweaksSheet")->SetActivePage(Bind<TTabSheet>(window, "TabSheet1"));
  // Page 2's track bar still moves its value and runs its handler.
  auto* tb = Bind<TTrackBar>(window, "TB");
  ASSERT_NE(nullptr, WrapperOf<TSkinControl>(*skinned, tb->Handle()));
  SendMessageA(tb->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(tb->Handle(), WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(3600, tb->Position());
  EXPECT_NE(std::string::npos, Bind<TControl>(window, "NOSF")->Caption().find("(3600)"));

  // The prefetch list drops down and selects.
  auto* su = Bind<TComboBox>(window, "SU");
  auto* combo = WrapperOf<TSkinComBox>(*skinned, su->Handle());
  ASSERT_NE(nullptr, combo);
  const RECT b = combo->ButtonRect();
  SendMessageA(su->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(b.left + 3, b.top + 3));
  SendMessageA(su->Handle(), WM_LBUTTONUP, 0, Point(b.left + 3, b.top + 3));
  EXPECT_TRUE(combo->Dropped());
  ClickListItem(su->Handle(), 3);
  PumpUntil([&] { return !combo->Dropped(); }, 2000);
  EXPECT_FALSE(combo->Dropped());
  EXPECT_EQ(3, su->ItemIndex());

  // The FIX page's scroll box: its arrow, thumb and track still scroll it,
  // and the thumb follows the mouse.
  Bind<TControl>(window, "spdFix")->Click();
  auto* box = Bind<TScrollBox>(window, "ScrollBox2");
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(box->Handle()) != FALSE; }));
  auto* bars = WrapperOf<TSkinScrollbar>(*skinned, box->Handle());
  ASSERT_NE(nullptr, bars);
  ScrollParts v;
  bool disabled[6];
  ASSERT_TRUE(bars->BarParts(true, &v, disabled));
  DragOnBar(box->Handle(), HTVSCROLL, ScreenCentre(box->Handle(), v.arrowForward), {});
  EXPECT_EQ(8, box->VertPosition());
  ASSERT_TRUE(bars->BarParts(true, &v, disabled));
  const int thumbTop = v.thumb.top;
  const POINT grip = ScreenCentre(box->Handle(), v.thumb);
  DragOnBar(box->Handle(), HTVSCROLL, grip, {{grip.x, grip.y + 15}, {grip.x, grip.y + 30}});
  EXPECT_GT(box->VertPosition(), 8 + 30);
  ASSERT_TRUE(bars->BarParts(true, &v, disabled));
  EXPECT_NEAR(thumbTop + 30, v.thumb.top, 1);
  const int before = box->VertPosition();
  SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(box->Handle(), SB_VERT, &info);
  const Rect below{v.trackForward.left, v.trackForward.bottom - 4, v.trackForward.right,
                   v.trackForward.bottom - 2};
  DragOnBar(box->Handle(), HTVSCROLL, ScreenCentre(box->Handle(), below), {});
  EXPECT_EQ(before + static_cast<int>(info.nPage), box->VertPosition());
  // What shows afterwards is the skin's, where the system has its parts.
  ASSERT_TRUE(bars->BarParts(true, &v, disabled));
  EXPECT_EQ("", DownArrowDifference(box->Handle(), v, data, 5));
}

}  // namespace
}  // namespace velotune::skin
