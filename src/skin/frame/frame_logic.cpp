#include "skin/frame/frame_logic.h"

#include <algorithm>

namespace velotune::skin {

FrameSizes ComputeFrameSizes(BorderKind kind, const EdgeImage& left, const EdgeImage& top,
                             const EdgeImage& right, const EdgeImage& bottom) {
  if (kind == bkNoCaption) return {};
  auto per = [](int size, int frames) { return size / std::max(frames, 1); };
  return {per(left.width, left.frames), per(top.height, top.frames), per(right.width, right.frames),
          per(bottom.height, bottom.frames)};
}

namespace {

bool MinOrMax(const ButtonContext& c) {
  return (c.buttonSet & (bsMinimizeBox | bsMaximizeBox)) != 0;
}
bool Has(const ButtonContext& c, int bit) {
  return (c.buttonSet & bit) != 0;
}

// One visibility value; `first` tells the Visibility key from Visibility1.
bool VisibilityHolds(int value, bool first, int action, const ButtonContext& c) {
  switch (value) {
    case 0:
      return true;
    case 1:
      return c.maximized;
    case 2:
      return !c.maximized;
    case 3:
      return c.active;
    case 4:
      return !c.active;
    case 5:
      return false;
    case 6:
    case 8:
      return first ? MinOrMax(c) && Has(c, bsSystemMenu) : MinOrMax(c);
    case 7:
      return !Has(c, bsMaximizeBox);
    case 9:
      return !Has(c, bsMinimizeBox);
    case 10:
      return first ? Has(c, bsContextHelp) && !MinOrMax(c) : Has(c, bsContextHelp);
    case 100:
      return c.menuBarShowsMaximizedMdiChild;
    case 200:
      return first && c.dialogFrame && !c.messageBox;
    default:
      break;
  }
  if (value >= 201 && value <= 999) return first;
  if (value >= 1000 && value <= 2000) return first && c.askForm && c.askForm(value, action) > 0;
  return false;  // -1 and every other value: never
}

}  // namespace

ButtonLook IsButtonVisible(int visibility, int visibility1, int action, const ButtonContext& c) {
  ButtonLook look;
  look.visible = VisibilityHolds(visibility, true, action, c) &&
                 VisibilityHolds(visibility1, false, action, c);
  const bool sysMenu = Has(c, bsSystemMenu);
  switch (action) {
    case 0:
      if (!sysMenu) look.visible = false;
      break;
    case 1:
      look.enabled = Has(c, bsMaximizeBox) && sysMenu;
      break;
    case 2:
      look.enabled = Has(c, bsMinimizeBox) && sysMenu;
      break;
    case 3:
    case 11:
    case 12:
      if (c.dialogFrame) look.visible = false;
      break;
    default:
      break;
  }
  return look;
}

int RightButtonExtent(const std::vector<ButtonBox>& buttons) {
  int extent = 0;
  for (const ButtonBox& b : buttons)
    if (b.visible && b.hasBitmap && b.align == 1) extent = std::max(extent, b.x);
  return extent;
}

std::vector<Rect> LayoutButtons(const std::vector<ButtonBox>& buttons, const CaptionGeometry& g) {
  std::vector<Rect> rects(buttons.size());
  for (size_t i = 0; i < buttons.size(); ++i) {
    const ButtonBox& b = buttons[i];
    if (!b.visible || !b.hasBitmap) continue;
    const int w = b.bitmapWidth / std::max(b.frames, 1), h = b.bitmapHeight;
    int x = b.x, y = b.y;
    switch (b.align) {
      case 0:
        break;
      case 1:
        x = g.windowWidth - b.x;
        break;
      case 2:
      case 8:
        x = g.titleLeft - w - b.x;
        break;
      case 3:
      case 9:
        x = g.titleRight + b.x;
        break;
      case kAlignMenuBar:
        x = g.windowWidth - b.x - g.right - g.menuBarLeftMargin;
        y = g.top + (g.menuBar - h) / 2;
        break;
      default:
        break;
    }
    rects[i] = {x, y, x + w, y + h};
  }
  return rects;
}

TitlePlace PlaceTitle(const TitleParams& p, const TitleInput& in) {
  const int width = in.captionRight - in.captionLeft;
  const int a = in.textWidth + p.backLeft + p.backRight;
  int offset = 0;
  if (!in.rightToLeft) {
    if (p.alignment == 0)
      offset = p.textShift;
    else if (p.alignment == 1)
      offset = (width - a) / 2;
    else if (p.alignment == 2)
      offset = width - p.textRightClip - a;
  } else {
    if (p.alignment == 0)
      offset = width - in.rightExtent - a;
    else if (p.alignment == 1)
      offset = (width - in.rightExtent - a) / 2;
    else if (p.alignment == 2)
      offset = p.textShift;
    if (offset < 1) offset = p.textShift;
  }
  int left = in.captionLeft + offset;
  int right = left + a;
  const int top = (in.captionHeight - in.textHeight) / 2 + p.textShiftVert / 2;
  if (in.rightToLeft) {
    left += 10;
    right += 10;
  } else if (in.popup) {
    if (in.rightExtent > 5) right = std::min(right, in.captionRight - in.rightExtent - 5);
  } else {
    right = std::min(right, in.captionRight - p.textRightClip);
  }
  // A dialog has no icon to make room for.
  if (in.dialogFrame && p.alignment == 0) left -= 16;
  TitlePlace place;
  place.back = {left, 0, right, in.captionHeight};
  place.text = {left + p.backLeft, top, right - p.backRight, top + in.textHeight};
  return place;
}

int CaptionButtonFrame(int state, int frames, bool enabled, bool windowActive, int align) {
  if (state == 0) return frames < 4 || (windowActive && enabled) ? 1 : 4;
  if (!enabled) return frames > 3 ? 4 : 1;
  if (align == kAlignMenuBar && state == ncHover) return 4;
  return state;
}

ButtonEffect RunButtonActionChoice(const ActionInput& in) {
  switch (in.action) {
    case 0:
      return in.hasCloseItem ? ButtonEffect::kPostClose : ButtonEffect::kNone;
    case 1:
    case 22:
      if (!in.enabled) return ButtonEffect::kNone;
      return in.maximized ? ButtonEffect::kRestore : ButtonEffect::kMaximize;
    case 2:
    case 23:
      if (!in.enabled) return ButtonEffect::kNone;
      return in.minimized ? ButtonEffect::kRestore : ButtonEffect::kMinimize;
    case 3:
    case 11:
    case 12:
      return ButtonEffect::kSystemMenu;
    case 4:
      return ButtonEffect::kContextHelp;
    case 7:
    case 60:
      return ButtonEffect::kMdiMinimize;
    case 8:
    case 61:
      return ButtonEffect::kMdiRestore;
    case 9:
    case 62:
      return ButtonEffect::kMdiClose;
    default:
      return ButtonEffect::kPostAction;
  }
}

CaptionButtonCodes CodesOfCaptionAction(int action) {
  // HTCAPTION, HTSYSMENU, HTMINBUTTON, HTMAXBUTTON, HTCLOSE and HTHELP; the
  // title bar's elements: 2 minimize, 3 maximize, 4 help, 5 close.
  constexpr int kCaption = 2, kSysMenu = 3, kMin = 8, kMax = 9, kClose = 20, kHelp = 21;
  switch (RunButtonActionChoice(ActionInput{action})) {
    case ButtonEffect::kPostClose:
      return {kClose, 5};
    case ButtonEffect::kMaximize:
      return {kMax, 3};
    case ButtonEffect::kMinimize:
      return {kMin, 2};
    case ButtonEffect::kSystemMenu:
      return {kSysMenu, 0};
    case ButtonEffect::kContextHelp:
      return {kHelp, 4};
    default:
      return {kCaption, 0};
  }
}

std::string HintTextFor(int action, bool maximized) {
  switch (action) {
    case 0:
    case 9:
    case 62:
      return "Close";
    case 1:
    case 22:
      // The same action restores a maximized window; say so.
      return maximized ? "Restore" : "Maximize";
    case 2:
    case 7:
    case 23:
    case 60:
      return "Minimize";
    case 8:
    case 61:
      return "Restore";
    default:
      return "";
  }
}

bool HintShown(int hoverMs, int hintPauseMs, int hintHidePauseMs) {
  return hoverMs >= 2 * hintPauseMs && hoverMs <= 2 * hintPauseMs + hintHidePauseMs;
}

FitResult FitWindowSize(const FitInput& in) {
  FitResult r;
  r.width = in.clientWidth + in.frame.left + in.frame.right;
  r.height = in.clientHeight + in.frame.top + in.frame.bottom + in.menuBar;
  if (in.messageBox) {
    const int needed = in.textShift + in.captionTextWidth + in.textRightClip;
    if (needed > r.width) {
      r.childShift = (needed - r.width) / 2;
      r.width = needed;
    }
  }
  return r;
}

}  // namespace velotune::skin
