// A menu-bar item's popup: opened below the item, its entries made
// owner-drawn, tracked with a message filter that moves to the neighbouring
// bar items with the arrow keys and to the item under the mouse, as the
// system's own menu bar does.
#include <algorithm>

#include "framework/menus.h"
#include "skin/data/skin_data.h"
#include "skin/menus/menu_logic.h"
#include "skin/menus/pop_menu.h"
#include "skin/menus/win_skin_menu.h"

namespace velotune::skin {

// What is shared while a bar popup is open (one at a time on the thread).
struct BarTracking {
  TWinSkinMenu* bar = nullptr;
  int index = -1;                // the open bar item
  HMENU popup = nullptr;         // its popup
  HMENU selectedMenu = nullptr;  // the menu holding the selected entry
  bool selectedHasSub = false;
  TMenuItem* selectedItem = nullptr;  // the framework item last selected
  POINT lastMouse{-1, -1};
  bool switching = false;
  bool firstKeySent = false;
  int switchTo = -1;
  HHOOK hook = nullptr;
};

namespace {

BarTracking tracking;

BOOL CALLBACK FindPopupWindow(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The first-level popup window shown now.
HWND TopPopupWindow() {
  if (PopupMenuWindows* list = PopupMenuWindows::Current())
    if (TWinSkinPopMenu* top = list->Top()) return top->Window();
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindPopupWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Whether the entry with that id in `menu` is a framework item's.
bool IsFrameworkEntry(HMENU menu, UINT id) {
  const TMenuItem* item = TMenuItem::FromCommand(id);
  const TMenuItem* parent = item ? item->Parent() : nullptr;
  return parent && parent->HandleAllocated() && const_cast<TMenuItem*>(parent)->Handle() == menu;
}

}  // namespace

LRESULT CALLBACK TWinSkinMenu::MenuFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(tracking.hook, code, wParam, lParam);
  if (next || code != MSGF_MENU || !tracking.bar) return next;
  return tracking.bar->Filter(*reinterpret_cast<MSG*>(lParam)) ? 1 : 0;
}

TWinSkinMenu::~TWinSkinMenu() {
  if (tracking.bar == this) {
    // Gone while its popup is open: the popup closes, nothing comes back here.
    tracking.bar = nullptr;
    EndMenu();
  }
  UnmarkOwnerDrawn();
}

int TWinSkinMenu::OpenIndex() const {
  return tracking.bar == this ? tracking.index : -1;
}

void TWinSkinMenu::OpenMenuBarPopup(TMenuBtn& item) {
  const HWND window = form_.Handle();
  const int index = item.Index;
  auto release = [this, index] {
    if (static_cast<size_t>(index) >= items_.size()) return;
    TMenuBtn& button = *items_[static_cast<size_t>(index)];
    if (form_.Current() == &button) form_.SetCurrent(nullptr);
    button.State = ncNormal;
    button.Paint();
  };
  if (!item.Popup) {
    // An item without sub-items is a command; a disabled one does nothing.
    if (item.Enabled) PostMessageA(window, WM_COMMAND, MAKEWPARAM(item.Command, 0), 0);
    release();
    return;
  }
  if (!CanOpen(item) || tracking.bar) {
    release();
    return;
  }
  LayoutMenuBar(Strip());
  RECT r;
  GetWindowRect(window, &r);
  const bool rtl = RightToLeft();
  const int x = (rtl ? item.Bounds.right : item.Bounds.left) + r.left;
  const int y = item.Bounds.bottom + r.top;
  tracking = BarTracking{};
  tracking.bar = this;
  tracking.index = index;
  tracking.popup = item.Popup;
  MarkOwnerDrawn(item.Popup);
  popupOpen_ = true;
  tracking.hook = SetWindowsHookExA(WH_MSGFILTER, &MenuFilterHook, nullptr, GetCurrentThreadId());
  // The system posts the chosen entry's command, and tells the window as
  // each popup opens (the framework updates an item's entries then).
  TrackPopupMenu(item.Popup,
                 TPM_RIGHTBUTTON | TPM_TOPALIGN | (rtl ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0,
                 window, nullptr);
  if (tracking.hook) UnhookWindowsHookEx(tracking.hook);
  const bool alive = tracking.bar == this;
  const int next = tracking.switchTo;
  tracking = BarTracking{};
  if (!alive) return;  // the bar went while its popup was open
  UnmarkOwnerDrawn();
  popupOpen_ = false;
  if (rebuildPending_) {
    rebuildPending_ = false;
    MenuChanged();
    form_.PaintFrame();
  } else {
    release();
  }
  if (next >= 0 && static_cast<size_t>(next) < items_.size()) PressLater(*items_[next]);
}

bool TWinSkinMenu::Filter(MSG& msg) {
  if (!tracking.firstKeySent) {
    // The first entry of the popup is highlighted.
    tracking.firstKeySent = true;
    if (HWND popup = TopPopupWindow()) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  }
  std::vector<bool> openable;
  for (const auto& item : items_) openable.push_back(CanOpen(*item));
  auto itemUnder = [this](POINT screen) {
    RECT r;
    GetWindowRect(form_.Handle(), &r);
    TNCObject* object = ItemAt(POINT{screen.x - r.left, screen.y - r.top});
    return object ? static_cast<TMenuBtn*>(object)->Index : -1;
  };
  int target = -1;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WPARAM key = msg.wParam;
      if (RightToLeft() && (key == VK_LEFT || key == VK_RIGHT))
        key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
      if (key == VK_RETURN || key == VK_ESCAPE) tracking.switching = false;
      if (key == VK_LEFT && (!tracking.selectedMenu || tracking.selectedMenu == tracking.popup))
        target = NextOpenableItem(openable, tracking.index, -1);
      if (key == VK_RIGHT && !tracking.selectedHasSub)
        target = NextOpenableItem(openable, tracking.index, +1);
      if (key == VK_MENU && msg.message == WM_SYSKEYDOWN) popupOpen_ = false;
      break;
    }
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (msg.pt.x != tracking.lastMouse.x || msg.pt.y != tracking.lastMouse.y) {
        tracking.lastMouse = msg.pt;
        const int under = itemUnder(msg.pt);
        if (under >= 0 && openable[static_cast<size_t>(under)]) target = under;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
      // A press on the open item closes its popup, and nothing more.
      if (itemUnder(msg.pt) == tracking.index) {
        tracking.switching = false;
        EndMenu();
        return true;
      }
      break;
    default:
      break;
  }
  if (target < 0 || target == tracking.index) return false;
  SwitchTo(target);
  return true;
}

void TWinSkinMenu::SwitchTo(int index) {
  tracking.switching = true;
  tracking.switchTo = index;
  EndMenu();  // the new item is pressed once this popup has closed
}

void TWinSkinMenu::MenuSelect(WPARAM wParam, LPARAM lParam) {
  if (tracking.bar != this) return;
  const UINT flags = HIWORD(wParam);
  const auto menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) {
    if (!tracking.switching) popupOpen_ = false;
    return;
  }
  tracking.selectedMenu = menu;
  tracking.selectedHasSub = (flags & MF_POPUP) != 0;
  tracking.selectedItem = tracking.selectedHasSub
                              ? TMenuItem::FromHandle(GetSubMenu(menu, LOWORD(wParam)))
                              : TMenuItem::FromCommand(LOWORD(wParam));
  tracking.switching = false;
}

void TWinSkinMenu::InitMenuPopup(HMENU menu) {
  // Entries the framework refilled as the popup opened are drawn too.
  if (tracking.bar == this) MarkOwnerDrawn(menu);
}

void TWinSkinMenu::MarkOwnerDrawn(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STATE;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      marked_.push_back(Entry{menu, i, info.wID, info.fType, info.dwItemData});
      MENUITEMINFOW change = {};
      change.cbSize = sizeof(change);
      change.fMask = MIIM_FTYPE;
      change.fType = info.fType | MFT_OWNERDRAW;
      if (!IsFrameworkEntry(menu, info.wID)) {
        // Drawn through a stand-in built from its text and states.
        auto entry = std::make_unique<ForeignEntry>();
        char text[81] = {};
        if (!(info.fType & MFT_SEPARATOR))
          GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        entry->text = text;
        entry->enabled = !(info.fState & MFS_GRAYED);
        entry->checked = (info.fState & MFS_CHECKED) != 0;
        change.fMask |= MIIM_DATA;
        change.dwItemData = reinterpret_cast<ULONG_PTR>(entry.get());
        foreign_.push_back(std::move(entry));
      }
      SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
    }
    if (info.hSubMenu) MarkOwnerDrawn(info.hSubMenu);
  }
}

void TWinSkinMenu::UnmarkOwnerDrawn() {
  for (auto it = marked_.rbegin(); it != marked_.rend(); ++it) {
    if (!IsMenu(it->menu) || it->position >= GetMenuItemCount(it->menu)) continue;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoW(it->menu, static_cast<UINT>(it->position), TRUE, &info) ||
        info.wID != it->id)
      continue;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = it->type;
    info.dwItemData = it->data;
    SetMenuItemInfoW(it->menu, static_cast<UINT>(it->position), TRUE, &info);
  }
  marked_.clear();
  foreign_.clear();
}

TMenuItem* TWinSkinMenu::PopupItem(UINT command) const {
  if (tracking.bar != this) return nullptr;
  TMenuItem* item = TMenuItem::FromCommand(command);
  if (!item || !item->Parent() || item->Parent()->IsRoot()) return nullptr;
  if (item->Menu() != FrameworkMenu() || item->Event("OnDrawItem")) return nullptr;
  return item;
}

bool TWinSkinMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  for (const auto& entry : foreign_) {
    if (reinterpret_cast<ULONG_PTR>(entry.get()) != measure.itemData) continue;
    MeasureForeignEntry(*entry, data_, measure, form_.Scale());
    return true;
  }
  if (const TMenuItem* item = PopupItem(measure.itemID)) {
    MeasureMenuItem(ItemMeasure::kMainMenuSub, *item, data_, measure, form_.Scale());
    return true;
  }
  return false;
}

bool TWinSkinMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  for (const auto& entry : foreign_) {
    if (reinterpret_cast<ULONG_PTR>(entry.get()) != draw.itemData) continue;
    PaintForeignEntry(*entry, data_, draw, form_.Scale());
    return true;
  }
  if (const TMenuItem* item = PopupItem(draw.itemID)) {
    PaintMenuItem(draw.hDC, *item, draw.itemState, draw.rcItem, data_,
                  reinterpret_cast<HMENU>(draw.hwndItem), form_.Scale());
    return true;
  }
  return false;
}

}  // namespace velotune::skin
