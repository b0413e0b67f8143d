#include "skin/controls/check_frames.h"

#include <algorithm>
#include <cctype>

#include "platform/text_case.h"

namespace velotune::skin {

namespace {
bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}
// Long strips hold rows of four: normal, hot, pressed, disabled. The short
// frames 2 (set), 3 (disabled) and 4 (set, disabled) map into them.
int RowFrame(int f) {
  switch (f) {
    case 2:
      return 5;
    case 3:
      return 4;
    case 4:
      return 8;
    default:
      return f;
  }
}
}  // namespace

int CheckBoxFrame(const CheckFacts& facts, int frameCount) {
  int f = facts.checked ? 2 : 1;
  if (facts.stateProperty) {
    const std::string state = LowerText(*facts.stateProperty);
    if (Contains(state, "uncheck"))
      f = 1;
    else if (Contains(state, "check"))
      f = 2;
    else if (Contains(state, "gray"))
      f = 4;
  } else if (facts.checkedProperty) {
    f = SameText(*facts.checkedProperty, "true") ? 2 : 3;
  }
  if (facts.hasDataField && facts.rememberedCheck != 0)
    f = facts.rememberedCheck == 3 ? 4 : facts.rememberedCheck;
  if (facts.hasDataBinding) f = 1;
  if (facts.disabled) f += 2;
  if (facts.indeterminate) f = 4;
  if (frameCount == 12) return facts.indeterminate ? (facts.disabled ? 12 : 9) : RowFrame(f);
  return f;
}

int RadioButtonFrame(bool checked, bool disabled, int frameCount) {
  const int f = (checked ? 2 : 1) + (disabled ? 2 : 0);
  return frameCount == 8 ? RowFrame(f) : f;
}

CheckPlace PlaceCheckImage(const Rect& client, int cellWidth, int cellHeight, bool leftText,
                           bool radio) {
  CheckPlace place;
  const int top = client.top + (client.Height() - cellHeight) / 2;
  if (leftText) {
    const int right = client.right - (radio ? 1 : 0);
    place.image = {right - cellWidth, top, right, top + cellHeight};
    place.text = {client.left, client.top, place.image.left - 2, client.bottom};
  } else {
    place.image = {client.left, top, client.left + cellWidth, top + cellHeight};
    place.text = {place.image.right + 2, client.top, client.right, client.bottom};
  }
  return place;
}

}  // namespace velotune::skin
