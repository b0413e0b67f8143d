// The page control and its tab sheets, whose tabs can be hidden and shown.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "framework/containers.h"
#include "framework/form.h"
#include "framework/property_helpers.h"
#include "framework/shortcuts.h"
#include "framework/text_values.h"
#include "framework/window_dpi.h"
#include "platform/text_case.h"

namespace velotune {

namespace {
const PropertyDef kTabSheetProperties[] = {
    {"TabVisible", [](const TComponent& c) { return BoolText(As<TTabSheet>(c).TabVisible()); },
     [](TComponent& c, const std::string& v) {
       As<TTabSheet>(c).SetTabVisible(BoolProp("TabVisible", v));
     }},
    {"PageIndex", [](const TComponent& c) { return IntText(As<TTabSheet>(c).PageIndex()); },
     [](TComponent& c, const std::string& v) {
       TTabSheet& sheet = As<TTabSheet>(c);
       int index = IntProp("PageIndex", v);
       TPageControl* pages = sheet.PageControl();
       if (!pages) return;
       std::vector<TTabSheet*>& list = const_cast<std::vector<TTabSheet*>&>(pages->Pages());
       list.erase(std::find(list.begin(), list.end(), &sheet));
       index = std::max(0, std::min(index, static_cast<int>(list.size())));
       list.insert(list.begin() + index, &sheet);
     }},
    {"ImageIndex", nullptr, [](TComponent&, const std::string& v) { IntProp("ImageIndex", v); }},
};
}  // namespace

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
}

TTabSheet::~TTabSheet() {
  if (TPageControl* pages = PageControl()) pages->RemovePage(this);
}

const PropertyDef* TTabSheet::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kTabSheetProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

TPageControl* TTabSheet::PageControl() const {
  return dynamic_cast<TPageControl*>(parent_);
}

void TTabSheet::SetParentComponent(TComponent* parent) {
  auto* pages = dynamic_cast<TPageControl*>(parent);
  if (!pages) throw EPropertyError(std::string("Tab sheet ") + Name() + " needs a page control");
  SetParent(pages);
  pages->AddPage(this);
}

int TTabSheet::PageIndex() const {
  TPageControl* pages = PageControl();
  if (!pages) return -1;
  auto it = std::find(pages->pages_.begin(), pages->pages_.end(), this);
  return static_cast<int>(it - pages->pages_.begin());
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_) return;
  tabVisible_ = visible;
  if (TPageControl* pages = PageControl()) pages->UpdateTabs();
}

void TTabSheet::SetBounds(int left, int top, int width, int height) {
  // A page fills its control's display area, whatever bounds a layout
  // scaled from the design gives it (the tabs' height is the system's).
  TPageControl* pages = PageControl();
  if (pages && pages->HandleAllocated()) {
    const RECT r = pages->DisplayRect();
    left = r.left;
    top = r.top;
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
  TWinControl::SetBounds(left, top, width, height);
}

void TTabSheet::TextChanged() {
  if (TPageControl* pages = PageControl()) pages->UpdateTabs();
}

namespace {
const PropertyDef kPageControlProperties[] = {
    {"ActivePage",
     [](const TComponent& c) {
       const TPageControl& p = As<TPageControl>(c);
       return p.ActivePage() ? p.ActivePage()->Name() : p.activePageName;
     },
     [](TComponent& c, const std::string& v) {
       TPageControl& p = As<TPageControl>(c);
       p.activePageName = v;
       if (!(p.ComponentState() & csLoading))
         p.SetActivePage(
             dynamic_cast<TTabSheet*>(p.Owner() ? p.Owner()->FindComponent(v) : nullptr));
     }},
    {"MultiLine", [](const TComponent& c) { return BoolText(As<TPageControl>(c).multiLine); },
     [](TComponent& c, const std::string& v) {
       As<TPageControl>(c).multiLine = BoolProp("MultiLine", v);
     }},
    {"Style",
     [](const TComponent& c) {
       static const char* const kNames[] = {"tsTabs", "tsButtons", "tsFlatButtons"};
       return std::string(kNames[As<TPageControl>(c).style]);
     },
     [](TComponent& c, const std::string& v) {
       As<TPageControl>(c).style = EnumProp("Style", v, {"tsTabs", "tsButtons", "tsFlatButtons"});
     }},
    {"TabPosition",
     [](const TComponent& c) {
       static const char* const kNames[] = {"tpTop", "tpBottom", "tpLeft", "tpRight"};
       return std::string(kNames[As<TPageControl>(c).tabPosition]);
     },
     [](TComponent& c, const std::string& v) {
       As<TPageControl>(c).tabPosition =
           EnumProp("TabPosition", v, {"tpTop", "tpBottom", "tpLeft", "tpRight"});
     }},
    {"HotTrack", [](const TComponent& c) { return BoolText(As<TPageControl>(c).hotTrack); },
     [](TComponent& c, const std::string& v) {
       As<TPageControl>(c).hotTrack = BoolProp("HotTrack", v);
     }},
    {"TabIndex",
     [](const TComponent& c) {
       const TPageControl& p = As<TPageControl>(c);
       auto tabs = p.VisibleTabs();
       auto it = std::find(tabs.begin(), tabs.end(), p.ActivePage());
       return IntText(it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin()));
     },
     nullptr},
};
}  // namespace

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  width_ = 289;
  height_ = 193;
}

const PropertyDef* TPageControl::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kPageControlProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TPageControl::HasEvent(const std::string& name) const {
  return name == "OnChange" || name == "OnChanging" || TWinControl::HasEvent(name);
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  TTabSheet* page = nullptr;
  if (!activePageName.empty()) {
    page = dynamic_cast<TTabSheet*>(Owner() ? Owner()->FindComponent(activePageName) : nullptr);
    if (!page) throw Exception("Page " + activePageName + " of " + Name() + " not found");
  }
  if (!page && !pages_.empty()) page = pages_.front();
  SetActivePage(page);
}

void TPageControl::AddPage(TTabSheet* page) {
  pages_.push_back(page);
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
  std::vector<TTabSheet*> tabs = VisibleTabs();
  auto at = std::find(tabs.begin(), tabs.end(), page);
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  if (active_ != page) {
    UpdateTabs();
    return;
  }
  // The page that takes the removed tab's place shows, or the one before it.
  active_ = nullptr;
  TTabSheet* next = nullptr;
  if (at != tabs.end()) {
    if (at + 1 != tabs.end())
      next = *(at + 1);
    else if (at != tabs.begin())
      next = *(at - 1);
  }
  // Not while the form goes: its handlers must not run then.
  const bool formGoing = Owner() && (Owner()->ComponentState() & csDestroying);
  if (next && !formGoing)
    SetActivePage(next);
  else
    UpdateTabs();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : pages_)
    if (page->tabVisible_) tabs.push_back(page);
  return tabs;
}

TTabSheet* TPageControl::AcceleratorPage(char c) const {
  const char wanted = LowerChar(c);
  for (TTabSheet* page : VisibleTabs())
    if (AcceleratorOf(page->caption_) == wanted) return page;
  return nullptr;
}

void TPageControl::SelectNextPage(bool forward) {
  const std::vector<TTabSheet*> tabs = VisibleTabs();
  if (tabs.size() < 2) return;
  auto it = std::find(tabs.begin(), tabs.end(), active_);
  const std::size_t at = it == tabs.end() ? 0 : static_cast<std::size_t>(it - tabs.begin());
  const std::size_t next = forward ? (at + 1) % tabs.size() : (at + tabs.size() - 1) % tabs.size();
  TEventArgs args;
  Fire("OnChanging", args);
  SetActivePage(tabs[next]);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  TTabSheet* previous = active_;
  active_ = page;
  for (TTabSheet* p : pages_) {
    bool show = p == active_;
    if (p->visible_ != show) p->SetVisible(show);
  }
  UpdateTabs();
  LayoutPages();
  if (previous != page && !(ComponentState() & csLoading)) Fire("OnChange");
}

TPageControl::TabsUpdate::TabsUpdate(TPageControl& pages) : pages_(pages) {
  ++pages_.tabsUpdates_;
}

TPageControl::TabsUpdate::~TabsUpdate() {
  if (--pages_.tabsUpdates_ > 0 || !pages_.tabsWaiting_) return;
  pages_.tabsWaiting_ = false;
  pages_.UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!handle_) return;
  if (tabsUpdates_ > 0) {
    tabsWaiting_ = true;
    return;
  }
  // The room around a tab's text is the system's 6 by 3 pixels at 96 DPI;
  // the system keeps it at that while the text grows with the DPI.
  const TForm* form = ParentForm();
  const int dpi = form ? form->Dpi() : kDesignDpi;
  SendMessageA(handle_, TCM_SETPADDING, 0,
               MAKELPARAM(ScaleRounded(6, dpi, kDesignDpi), ScaleRounded(3, dpi, kDesignDpi)));
  SendMessageA(handle_, TCM_DELETEALLITEMS, 0, 0);
  std::vector<TTabSheet*> tabs = VisibleTabs();
  int selected = -1;
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tabs[i]->caption_.c_str());
    SendMessageA(handle_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    if (tabs[i] == active_) selected = static_cast<int>(i);
  }
  SendMessageA(handle_, TCM_SETCURSEL, selected, 0);
  LayoutPages();
}

RECT TPageControl::DisplayRect() const {
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  if (handle_) SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TPageControl::LayoutPages() {
  if (!handle_) return;
  RECT r = DisplayRect();
  for (TTabSheet* page : pages_) page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = WC_TABCONTROLA;
  params.systemClass = true;
  params.exStyle = WS_EX_CONTROLPARENT;
  if (multiLine) params.style |= TCS_MULTILINE;
  if (hotTrack) params.style |= TCS_HOTTRACK;
  if (style != 0) params.style |= TCS_BUTTONS | (style == 2 ? TCS_FLATBUTTONS : 0);
  // Tabs on the left or right stand in several rows.
  static const DWORD kPosition[] = {0, TCS_BOTTOM, TCS_VERTICAL | TCS_MULTILINE,
                                    TCS_VERTICAL | TCS_BOTTOM | TCS_MULTILINE};
  params.style |= kPosition[tabPosition];
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

void TPageControl::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY) {
    NMHDR* header = reinterpret_cast<NMHDR*>(message.LParam);
    if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
      int index = static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0));
      std::vector<TTabSheet*> tabs = VisibleTabs();
      if (index >= 0 && index < static_cast<int>(tabs.size())) SetActivePage(tabs[index]);
      return;
    }
    if (header->code == static_cast<UINT>(TCN_SELCHANGING)) {
      TEventArgs args;
      Fire("OnChanging", args);
      message.Result = 0;
      return;
    }
  }
  if (message.Msg == WM_SIZE) {
    TWinControl::WndProc(message);
    LayoutPages();
    return;
  }
  TWinControl::WndProc(message);
  if (message.Msg == CM_DPICHANGED) UpdateTabs();
}

}  // namespace velotune
