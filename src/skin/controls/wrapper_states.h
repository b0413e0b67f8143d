// The named states and modes of the control wrappers. The mode numbers are
// those of the wrapping rules' table.
#pragma once

namespace velotune::skin {

// Where a wrapper is in its life.
enum WrapperState : int { wsNew = 0, wsAttached = 1, wsWindowGone = 6 };

// How a wrapper draws: from the skin, or leaving the system's look (the skin
// has no picture for it). A tab wrapper made for a custom tab control rather
// than a page control also paints the control's graphic children.
enum WrapperMode : int { wmSystemLook = 0, wmSkinned = 1, wmTabControl = 2 };

}  // namespace velotune::skin
