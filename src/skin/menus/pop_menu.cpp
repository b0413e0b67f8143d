// The skinned popup menu windows and the list that keeps them.
#include "skin/menus/pop_menu.h"

#include <algorithm>

#include "skin/frame/skin_messages.h"
#include "skin/menus/menu_logic.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"
#include "skin/paint/window_scale.h"

namespace velotune::skin {

namespace {
constexpr UINT kGetMenuOfPopup = 0x01E1;  // MN_GETHMENU
constexpr int kBorder = 3;
PopupMenuWindows* current = nullptr;

SIZE WindowSize(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}
}  // namespace

// ------------------------------------------------------------ TWinSkinPopMenu

TWinSkinPopMenu::TWinSkinPopMenu(PopupMenuWindows& list, HWND window, int level)
    : list_(list), window_(window), level_(level) {
  subclass_.Install(window, this, &TWinSkinPopMenu::Route);
}

TWinSkinPopMenu::~TWinSkinPopMenu() = default;

HMENU TWinSkinPopMenu::Menu() {
  if (!menu_ && IsWindow(window_))
    menu_ = reinterpret_cast<HMENU>(SendMessageA(window_, kGetMenuOfPopup, 0, 0));
  return menu_;
}

POINT TWinSkinPopMenu::ClientOffset() const {
  RECT r;
  GetWindowRect(window_, &r);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  return POINT{origin.x - r.left, origin.y - r.top};
}

const Bitmap* TWinSkinPopMenu::Background() {
  const TSkinData* skin = list_.Skin();
  const TDataSkinObject* image = skin ? skin->Part(spMenuBackground) : nullptr;
  if (!image || image->Map.Empty()) return nullptr;
  const SIZE size = WindowSize(window_);
  if (size.cx <= 0 || size.cy <= 0) return nullptr;
  if (background_.Width() != size.cx || background_.Height() != size.cy)
    background_ = PopupBackground(size.cx, size.cy, *image);
  return &background_;
}

void TWinSkinPopMenu::PaintBorder(HDC dc) {
  const Bitmap* back = Background();
  if (!back) return;
  const int w = back->Width(), h = back->Height();
  const int b = ScaleOfWindow(window_).Px(kBorder);
  const Rect strips[] = {{0, 0, w, b}, {0, h - b, w, h}, {0, b, b, h - b}, {w - b, b, w, h - b}};
  for (const Rect& s : strips)
    if (s.Width() > 0 && s.Height() > 0) BlitBitmap(dc, s.left, s.top, Crop(*back, s), false);
}

LRESULT TWinSkinPopMenu::Route(void* owner, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  return static_cast<TWinSkinPopMenu*>(owner)->Proc(msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return subclass_.CallOld(window_, msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::Proc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SKM_QUERYSKINNED) return 1;
  if (msg == WM_DESTROY) {
    const LRESULT result = Default(msg, wParam, lParam);
    // Gives the window its procedure back and frees this entry.
    list_.Forget(window_);
    return result;
  }
  const TSkinData* skin = list_.Skin();
  if (!skin) return Default(msg, wParam, lParam);
  switch (msg) {
    case WM_ERASEBKGND:
      if (!InSet(skin->Options, xoMenuBG)) Default(msg, wParam, lParam);
      return 1;
    case WM_NCPAINT: {
      const Bitmap* back = Background();
      if (!back) return Default(msg, wParam, lParam);
      WindowDC dc(window_, true);
      if (dc.Get()) BlitBitmap(dc.Get(), 0, 0, *back, false);
      Menu();
      return 0;
    }
    case WM_PRINT: {
      const Bitmap* back = Background();
      if (!back) return Default(msg, wParam, lParam);
      const auto dc = reinterpret_cast<HDC>(wParam);
      BlitBitmap(dc, 0, 0, *back, false);
      const int saved = SaveDC(dc);
      SetBkMode(dc, TRANSPARENT);
      const int b = ScaleOfWindow(window_).Px(kBorder);
      IntersectClipRect(dc, b, b, back->Width() - b, back->Height() - b);
      const LRESULT result = Default(msg, wParam, lParam);
      RestoreDC(dc, saved);
      return result;
    }
    case WM_PAINT: {
      // A popup without a non-client area draws its own frame inside the
      // client area: the skin's border goes over it again.
      const LRESULT result = Default(msg, wParam, lParam);
      const POINT offset = ClientOffset();
      if (offset.x == 0 && offset.y == 0) {
        WindowDC dc(window_, true);
        if (dc.Get()) PaintBorder(dc.Get());
      }
      return result;
    }
    default:
      return Default(msg, wParam, lParam);
  }
}

// ----------------------------------------------------------- PopupMenuWindows

PopupMenuWindows::PopupMenuWindows(std::function<TSkinData*()> skin) : skin_(std::move(skin)) {
  current = this;
}

PopupMenuWindows::~PopupMenuWindows() {
  popups_.clear();  // every window gets its procedure back
  if (current == this) current = nullptr;
}

PopupMenuWindows* PopupMenuWindows::Current() {
  return current;
}

void PopupMenuWindows::Adopt(HWND window) {
  if (Find(window)) return;
  // The popups shown now are the ones this one opens from.
  const int level = static_cast<int>(popups_.size());
  popups_.push_back(std::make_unique<TWinSkinPopMenu>(*this, window, level));
}

void PopupMenuWindows::Forget(HWND window) {
  auto it = std::find_if(popups_.begin(), popups_.end(),
                         [window](const auto& p) { return p->Window() == window; });
  if (it == popups_.end()) return;
  std::unique_ptr<TWinSkinPopMenu> gone = std::move(*it);
  popups_.erase(it);
}

TWinSkinPopMenu* PopupMenuWindows::Find(HWND window) const {
  for (const auto& p : popups_)
    if (p->Window() == window) return p.get();
  return nullptr;
}

TWinSkinPopMenu* PopupMenuWindows::FindByMenu(HMENU menu) const {
  if (!menu) return nullptr;
  for (const auto& p : popups_)
    if (p->Menu() == menu) return p.get();
  return nullptr;
}

TWinSkinPopMenu* PopupMenuWindows::Top() const {
  for (const auto& p : popups_)
    if (p->Level() == 0) return p.get();
  return nullptr;
}

bool PopupBackgroundUnder(HMENU menu, const RECT& rect, Bitmap* out) {
  PopupMenuWindows* list = PopupMenuWindows::Current();
  TWinSkinPopMenu* popup = list ? list->FindByMenu(menu) : nullptr;
  const Bitmap* back = popup ? popup->Background() : nullptr;
  if (!back) return false;
  const POINT offset = popup->ClientOffset();
  const Rect part{rect.left + offset.x, rect.top + offset.y, rect.right + offset.x,
                  rect.bottom + offset.y};
  if (part.left < 0 || part.top < 0 || part.right > back->Width() || part.bottom > back->Height())
    return false;
  *out = Crop(*back, part);
  return true;
}

}  // namespace velotune::skin
