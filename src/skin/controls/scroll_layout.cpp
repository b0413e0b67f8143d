#include "skin/controls/scroll_layout.h"

#include <algorithm>

namespace velotune::skin {

namespace {

bool Inside(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

ScrollParts LayoutScrollBar(const Rect& bar, bool vertical, int arrowSize, int thumbStart,
                            int thumbEnd) {
  ScrollParts p;
  p.bar = bar;
  const int start = vertical ? bar.top : bar.left;
  const int end = vertical ? bar.bottom : bar.right;
  const int length = end - start;
  const int arrow = std::clamp(arrowSize, 0, length / 2);
  const int trackFrom = start + arrow, trackTo = end - arrow;
  int thumbFrom = start + std::clamp(thumbStart, arrow, length - arrow);
  int thumbTo = start + std::clamp(thumbEnd, arrow, length - arrow);
  if (thumbTo <= thumbFrom) thumbFrom = thumbTo = trackTo;
  // A span along the bar, across its whole thickness.
  auto span = [&](int from, int to) {
    return vertical ? Rect{bar.left, from, bar.right, to} : Rect{from, bar.top, to, bar.bottom};
  };
  p.arrowBack = span(start, trackFrom);
  p.arrowForward = span(trackTo, end);
  if (thumbFrom == thumbTo) {
    p.trackBack = span(trackFrom, trackTo);
    p.thumb = span(trackTo, trackTo);
    p.trackForward = span(trackTo, trackTo);
  } else {
    p.trackBack = span(trackFrom, thumbFrom);
    p.thumb = span(thumbFrom, thumbTo);
    p.trackForward = span(thumbTo, trackTo);
  }
  return p;
}

ScrollPart ScrollPartAt(const ScrollParts& p, int x, int y) {
  if (Inside(p.arrowBack, x, y)) return spArrowBack;
  if (Inside(p.thumb, x, y)) return spThumb;
  if (Inside(p.trackBack, x, y)) return spTrackBack;
  if (Inside(p.trackForward, x, y)) return spTrackForward;
  if (Inside(p.arrowForward, x, y)) return spArrowForward;
  return spNone;
}

ScrollLook ScrollPartLook(ScrollPart part, ScrollPart hot, ScrollPart pressed, bool disabled) {
  if (disabled) return sbDisabled;
  if (pressed == part) return sbPressed;
  // While another part is held down, nothing else lights up.
  if (pressed == spNone && hot == part) return sbHover;
  return sbNormal;
}

int ScrollArrowFrame(bool vertical, bool forward, ScrollLook look) {
  const int direction = vertical ? (forward ? 1 : 0) : (forward ? 3 : 2);
  return direction * 4 + static_cast<int>(look) + 1;
}

}  // namespace velotune::skin
