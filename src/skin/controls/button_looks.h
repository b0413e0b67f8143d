// Which frame of the push-button strip a push button or speed button shows,
// its caption's colour and where its caption goes: pure functions over the
// button's state and the skin's push-button object.
#pragma once

#include <string>

#include "skin/data/bitmap.h"
#include "skin/data/colour.h"
#include "skin/data/skin_objects.h"

namespace velotune::skin {

// The five frames of the push-button strip.
enum PushFrame : int {
  pfNormal = 1,
  pfPressed = 2,
  pfDisabled = 3,
  pfHover = 4,
  pfFocused = 5,  // focused, or the form's default button
};

// Pressed before hover before focused or default; disabled whatever else holds.
int PushButtonFrame(bool pressed, bool hover, bool focusedOrDefault, bool enabled);

// A speed button is pressed while held or down; a flat one shows no strip
// while it rests (0).
int SpeedButtonFrame(bool down, bool held, bool hot, bool enabled, bool flat);

// The chosen frame of the push-button strip rendered at width x height: the
// corners keep the skin's margins, the rest is stretched (or tiled, with the
// skin's Tile flag). Magenta stays for a transparent copy.
Bitmap PushButtonFace(const TDataSkinButton& skin, int width, int height, int frame);

// The caption's colour: the button's own, then each second colour the skin
// gives in turn (normal, mouse-over on the hover frame, pressed on the
// pressed frame), then the disabled colour.
TColor PushButtonTextColour(TColor own, const TDataSkinButton& skin, int frame, bool enabled,
                            TColor disabled);

// The caption with its first "||" made a line break.
std::string BreakCaption(const std::string& caption);

// A block of blockWidth x blockHeight centred in area (the odd pixel to the
// right and bottom).
Rect CentreBlock(const Rect& area, int blockWidth, int blockHeight);

}  // namespace velotune::skin
