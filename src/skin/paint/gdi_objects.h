// RAII owners for the GDI objects the skin engine makes, and the one
// off-screen buffer every skinned painter composes in before a single copy to
// the screen, so that nothing flickers and no object leaks on any path.
#pragma once

#include <windows.h>

#include <utility>

namespace velotune::skin {

// Owns one GDI object (bitmap, brush, font, pen, region) and deletes it.
template <typename H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  H Release() { return std::exchange(handle_, nullptr); }
  void Reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedFont = GdiObject<HFONT>;
using OwnedPen = GdiObject<HPEN>;
using OwnedRegion = GdiObject<HRGN>;

// Selects an object into a DC for the life of this value.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, old_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's DC (GetWindowDC or GetDC), released at the end of the scope.
class WindowDC {
 public:
  WindowDC(HWND window, bool wholeWindow)
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC with a compatible bitmap of width x height selected: draw into
// Dc(), then CopyTo() the target in one blit.
class OffscreenBuffer {
 public:
  OffscreenBuffer(HDC target, int width, int height);
  ~OffscreenBuffer();
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the whole buffer to (x, y) of target.
  void CopyTo(HDC target, int x, int y) const;
  // Fills the buffer with what target shows at (x, y) first.
  void CopyFrom(HDC target, int x, int y);

 private:
  HDC dc_ = nullptr;
  OwnedBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
  int width_;
  int height_;
};

}  // namespace velotune::skin
