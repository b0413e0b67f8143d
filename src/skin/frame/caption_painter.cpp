#include "skin/frame/caption_painter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "skin/data/colour.h"
#include "skin/frame/frame_helpers.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

// The system's caption font, from the non-client metrics, at the scale.
HFONT CaptionFont(const DpiScale& scale) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  metrics.lfCaptionFont.lfHeight = scale.Px(metrics.lfCaptionFont.lfHeight);
  return CreateFontIndirectA(&metrics.lfCaptionFont);
}

std::vector<ButtonBox> BoxesOf(const std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                               const DpiScale& scale) {
  std::vector<ButtonBox> boxes;
  for (const auto& button : buttons) {
    ButtonBox box;
    box.visible = button->Visible;
    box.hasBitmap = !button->Image().Empty();
    box.bitmapWidth = scale.Art(button->Image().Width());
    box.bitmapHeight = scale.Art(button->Image().Height());
    box.frames = button->Frames();
    box.align = button->Button().Align;
    box.x = scale.Px(button->Button().X);
    box.y = scale.Px(button->Button().Y);
    boxes.push_back(box);
  }
  return boxes;
}

}  // namespace

void CaptionPainter::MakeFont() {
  font_.Reset(CaptionFont(form_.Scale()));
}

void CaptionPainter::Paint(HDC dc, int w, int h) {
  const std::unique_ptr<OffscreenBuffer> buffer = Compose(dc, w, h);
  buffer->CopyTo(dc, 0, 0);
  SetBkMode(dc, OPAQUE);
}

void CaptionPainter::PaintButton(const TWinSysButton& button) {
  if (form_.State() != fsSkinned && form_.State() != fsReskinning) return;
  WindowDC dc(form_.Handle(), true);
  if (!dc.Get()) return;
  RECT r;
  GetWindowRect(form_.Handle(), &r);
  const std::unique_ptr<OffscreenBuffer> buffer =
      Compose(dc.Get(), r.right - r.left, r.bottom - r.top);
  const Rect& b = button.Bounds;
  const int left = std::max(b.left, 0), top = std::max(b.top, 0);
  const int right = std::min(b.right, buffer->Width()),
            bottom = std::min(b.bottom, buffer->Height());
  if (right > left && bottom > top)
    BitBlt(dc.Get(), left, top, right - left, bottom - top, buffer->Dc(), left, top, SRCCOPY);
  SetBkMode(dc.Get(), OPAQUE);
}

std::unique_ptr<OffscreenBuffer> CaptionPainter::Compose(HDC dc, int w, int h) {
  const TSkinData& data = *form_.Data();
  const FrameSizes f = form_.Frame();
  const bool minimized = form_.Show() == ssMinimized;
  auto buffer = std::make_unique<OffscreenBuffer>(dc, w, minimized ? h : f.top);
  if (minimized) {
    OwnedBrush face(CreateSolidBrush(ResolveColour(data.FaceColour())));
    RECT all{0, 0, w, h};
    FillRect(buffer->Dc(), &all, face.Get());
  } else {
    buffer->CopyFrom(dc, 0, 0);
  }
  const RECT top = minimized ? RECT{0, 0, w, f.top} : RECT{f.left, 0, w - f.right, f.top};
  form_.FramePart().PaintEdge(data, seTop, top, buffer->Dc(), form_.Active());
  UpdateButtonLooks();
  const RECT title = DrawTitle(buffer->Dc(), w);
  LayoutButtons(w, title);
  for (const auto& button : form_.CaptionButtons())
    if (button->Visible) DrawButton(buffer->Dc(), *button);
  return buffer;
}

void CaptionPainter::UpdateButtonLooks() {
  ButtonContext c;
  c.buttonSet = form_.Buttons();
  c.maximized = form_.Show() == ssMaximized;
  c.active = form_.Active();
  c.dialogFrame = form_.Border() == bkDialog;
  c.messageBox = form_.IsMessageBox();
  c.menuBarShowsMaximizedMdiChild = false;  // no skinned menu bar
  HWND window = form_.Handle();
  c.askForm = [window](int visibility, int action) {
    return static_cast<int>(SendMessageA(window, SKM_BUTTONVISIBLE, visibility, action));
  };
  for (const auto& button : form_.CaptionButtons()) {
    const TDataSkinSysButton& b = button->Button();
    const ButtonLook look = IsButtonVisible(b.Visibility, b.Visibility1, b.Action, c);
    button->Visible = look.visible;
    button->Enabled = look.enabled;
  }
}

RECT CaptionPainter::DrawTitle(HDC dc, int w) {
  const TSkinData& data = *form_.Data();
  const TDataSkinTitle& title = data.Title();
  const DpiScale& scale = form_.Scale();
  const FrameSizes f = form_.Frame();
  const HWND window = form_.Handle();
  SelectedObject font(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(
      dc, ResolveColour(data.Colour(form_.Active() ? ceTitleTextActive : ceTitleTextNoActive)));
  const bool wide = form_.UnicodeWindow();
  const std::wstring textW = wide ? L" " + WindowTextW(window) + L"  " : std::wstring();
  const std::string textA = wide ? std::string() : " " + WindowText(window) + "  ";
  RECT measure{0, 0, 0, 0};
  const UINT calc = DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX;
  if (wide)
    DrawTextW(dc, textW.c_str(), -1, &measure, calc);
  else
    DrawTextA(dc, textA.c_str(), -1, &measure, calc);
  TitleParams p{scale.Px(title.TextShift),     scale.Px(title.TextShiftVert),
                scale.Px(title.TextRightClip), title.TextAlignment,
                scale.Px(title.TextBackLeft),  scale.Px(title.TextBackRight)};
  TitleInput in;
  in.captionLeft = f.left;
  in.captionRight = w - f.right;
  in.captionHeight = f.top;
  in.textWidth = measure.right;
  in.textHeight = measure.bottom;
  in.rightExtent = RightButtonExtent(BoxesOf(form_.CaptionButtons(), scale));
  in.rightToLeft = form_.RightToLeft();
  in.popup = (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) != 0;
  in.dialogFrame = form_.Border() == bkDialog;
  const TitlePlace place = PlaceTitle(p, in);
  titleRect_ = place.back;
  if (!title.Map.Empty()) {
    const Rect& b = place.back;
    skin::ThreeSlice(dc, RECT{b.left, b.top, b.right, b.bottom}, title.Map, true, true, 2,
                     form_.Active() ? 1 : 2, title.TextBackLeft, title.TextBackRight);
  }
  RECT text{place.text.left, place.text.top, place.text.right, place.text.bottom};
  UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (form_.RightToLeft()) format |= DT_RIGHT | DT_RTLREADING;
  if (wide)
    DrawTextW(dc, textW.c_str(), -1, &text, format);
  else
    DrawTextA(dc, textA.c_str(), -1, &text, format);
  return RECT{place.back.left, place.back.top, place.back.right, place.back.bottom};
}

void CaptionPainter::LayoutButtons(int w, const RECT& title) {
  const FrameSizes f = form_.Frame();
  CaptionGeometry g;
  g.windowWidth = w;
  g.right = f.right;
  g.top = f.top;
  g.menuBar = form_.MenuBarHeight();
  g.titleLeft = title.left;
  g.titleRight = title.right;
  if (const TDataSkinObject* bar = form_.Data()->Part(spMenuBar))
    g.menuBarLeftMargin = form_.Scale().Px(bar->LeftWidth);
  const auto& buttons = form_.CaptionButtons();
  const std::vector<Rect> rects = skin::LayoutButtons(BoxesOf(buttons, form_.Scale()), g);
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->Bounds = rects[i];
}

void CaptionPainter::DrawButton(HDC dc, const TWinSysButton& button) {
  const Rect& b = button.Bounds;
  if (b.Width() <= 0 || b.Height() <= 0) return;
  if (button.IsIcon()) {
    HICON icon = nullptr;
    if (TForm* main = Application().MainForm(); main && main->HandleAllocated())
      icon = WindowIcon(main->Handle());
    if (icon)
      DrawIconEx(dc, b.left, b.top, icon, b.Width(), b.Height(), 0, nullptr, DI_NORMAL);
    else
      skin::DrawFrameCell(dc, RECT{b.left, b.top, b.right, b.bottom}, form_.WindowIconImage(), true,
                          1, 1);
    return;
  }
  if (button.Button().Align == kAlignMenuBar) return;
  // The current object keeps its hover or pressed look through repaints.
  const int state = &button == form_.Current() ? button.State : 0;
  const int frame = CaptionButtonFrame(state, button.Frames(), button.Enabled, form_.Active(),
                                       button.Button().Align);
  skin::DrawFrameCell(dc, RECT{b.left, b.top, b.right, b.bottom}, button.Image(), true,
                      button.Frames(), frame);
}

}  // namespace velotune::skin
