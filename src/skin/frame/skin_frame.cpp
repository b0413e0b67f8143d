#include "skin/frame/skin_frame.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/paint/dpi_scale.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

// The strip at the top of the window where the system's own answer (the
// resizing border) is kept.
constexpr int kResizeBand = 3;

}  // namespace

void SkinFrame::Measure(const TSkinData& data, BorderKind kind, const DpiScale& scale) {
  auto image = [&](SkinEdge edge) {
    const TDataSkinBorder& e = data.Edge(edge);
    return skin::EdgeImage{e.Map.Width(), e.Map.Height(), e.Frame};
  };
  const FrameSizes sizes =
      ComputeFrameSizes(kind, image(seLeft), image(seTop), image(seRight), image(seBottom));
  sizes_.left = scale.Art(sizes.left);
  sizes_.top = scale.Art(sizes.top);
  sizes_.right = scale.Art(sizes.right);
  sizes_.bottom = scale.Art(sizes.bottom);
  if (kind == bkNoCaption) menuBar_ = 0;
}

RECT SkinFrame::ClientIn(RECT r) const {
  r.left += sizes_.left;
  r.top += sizes_.top + menuBar_;
  r.right = std::max(r.left, r.right - sizes_.right);
  r.bottom = std::max(r.top, r.bottom - sizes_.bottom);
  return r;
}

LRESULT SkinFrame::HitTest(LRESULT systemAnswer, int windowY, const DpiScale& scale) const {
  switch (systemAnswer) {
    case HTNOWHERE:
    case HTCAPTION:
    case HTSYSMENU:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
    case HTMENU: {
      // The system answers by its own caption; the skin's is another.
      LRESULT answer = systemAnswer;
      if (windowY > scale.Px(kResizeBand)) answer = HTCAPTION;
      if (windowY > sizes_.top && menuBar_ > 0) answer = HTMENU;
      return answer;
    }
    default:
      return systemAnswer;
  }
}

Bitmap SkinFrame::EdgeImage(const TSkinData& data, SkinEdge edge, int width, int height,
                            bool active) const {
  const TDataSkinBorder& e = data.Edge(edge);
  const bool stacked = edge == seTop || edge == seBottom;
  const int index = active || e.Frame <= 1 ? 1 : 2;
  return NineGrid(width, height, e.Map, {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
                  stacked, e.Tile != 1, e.Frame, index);
}

void SkinFrame::PaintEdge(const TSkinData& data, SkinEdge edge, const RECT& rect, HDC dc,
                          bool active) const {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  BlitBitmap(dc, rect.left, rect.top, EdgeImage(data, edge, w, h, active), false);
}

void SkinFrame::PaintSides(const TSkinData& data, HDC dc, int w, int h, bool active) const {
  const FrameSizes& f = sizes_;
  PaintEdge(data, seLeft, RECT{0, 0, f.left, h}, dc, active);
  PaintEdge(data, seRight, RECT{w - f.right, 0, w, h}, dc, active);
  PaintEdge(data, seBottom, RECT{f.left, h - f.bottom, w - f.right, h}, dc, active);
}

void SkinFrame::UpdateRegion(HWND window, const TSkinData& data, BorderKind kind, bool active,
                             bool force) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  if (w == regionSize_.cx && h == regionSize_.cy && !force) return;
  bool anyTransparent = false;
  for (SkinEdge edge : {seLeft, seRight, seTop, seBottom})
    anyTransparent |= data.Edge(edge).Trans != 0;
  HRGN region = nullptr;
  if (!anyTransparent) {
    region = CreateRectRgn(0, 0, w, h);
  } else {
    const FrameSizes& f = sizes_;
    region = CreateRectRgn(f.left, f.top, w - f.right, h - f.bottom);
    if (kind != bkNoCaption) {
      struct Strip {
        SkinEdge edge;
        RECT rect;
        bool shaped;
      };
      const Strip strips[] = {
          {seLeft, {0, 0, f.left, h}, h > 1},
          {seRight, {w - f.right, 0, w, h}, h > 1},
          {seTop, {f.left, 0, w - f.right, f.top}, f.top > 1},
          {seBottom, {f.left, h - f.bottom, w - f.right, h}, f.bottom >= 2},
      };
      for (const Strip& s : strips) {
        const int sw = s.rect.right - s.rect.left, sh = s.rect.bottom - s.rect.top;
        if (sw <= 0 || sh <= 0) continue;
        HRGN part = nullptr;
        if (data.Edge(s.edge).Trans != 0 && s.shaped)
          part = RegionFromBitmap(EdgeImage(data, s.edge, sw, sh, active), s.rect.left, s.rect.top);
        else
          part = CreateRectRgn(s.rect.left, s.rect.top, s.rect.right, s.rect.bottom);
        if (!part) continue;
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
      }
    }
  }
  // The window owns the region from here on (and frees the one it had).
  if (region && SetWindowRgn(window, region, TRUE) == 0) DeleteObject(region);
  regionSize_ = SIZE{w, h};
}

}  // namespace velotune::skin
