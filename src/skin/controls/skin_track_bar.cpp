#include "skin/controls/skin_track_bar.h"

#include <commctrl.h>

#include "framework/messages.h"
#include "skin/controls/track_pieces.h"
#include "skin/data/colour.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

constexpr int kThumbFrames = 5;
constexpr int kThumbFrame = 2;

}  // namespace

bool TSkinTrackBar::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_NOTIFY || message.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (!header) return true;
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return true;
    try {
      message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam));
    } catch (...) {
      message.Result = CDRF_DODEFAULT;
    }
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
  switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      switch (draw.dwItemSpec) {
        case TBCD_THUMB:
          DrawThumb(draw.hdc);
          return CDRF_SKIPDEFAULT;
        case TBCD_CHANNEL:
          DrawChannel(draw.hdc);
          return CDRF_SKIPDEFAULT;
        default:
          return CDRF_DODEFAULT;  // the tick marks
      }
    default:
      return CDRF_DODEFAULT;
  }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  RECT thumb;
  SendMessageA(handle_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const bool vertical = (GetWindowLongA(handle_, GWL_STYLE) & TBS_VERT) != 0;
  const TDataSkinObject* image = vertical ? data_->Part(spThumbVert) : nullptr;
  if (!image) image = data_->Part(spThumbHorz);
  if (image && !image->Map.Empty()) {
    // The same frame in every state of the thumb.
    DrawFrameCell(dc, thumb, image->Map, true, kThumbFrames, kThumbFrame);
    return;
  }
  OwnedPen pen(CreatePen(PS_SOLID, 1, SkinColour(ceButtonShadow)));
  SelectedObject selected(dc, pen.Get());
  Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

void TSkinTrackBar::DrawChannel(HDC dc) {
  RECT channel;
  SendMessageA(handle_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  bool vertical = (GetWindowLongA(handle_, GWL_STYLE) & TBS_VERT) != 0;
  const TDataSkinObject* track = vertical ? data_->Part(spTrackVert) : nullptr;
  if (!track) {
    vertical = false;
    track = data_->Part(spTrack);
  }
  if (!track || track->Map.Empty()) return;
  const Bitmap& map = track->Map;
  const int head = vertical ? track->TopHeight : track->LeftWidth;
  const int tail = vertical ? track->BottomHeight : track->RightWidth;
  const Rect ch{channel.left, channel.top, channel.right, channel.bottom};
  for (const ImagePiece& piece :
       ChannelPieces(ch, map.Width(), map.Height(), head, tail, vertical)) {
    const Bitmap part = Crop(map, piece.src);
    DrawFrameCell(dc, RECT{piece.dst.left, piece.dst.top, piece.dst.right, piece.dst.bottom}, part,
                  false, 1, 1);
  }
}

void TSkinTrackBar::Reapply() {
  // A redraw asks for the custom-drawn parts again, with the new images; the
  // focus stays where it is.
  if (handle_ && IsWindow(handle_))
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace velotune::skin
