// A skinned scroll bar's parts, laid out from what the system reports (the
// bar's rectangle, its arrow size and the thumb's ends), so that what is drawn
// is where the system's own mouse handling finds it; and which frame of the
// skin's strips each part shows. Pure.
#pragma once

#include "skin/data/bitmap.h"

namespace velotune::skin {

enum ScrollPart { spNone, spArrowBack, spTrackBack, spThumb, spTrackForward, spArrowForward };

struct ScrollParts {
  Rect bar;
  Rect arrowBack;     // up or left
  Rect trackBack;     // between that arrow and the thumb
  Rect thumb;         // empty when the bar shows none
  Rect trackForward;  // between the thumb and the other arrow
  Rect arrowForward;  // down or right
};

// thumbStart and thumbEnd are offsets from the bar's top (or left), as the
// system gives them; equal when there is no thumb.
ScrollParts LayoutScrollBar(const Rect& bar, bool vertical, int arrowSize, int thumbStart,
                            int thumbEnd);

ScrollPart ScrollPartAt(const ScrollParts& parts, int x, int y);

// A part's look, as the rows of the skin's strips: 0 normal, 1 hover,
// 2 pressed, 3 disabled.
enum ScrollLook { sbNormal, sbHover, sbPressed, sbDisabled };
ScrollLook ScrollPartLook(ScrollPart part, ScrollPart hot, ScrollPart pressed, bool disabled);

// The frame (1-based) of the 23-frame arrow strip: four looks each of up,
// down, left and right.
int ScrollArrowFrame(bool vertical, bool forward, ScrollLook look);

}  // namespace velotune::skin
