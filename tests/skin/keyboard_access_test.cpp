// The real main window, skinned, worked from the keyboard only: Tab through
// every page and the FIX page, Space on a check box, Ctrl+Tab between pages,
// and the focus cue a focused check box shows and an unfocused one does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/containers.h"
#include "framework/std_controls.h"
#include "skinned_tweak_window.h"
#include "skinned_window_support.h"

namespace velotune::skin {
namespace {

using testing::Canvas;
using testing::PumpUntil;
using testing::SkinnedTweakWindow;

// The window in front, so that the keyboard's focus is in it.
HWND InFront(TForm& window) {
  SetForegroundWindow(window.Handle());
  return window.Handle();
}

// A key as the keyboard gives it to the focused window, Ctrl and Shift held
// as asked, handled by the program's own message dispatch.
void Press(UINT key, bool ctrl = false, bool shift = false) {
  BYTE keys[256];
  GetKeyboardState(keys);
  const BYTE saved[2] = {keys[VK_CONTROL], keys[VK_SHIFT]};
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  HWND target = GetFocus();
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
  for (int i = 0; i < 4; ++i) Application().ProcessMessages();
  keys[VK_CONTROL] = saved[0];
  keys[VK_SHIFT] = saved[1];
  SetKeyboardState(keys);
}

// Alt+character, as the system posts it.
void AltChar(char c) {
  PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<unsigned char>(c), 0x20000001);
  for (int i = 0; i < 4; ++i) Application().ProcessMessages();
}

std::string NameOf(HWND window) {
  TWinControl* control = TWinControl::FromHandle(window);
  if (control) return control->Name();
  char text[64] = {};
  GetClassNameA(window, text, sizeof(text));
  return std::string("<") + text + ">";
}

// What Tab must reach on the window as it shows now: every visible, enabled
// window that is a tab stop, of a group of radio buttons only the selected.
BOOL CALLBACK CollectStop(HWND w, LPARAM out) {
  const LONG style = GetWindowLongA(w, GWL_STYLE);
  bool enabled = true;
  for (HWND a = w; a && a != GetAncestor(w, GA_ROOT); a = GetParent(a))
    enabled = enabled && IsWindowEnabled(a);
  if (!IsWindowVisible(w) || !enabled || !(style & WS_TABSTOP)) return TRUE;
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof(cls));
  const LONG type = style & BS_TYPEMASK;
  const bool radio =
      lstrcmpiA(cls, "Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
  if (radio && SendMessageA(w, BM_GETCHECK, 0, 0) == 0) return TRUE;
  reinterpret_cast<std::set<HWND>*>(out)->insert(w);
  return TRUE;
}

std::set<HWND> ExpectedStops(HWND main) {
  std::set<HWND> stops;
  EnumChildWindows(main, &CollectStop, reinterpret_cast<LPARAM>(&stops));
  return stops;
}

// Tab from the focused window round to it again: the windows it passed.
std::vector<HWND> TabRound() {
  const HWND start = GetFocus();
  std::vector<HWND> visited;
  for (int i = 0; i < 400; ++i) {
    Press(VK_TAB);
    visited.push_back(GetFocus());
    if (GetFocus() == start) break;
  }
  return visited;
}

// Reading order: each next stop lies below the one before (give or take a
// few pixels) or in a column further right. A stop above and to the left
// of the one before is a jump back. Rectangles are taken with the scroll
// boxes at their top, so that all stops are measured in one layout.
std::vector<std::string> JumpsBack(const std::vector<HWND>& order, HWND main) {
  for (TScrollBox* box : {Bind<TScrollBox>(*TWinControl::FromHandle(main), "ScrollBox2")})
    if (box->HandleAllocated()) SendMessageA(box->Handle(), WM_VSCROLL, SB_TOP, 0);
  constexpr int kSlack = 4;
  std::vector<std::string> jumps;
  for (size_t i = 1; i < order.size(); ++i) {
    RECT before, next;
    GetWindowRect(order[i - 1], &before);
    GetWindowRect(order[i], &next);
    const bool below = next.top >= before.top - kSlack;
    const bool furtherRight = next.left >= before.right - kSlack;
    if (!below && !furtherRight) jumps.push_back(NameOf(order[i - 1]) + " -> " + NameOf(order[i]));
  }
  return jumps;
}

void ExpectOneRoundInReadingOrder(HWND main, const std::string& where) {
  SCOPED_TRACE(where);
  const HWND start = GetFocus();
  const std::vector<HWND> stops = TabRound();
  ASSERT_FALSE(stops.empty());
  ASSERT_EQ(start, stops.back()) << "Tab came round to where it began";
  // Every stop once in the round.
  std::set<HWND> reached(stops.begin(), stops.end());
  EXPECT_EQ(reached.size(), stops.size()) << "a stop reached twice in one round";
  const std::set<HWND> expected = ExpectedStops(main);
  std::vector<std::string> missing, extra;
  for (HWND w : expected)
    if (!reached.count(w)) missing.push_back(NameOf(w));
  for (HWND w : reached)
    if (!expected.count(w)) extra.push_back(NameOf(w));
  EXPECT_EQ(std::vector<std::string>{}, missing) << "not reached by Tab";
  EXPECT_EQ(std::vector<std::string>{}, extra) << "reached but hidden, disabled or no stop";
  // The last step wraps round to the first stop: not part of the order.
  std::vector<HWND> order(stops.begin(), stops.end() - 1);
  const auto first = std::min_element(order.begin(), order.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  std::rotate(order.begin(), first, order.end());
  EXPECT_EQ(std::vector<std::string>{}, JumpsBack(order, main));
}

// The control painted as it shows now.
std::vector<Pixel> Printed(HWND box) {
  RECT r;
  GetClientRect(box, &r);
  Canvas canvas(r.right, r.bottom);
  SendMessageA(box, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  std::vector<Pixel> pixels;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) pixels.push_back(canvas.At(x, y));
  return pixels;
}

int Differing(const std::vector<Pixel>& a, const std::vector<Pixel>& b) {
  int n = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
  return n;
}

TEST(KeyboardAccess, TabReachesEveryControlOfEveryPageAndFixOnceInReadingOrder) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  const HWND main = InFront(window);
  auto* pages = Bind<TPageControl>(window, "TweaksSheet");
  pages->SetFocus();
  const std::vector<std::string> tabs = {"TabSheet2", "TabSheet1", "TabSheet3"};
  for (size_t i = 0; i < tabs.size(); ++i) {
    EXPECT_EQ(pages->ActivePage(), Bind<TTabSheet>(window, tabs[i].c_str()));
    // Pages not shown yet may make their windows now.
    PumpUntil([] { return false; }, 100);
    ExpectOneRoundInReadingOrder(main, tabs[i]);
    Press(VK_TAB, true);  // Ctrl+Tab
  }
  EXPECT_EQ(pages->ActivePage(), Bind<TTabSheet>(window, "TabSheet2")) << "round to the first";
  Press(VK_TAB, true, true);  // Ctrl+Shift+Tab
  EXPECT_EQ(pages->ActivePage(), Bind<TTabSheet>(window, "TabSheet3"));
  Press(VK_NEXT, true);  // Ctrl+Page Down
  EXPECT_EQ(pages->ActivePage(), Bind<TTabSheet>(window, "TabSheet2"));
  Press(VK_PRIOR, true);  // Ctrl+Page Up
  EXPECT_EQ(pages->ActivePage(), Bind<TTabSheet>(window, "TabSheet3"));

  // The sidebar's FIX and TWEAK by Alt+F and Alt+T.
  AltChar('f');
  EXPECT_EQ(pages->ActivePage(), Bind<TTabSheet>(window, "shtFix"));
  EXPECT_FALSE(IsWindowVisible(Bind<TWinControl>(window, "Panel2")->Handle()));
  PumpUntil([] { return false; }, 100);
  // FIX gives the focus to its scroll box, which is no stop: Tab goes on
  // from there into the round.
  Press(VK_TAB);
  ExpectOneRoundInReadingOrder(main, "FIX");
  AltChar('t');
  EXPECT_EQ(pages->ActivePage(), Bind<TTabSheet>(window, "TabSheet2"));
}

TEST(KeyboardAccess, SpaceTicksTheFocusedBoxAndArrowsMoveInARadioGroup) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  InFront(window);
  auto* box = Bind<TCheckBox>(window, "Prog");
  const bool was = box->Checked();
  box->SetFocus();
  Press(VK_SPACE);
  EXPECT_EQ(!was, SendMessageA(box->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED);
  EXPECT_EQ(!was, box->Checked());
  Press(VK_SPACE);
  EXPECT_EQ(was, box->Checked());

  // Page 3's drive-letter group: Down selects and focuses the next button.
  AltChar('3');
  auto* d1 = Bind<TRadioButton>(window, "D1");
  auto* d2 = Bind<TRadioButton>(window, "D2");
  PumpUntil([] { return false; }, 100);
  d1->SetFocus();
  SendMessageA(d1->Handle(), BM_CLICK, 0, 0);
  Press(VK_DOWN);
  EXPECT_EQ(d2->Handle(), GetFocus());
  EXPECT_TRUE(d2->Checked());
  EXPECT_FALSE(d1->Checked());
  Press(VK_UP);
  EXPECT_EQ(d1->Handle(), GetFocus());
  EXPECT_TRUE(d1->Checked());
}

TEST(KeyboardAccess, TheFocusedCheckBoxShowsACueOnceTheKeyboardIsUsed) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  InFront(window);
  auto* prog = Bind<TCheckBox>(window, "Prog");
  auto* sub = Bind<TCheckBox>(window, "SubFolder");
  const std::vector<Pixel> progPlain = Printed(prog->Handle());
  const std::vector<Pixel> subPlain = Printed(sub->Handle());

  // (Wine keeps no UI state: the cues hidden after the mouse until the
  // keyboard is used show only on Windows.)
  prog->SetFocus();
  // Tab moves on: the focused box has its cue, the box it left has none.
  Press(VK_TAB);
  ASSERT_EQ(sub->Handle(), GetFocus());
  EXPECT_EQ(0, SendMessageA(sub->Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  const std::vector<Pixel> subFocused = Printed(sub->Handle());
  EXPECT_GT(Differing(subPlain, subFocused), 40) << "a dotted rectangle round the caption";
  EXPECT_EQ(0, Differing(progPlain, Printed(prog->Handle())));
  // The cue lies round the caption, right of the check image.
  RECT r;
  GetClientRect(sub->Handle(), &r);
  const int image = shown.Data().Button().CheckMap.Width() / shown.Data().Button().CheckFrame;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < image; ++x)
      EXPECT_EQ(subPlain[y * r.right + x], subFocused[y * r.right + x]) << x << "," << y;

  // The page's tabs and a push button show theirs too.
  auto* pages = Bind<TPageControl>(window, "TweaksSheet");
  const std::vector<Pixel> tabsPlain = Printed(pages->Handle());
  EXPECT_EQ(0, Differing(subFocused, Printed(sub->Handle()))) << "as long as it has the focus";
  pages->SetFocus();
  EXPECT_GT(Differing(tabsPlain, Printed(pages->Handle())), 40);
  auto* save = Bind<TButton>(window, "Save2");
  const std::vector<Pixel> savePlain = Printed(save->Handle());
  save->SetFocus();
  EXPECT_GT(Differing(savePlain, Printed(save->Handle())), 40);
}

// Presses Escape in the dialog of this class once it shows; closes it
// otherwise when Escape has not done so two seconds later.
struct EscapeWhenShown {
  static const char* dialogClass;
  static int ticksSincePressed;
  static bool stuck;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA(dialogClass, nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    if (ticksSincePressed < 0) PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
    if (++ticksSincePressed == 40) {
      stuck = true;
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
  }
};
const char* EscapeWhenShown::dialogClass = nullptr;
int EscapeWhenShown::ticksSincePressed = -1;
bool EscapeWhenShown::stuck = false;

TEST(KeyboardAccess, EscapeClosesTheAboutAndDonateDialogs) {
  SkinnedTweakWindow shown;
  for (const char* name : {"Button29", "Button1"}) {
    SCOPED_TRACE(name);
    EscapeWhenShown::dialogClass = std::string(name) == "Button29" ? "TfrmVtAbout" : "TfrmDonate";
    EscapeWhenShown::ticksSincePressed = -1;
    EscapeWhenShown::stuck = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &EscapeWhenShown::Tick);
    // Returns once the modal dialog has closed.
    Bind<TButton>(shown.window, name)->Click();
    KillTimer(nullptr, timer);
    EXPECT_GE(EscapeWhenShown::ticksSincePressed, 0) << "the dialog showed";
    EXPECT_FALSE(EscapeWhenShown::stuck) << "Escape left the dialog open";
    EXPECT_EQ(nullptr, FindWindowA(EscapeWhenShown::dialogClass, nullptr));
  }
}

}  // namespace
}  // namespace velotune::skin
