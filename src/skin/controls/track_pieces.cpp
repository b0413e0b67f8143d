#include "skin/controls/track_pieces.h"

#include <algorithm>

namespace velotune::skin {

namespace {

// Along x, across y: the vertical case is the horizontal one transposed.
Rect Transposed(const Rect& r) {
  return {r.top, r.left, r.bottom, r.right};
}

}  // namespace

std::vector<ImagePiece> ChannelPieces(const Rect& channel, int imageWidth, int imageHeight,
                                      int headLength, int tailLength, bool vertical) {
  std::vector<ImagePiece> pieces;
  const Rect ch = vertical ? Transposed(channel) : channel;
  const int along = vertical ? imageHeight : imageWidth;
  const int across = vertical ? imageWidth : imageHeight;
  if (along <= 0 || across <= 0 || ch.Width() <= 0 || ch.Height() <= 0) return pieces;
  const int length = ch.Width();
  const int head = std::clamp(std::min(headLength, along), 0, length);
  const int tail = std::clamp(std::min(tailLength, along - head), 0, length - head);
  const int top = ch.top + std::max(0, (ch.Height() - across) / 2);
  auto add = [&](int dstFrom, int dstTo, int srcFrom, int srcTo) {
    if (dstTo <= dstFrom || srcTo <= srcFrom) return;
    const Rect dst{dstFrom, top, dstTo, top + across};
    const Rect src{srcFrom, 0, srcTo, across};
    pieces.push_back(vertical ? ImagePiece{Transposed(dst), Transposed(src)}
                              : ImagePiece{dst, src});
  };
  add(ch.left, ch.left + head, 0, head);
  add(ch.left + head, ch.right - tail, head, along - tail);
  add(ch.right - tail, ch.right, along - tail, along);
  return pieces;
}

}  // namespace velotune::skin
