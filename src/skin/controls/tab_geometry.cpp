#include "skin/controls/tab_geometry.h"

#include <utility>

#include "skin/data/bitmap_ops.h"

namespace velotune::skin {

TabSide TabSideOfStyle(unsigned long style) {
  const bool bottom = (style & 0x2) != 0, vertical = (style & 0x80) != 0;
  if (vertical) return bottom ? tsRight : tsLeft;
  return bottom ? tsBottom : tsTop;
}

void TurnTabImages(TabSide side, Bitmap& tab, Margins& tabMargins, Bitmap& pane,
                   Margins& paneMargins) {
  const Margins m = paneMargins;
  switch (side) {
    case tsBottom:
      if (!tab.Empty()) tab = FlipVertical(tab);
      if (!pane.Empty()) pane = FlipVertical(pane);
      std::swap(tabMargins.top, tabMargins.bottom);
      std::swap(paneMargins.top, paneMargins.bottom);
      break;
    case tsLeft:
      // Counter-clockwise: the top edge becomes the left one.
      if (!pane.Empty()) pane = TurnQuarter(pane, false);
      paneMargins = {m.top, m.right, m.bottom, m.left};
      break;
    case tsRight:
      // Clockwise: the top edge becomes the right one.
      if (!pane.Empty()) pane = TurnQuarter(pane, true);
      paneMargins = {m.bottom, m.left, m.top, m.right};
      break;
    case tsTop:
      break;
  }
}

Rect PaneRect(const Rect& display, TabSide side, const DpiScale& scale) {
  const int grow = scale.Px(4), away = scale.Px(1);
  Rect pane{display.left - grow, display.top - grow, display.right + grow, display.bottom + grow};
  switch (side) {
    case tsTop:
      pane.top += away;
      break;
    case tsBottom:
      pane.bottom -= away;
      break;
    case tsLeft:
      pane.left += away;
      break;
    case tsRight:
      pane.right -= away;
      break;
  }
  return pane;
}

Rect StripRect(const Rect& control, const Rect& pane, TabSide side) {
  switch (side) {
    case tsTop:
      return {control.left, control.top, control.right, pane.top};
    case tsBottom:
      return {control.left, pane.bottom, control.right, control.bottom};
    case tsLeft:
      return {control.left, control.top, pane.left, control.bottom};
    case tsRight:
      return {pane.right, control.top, control.right, control.bottom};
  }
  return {};
}

StripSize StripCanvasSize(const Rect& strip, TabSide side) {
  if (side == tsLeft || side == tsRight) return {strip.Height(), strip.Width()};
  return {strip.Width(), strip.Height()};
}

Rect TabRectInStrip(TabSide side, const Rect& tab, int canvasWidth, int controlRight,
                    int paneBottom, const DpiScale& scale) {
  const int one = scale.Px(1);
  switch (side) {
    case tsTop:
      return {tab.left, tab.top + one, tab.right, tab.bottom + one};
    case tsBottom:
      return {tab.left, tab.top - (paneBottom + one), tab.right, tab.bottom - (paneBottom + one)};
    case tsLeft:
      return {canvasWidth - tab.bottom, tab.left, canvasWidth - tab.top, tab.right};
    case tsRight:
      return {tab.top - one, controlRight - tab.right, tab.bottom - one, controlRight - tab.left};
  }
  return tab;
}

Rect CloseBoxRect(const Rect& tab, const DpiScale& scale) {
  const int in = scale.Px(2), out = scale.Px(8);
  return {tab.right - out, tab.top + in, tab.right - in, tab.top + out};
}

int TabBlockOffset(int tabWidth, int textWidth, int imageWidth, const DpiScale& scale) {
  const int offset = (tabWidth - textWidth - imageWidth) / 2;
  return offset < scale.Px(2) ? scale.Px(1) : offset;
}

}  // namespace velotune::skin
