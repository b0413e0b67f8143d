#include "skin/controls/button_looks.h"

#include "skin/data/bitmap_ops.h"

namespace velotune::skin {

int PushButtonFrame(bool pressed, bool hover, bool focusedOrDefault, bool enabled) {
  if (!enabled) return pfDisabled;
  if (pressed) return pfPressed;
  if (hover) return pfHover;
  return focusedOrDefault ? pfFocused : pfNormal;
}

int SpeedButtonFrame(bool down, bool held, bool hot, bool enabled, bool flat) {
  if (!enabled) return pfDisabled;
  if (down || held) return pfPressed;
  if (hot) return pfHover;
  return flat ? 0 : pfNormal;
}

Bitmap PushButtonFace(const TDataSkinButton& skin, int width, int height, int frame) {
  return NineGrid(width, height, skin.Map,
                  {skin.LeftWidth, skin.TopHeight, skin.RightWidth, skin.BottomHeight}, false,
                  skin.Tile != 0, 5, frame);
}

TColor PushButtonTextColour(TColor own, const TDataSkinButton& skin, int frame, bool enabled,
                            TColor disabled) {
  TColor colour = own;
  if (skin.HasNormalColour2) colour = skin.NormalColour2;
  if (frame == pfHover && skin.HasMouseOverColour2) colour = skin.MouseOverColour2;
  if (frame == pfPressed && skin.HasPressedColour2) colour = skin.PressedColour2;
  if (!enabled) colour = disabled;
  return colour;
}

std::string BreakCaption(const std::string& caption) {
  std::string text = caption;
  const size_t at = text.find("||");
  if (at != std::string::npos) text.replace(at, 2, "\r\n");
  return text;
}

Rect CentreBlock(const Rect& area, int blockWidth, int blockHeight) {
  const int left = area.left + (area.Width() - blockWidth) / 2;
  const int top = area.top + (area.Height() - blockHeight) / 2;
  return {left, top, left + blockWidth, top + blockHeight};
}

}  // namespace velotune::skin
