// The skinned menu bar: its items from the window's menu, their layout and
// painting in the strip below the caption, and the keys that open them.
#include "skin/menus/win_skin_menu.h"

#include "framework/form.h"
#include "framework/menus.h"
#include "skin/data/colour.h"
#include "skin/menus/menu_logic.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/painters.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

constexpr int kMaxCaption = 80;

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], n);
  out.resize(wcslen(out.c_str()));
  return out.substr(0, kMaxCaption);
}

std::vector<BarKeyFacts> KeyFacts(const std::vector<std::unique_ptr<TMenuBtn>>& items) {
  std::vector<BarKeyFacts> facts;
  for (const auto& item : items) facts.push_back({item->Caption, item->Visible, item->Enabled});
  return facts;
}

}  // namespace

std::unique_ptr<SkinMenuBar> MakeSkinMenuBar(SkinnedFrame& form) {
  return std::make_unique<TWinSkinMenu>(form);
}

// -------------------------------------------------------------------- TMenuBtn

TMenuBtn::TMenuBtn(SkinnedFrame& form, TWinSkinMenu& bar, int index)
    : TNCObject(form, form.Data()->Part(spMenuBar)), Index(index), bar_(bar) {}

void TMenuBtn::Paint() {
  bar_.PaintItem(*this);
}

// ---------------------------------------------------------------- TWinSkinMenu

TWinSkinMenu::TWinSkinMenu(SkinnedFrame& form)
    : form_(form), data_(*form.Data()), font_(CreateMenuFont(false, form.Scale())) {}

TMainMenu* TWinSkinMenu::FrameworkMenu() const {
  return form_.Form() ? form_.Form()->Menu() : nullptr;
}

TMenuItem* TWinSkinMenu::FrameworkItem(UINT command) const {
  TMainMenu* menu = FrameworkMenu();
  return menu ? menu->FindItem(command, fkCommand) : nullptr;
}

bool TWinSkinMenu::RightToLeft() const {
  const TMainMenu* menu = FrameworkMenu();
  return form_.RightToLeft() || (menu && menu->IsRightToLeft());
}

void TWinSkinMenu::Build() {
  const HWND window = form_.Handle();
  const HMENU current = GetMenu(window);
  if (current) menu_ = current;
  // A framework form shows its Menu, or nothing.
  TMainMenu* framework = FrameworkMenu();
  if (form_.Form()) menu_ = framework ? framework->Handle() : nullptr;
  items_.clear();
  const int count = menu_ ? GetMenuItemCount(menu_) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t text[kMaxCaption + 1] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kMaxCaption;
    if (!GetMenuItemInfoW(menu_, i, TRUE, &info)) continue;
    auto item = std::make_unique<TMenuBtn>(form_, *this, static_cast<int>(items_.size()));
    item->Visible = true;
    item->Enabled = !(info.fState & MFS_GRAYED);
    item->Command = info.wID;
    item->Popup = info.hSubMenu;
    item->Caption = (info.fType & MFT_SEPARATOR) ? std::wstring() : text;
    if (TMenuItem* own = FrameworkItem(info.wID)) {
      item->Caption = Widen(own->Caption());
      item->Enabled = own->Enabled();
      item->Popup = own->Count() > 0 ? own->Handle() : nullptr;
    }
    items_.push_back(std::move(item));
  }
  // From now on only the engine draws the bar.
  if (current) SetMenu(window, nullptr);
}

void TWinSkinMenu::MenuChanged() {
  if (popupOpen_) {
    // Rebuilt when the popup closes: its items are in use now.
    rebuildPending_ = true;
    return;
  }
  const HWND window = form_.Handle();
  const HMENU current = GetMenu(window);
  TMainMenu* framework = FrameworkMenu();
  const HMENU now =
      form_.Form() ? (framework ? framework->Handle() : nullptr) : (current ? current : menu_);
  if (data_.MenuUpdate || now != menu_)
    Build();
  else if (current)
    SetMenu(window, nullptr);
}

void TWinSkinMenu::Restore(bool windowGoing) {
  const HWND window = form_.Handle();
  if (!IsWindow(window)) return;
  if (windowGoing) {
    // A foreign window would have destroyed its menu with itself.
    if (!form_.Form() && menu_ && IsMenu(menu_)) DestroyMenu(menu_);
    return;
  }
  TMainMenu* framework = FrameworkMenu();
  const HMENU give = form_.Form() ? (framework ? framework->Handle() : nullptr) : menu_;
  if (give && IsMenu(give) && !GetMenu(window)) SetMenu(window, give);
}

RECT TWinSkinMenu::Strip() const {
  RECT r;
  GetWindowRect(form_.Handle(), &r);
  const FrameSizes f = form_.Frame();
  return RECT{f.left, f.top, r.right - r.left - f.right, f.top + form_.MenuBarHeight()};
}

void TWinSkinMenu::LayoutMenuBar(const RECT& strip) {
  std::vector<BarItemFacts> facts;
  // Released on every way out, an exception's too.
  WindowDC screen(nullptr, false);
  HDC dc = screen.Get();
  {
    SelectedObject font(dc, font_.Get());
    for (const auto& item : items_) {
      RECT r{0, 0, 0, 0};
      if (!item->Caption.empty())
        DrawTextW(dc, item->Caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
      facts.push_back({item->Visible, static_cast<int>(r.right - r.left), item->Caption.empty()});
    }
  }
  BarObject bar;
  if (const TDataSkinObject* object = data_.Part(spMenuBar); object && !object->Map.Empty())
    bar = BarObject{true, object->LeftWidth, object->RightWidth};
  const Rect s{strip.left, strip.top, strip.right, strip.bottom};
  const bool rtl = RightToLeft();
  const std::vector<Rect> rects = LayoutMenuBarItems(
      s, MenuBarStart(s.Width(), bar, rtl, form_.Scale()), facts, rtl, form_.Scale());
  for (size_t i = 0; i < items_.size(); ++i) items_[i]->Bounds = rects[i];
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& item, const RECT& rect) {
  if (item.Caption.empty()) return;
  SelectedObject font(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(
      dc, item.Enabled ? ResolveColour(data_.Colour(ceMenuBarText)) : GetSysColor(COLOR_BTNSHADOW));
  RECT r = rect;
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
  if (RightToLeft()) format |= DT_RTLREADING;
  DrawTextW(dc, item.Caption.c_str(), -1, &r, format);
}

void TWinSkinMenu::Paint(HDC dc, const RECT& strip) {
  const int w = strip.right - strip.left, h = strip.bottom - strip.top;
  if (w <= 0 || h <= 0) return;
  painting_ = true;
  LayoutMenuBar(strip);
  background_ = Bitmap(w, h, 24, ToPixel(ResolveColour(data_.Colour(ceMenubar))));
  if (const TDataSkinObject* bar = data_.Part(spMenuBar); bar && !bar->Map.Empty()) {
    const int frame = form_.Active() ? 1 : 2;
    if (bar->Tile == 1)
      background_ = NineGrid(w, h, bar->Map,
                             {bar->LeftWidth, bar->TopHeight, bar->RightWidth, bar->BottomHeight},
                             true, false, 2, frame);
    else
      ThreeSlice(background_, Rect{0, 0, w, h}, bar->Map, true, false, 2, frame, bar->LeftWidth,
                 bar->RightWidth);
  }
  barRect_ = strip;
  OffscreenBuffer buffer(dc, w, h);
  BlitBitmap(buffer.Dc(), 0, 0, background_, false);
  for (const auto& item : items_) {
    const Rect& b = item->Bounds;
    if (!item->Visible || b.Width() <= 0) continue;
    DrawCaption(
        buffer.Dc(), *item,
        RECT{b.left - strip.left, b.top - strip.top, b.right - strip.left, b.bottom - strip.top});
  }
  buffer.CopyTo(dc, strip.left, strip.top);
  painting_ = false;
  // The item under the mouse, or pressed, keeps its look.
  for (const auto& item : items_)
    if (item.get() == form_.Current() && item->State != ncNormal) PaintItem(*item);
}

void TWinSkinMenu::PaintItem(TMenuBtn& item) {
  if (painting_ || background_.Empty()) return;
  if (form_.State() != fsSkinned && form_.State() != fsReskinning) return;
  const Rect& b = item.Bounds;
  const int w = b.Width(), h = b.Height();
  if (!item.Visible || w <= 0 || h <= 0) return;
  WindowDC dc(form_.Handle(), true);
  if (!dc.Get()) return;
  const int x = b.left - barRect_.left, y = b.top - barRect_.top;
  OffscreenBuffer buffer(dc.Get(), w, h);
  BlitBitmap(buffer.Dc(), 0, 0, Crop(background_, Rect{x, y, x + w, y + h}), false);
  const RECT all{0, 0, w, h};
  if (item.State == ncPressed || item.State == ncHover) {
    OwnedBrush edge(CreateSolidBrush(ResolveColour(data_.Colour(ceButtonHilight))));
    FrameRect(buffer.Dc(), &all, edge.Get());
  }
  DrawCaption(buffer.Dc(), item, all);
  buffer.CopyTo(dc.Get(), b.left, b.top);
}

TNCObject* TWinSkinMenu::ItemAt(POINT p) {
  for (const auto& item : items_)
    if (item->Visible && !item->Caption.empty() && item->Contains(p.x, p.y)) return item.get();
  return nullptr;
}

bool TWinSkinMenu::Owns(const TNCObject* object) const {
  for (const auto& item : items_)
    if (item.get() == object) return true;
  return false;
}

void TWinSkinMenu::Open(TNCObject& item) {
  if (Owns(&item)) OpenMenuBarPopup(static_cast<TMenuBtn&>(item));
}

bool TWinSkinMenu::OpenByKey(wchar_t key) {
  const int index = FindAcceleratorItem(KeyFacts(items_), key);
  if (index < 0) return false;
  LayoutMenuBar(Strip());
  TMenuBtn& item = *items_[static_cast<size_t>(index)];
  item.MouseDown();
  OpenMenuBarPopup(item);  // the bar may be gone now
  return true;
}

bool TWinSkinMenu::DialogChar(WPARAM key, LPARAM flags) {
  if (!(HIWORD(flags) & KF_ALTDOWN) || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 ||
      key == 0)
    return false;
  const int index = FindAcceleratorItem(KeyFacts(items_), static_cast<wchar_t>(key));
  if (index < 0) return false;
  PressLater(*items_[static_cast<size_t>(index)]);
  return true;
}

void TWinSkinMenu::PressLater(const TMenuBtn& item) {
  LayoutMenuBar(Strip());
  RECT r;
  GetWindowRect(form_.Handle(), &r);
  const LPARAM at = MAKELPARAM(r.left + item.Bounds.left + 1, r.top + item.Bounds.top + 1);
  PostMessageA(form_.Handle(), WM_NCLBUTTONDOWN, HTCLIENT, at);
}

bool TWinSkinMenu::CanOpen(const TMenuBtn& item) const {
  return item.Visible && item.Enabled && item.Popup && !item.Caption.empty();
}

}  // namespace velotune::skin
