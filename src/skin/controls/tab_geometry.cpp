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

Rect PaneRect(const Rect& display, TabSide side) {
  Rect pane{display.left - 4, display.top - 4, display.right + 4, display.bottom + 4};
  switch (side) {
    case tsTop:
      pane.top += 1;
      break;
    case tsBottom:
      pane.bottom -= 1;
      break;
    case tsLeft:
      pane.left += 1;
      break;
    case tsRight:
      pane.right -= 1;
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
                    int paneBottom) {
  switch (side) {
    case tsTop:
      return {tab.left, tab.top + 1, tab.right, tab.bottom + 1};
    case tsBottom:
      return {tab.left, tab.top - (paneBottom + 1), tab.right, tab.bottom - (paneBottom + 1)};
    case tsLeft:
      return {canvasWidth - tab.bottom, tab.left, canvasWidth - tab.top, tab.right};
    case tsRight:
      return {tab.top - 1, controlRight - tab.right, tab.bottom - 1, controlRight - tab.left};
  }
  return tab;
}

Rect CloseBoxRect(const Rect& tab) {
  return {tab.right - 8, tab.top + 2, tab.right - 2, tab.top + 8};
}

int TabBlockOffset(int tabWidth, int textWidth, int imageWidth) {
  const int offset = (tabWidth - textWidth - imageWidth) / 2;
  return offset < 2 ? 1 : offset;
}

}  // namespace velotune::skin
