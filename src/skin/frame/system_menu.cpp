// The skinned system menu: built from the window's own system menu each time
// it opens, shown with TrackPopupMenu, its choice posted as WM_SYSCOMMAND.
#include "skin/frame/system_menu.h"

#include "skin/frame/win_skin_form.h"

namespace velotune::skin {

namespace {

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

}  // namespace

void TWinSkinForm::FreeSystemMenu() {
  if (popup_) DestroyMenu(popup_);
  popup_ = nullptr;
  popupItems_.clear();
}

void TWinSkinForm::BuildSystemMenu() {
  FreeSystemMenu();
  popup_ = CreatePopupMenu();
  HMENU source = GetSystemMenu(window_, FALSE);
  if (!popup_ || !source) return;
  const bool maximized = showState_ == ssMaximized, minimized = showState_ == ssMinimized;
  const int count = GetMenuItemCount(source);
  for (int i = 0; i < count; ++i) {
    char text[81] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text) - 1;
    if (!GetMenuItemInfoA(source, i, TRUE, &info)) continue;
    auto item = std::make_unique<SystemMenuItem>();
    std::string label = text;
    item->separator = label.empty() || (info.fType & MFT_SEPARATOR);
    const size_t tab = label.find('\t');
    item->text = label.substr(0, tab);
    if (tab != std::string::npos) item->shortcut = label.substr(tab + 1);
    item->command = info.wID;
    item->glyph = GlyphOf(info.wID);
    item->enabled = !(info.fState & MFS_GRAYED);
    item->checked = (info.fState & MFS_CHECKED) != 0;
    switch (info.wID) {
      case SC_MOVE:
        item->enabled = !maximized;
        break;
      case SC_SIZE:
        // Sizing a window without a sizing border does nothing.
        item->enabled = !maximized && !minimized && borderKind_ == bkSizeable;
        break;
      case SC_MINIMIZE:
        item->enabled = !minimized && (buttonSet_ & bsMinimizeBox);
        break;
      case SC_MAXIMIZE:
        item->enabled = !maximized && (buttonSet_ & bsMaximizeBox);
        break;
      case SC_RESTORE:
        item->enabled = showState_ != ssNormal;
        break;
      default:
        break;
    }
    UINT flags = MF_OWNERDRAW | (item->separator ? MF_DISABLED : 0) |
                 (!item->enabled ? MF_GRAYED : 0) | (item->checked ? MF_CHECKED : 0);
    AppendMenuA(popup_, flags, item->separator ? 0 : item->command,
                reinterpret_cast<const char*>(item.get()));
    popupItems_.push_back(std::move(item));
  }
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
  if (host_->Busy() || !data_) return;
  const DWORD now = GetTickCount();
  if (lastPopup_ != 0 && now - lastPopup_ <= GetDoubleClickTime()) {
    // A quick second click on the icon closes the window.
    if (current_) {
      KillTimer(window_, kFrameTimerId);
      timerOn_ = false;
      PostMessageA(window_, WM_CLOSE, 0, 0);
    }
    return;
  }
  host_->SystemMenuOpen(true);
  lastPopup_ = now;
  BuildSystemMenu();
  popupOpen_ = true;
  HideHint();
  const UINT command = popup_ ? TrackPopupMenu(popup_, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                               screen.x, screen.y, 0, window_, nullptr)
                              : 0;
  popupOpen_ = false;
  host_->SystemMenuOpen(false);
  FreeSystemMenu();
  if (command != 0) PostMessageA(window_, WM_SYSCOMMAND, command, 0);
}

}  // namespace velotune::skin
