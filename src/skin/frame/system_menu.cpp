#include "skin/frame/system_menu.h"

#include <string>

#include "framework/image_list.h"
#include "framework/menus.h"
#include "skin/frame/win_skin_form.h"

namespace velotune::skin {

namespace {

constexpr int kGlyph = 16;

int GlyphOf(UINT command) {
  switch (command) {
    case SC_RESTORE:
      return 0;
    case SC_MAXIMIZE:
      return 1;
    case SC_MINIMIZE:
      return 2;
    case SC_CLOSE:
      return 3;
    default:
      return -1;
  }
}

void Box(Bitmap& b, int x0, int y0, int x1, int y1, int thickTop) {
  for (int x = x0; x <= x1; ++x) {
    for (int t = 0; t < thickTop; ++t) b.Set(x, y0 + t, 0);
    b.Set(x, y1, 0);
  }
  for (int y = y0; y <= y1; ++y) {
    b.Set(x0, y, 0);
    b.Set(x1, y, 0);
  }
}

Bitmap MakeGlyphs() {
  Bitmap b(4 * kGlyph, kGlyph, 24, kMagentaPixel);
  // Restore: two overlapping windows.
  Box(b, 6, 3, 12, 9, 2);
  for (int x = 3; x <= 9; ++x)
    for (int y = 6; y <= 12; ++y) b.Set(x, y, kMagentaPixel);
  Box(b, 3, 6, 9, 12, 2);
  // Maximize: one window.
  Box(b, kGlyph + 3, 3, kGlyph + 12, 12, 2);
  // Minimize: a bar at the bottom.
  for (int x = 2 * kGlyph + 4; x <= 2 * kGlyph + 10; ++x)
    for (int y = 11; y <= 12; ++y) b.Set(x, y, 0);
  // Close: a cross.
  for (int i = 0; i < 8; ++i) {
    for (int t = 0; t < 2; ++t) {
      b.Set(3 * kGlyph + 4 + i + t, 4 + i, 0);
      b.Set(3 * kGlyph + 11 - i + t, 4 + i, 0);
    }
  }
  return b;
}

// The glyphs as an image list's strip.
Pixels GlyphStrip() {
  const Bitmap& glyphs = SystemMenuGlyphs();
  Pixels strip;
  strip.width = glyphs.Width();
  strip.height = glyphs.Height();
  for (int y = 0; y < glyphs.Height(); ++y)
    for (int x = 0; x < glyphs.Width(); ++x) strip.argb.push_back(0xFF000000u | glyphs.At(x, y));
  return strip;
}

}  // namespace

const Bitmap& SystemMenuGlyphs() {
  static const Bitmap glyphs = MakeGlyphs();
  return glyphs;
}

SystemMenu::SystemMenu(TWinSkinForm& form) : form_(form) {}

SystemMenu::~SystemMenu() = default;

void SystemMenu::ReadWindowMenu() {
  windowMenu_ = GetSystemMenu(form_.Handle(), FALSE);
}

bool SystemMenu::HasCloseItem() const {
  return windowMenu_ && GetMenuState(windowMenu_, SC_CLOSE, MF_BYCOMMAND) != UINT(-1);
}

HMENU SystemMenu::Popup() const {
  return popup_ ? popup_->Handle() : nullptr;
}

void SystemMenu::Free() {
  popup_.reset();
}

void SystemMenu::Build() {
  Free();
  HMENU source = GetSystemMenu(form_.Handle(), FALSE);
  if (!source) return;
  if (!glyphs_) {
    glyphs_ = std::make_unique<TImageList>(nullptr);
    glyphs_->AddStrip(GlyphStrip());
  }
  popup_ = std::make_unique<TPopupMenu>(nullptr);
  TPopupMenu& popup = *popup_;
  popup.SetTag(kSystemMenuTag);
  popup.SetImages(glyphs_.get());
  popup.SetOwnerDraw(true);
  const ShowState show = form_.Show();
  const bool maximized = show == ssMaximized, minimized = show == ssMinimized;
  const int buttonSet = form_.Buttons();
  const int count = GetMenuItemCount(source);
  for (int i = 0; i < count; ++i) {
    char text[81] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text) - 1;
    if (!GetMenuItemInfoA(source, i, TRUE, &info)) continue;
    // Owned by the popup, so that it goes with it.
    auto* item = new TMenuItem(&popup);
    std::string label = text;
    const bool separator = label.empty() || (info.fType & MFT_SEPARATOR);
    const size_t tab = label.find('\t');
    if (!separator && tab != std::string::npos) {
      const TShortCut shortCut = TextToShortCut(label.substr(tab + 1));
      if (shortCut != scNone) {
        item->SetShortCut(shortCut);
        label.resize(tab);
      }
    }
    item->SetCaption(separator ? "-" : label);
    item->SetTag(static_cast<int>(info.wID));
    item->SetImageIndex(GlyphOf(info.wID));
    bool enabled = !(info.fState & MFS_GRAYED);
    switch (info.wID) {
      case SC_MOVE:
        enabled = !maximized;
        break;
      case SC_SIZE:
        // Sizing a window without a sizing border does nothing.
        enabled = !maximized && !minimized && form_.Border() == bkSizeable;
        break;
      case SC_MINIMIZE:
        enabled = !minimized && (buttonSet & bsMinimizeBox);
        break;
      case SC_MAXIMIZE:
        enabled = !maximized && (buttonSet & bsMaximizeBox);
        break;
      case SC_RESTORE:
        enabled = show != ssNormal;
        break;
      default:
        break;
    }
    item->SetEnabled(separator || enabled);
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    popup.Items()->Add(item);
  }
}

TMenuItem* SystemMenu::Item(UINT command) const {
  if (!popup_) return nullptr;
  TMenuItem* item = TMenuItem::FromCommand(command);
  return item && item->Menu() == popup_.get() ? item : nullptr;
}

bool SystemMenu::MeasureItem(MEASUREITEMSTRUCT& measure) const {
  const TMenuItem* item = Item(measure.itemID);
  if (!item) return false;
  form_.Host().MeasureSystemMenuItem(*form_.Data(), *item, measure, form_.Scale());
  return true;
}

bool SystemMenu::DrawItem(const DRAWITEMSTRUCT& draw) const {
  const TMenuItem* item = Item(draw.itemID);
  if (!item) return false;
  form_.Host().PaintSystemMenuItem(*form_.Data(), *item, draw, form_.Scale());
  return true;
}

void SystemMenu::Show(POINT screen) {
  SkinHost& host = form_.Host();
  if (host.Busy() || !form_.Data()) return;
  const DWORD now = GetTickCount();
  if (lastPopup_ != 0 && now - lastPopup_ <= GetDoubleClickTime()) {
    // A quick second click on the icon closes the window.
    if (form_.Current()) form_.PostClose(WM_CLOSE, 0);
    return;
  }
  host.SystemMenuOpen(true);
  lastPopup_ = now;
  Build();
  open_ = true;
  form_.HideHint();
  HMENU popup = Popup();
  const HWND window = form_.Handle();
  const std::weak_ptr<const bool> life = form_.Life();
  const UINT chosen = popup ? TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                             screen.x, screen.y, 0, window, nullptr)
                            : 0;
  // The window's skin went while the menu was open (the window was
  // destroyed): this object and the menu's items went with it.
  if (life.expired()) return;
  const TMenuItem* item = Item(chosen);
  const UINT command = item ? static_cast<UINT>(item->Tag()) : 0;
  open_ = false;
  host.SystemMenuOpen(false);
  Free();
  if (command != 0) PostMessageA(form_.Handle(), WM_SYSCOMMAND, command, 0);
}

}  // namespace velotune::skin
