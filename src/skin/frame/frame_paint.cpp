// The frame's painting: edges, the caption composed off screen with its title
// and buttons, and the window region cut from the edges' transparent pixels.
#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "skin/data/bitmap_ops.h"
#include "skin/data/colour.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/menu_bar.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

Bitmap TWinSkinForm::EdgeImage(int edge, int width, int height) const {
  const TDataSkinBorder& e = data_->Edge(edge - 1);
  const bool stacked = edge == 3 || edge == 4;
  const int index = active_ || e.Frame <= 1 ? 1 : 2;
  return NineGrid(width, height, e.Map, {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
                  stacked, e.Tile != 1, e.Frame, index);
}

void TWinSkinForm::PaintEdge(int edge, const RECT& rect, HDC dc) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  BlitBitmap(dc, rect.left, rect.top, EdgeImage(edge, w, h), false);
}

void TWinSkinForm::UpdateRegion() {
  if (frameState_ == fsDestroyed || !frameSkinning_ || !data_) return;
  if (mdiKind_ == 2 && showState_ != ssNormal) return;
  RECT r;
  GetWindowRect(window_, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  if (w == regionSize_.cx && h == regionSize_.cy && mdiKind_ != 2 && frameState_ != fsReskinning)
    return;
  bool anyTransparent = false;
  for (int edge = 0; edge < 4; ++edge) anyTransparent |= data_->Edge(edge).Trans != 0;
  HRGN region = nullptr;
  if (!anyTransparent) {
    region = CreateRectRgn(0, 0, w, h);
  } else {
    const FrameSizes& f = frame_;
    region = CreateRectRgn(f.left, f.top, w - f.right, h - f.bottom);
    if (borderKind_ != bkNoCaption) {
      struct Strip {
        int edge;
        RECT rect;
        bool shaped;
      };
      const Strip strips[] = {
          {1, {0, 0, f.left, h}, h > 1},
          {2, {w - f.right, 0, w, h}, h > 1},
          {3, {f.left, 0, w - f.right, f.top}, f.top > 1},
          {4, {f.left, h - f.bottom, w - f.right, h}, f.bottom >= 2},
      };
      for (const Strip& s : strips) {
        const int sw = s.rect.right - s.rect.left, sh = s.rect.bottom - s.rect.top;
        if (sw <= 0 || sh <= 0) continue;
        HRGN part = nullptr;
        if (data_->Edge(s.edge - 1).Trans != 0 && s.shaped)
          part = RegionFromBitmap(EdgeImage(s.edge, sw, sh), s.rect.left, s.rect.top);
        else
          part = CreateRectRgn(s.rect.left, s.rect.top, s.rect.right, s.rect.bottom);
        if (!part) continue;
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
      }
    }
  }
  // The window owns the region from here on (and frees the one it had).
  if (region && SetWindowRgn(window_, region, TRUE) == 0) DeleteObject(region);
  regionSize_ = SIZE{w, h};
}

ButtonContext TWinSkinForm::MakeButtonContext() const {
  ButtonContext c;
  c.buttonSet = buttonSet_;
  c.maximized = showState_ == ssMaximized;
  c.active = active_;
  c.dialogFrame = borderKind_ == bkDialog;
  c.messageBox = messageBox_;
  c.menuBarShowsMaximizedMdiChild = false;  // no skinned menu bar
  HWND window = window_;
  c.askForm = [window](int visibility, int action) {
    return static_cast<int>(SendMessageA(window, SKM_BUTTONVISIBLE, visibility, action));
  };
  return c;
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (frameState_ != fsSkinned && frameState_ != fsReskinning) return;
  if (borderKind_ == bkNoCaption || (mdiKind_ == 2 && showState_ == ssMaximized) || !data_) return;
  try {
    std::unique_ptr<WindowDC> own;
    HDC dc = given;
    if (!dc) {
      own = std::make_unique<WindowDC>(window_, true);
      dc = own->Get();
    }
    if (!dc) return;
    RECT r;
    GetWindowRect(window_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (showState_ != ssMinimized) {
      PaintEdge(1, RECT{0, 0, frame_.left, h}, dc);
      PaintEdge(2, RECT{w - frame_.right, 0, w, h}, dc);
      PaintEdge(4, RECT{frame_.left, h - frame_.bottom, w - frame_.right, h}, dc);
    }
    PaintCaption(dc, w, h);
    if (menuBar_ > 0) {
      RECT bar{frame_.left, frame_.top, w - frame_.right, frame_.top + menuBar_};
      if (bar_) {
        bar_->Paint(dc, bar);
      } else {
        OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
        FillRect(dc, &bar, face.Get());
      }
    }
  } catch (...) {
    // A broken skin must not break the window.
  }
}

void TWinSkinForm::PaintCaption(HDC dc, int w, int h) {
  const bool minimized = showState_ == ssMinimized;
  OffscreenBuffer buffer(dc, w, minimized ? h : frame_.top);
  if (minimized) {
    OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
    RECT all{0, 0, w, h};
    FillRect(buffer.Dc(), &all, face.Get());
  } else {
    buffer.CopyFrom(dc, 0, 0);
  }
  const RECT top =
      minimized ? RECT{0, 0, w, frame_.top} : RECT{frame_.left, 0, w - frame_.right, frame_.top};
  PaintEdge(3, top, buffer.Dc());
  const ButtonContext context = MakeButtonContext();
  for (const auto& button : buttons_) {
    const TDataSkinSysButton& b = button->Button();
    const ButtonLook look = IsButtonVisible(b.Visibility, b.Visibility1, b.Action, context);
    button->Visible = look.visible;
    button->Enabled = look.enabled;
  }
  const RECT title = DrawTitle(buffer.Dc(), w);
  LayoutButtons(w, title);
  for (const auto& button : buttons_)
    if (button->Visible) DrawButton(buffer.Dc(), *button, true);
  buffer.CopyTo(dc, 0, 0);
  SetBkMode(dc, OPAQUE);
}

RECT TWinSkinForm::DrawTitle(HDC dc, int w) {
  const TDataSkinTitle& title = data_->Title();
  std::vector<ButtonBox> boxes;
  for (const auto& button : buttons_) {
    ButtonBox box;
    box.visible = button->Visible;
    box.hasBitmap = !button->Image().Empty();
    box.align = button->Button().Align;
    box.x = button->Button().X;
    boxes.push_back(box);
  }
  SelectedObject font(dc, captionFont_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(data_->Colour(active_ ? ceTitleTextActive : ceTitleTextNoActive)));
  const bool wide = subclass_.Unicode();
  const std::wstring textW = wide ? L" " + WindowTextW(window_) + L"  " : std::wstring();
  const std::string textA = wide ? std::string() : " " + WindowText(window_) + "  ";
  RECT measure{0, 0, 0, 0};
  const UINT calc = DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX;
  if (wide)
    DrawTextW(dc, textW.c_str(), -1, &measure, calc);
  else
    DrawTextA(dc, textA.c_str(), -1, &measure, calc);
  TitleParams p{title.TextShift,     title.TextShiftVert, title.TextRightClip,
                title.TextAlignment, title.TextBackLeft,  title.TextBackRight};
  TitleInput in;
  in.captionLeft = frame_.left;
  in.captionRight = w - frame_.right;
  in.captionHeight = frame_.top;
  in.textWidth = measure.right;
  in.textHeight = measure.bottom;
  in.rightExtent = RightButtonExtent(boxes);
  in.rightToLeft = rightToLeft_;
  in.popup = (GetWindowLongA(window_, GWL_STYLE) & WS_POPUP) != 0;
  in.dialogFrame = borderKind_ == bkDialog;
  const TitlePlace place = PlaceTitle(p, in);
  titleRect_ = place.back;
  if (!title.Map.Empty()) {
    const Rect& b = place.back;
    skin::ThreeSlice(dc, RECT{b.left, b.top, b.right, b.bottom}, title.Map, true, true, 2,
                     active_ ? 1 : 2, title.TextBackLeft, title.TextBackRight);
  }
  RECT text{place.text.left, place.text.top, place.text.right, place.text.bottom};
  UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (rightToLeft_) format |= DT_RIGHT | DT_RTLREADING;
  if (wide)
    DrawTextW(dc, textW.c_str(), -1, &text, format);
  else
    DrawTextA(dc, textA.c_str(), -1, &text, format);
  return RECT{place.back.left, place.back.top, place.back.right, place.back.bottom};
}

void TWinSkinForm::LayoutButtons(int w, const RECT& title) {
  std::vector<ButtonBox> boxes;
  for (const auto& button : buttons_) {
    ButtonBox box;
    box.visible = button->Visible;
    box.hasBitmap = !button->Image().Empty();
    box.bitmapWidth = button->Image().Width();
    box.bitmapHeight = button->Image().Height();
    box.frames = button->Frames();
    box.align = button->Button().Align;
    box.x = button->Button().X;
    box.y = button->Button().Y;
    boxes.push_back(box);
  }
  CaptionGeometry g;
  g.windowWidth = w;
  g.right = frame_.right;
  g.top = frame_.top;
  g.menuBar = menuBar_;
  g.titleLeft = title.left;
  g.titleRight = title.right;
  if (const TDataSkinObject* bar = data_->Part(spMenuBar)) g.menuBarLeftMargin = bar->LeftWidth;
  const std::vector<Rect> rects = skin::LayoutButtons(boxes, g);
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->Bounds = rects[i];
}

void TWinSkinForm::DrawButton(HDC dc, TWinSysButton& button, bool) {
  const Rect& b = button.Bounds;
  if (b.Width() <= 0 || b.Height() <= 0) return;
  if (button.IsIcon()) {
    HICON icon = nullptr;
    if (TForm* main = Application().MainForm(); main && main->HandleAllocated())
      icon = WindowIcon(main->Handle());
    if (icon)
      DrawIconEx(dc, b.left, b.top, icon, b.Width(), b.Height(), 0, nullptr, DI_NORMAL);
    else
      skin::DrawFrameCell(dc, RECT{b.left, b.top, b.right, b.bottom}, windowIcon_, true, 1, 1);
    return;
  }
  if (button.Button().Align == 100) return;
  // The current object keeps its hover or pressed look through repaints.
  const int state = &button == current_ ? button.State : 0;
  const int frame =
      CaptionButtonFrame(state, button.Frames(), button.Enabled, active_, button.Button().Align);
  skin::DrawFrameCell(dc, RECT{b.left, b.top, b.right, b.bottom}, button.Image(), true,
                      button.Frames(), frame);
}

void TWinSkinForm::PaintButton(TWinSysButton&) {
  // The whole caption is composed again, so that a smaller frame leaves no
  // trace of a larger one.
  if (frameState_ != fsSkinned && frameState_ != fsReskinning) return;
  WindowDC dc(window_, true);
  if (!dc.Get()) return;
  RECT r;
  GetWindowRect(window_, &r);
  PaintCaption(dc.Get(), r.right - r.left, r.bottom - r.top);
}

}  // namespace velotune::skin
