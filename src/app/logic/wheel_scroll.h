// How the FIX page turns a mouse-wheel turn over its scroll box into scroll
// messages: which bar, which direction and how many lines.
#pragma once

namespace velotune {

enum class ScrollBar { kVertical, kHorizontal };
enum class ScrollStep { kLineDown, kLineUp };

struct WheelScroll {
  ScrollBar bar;
  ScrollStep step;
  int lines;  // messages with `step` to send before the closing end-scroll
};

// Shift scrolls sideways. A positive delta (the wheel turned away from the
// user) moves one line up per wheel-scroll line, as every scroller does; a
// negative or zero delta moves down. `wheelScrollLines` is the system's
// setting; 0 or less sends no line at all (only the end-scroll), and the
// "one page at a time" setting (UINT_MAX, -1 here) sends none either.
WheelScroll PlanWheelScroll(int wheelDelta, bool shiftHeld, int wheelScrollLines);

}  // namespace velotune
