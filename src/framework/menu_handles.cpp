// The system menus behind the framework's: every item with sub-items owns a
// menu handle whose entries follow its visible sub-items. A changed item
// updates its own entry; items that come, go, show or hide refill their
// parent's entries, so that handles stay the same for the menu's life.
#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "framework/shortcuts.h"
#include "platform/text_case.h"

namespace velotune {

// ------------------------------------------------------------------ TMenuItem

HMENU TMenuItem::Handle() {
  if (!handle_ && (IsRoot() || !items_.empty())) {
    handle_ = IsRoot() && rootOf_->IsBar() ? CreateMenu() : CreatePopupMenu();
    if (!handle_) RaiseLastOSError();
    RefillHandle();
  }
  return handle_;
}

TMenuItem* TMenuItem::FromHandle(HMENU handle) {
  if (!handle) return nullptr;
  for (unsigned id = kFirstMenuCommand; id < kMenuCommandLimit; ++id) {
    TMenuItem* item = FromCommand(id);
    if (item && item->handle_ == handle) return item;
  }
  return nullptr;
}

bool TMenuItem::IsOwnerDraw() const {
  TMenu* menu = Menu();
  if (!menu || !menu->OwnerDraw() || IsRoot()) return false;
  return !(menu->IsBar() && parent_ && parent_->IsRoot());
}

void TMenuItem::FillEntry(MENUITEMINFOA* info, std::string* text) {
  *info = MENUITEMINFOA{};
  info->cbSize = sizeof(*info);
  info->fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
  info->wID = command_;
  info->fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
  if (IsOwnerDraw()) info->fType |= MFT_OWNERDRAW;
  TMenu* menu = Menu();
  if (menu && menu->IsRightToLeft()) info->fType |= MFT_RIGHTORDER;
  info->fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) |
                 (default_ ? MFS_DEFAULT : 0);
  info->hSubMenu = items_.empty() ? nullptr : Handle();
  if (!IsLine()) {
    // The shortcut after a tab, which the system right-aligns.
    *text = caption_;
    std::string shortCut = ShortCutText();
    if (!shortCut.empty()) *text += "\t" + shortCut;
    info->fMask |= MIIM_STRING;
    info->dwTypeData = &(*text)[0];
    info->cch = static_cast<UINT>(text->size());
  }
}

void TMenuItem::UpdateEntry() {
  if (!parent_ || !parent_->handle_ || !visible_) return;
  MENUITEMINFOA info;
  std::string text;
  FillEntry(&info, &text);
  SetMenuItemInfoA(parent_->handle_, command_, FALSE, &info);
}

void TMenuItem::RefillHandle() {
  if (!handle_) return;
  // RemoveMenu leaves the sub-menus alive; they belong to their items.
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  for (TMenuItem* child : items_) {
    if (!child->visible_) continue;
    MENUITEMINFOA info;
    std::string text;
    child->FillEntry(&info, &text);
    InsertMenuItemA(handle_, static_cast<UINT>(GetMenuItemCount(handle_)), TRUE, &info);
  }
}

void TMenuItem::ReleaseHandle() {
  if (!handle_) return;
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  DestroyMenu(handle_);
  handle_ = nullptr;
}

void TMenuItem::MeasureItem(HDC dc, int* width, int* height) {
  DefaultMeasure(dc, width, height);
  TEventArgs args;
  args.Canvas = dc;
  args.Width = *width;
  args.Height = *height;
  if (Fire("OnMeasureItem", args)) {
    *width = args.Width;
    *height = args.Height;
  }
}

void TMenuItem::DrawItem(HDC dc, const RECT& rect, unsigned state) {
  TEventArgs args;
  args.Canvas = dc;
  args.Left = rect.left;
  args.Top = rect.top;
  args.Width = rect.right - rect.left;
  args.Height = rect.bottom - rect.top;
  args.State = state;
  int saved = SaveDC(dc);
  if (!Fire("OnDrawItem", args)) DefaultDraw(dc, rect, state);
  RestoreDC(dc, saved);
}

// ---------------------------------------------------------------------- TMenu

void TMenu::UpdateHandles(TMenuItem* item, bool structure) {
  if (!item) {
    // The menu's own look changed: every entry again.
    std::vector<TMenuItem*> pending{items_};
    while (!pending.empty()) {
      TMenuItem* next = pending.back();
      pending.pop_back();
      next->RefillHandle();
      pending.insert(pending.end(), next->items_.begin(), next->items_.end());
    }
  } else if (!structure) {
    item->UpdateEntry();
  } else {
    item->RefillHandle();
    if (item->parent_) item->parent_->RefillHandle();
    // An item without sub-items has no sub-menu once its parent let go.
    if (!item->IsRoot() && item->items_.empty()) item->ReleaseHandle();
  }
}

TMenuItem* TMenu::ItemAt(HMENU menu, int position) const {
  TMenuItem* holder = FindItem(reinterpret_cast<std::uintptr_t>(menu), fkHandle);
  if (!holder || position < 0) return nullptr;
  for (TMenuItem* child : holder->items_) {
    if (!child->Visible()) continue;
    if (position-- == 0) return child;
  }
  return nullptr;
}

// ------------------------------------------------------------------ TMainMenu

TForm* TMainMenu::Form() const {
  return static_cast<TForm*>(form_);
}

void TMainMenu::MenuChanged() {
  TForm* form = Form();
  if (!form) return;
  if (form->HandleAllocated() && Items()->HandleAllocated() &&
      GetMenu(form->Handle()) == Items()->Handle())
    DrawMenuBar(form->Handle());
  form->Perform(CM_MENUCHANGED, 0, reinterpret_cast<LPARAM>(this));
}

// ----------------------------------------------------------------- TPopupMenu

void TPopupMenu::Popup(int x, int y) {
  Fire("OnPopup");
  TForm* form = nullptr;
  if (auto* control = dynamic_cast<TControl*>(popupComponent_)) form = control->ParentForm();
  if (!form) form = dynamic_cast<TForm*>(Owner());
  if (!form) form = Application().MainForm();
  if (!form || !form->HandleAllocated()) return;
  UINT flags = TPM_RIGHTBUTTON | (IsRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
  TrackPopupMenu(Handle(), flags, x, y, 0, form->Handle(), nullptr);
  // The chosen command is posted; the form's loop delivers it.
}

// ------------------------------------------------------------------- messages

bool AnswerMenuChar(HMENU menu, char key, LRESULT* result) {
  const char wanted = LowerChar(key);
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STATE;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) continue;
    if ((info.fType & MFT_SEPARATOR) || (info.fState & MFS_DISABLED)) continue;
    const TMenuItem* item =
        info.hSubMenu ? TMenuItem::FromHandle(info.hSubMenu) : TMenuItem::FromCommand(info.wID);
    std::string caption;
    if (item) {
      caption = item->Caption();
    } else {
      char text[256] = {};
      GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
      caption = text;
    }
    if (wanted && AcceleratorOf(caption) == wanted) {
      *result = MAKELRESULT(position, MNC_EXECUTE);
      return true;
    }
  }
  return false;
}

bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_MENUCHAR:
      return AnswerMenuChar(reinterpret_cast<HMENU>(lParam), static_cast<char>(LOWORD(wParam)),
                            result);
    case WM_COMMAND: {
      // From a menu (0) or an accelerator (1), never from a control.
      if (lParam != 0 || HIWORD(wParam) > 1) return false;
      TMenuItem* item = TMenuItem::FromCommand(LOWORD(wParam));
      if (!item || item->IsRoot()) return false;
      item->Click();
      *result = 0;
      return true;
    }
    case WM_INITMENUPOPUP: {
      TMenuItem* item =
          HIWORD(lParam) ? nullptr : TMenuItem::FromHandle(reinterpret_cast<HMENU>(wParam));
      if (item && !item->IsRoot()) item->Click();
      return false;  // the system still prepares the popup
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (wParam != 0 || measure->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromCommand(measure->itemID);
      if (!item) return false;
      int width = static_cast<int>(measure->itemWidth),
          height = static_cast<int>(measure->itemHeight);
      HDC dc = GetDC(nullptr);
      item->MeasureItem(dc, &width, &height);
      ReleaseDC(nullptr, dc);
      measure->itemWidth = static_cast<UINT>(std::max(width, 0));
      measure->itemHeight = static_cast<UINT>(std::max(height, 0));
      *result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (wParam != 0 || draw->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromCommand(draw->itemID);
      if (!item) return false;
      item->DrawItem(draw->hDC, draw->rcItem, draw->itemState);
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace velotune
