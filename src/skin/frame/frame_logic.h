// The frame's decisions as pure functions over small inputs: frame sizes,
// which caption buttons show and where, where the title goes, which frame a
// button draws, what a click on a button does and when its hint shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "skin/data/bitmap.h"

namespace velotune::skin {

enum BorderKind : int { bkSizeable = 0, bkFixed = 1, bkNoCaption = 2, bkDialog = 3 };
enum ShowState : int { ssNormal = 0, ssMaximized = 1, ssMinimized = 2 };
enum ButtonSetBits : int {
  bsMaximizeBox = 1,
  bsMinimizeBox = 2,
  bsContextHelp = 4,
  bsSystemMenu = 8,
  bsKeepSysMenu = 16
};
enum FrameState : int {
  fsAttached = 0,
  fsSkinned = 1,
  fsReskinning = 3,
  fsDestroying = 4,
  fsFitting = 5,
  fsDestroyed = 6
};
enum NcState : int { ncNormal = 1, ncPressed = 2, ncHover = 3 };

struct FrameSizes {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct EdgeImage {
  int width = 0, height = 0, frames = 1;
};

// Side edges' frames lie side by side, top and bottom edges' frames are stacked.
FrameSizes ComputeFrameSizes(BorderKind kind, const EdgeImage& left, const EdgeImage& top,
                             const EdgeImage& right, const EdgeImage& bottom);

// What a caption button's visibility values are tested against.
struct ButtonContext {
  int buttonSet = 0;  // ButtonSetBits
  bool maximized = false;
  bool active = false;
  bool dialogFrame = false;
  bool messageBox = false;
  bool menuBarShowsMaximizedMdiChild = false;
  // The form's answer to SKM_BUTTONVISIBLE (visibility, action); > 0 shows.
  std::function<int(int visibility, int action)> askForm;
};

struct ButtonLook {
  bool visible = false;
  bool enabled = true;
};

// `Visibility` and `Visibility1` both, then the action's adjustments. A value
// outside the known ones (-1 included) is never visible.
ButtonLook IsButtonVisible(int visibility, int visibility1, int action, const ButtonContext& c);

// The alignment of the MDI child's buttons, drawn in the menu bar.
constexpr int kAlignMenuBar = 100;

// A caption button as the layout sees it.
struct ButtonBox {
  bool visible = false;
  bool hasBitmap = false;
  int bitmapWidth = 0, bitmapHeight = 0, frames = 1;
  int align = 0, x = 0, y = 0;
};

struct CaptionGeometry {
  int windowWidth = 0;
  int right = 0;    // R
  int top = 0;      // T
  int menuBar = 0;  // M
  int titleLeft = 0, titleRight = 0;
  int menuBarLeftMargin = 0;  // TileLeftMenu when the skin has a menu bar
};

// The rectangle (window coordinates) of each button; empty ones for buttons
// not shown.
std::vector<Rect> LayoutButtons(const std::vector<ButtonBox>& buttons, const CaptionGeometry& g);

// The largest Xcoord among visible right-aligned buttons with a bitmap.
int RightButtonExtent(const std::vector<ButtonBox>& buttons);

struct TitleParams {
  int textShift = 0, textShiftVert = 0, textRightClip = 0, alignment = 0;
  int backLeft = 0, backRight = 0;
};

struct TitleInput {
  int captionLeft = 0, captionRight = 0, captionHeight = 0;
  int textWidth = 0, textHeight = 0;
  int rightExtent = 0;  // RightButtonExtent
  bool rightToLeft = false, popup = false, dialogFrame = false;
};

struct TitlePlace {
  Rect back;  // where the text background goes (caption-high)
  Rect text;  // where the text is drawn
};

TitlePlace PlaceTitle(const TitleParams& p, const TitleInput& in);

// The frame a button draws: at a caption paint (state 0) or for its state.
int CaptionButtonFrame(int state, int frames, bool enabled, bool windowActive, int align);

enum class ButtonEffect {
  kNone,
  kPostClose,
  kMaximize,
  kRestore,
  kMinimize,
  kSystemMenu,
  kContextHelp,
  kMdiMinimize,
  kMdiRestore,
  kMdiClose,
  kPostAction
};

struct ActionInput {
  int action = 0;
  bool enabled = true;
  bool maximized = false;
  bool minimized = false;
  bool hasCloseItem = true;
};

ButtonEffect RunButtonActionChoice(const ActionInput& in);

// The system's hit-test code for a caption button with this action (what an
// accessibility client hears from WM_NCHITTEST), and the index of its
// element in the title bar's information (0 for none of the system's).
struct CaptionButtonCodes {
  int hitCode;
  int titleBarElement;
};
CaptionButtonCodes CodesOfCaptionAction(int action);

// "Close", "Maximize", "Minimize", "Restore" or empty; the maximize action
// of a maximized window restores it and says so.
std::string HintTextFor(int action, bool maximized);

// A hint shows from twice the pause until that plus the hide pause.
bool HintShown(int hoverMs, int hintPauseMs, int hintHidePauseMs);

struct FitInput {
  int clientWidth = 0, clientHeight = 0;
  FrameSizes frame;
  int menuBar = 0;
  bool messageBox = false;
  int textShift = 0, captionTextWidth = 0, textRightClip = 0;
};

struct FitResult {
  int width = 0, height = 0;
  int childShift = 0;  // how far a widened message box moves its children right
};

FitResult FitWindowSize(const FitInput& in);

}  // namespace velotune::skin
