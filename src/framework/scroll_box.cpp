// The scroll box: a client area larger than its window, scrolled by bars and code.
#include <algorithm>

#include "framework/containers.h"
#include "framework/property_helpers.h"

namespace velotune {

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

}  // namespace velotune
