// The real main window at the display's DPI (run in the default prefix at
// 96 and in one at 144): the client area, the caption, its buttons and a
// check box's image at the design's size times the scale, every caption's
// text inside its control on every page; and WM_DPICHANGED there and back
// (the window takes the suggested rectangle, the fonts and the skin's parts
// of the new DPI, and at the old one again looks exactly as before). The
// default prefix's screen has no room for the window at 144 DPI (the resize
// kit keeps a window within the work area): there it goes to 120 and back;
// the 144-DPI prefix goes to 96 and back to 144.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/graphic_controls.h"
#include "framework/std_controls.h"
#include "framework/window_dpi.h"
#include "skin/controls/check_frames.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skinned_tweak_window.h"
#include "skinned_window_support.h"

namespace velotune::skin {
namespace {

using testing::Canvas;
using testing::CellDifference;
using testing::PrintClient;
using testing::PumpUntil;
using testing::SkinnedTweakWindow;

// At 96 DPI: the main window's client size (the resize kit's outer size
// less the system's frame, kept when the skin's frame replaces it), the
// caption's height, a caption button's cell and a check box's image cell.
constexpr int kClientWidth = 800, kClientHeight = 663;
constexpr int kCaptionHeight = 31, kButtonWidth = 35, kButtonHeight = 21, kCheckCell = 13;

double Scaled(int pixels, int dpi) {
  return pixels * dpi / 96.0;
}

TITLEBARINFOEX TitleBar(HWND window) {
  TITLEBARINFOEX info = {};
  info.cbSize = sizeof(info);
  SendMessageA(window, WM_GETTITLEBARINFOEX, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

int Width(const RECT& r) {
  return r.right - r.left;
}
int Height(const RECT& r) {
  return r.bottom - r.top;
}

// The frame of the check strip `box` shows now; "" when its image cell,
// placed as the wrapper places it, is one of the strip's frames one to one.
std::string CheckImageDifference(HWND box, const SkinArt& art) {
  const Bitmap& strip = art.Button().CheckMap;
  const int frames = art.Button().CheckFrame;
  RECT r;
  GetClientRect(box, &r);
  const CheckPlace place = PlaceCheckImage({0, 0, r.right, r.bottom}, strip.Width() / frames,
                                           strip.Height(), false, false);
  const auto canvas = PrintClient(box, WM_PAINT);
  std::string first;
  for (int frame = 1; frame <= frames; ++frame) {
    const std::string difference =
        CellDifference(*canvas, place.image.left, place.image.top, strip, frames, frame);
    if (difference.empty()) return "";
    if (first.empty()) first = difference;
  }
  return first;
}

// A caption as it shows: "&&" is one "&", a single "&" marks the next letter.
std::string ShownText(const std::string& caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

// Every showing label, check box, radio button and button whose text does
// not fit the room its control gives it, with what it needs.
std::vector<std::string> TextsThatDoNotFit(TForm& window, const SkinArt& art) {
  std::vector<std::string> misfits;
  HDC dc = GetDC(window.Handle());
  const int cell = art.Button().CheckMap.Width() / std::max(art.Button().CheckFrame, 1);
  for (TComponent* c : window.Components()) {
    auto* control = dynamic_cast<TControl*>(c);
    if (!control || !control->Showing() || control->Caption().empty()) continue;
    const bool box = dynamic_cast<TCheckBox*>(control) || dynamic_cast<TRadioButton*>(control);
    auto* label = dynamic_cast<TLabel*>(control);
    if (!box && !label && !dynamic_cast<TButton*>(control)) continue;
    const std::string text = ShownText(control->Caption());
    HGDIOBJ old = SelectObject(dc, control->Font().Handle());
    int room = control->Width();
    if (box)
      room = PlaceCheckImage({0, 0, control->Width(), control->Height()}, cell, cell, false,
                             dynamic_cast<TRadioButton*>(control) != nullptr)
                 .text.Width();
    RECT need{0, 0, room, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
    if (label && label->wordWrap)
      format |= DT_WORDBREAK;
    else
      format |= DT_SINGLELINE;
    DrawTextA(dc, text.c_str(), -1, &need, format);
    SelectObject(dc, old);
    if (need.right > room || need.bottom > control->Height())
      misfits.push_back(control->Name() + " \"" + text + "\" needs " + std::to_string(need.right) +
                        "x" + std::to_string(need.bottom) + ", has " + std::to_string(room) + "x" +
                        std::to_string(control->Height()));
  }
  ReleaseDC(window.Handle(), dc);
  return misfits;
}

// What the screen shows of the window, its status bar (a clock) left out;
// rows of the window's width.
std::vector<Pixel> ShownPixels(TForm& window) {
  HWND h = window.Handle();
  SetForegroundWindow(h);
  RedrawWindow(h, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpUntil([] { return false; }, 300);
  RECT r;
  GetWindowRect(h, &r);
  RECT bar{};
  GetWindowRect(Bind<TWinControl>(window, "StatusBar1")->Handle(), &bar);
  Canvas canvas(Width(r), Height(r));
  HDC screen = GetDC(nullptr);
  BitBlt(canvas.Dc(), 0, 0, Width(r), Height(r), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  std::vector<Pixel> pixels;
  for (int y = 0; y < Height(r); ++y)
    for (int x = 0; x < Width(r); ++x) {
      const bool inBar = y + r.top >= bar.top && y + r.top < bar.bottom;
      pixels.push_back(inBar ? 0 : canvas.At(x, y));
    }
  return pixels;
}

// "" when the two are the same; else how many pixels differ and the first.
std::string PixelDifference(const std::vector<Pixel>& now, const std::vector<Pixel>& before,
                            int width) {
  if (now.size() != before.size()) return "the window's size differs";
  size_t count = 0, first = 0;
  for (size_t i = 0; i < now.size(); ++i)
    if (now[i] != before[i] && count++ == 0) first = i;
  if (count == 0) return "";
  char text[128];
  std::snprintf(text, sizeof(text), "%zu pixels differ, the first at %zu,%zu: %06X, was %06X",
                count, first % width, first / width, static_cast<unsigned>(now[first] & 0xFFFFFF),
                static_cast<unsigned>(before[first] & 0xFFFFFF));
  return text;
}

TEST(DisplayScale, MainWindowAtTheDisplaysDpi) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  HWND h = window.Handle();
  const int dpi = WindowDpi(h);
  EXPECT_EQ(dpi, window.Dpi());
  const SkinArt& art = shown.Data().ArtFor(dpi);
  EXPECT_EQ(dpi, art.dpi);

  RECT client;
  GetClientRect(h, &client);
  EXPECT_NEAR(Scaled(kClientWidth, dpi), client.right, 2);
  EXPECT_NEAR(Scaled(kClientHeight, dpi), client.bottom, 2);

  const TITLEBARINFOEX bar = TitleBar(h);
  EXPECT_NEAR(Scaled(kCaptionHeight, dpi), Height(bar.rcTitleBar), 1);
  for (int element : {2, 3, 5}) {  // minimize, maximize, close
    EXPECT_NEAR(Scaled(kButtonWidth, dpi), Width(bar.rgrect[element]), 1) << element;
    EXPECT_NEAR(Scaled(kButtonHeight, dpi), Height(bar.rgrect[element]), 1) << element;
  }

  const int cell = art.Button().CheckMap.Width() / art.Button().CheckFrame;
  std::printf("at %d DPI: client %ldx%ld, caption %d high, close button %dx%d, check cell %dx%d\n",
              dpi, client.right, client.bottom, Height(bar.rcTitleBar), Width(bar.rgrect[5]),
              Height(bar.rgrect[5]), cell, art.Button().CheckMap.Height());
  EXPECT_NEAR(Scaled(kCheckCell, dpi), cell, 1);
  EXPECT_NEAR(Scaled(kCheckCell, dpi), art.Button().CheckMap.Height(), 1);
  EXPECT_EQ("", CheckImageDifference(Bind<TWinControl>(window, "chkIC")->Handle(), art));

  // Every page, and FIX.
  const std::vector<std::string> none;
  for (char page : {'1', '2', '3'}) {
    EXPECT_TRUE(window.DialogChar(page));
    EXPECT_EQ(none, TextsThatDoNotFit(window, art)) << "page " << page;
  }
  Bind<TSpeedButton>(window, "spdFix")->Click();
  EXPECT_EQ(none, TextsThatDoNotFit(window, art)) << "FIX";
  Bind<TSpeedButton>(window, "spdTweak")->Click();
}

TEST(DisplayScale, FollowsWmDpiChangedThereAndBack) {
  SkinnedTweakWindow shown;
  TTweakFrm& window = shown.window;
  HWND h = window.Handle();
  TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinnedWindow(h);
  ASSERT_NE(nullptr, skinned);
  const int start = window.Dpi();
  const int other = start == 96 ? 120 : 96;
  RECT before;
  GetWindowRect(h, &before);
  const int fontBefore = window.Font().Height();
  const std::vector<Pixel> pixelsBefore = ShownPixels(window);

  RECT suggested{before.left, before.top, before.left + MulDiv(Width(before), other, start),
                 before.top + MulDiv(Height(before), other, start)};
  EXPECT_EQ(0, SendMessageA(h, WM_DPICHANGED, MAKEWPARAM(other, other),
                            reinterpret_cast<LPARAM>(&suggested)));
  PumpUntil([] { return false; }, 300);
  RECT now;
  GetWindowRect(h, &now);
  EXPECT_TRUE(EqualRect(&suggested, &now))
      << now.left << "," << now.top << " " << Width(now) << "x" << Height(now) << " for "
      << suggested.left << "," << suggested.top << " " << Width(suggested) << "x"
      << Height(suggested);
  EXPECT_EQ(other, window.Dpi());
  EXPECT_EQ(other, skinned->Scale().Dpi());
  // The fonts of the new DPI: the design's 8 points there.
  EXPECT_EQ(static_cast<int>(std::lround(8 * other / 96.0)), window.Font().Size());
  auto* box = Bind<TWinControl>(window, "chkIC");
  EXPECT_EQ(window.Font().Height(), box->Font().Height());
  // The skin's parts of the new DPI: frame, caption buttons, check images.
  const SkinArt& art = shown.Data().ArtFor(other);
  const TDataSkinBorder& top = art.Edge(seTop);
  const TITLEBARINFOEX bar = TitleBar(h);
  EXPECT_EQ(top.Map.Height() / top.Frame, Height(bar.rcTitleBar));
  EXPECT_NEAR(Scaled(kButtonWidth, other), Width(bar.rgrect[5]), 1);
  EXPECT_NEAR(Scaled(kButtonHeight, other), Height(bar.rgrect[5]), 1);
  EXPECT_EQ("", CheckImageDifference(box->Handle(), art));
  RECT client;
  GetClientRect(h, &client);
  EXPECT_NEAR(Scaled(kClientWidth, other), client.right, 2);

  EXPECT_EQ(0, SendMessageA(h, WM_DPICHANGED, MAKEWPARAM(start, start),
                            reinterpret_cast<LPARAM>(&before)));
  GetWindowRect(h, &now);
  EXPECT_TRUE(EqualRect(&before, &now));
  EXPECT_EQ(start, window.Dpi());
  EXPECT_EQ(fontBefore, window.Font().Height());
  EXPECT_EQ("", PixelDifference(ShownPixels(window), pixelsBefore, Width(before)))
      << "the window looks other than at start";
}

}  // namespace
}  // namespace velotune::skin
