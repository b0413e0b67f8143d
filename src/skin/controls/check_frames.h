// Which frame of the skin's strip a check box or radio button shows, and
// where its image and text go: pure functions over the control's facts.
#pragma once

#include <optional>
#include <string>

#include "skin/data/bitmap.h"

namespace velotune::skin {

struct CheckFacts {
  bool checked = false;                        // BST_CHECKED in the button state
  bool indeterminate = false;                  // BST_INDETERMINATE in the button state
  bool disabled = false;                       // WS_DISABLED
  std::optional<std::string> stateProperty;    // "State", when the control has it
  std::optional<std::string> checkedProperty;  // "Checked", when it has no "State"
  bool hasDataField = false;
  int rememberedCheck = 0;  // BM_SETCHECK's wParam + 1, 0 when none
  bool hasDataBinding = false;
};

// 1-based; a 12-frame strip holds unticked, ticked and greyed rows of four.
int CheckBoxFrame(const CheckFacts& facts, int frameCount);

// 1-based; an 8-frame strip holds unset and set rows of four.
int RadioButtonFrame(bool checked, bool disabled, int frameCount);

struct CheckPlace {
  Rect image;
  Rect text;
};

// The image is cellHeight high, centred vertically; with leftText it is at the
// right (a radio button's ends one pixel before the edge) and the text ends 2
// pixels before it, otherwise at the left with the text 2 pixels after it.
CheckPlace PlaceCheckImage(const Rect& client, int cellWidth, int cellHeight, bool leftText,
                           bool radio);

}  // namespace velotune::skin
