// For the skinned-window tests under Wine: a message pump that waits for a
// condition, a 32-bit canvas to paint into and read back, and a comparison of
// a painted cell with a frame of a skin strip.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "skin/controls/spin_looks.h"
#include "skin/data/bitmap.h"
#include "skin/data/bitmap_ops.h"
#include "skin/data/skin_data_component.h"
#include "skin/data/skin_objects.h"
#include "skin/data/win32_skin_environment.h"
#include "skin/manager/skin_manage.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin::testing {

// Gives a test form its own skin component, with the program's settings but
// for the menus, the status bar and reports, holding the given stored skin.
inline TSkinDataComponent* AddTestSkin(TForm* form, const std::vector<uint8_t>& skinFile) {
  InstallWin32SkinEnvironment();
  InstallSkinManager();
  auto* holder = new TSkinDataComponent(form);
  TSkinData& data = holder->Data();
  data.Active = true;
  data.SkinControls = AllOf(kSkinControlTypeCount) & ~SetOf(xcMenuItem, xcStatusBar, xcFastReport);
  data.SetStoredSkin(skinFile);
  data.LoadSkinStream();
  holder->Loaded();
  return holder;
}

// A sizeable test form of class F, not shown yet, at (x, y) with the given
// client size, and its own skin component.
template <typename F>
F* NewSkinnedTestForm(const char* caption, int x, int y, int clientWidth, int clientHeight,
                      const std::vector<uint8_t>& skinFile, TSkinDataComponent** holder) {
  F* form = new F(nullptr);
  form->borderStyle = bsSizeable;
  form->SetBounds(x, y, 0, 0);
  form->SetCaption(caption);
  form->SetClientSize(clientWidth, clientHeight);
  *holder = AddTestSkin(form, skinFile);
  return form;
}

// Pumps the thread's messages until done() holds; false after timeoutMs.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// A memory DC over a 32-bit top-down DIB.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = DibInfo32(width, height);
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_.Get());
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  Pixel At(int x, int y) const {
    GdiFlush();
    return static_cast<const Pixel*>(bits_)[y * width_ + x] & 0xFFFFFF;
  }

 private:
  int width_, height_;
  OwnedBitmap bitmap_;
  void* bits_ = nullptr;
  HDC dc_;
  HGDIOBJ old_;
};

// Every opaque pixel of frame `index` of the strip equals the canvas at
// (x, y) onward (one to one, no stretching); returns the first difference.
inline std::string CellDifference(const Canvas& canvas, int x, int y, const Bitmap& strip,
                                  int frames, int index, bool stacked = false) {
  const Rect cell = FrameRect(strip, frames, index, stacked);
  for (int cy = 0; cy < cell.Height(); ++cy)
    for (int cx = 0; cx < cell.Width(); ++cx) {
      const Pixel want = strip.At(cell.left + cx, cell.top + cy);
      if (IsTransparentPixel(want)) continue;
      const Pixel got = canvas.At(x + cx, y + cy);
      if (got != want) {
        char text[96];
        wsprintfA(text, "at (%d, %d): %06X, frame %d has %06X", cx, cy, got, index, want);
        return text;
      }
    }
  return "";
}

// Saves what the screen shows as DIR/NAME.bmp, for a look at a state that
// only exists inside a test (a menu open).
inline void SaveScreen(const std::string& dir, const std::string& name) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  Canvas canvas(w, h);
  HDC screen = GetDC(nullptr);
  BitBlt(canvas.Dc(), 0, 0, w, h, screen, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
  Bitmap shot(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) shot.Set(x, y, canvas.At(x, y));
  const std::vector<uint8_t> bytes = shot.SaveToBmp();
  if (FILE* file = fopen((dir + "/" + name + ".bmp").c_str(), "wb")) {
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
  }
}

// The window's client area as it paints it into a memory DC (WM_PRINTCLIENT,
// or a WM_PAINT carrying the DC).
inline std::unique_ptr<Canvas> PrintClient(HWND window, UINT msg = WM_PRINTCLIENT) {
  RECT r;
  GetClientRect(window, &r);
  auto canvas = std::make_unique<Canvas>(r.right, r.bottom);
  SendMessageA(window, msg, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
  return canvas;
}

// The four corners of `rect` on the canvas (a push-button face's margins,
// never stretched) against frame `index` of the push-button strip; its
// magenta pixels must show `behind`. Returns the first difference.
inline std::string CornersDifference(const Canvas& canvas, const RECT& rect,
                                     const TDataSkinButton& skin, int index, Pixel behind) {
  const Rect cell = FrameRect(skin.Map, 5, index, false);
  const int mw = skin.LeftWidth, mh = skin.TopHeight;
  for (int corner = 0; corner < 4; ++corner) {
    const int sx = corner % 2 ? cell.right - mw : cell.left;
    const int sy = corner / 2 ? cell.bottom - mh : cell.top;
    const int dx = corner % 2 ? rect.right - mw : rect.left;
    const int dy = corner / 2 ? rect.bottom - mh : rect.top;
    for (int y = 0; y < mh; ++y)
      for (int x = 0; x < mw; ++x) {
        Pixel want = skin.Map.At(sx + x, sy + y);
        if (IsTransparentPixel(want)) want = behind;
        const Pixel got = canvas.At(dx + x, dy + y);
        if (got != want) {
          char text[96];
          wsprintfA(text, "corner %d (%d, %d): %06X, frame %d has %06X", corner, x, y, got, index,
                    want);
          return text;
        }
      }
  }
  return "";
}

// The arrow cell of `frame` centred in a half of a spin, one to one.
inline std::string ArrowDifference(const Canvas& canvas, const Rect& half,
                                   const TDataSkinBorder& spin, int frame) {
  const int frames = spin.Frame;
  const Rect cell = CentredCell(half, spin.Map2.Width() / frames, spin.Map2.Height());
  return CellDifference(canvas, cell.left, cell.top, spin.Map2, frames, frame);
}

}  // namespace velotune::skin::testing
