// The generic skin parts: one INI section each, read with the generic keys.
#pragma once

namespace velotune::skin {

enum SkinPart : int {
  spProgressChunk,
  spMenuBar,
  spGroupBoxEdge,
  spGroupBox,
  spTabs,
  spStatusBarEdges,
  spTabPane,
  spToolBars,
  spComboButton,
  spSunkEdge,
  spExtraImages,
  spHeaderbar,
  spMenuItem,
  spMenuBackground,
  spScrollbar,
  spHorzScroll,
  spVertScroll,
  spHorzScrollThumb,
  spVertScrollThumb,
  spThumbHorz,
  spThumbVert,
  spThumbLeft,
  spThumbRight,
  spThumbUp,
  spThumbDown,
  spUpDownHorz,
  spUpDownVert,
  spTrack,
  spTrackVert,
  kSkinPartCount
};

enum class PartKind { kPlain, kBorder, kBoxLabel };

// How a part's frame count is settled after reading.
enum FrameRule : int {
  kFrameAsRead = 0,          // keep the Frame key
  kFrameUnlessGiven = -1,    // the fixed count only when no Frame was given
  kFrameFromFrameCount = -2  // the FrameCount key, default 3
};

struct PartRow {
  SkinPart part;
  const char* section;
  PartKind kind;
  const char* secondImageKey;  // nullptr: no second image
  bool readsFrame;
  int frames;  // a fixed count (> 0) or a FrameRule
};

// In build order; the menu bar row is read from [Personality] instead.
extern const PartRow kPartRows[kSkinPartCount];

}  // namespace velotune::skin
