#include "framework/containers.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "framework/form.h"

namespace velotune {

namespace {

std::string BoolText(bool b) {
  return b ? "True" : "False";
}
template <typename T>
T& As(TComponent& c) {
  return static_cast<T&>(c);
}
template <typename T>
const T& As(const TComponent& c) {
  return static_cast<const T&>(c);
}

const std::vector<const char*> kBevelCuts = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
const std::vector<const char*> kAlignments = {"taLeftJustify", "taRightJustify", "taCenter"};

// One bevel ring of `width` pixels inside `rect`, which shrinks past it.
void DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  for (int i = 0; i < width; ++i) {
    if (cut != bvSpace)
      DrawEdge(dc, &rect, cut == bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace

// ------------------------------------------------------------------- TPanel

namespace {
const PropertyDef kPanelProperties[] = {
    {"BevelInner",
     [](const TComponent& c) { return std::string(kBevelCuts[As<TPanel>(c).bevelInner]); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).bevelInner = static_cast<TBevelCut>(EnumProp("BevelInner", v, kBevelCuts));
       As<TPanel>(c).Invalidate();
     }},
    {"BevelOuter",
     [](const TComponent& c) { return std::string(kBevelCuts[As<TPanel>(c).bevelOuter]); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).bevelOuter = static_cast<TBevelCut>(EnumProp("BevelOuter", v, kBevelCuts));
       As<TPanel>(c).Invalidate();
     }},
    {"BevelWidth", [](const TComponent& c) { return IntText(As<TPanel>(c).bevelWidth); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).bevelWidth = IntProp("BevelWidth", v);
     }},
    {"BorderWidth", [](const TComponent& c) { return IntText(As<TPanel>(c).borderWidth); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).borderWidth = IntProp("BorderWidth", v);
     }},
    {"Alignment",
     [](const TComponent& c) { return std::string(kAlignments[As<TPanel>(c).alignment]); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).alignment = EnumProp("Alignment", v, kAlignments);
     }},
};
}  // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 41;
}

const PropertyDef* TPanel::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kPanelProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

void TPanel::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  PaintBackground(dc, r);
  DrawBevel(dc, r, bevelOuter, bevelWidth);
  InflateRect(&r, -borderWidth, -borderWidth);
  DrawBevel(dc, r, bevelInner, bevelWidth);
  if (!caption_.empty()) {
    static const UINT kFormats[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    DrawControlText(dc, *this, caption_, r, kFormats[alignment] | DT_VCENTER | DT_SINGLELINE);
  }
  PaintControls(dc);
}

// ---------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 105;
}

void TGroupBox::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  PaintBackground(dc, r);
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  SIZE text = {0, 0};
  GetTextExtentPoint32A(dc, "0", 1, &text);
  SelectObject(dc, old);
  RECT frame = r;
  frame.top += text.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!caption_.empty()) {
    RECT label{8, 0, r.right - 8, text.cy};
    DrawControlText(dc, *this, caption_, label, DT_SINGLELINE | DT_CALCRECT);
    FillRect(dc, &label, ColorBrush(color_));
    DrawControlText(dc, *this, caption_, label, DT_SINGLELINE);
  }
  PaintControls(dc);
}

// --------------------------------------------------------------- TScrollBox

namespace {
const PropertyDef kScrollBoxProperties[] = {
    {"HorzScrollBar.Range",
     [](const TComponent& c) { return IntText(As<TScrollBox>(c).horzRange); },
     [](TComponent& c, const std::string& v) {
       As<TScrollBox>(c).horzRange = IntProp("HorzScrollBar.Range", v);
     }},
    {"VertScrollBar.Range",
     [](const TComponent& c) { return IntText(As<TScrollBox>(c).vertRange); },
     [](TComponent& c, const std::string& v) {
       As<TScrollBox>(c).vertRange = IntProp("VertScrollBar.Range", v);
     }},
    {"AutoScroll", [](const TComponent& c) { return BoolText(As<TScrollBox>(c).autoScroll); },
     [](TComponent& c, const std::string& v) {
       As<TScrollBox>(c).autoScroll = BoolProp("AutoScroll", v);
     }},
    {"BorderStyle",
     [](const TComponent& c) {
       return std::string(As<TScrollBox>(c).singleBorder ? "bsSingle" : "bsNone");
     },
     [](TComponent& c, const std::string& v) {
       As<TScrollBox>(c).singleBorder = EnumProp("BorderStyle", v, {"bsNone", "bsSingle"}) == 1;
     }},
};
constexpr int kScrollLine = 8;
}  // namespace

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 41;
  tabStop_ = false;
}

const PropertyDef* TScrollBox::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kScrollBoxProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TScrollBox::HasEvent(const std::string& name) const {
  return name == "OnMouseWheel" || TWinControl::HasEvent(name);
}

void TScrollBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style |= WS_HSCROLL | WS_VSCROLL;
  if (singleBorder) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::UpdateScrollBars() {
  if (!handle_) return;
  RECT client;
  GetClientRect(handle_, &client);
  SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  info.nMax = std::max(horzRange - 1, 0);
  info.nPage = client.right;
  info.nPos = horzPos_;
  SetScrollInfo(handle_, SB_HORZ, &info, TRUE);
  info.nMax = std::max(vertRange - 1, 0);
  info.nPage = client.bottom;
  info.nPos = vertPos_;
  SetScrollInfo(handle_, SB_VERT, &info, TRUE);
}

void TScrollBox::ScrollTo(int horz, int vert) {
  RECT client{0, 0, 0, 0};
  if (handle_) GetClientRect(handle_, &client);
  horz = std::max(0, std::min(horz, std::max(0, horzRange - static_cast<int>(client.right))));
  vert = std::max(0, std::min(vert, std::max(0, vertRange - static_cast<int>(client.bottom))));
  int dx = horzPos_ - horz, dy = vertPos_ - vert;
  if (dx == 0 && dy == 0) return;
  horzPos_ = horz;
  vertPos_ = vert;
  for (TControl* c : controls_) {
    // The windows move with the scrolled area; the bounds follow them.
    c->left_ += dx;
    c->top_ += dy;
  }
  if (handle_) {
    ScrollWindowEx(handle_, dx, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    UpdateScrollBars();
  }
}

void TScrollBox::Scroll(int bar, int code) {
  SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(handle_, bar, &info);
  int pos = bar == SB_HORZ ? horzPos_ : vertPos_;
  switch (code) {
    case SB_LINEUP:
      pos -= kScrollLine;
      break;
    case SB_LINEDOWN:
      pos += kScrollLine;
      break;
    case SB_PAGEUP:
      pos -= static_cast<int>(info.nPage);
      break;
    case SB_PAGEDOWN:
      pos += static_cast<int>(info.nPage);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = info.nTrackPos;
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = info.nMax;
      break;
    default:
      return;  // SB_ENDSCROLL
  }
  if (bar == SB_HORZ)
    ScrollTo(pos, vertPos_);
  else
    ScrollTo(horzPos_, pos);
}

void TScrollBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (message.LParam == 0) {
        Scroll(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.WParam));
        message.Result = 0;
        return;
      }
      break;
    case WM_MOUSEWHEEL: {
      TEventArgs args;
      WORD keys = LOWORD(message.WParam);
      if (keys & MK_SHIFT) args.Shift |= kShiftKey;
      if (keys & MK_CONTROL) args.Shift |= kCtrlKey;
      args.WheelDelta = static_cast<short>(HIWORD(message.WParam));
      args.X = static_cast<short>(LOWORD(message.LParam));
      args.Y = static_cast<short>(HIWORD(message.LParam));
      Fire("OnMouseWheel", args);
      if (args.Handled) {
        message.Result = 0;
        return;
      }
      break;
    }
    case WM_SIZE:
      TWinControl::WndProc(message);
      UpdateScrollBars();
      return;
    case WM_LBUTTONDOWN:
      if (CanFocus()) SetFocus();
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

// ------------------------------------------------------ TTabSheet / pages

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
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  if (active_ == page) active_ = nullptr;
  UpdateTabs();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : pages_)
    if (page->tabVisible_) tabs.push_back(page);
  return tabs;
}

TTabSheet* TPageControl::AcceleratorPage(char c) const {
  char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (TTabSheet* page : VisibleTabs()) {
    const std::string& text = page->caption_;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != '&') continue;
      if (text[i + 1] == '&') {
        ++i;
        continue;
      }
      if (std::tolower(static_cast<unsigned char>(text[i + 1])) == wanted) return page;
      break;
    }
  }
  return nullptr;
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

void TPageControl::UpdateTabs() {
  if (!handle_) return;
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
}

// --------------------------------------------------------------- TStatusBar

namespace {
const PropertyDef kStatusBarProperties[] = {
    {"SimplePanel", [](const TComponent& c) { return BoolText(As<TStatusBar>(c).simplePanel); },
     [](TComponent& c, const std::string& v) {
       As<TStatusBar>(c).simplePanel = BoolProp("SimplePanel", v);
     }},
    {"SizeGrip", nullptr, [](TComponent&, const std::string& v) { BoolProp("SizeGrip", v); }},
};
}  // namespace

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  height_ = 19;
}

const PropertyDef* TStatusBar::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kStatusBarProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TStatusBar::ReadCollection(const std::string& name,
                                const std::vector<std::vector<DfmProperty>>& items) {
  if (name != "Panels") return false;
  panels_.clear();
  for (const auto& item : items) {
    TStatusPanel panel;
    for (const DfmProperty& p : item) {
      std::string text;
      if (!DfmValueText(p.value, &text))
        throw EPropertyError("Invalid property value for Panels." + p.name);
      if (p.name == "Text")
        panel.text = text;
      else if (p.name == "Width")
        panel.width = IntProp("Width", text);
      else if (p.name == "Alignment")
        panel.alignment = EnumProp("Alignment", text, kAlignments);
      else if (p.name == "Style")
        EnumProp("Style", text, {"psText", "psOwnerDraw"});
      else if (p.name == "Bevel")
        EnumProp("Bevel", text, {"pbNone", "pbLowered", "pbRaised"});
      else
        throw EPropertyError("Property Panels." + p.name + " does not exist");
    }
    panels_.push_back(panel);
  }
  UpdatePanels();
  return true;
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = STATUSCLASSNAMEA;
  params.systemClass = true;
  params.exStyle = 0;
  params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
}

void TStatusBar::BoundsChanged() {
  TWinControl::BoundsChanged();
  UpdatePanels();
}

namespace {
std::string AlignedText(const TStatusPanel& panel) {
  // A tab before the text centres it, two right-align it.
  static const char* const kPrefixes[] = {"", "\t\t", "\t"};
  return kPrefixes[panel.alignment] + panel.text;
}
}  // namespace

void TStatusBar::UpdatePanels() {
  if (!handle_) return;
  SendMessageA(handle_, SB_SIMPLE, simplePanel, 0);
  std::vector<int> edges;
  int right = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    right += panels_[i].width;
    edges.push_back(i + 1 == panels_.size() ? -1 : right);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageA(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    std::string text = AlignedText(panels_[i]);
    SendMessageA(handle_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  if (index < 0 || index >= static_cast<int>(panels_.size())) return;
  panels_[index].text = text;
  if (handle_) {
    std::string aligned = AlignedText(panels_[index]);
    SendMessageA(handle_, SB_SETTEXTA, index, reinterpret_cast<LPARAM>(aligned.c_str()));
  }
}

std::string TStatusBar::PanelText(int index) const {
  if (index < 0 || index >= static_cast<int>(panels_.size())) return "";
  return panels_[index].text;
}

}  // namespace velotune
