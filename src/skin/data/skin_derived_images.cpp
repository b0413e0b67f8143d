// The images the build derives from the skin's own: the combo box composite,
// the combo arrow, the frame colour and the toolbar gradient.
#include <algorithm>

#include "skin/data/bitmap_ops.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_environment.h"

namespace velotune::skin {

void TSkinData::MakeComboComposite() {
  auto* sunk = parts_[spSunkEdge].get();
  auto* combo = parts_[spComboButton].get();
  if (sunk == nullptr || combo == nullptr) return;
  constexpr int kCellWidth = 50, kCellHeight = 21;
  const int w = ActiveSkinEnvironment().horizontalScrollArrowWidth + 2;
  const int n = std::max(sunk->Frame, 1);
  const TDataSkinObject* extra = parts_[spExtraImages].get();
  Bitmap strip(kCellWidth * n, kCellHeight, 24, kMagentaPixel);
  const Rect right{kCellWidth - w, 0, kCellWidth, kCellHeight};
  for (int k = 1; k <= n; ++k) {
    Bitmap cell(kCellWidth, kCellHeight, 24, kMagentaPixel);
    const Bitmap edge =
        NineGrid(kCellWidth, kCellHeight, sunk->Map,
                 {sunk->LeftWidth, sunk->TopHeight, sunk->RightWidth, sunk->BottomHeight}, false,
                 sunk->Tile == 1, n, k);
    StretchCopy(cell, {0, 0, kCellWidth, kCellHeight}, edge, {0, 0, kCellWidth, kCellHeight},
                sunk->Trans == 1);
    StretchCopy(cell, right, combo->Map, FrameRect(combo->Map, combo->Frame, k, false), true);
    if (extra != nullptr)
      StretchCopy(cell, right, extra->Map, FrameRect(extra->Map, extra->Frame, k, false), true);
    FillRect(cell, {2, 2, 49 - w, 18}, kMagentaPixel);
    StretchCopy(strip, {kCellWidth * (k - 1), 0, kCellWidth * k, kCellHeight}, cell,
                {0, 0, kCellWidth, kCellHeight}, false);
  }
  combo->Map = strip;
  combo->Style = 2;
  combo->LeftWidth = 2;
  combo->TopHeight = sunk->TopHeight;
  combo->RightWidth = w + 2;
  combo->BottomHeight = sunk->BottomHeight;
  sunk->Map = MirrorHorizontal(strip);
  sunk->LeftWidth = w + 2;
  sunk->RightWidth = 2;
}

void TSkinData::MakeComboxArrow() {
  const TDataSkinObject* sunk = parts_[spSunkEdge].get();
  const TDataSkinObject* combo = parts_[spComboButton].get();
  if (!comboxArrow_) comboxArrow_ = std::make_unique<TDataSkinObject>("ComboxArrow");
  Bitmap& arrow = comboxArrow_->Map;
  // Without a combo button the arrow of an earlier skin must not linger.
  arrow.Clear();
  if (combo == nullptr) return;
  if (sunk == nullptr) {
    arrow = Crop(combo->Map, {0, 0, combo->Map.Width(), combo->Map.Height()});
    const Pixel face = ToPixel(FaceColour());
    for (int y = 0; y < arrow.Height(); ++y)
      for (int x = 0; x < arrow.Width(); ++x)
        if (arrow.At(x, y) == kMagentaPixel) arrow.Set(x, y, face);
    comboxArrow_->Frame = combo->Frame;
  } else if (combo->Style == 2) {
    const int n = std::max(sunk->Frame, 1);
    const int f = combo->Map.Width() / n;
    arrow = Bitmap(17 * n, 17, 24);
    for (int i = 0; i < n; ++i)
      StretchCopy(arrow, {17 * i, 0, 17 * (i + 1), 17}, combo->Map,
                  {f * (i + 1) - 19, 2, f * (i + 1) - 2, 19}, false);
    comboxArrow_->Frame = n;
  }
}

void TSkinData::ComputeFrameColour() {
  const TDataSkinBorder& top = *edges_[seTop];
  if (top.Map.Empty()) {
    frameColour_ = FaceColour();
    return;
  }
  const int frames = std::max(top.Frame, 1);
  const int x = top.Map.Width() / 3;
  const int y = std::min((top.Map.Height() / frames) / 3, top.Map.Height() - 1);
  frameColour_ = FromPixel(top.Map.At(x, y));
}

void TSkinData::MakeToolbarImage() {
  if (!toolbar_) toolbar_ = std::make_unique<TDataSkinObject>("Toolbar");
  const TColor start = MixColour(FaceColour(), kWhite, 150);
  TColor end = MixColour(kGrey, frameColour_, 150);
  const int s = SaturationMeasure(frameColour_);
  if (s > 110) end = MixColour(frameColour_, kWhite, (5625 - 25 * s) / 140 + 50);
  toolbar_->Map = Bitmap(10, 40, 24);
  FillGradient(toolbar_->Map, {0, 0, 10, 40}, start, end, true);
  toolbar_->Frame = 1;
}

}  // namespace velotune::skin
