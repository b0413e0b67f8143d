#include "skin/controls/skin_scrollbar.h"

#include <algorithm>

#include "framework/font.h"
#include "skin/data/colour.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

bool SameInfo(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos &&
         a.nTrackPos == b.nTrackPos;
}

// A frame of a strip of `frames` for a look (0 normal ... 3 disabled); a strip
// with fewer frames shows its last one for the looks it lacks.
int LookFrame(ScrollLook look, int frames) {
  return std::min(static_cast<int>(look) + 1, std::max(frames, 1));
}

bool Usable(const TDataSkinObject* object) {
  return object && !object->Map.Empty();
}

// Without every scroll-bar image the bars keep the system's look.
bool DrawsBars(const TSkinData& data) {
  for (SkinPart part :
       {spScrollbar, spHorzScroll, spVertScroll, spHorzScrollThumb, spVertScrollThumb})
    if (!Usable(data.Part(part))) return false;
  return true;
}

// The system's state bits of a bar's parts, in SCROLLBARINFO's order.
enum StateIndex {
  kWholeBar = 0,
  kArrowBack = 1,
  kTrackBack = 2,
  kThumb = 3,
  kTrackForward = 4,
  kArrowForward = 5
};

}  // namespace

bool TSkinScrollbar::Snapshot::operator==(const Snapshot& o) const {
  return SameInfo(horz, o.horz) && SameInfo(vert, o.vert) && EqualRect(&window, &o.window) &&
         style == o.style;
}

void TSkinScrollbar::Attached() {
  mode_ = DrawsBars(*data_) ? wmSkinned : wmSystemLook;
  RepaintAll();
}

void TSkinScrollbar::Restore() {
  TSkinControl::Restore();
  RepaintAll();
}

void TSkinScrollbar::Reapply() {
  TSkinControl::Reapply();
  RepaintAll();
}

void TSkinScrollbar::RepaintAll() {
  if (handle_ && IsWindow(handle_))
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

TSkinScrollbar::Snapshot TSkinScrollbar::Take() const {
  Snapshot s;
  s.horz.cbSize = s.vert.cbSize = sizeof(SCROLLINFO);
  s.horz.fMask = s.vert.fMask = SIF_ALL;
  if (!GetScrollInfo(handle_, SB_HORZ, &s.horz)) s.horz = SCROLLINFO{};
  if (!GetScrollInfo(handle_, SB_VERT, &s.vert)) s.vert = SCROLLINFO{};
  GetWindowRect(handle_, &s.window);
  s.style = GetWindowLongA(handle_, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL | WS_DISABLED);
  return s;
}

bool TSkinScrollbar::BarParts(bool vertical, ScrollParts* parts, bool* disabled) const {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(handle_, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) return false;
  if (info.rgstate[kWholeBar] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) return false;
  RECT window;
  GetWindowRect(handle_, &window);
  const RECT& r = info.rcScrollBar;
  const Rect bar{r.left - window.left, r.top - window.top, r.right - window.left,
                 r.bottom - window.top};
  if (bar.Width() <= 0 || bar.Height() <= 0) return false;
  // The arrows are as long as the system's metric says (some systems report
  // the thumb's length as the line button's).
  const int arrow = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
  *parts = LayoutScrollBar(bar, vertical, arrow, info.xyThumbTop, info.xyThumbBottom);
  for (int i = 0; i < 6; ++i)
    disabled[i] = (info.rgstate[i] & STATE_SYSTEM_UNAVAILABLE) != 0 ||
                  (info.rgstate[kWholeBar] & STATE_SYSTEM_UNAVAILABLE) != 0;
  return true;
}

TSkinScrollbar::Hit TSkinScrollbar::HitAt(LPARAM screenPoint) const {
  RECT window;
  GetWindowRect(handle_, &window);
  const int x = static_cast<short>(LOWORD(screenPoint)) - window.left;
  const int y = static_cast<short>(HIWORD(screenPoint)) - window.top;
  for (const bool vertical : {true, false}) {
    ScrollParts parts;
    bool disabled[6];
    if (!BarParts(vertical, &parts, disabled)) continue;
    const ScrollPart part = ScrollPartAt(parts, x, y);
    if (part != spNone) return Hit{vertical ? SB_VERT : SB_HORZ, part};
  }
  return Hit{};
}

bool TSkinScrollbar::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (mode_ == wmSystemLook) return true;
  switch (message.Msg) {
    case WM_NCPAINT: {
      // A window with a caption or a sizing frame keeps the system's drawing
      // of those; the bars and the edge are the skin's either way.
      const LONG style = GetWindowLongA(handle_, GWL_STYLE);
      if (style & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME)) CallPrevious(message);
      PaintNonClient();
      message.Result = 0;
      return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (message.WParam == HTVSCROLL || message.WParam == HTHSCROLL) {
        // The system tracks the mouse from here until the button is let go.
        pressed_ = HitAt(message.LParam);
        PaintNonClient();
      }
      return true;
    default:
      return true;
  }
}

void TSkinScrollbar::AfterMessage(TMessage& message) {
  TSkinControl::AfterMessage(message);
  if (mode_ == wmSystemLook || !active_ || state_ == wsWindowGone || !IsWindow(handle_)) return;
  bool paint = false;
  switch (message.Msg) {
    case WM_NCMOUSEMOVE: {
      if (!tracking_) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, handle_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      const Hit hit = HitAt(message.LParam);
      paint = hit != hot_;
      hot_ = hit;
      break;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSEMOVE:
      if (message.Msg == WM_NCMOUSELEAVE) tracking_ = false;
      paint = hot_ != Hit{};
      hot_ = Hit{};
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      paint = pressed_ != Hit{};
      pressed_ = Hit{};
      break;
    case WM_PRINT:
      if (message.LParam & PRF_NONCLIENT) PaintNonClient(reinterpret_cast<HDC>(message.WParam));
      return;
    // The system draws the bars itself on these.
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_ENABLE:
    case WM_STYLECHANGED:
      paint = true;
      break;
    default:
      break;
  }
  // Whatever changed a bar, the system drew it: draw it again.
  if (paint || !(Take() == last_)) PaintNonClient();
}

void TSkinScrollbar::PaintNonClient(HDC given) {
  if (!handle_ || mode_ == wmSystemLook || !IsWindow(handle_)) return;
  last_ = Take();
  RECT window;
  GetWindowRect(handle_, &window);
  POINT origin{0, 0};
  ClientToScreen(handle_, &origin);
  RECT client;
  GetClientRect(handle_, &client);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  OffsetRect(&window, -window.left, -window.top);
  WindowDC own(handle_, true);
  HDC dc = given ? given : own.Get();
  if (!dc) return;
  try {
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    PaintBorder(dc, window, client);
    PaintBar(dc, true);
    PaintBar(dc, false);
    RestoreDC(dc, saved);
  } catch (...) {
    // What was drawn stays.
  }
}

void TSkinScrollbar::PaintBorder(HDC dc, const RECT& window, const RECT& client) {
  // The edge: everything that is neither client area nor a bar, filled with
  // the control's colour and outlined flat in the shadow colour.
  OwnedRegion ring(CreateRectRgnIndirect(&window));
  OwnedRegion inside(CreateRectRgnIndirect(&client));
  CombineRgn(ring.Get(), ring.Get(), inside.Get(), RGN_DIFF);
  ScrollParts parts;
  bool disabled[6];
  RECT vertical{}, horizontal{};
  if (BarParts(true, &parts, disabled)) vertical = ToRECT(parts.bar);
  if (BarParts(false, &parts, disabled)) horizontal = ToRECT(parts.bar);
  for (const RECT& bar : {vertical, horizontal}) {
    if (IsRectEmpty(&bar)) continue;
    OwnedRegion part(CreateRectRgnIndirect(&bar));
    CombineRgn(ring.Get(), ring.Get(), part.Get(), RGN_DIFF);
  }
  const COLORREF inner = control_ ? ColorToRGB(control_->Color()) : GetSysColor(COLOR_WINDOW);
  OwnedBrush fill(CreateSolidBrush(inner));
  FillRgn(dc, ring.Get(), fill.Get());
  // The box where both bars meet.
  if (!IsRectEmpty(&vertical) && !IsRectEmpty(&horizontal)) {
    const RECT corner{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
    OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
    FillRect(dc, &corner, face.Get());
  }
  const LONG exStyle = GetWindowLongA(handle_, GWL_EXSTYLE);
  const LONG style = GetWindowLongA(handle_, GWL_STYLE);
  if ((exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE)) || (style & WS_BORDER)) {
    OwnedBrush shadow(CreateSolidBrush(SkinColour(ceButtonShadow)));
    FrameRect(dc, &window, shadow.Get());
  }
}

void TSkinScrollbar::PaintBar(HDC dc, bool vertical) {
  ScrollParts parts;
  bool disabled[6];
  if (!BarParts(vertical, &parts, disabled)) return;
  const int bar = vertical ? SB_VERT : SB_HORZ;
  const ScrollPart hot = hot_.bar == bar ? hot_.part : spNone;
  const ScrollPart pressed = pressed_.bar == bar ? pressed_.part : spNone;
  auto look = [&](ScrollPart part, int state) {
    return ScrollPartLook(part, hot, pressed, disabled[state]);
  };
  const TDataSkinObject& track = *data_->Part(vertical ? spVertScroll : spHorzScroll);
  const TDataSkinObject& thumb = *data_->Part(vertical ? spVertScrollThumb : spHorzScrollThumb);
  const TDataSkinObject& arrows = *data_->Part(spScrollbar);

  // Composed off screen at the bar's size, then copied in one go.
  OffscreenBuffer buffer(dc, parts.bar.Width(), parts.bar.Height());
  const int dx = -parts.bar.left, dy = -parts.bar.top;
  auto local = [&](const Rect& r) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  };
  const Margins trackMargins{track.LeftWidth, track.TopHeight, track.RightWidth,
                             track.BottomHeight};
  const Margins thumbMargins{thumb.LeftWidth, thumb.TopHeight, thumb.RightWidth,
                             thumb.BottomHeight};
  struct Piece {
    const Rect* rect;
    ScrollPart part;
    int state;
  };
  for (const Piece& p : {Piece{&parts.trackBack, spTrackBack, kTrackBack},
                         Piece{&parts.trackForward, spTrackForward, kTrackForward}})
    DrawNineGrid(buffer.Dc(), local(*p.rect), track.Map, trackMargins, track.Tile == 1, false,
                 track.Frame, LookFrame(look(p.part, p.state), track.Frame));
  if (parts.thumb.Width() > 0 && parts.thumb.Height() > 0) {
    // The track shows behind the thumb's transparent corners.
    DrawNineGrid(buffer.Dc(), local(parts.thumb), track.Map, trackMargins, track.Tile == 1, false,
                 track.Frame, LookFrame(disabled[kThumb] ? sbDisabled : sbNormal, track.Frame));
    DrawNineGrid(buffer.Dc(), local(parts.thumb), thumb.Map, thumbMargins, thumb.Tile == 1, true,
                 thumb.Frame, LookFrame(look(spThumb, kThumb), thumb.Frame));
  }
  for (const bool forward : {false, true}) {
    const ScrollPart part = forward ? spArrowForward : spArrowBack;
    const ScrollLook arrowLook = look(part, forward ? kArrowForward : kArrowBack);
    DrawFrameCell(buffer.Dc(), local(forward ? parts.arrowForward : parts.arrowBack), arrows.Map,
                  arrows.Trans == 1, arrows.Frame, ScrollArrowFrame(vertical, forward, arrowLook));
  }
  buffer.CopyTo(dc, parts.bar.left, parts.bar.top);
}

}  // namespace velotune::skin
