#include "skin/data/skin_art.h"

#include <algorithm>

#include "skin/data/bitmap_ops.h"
#include "skin/data/skin_data.h"

namespace velotune::skin {

SkinArt::SkinArt() {
  edges[seLeft] = std::make_unique<TDataSkinBorder>("Left");
  edges[seRight] = std::make_unique<TDataSkinBorder>("Right");
  edges[seTop] = std::make_unique<TDataSkinBorder>("Top");
  edges[seBottom] = std::make_unique<TDataSkinBorder>("Bottom");
  title = std::make_unique<TDataSkinTitle>("Title");
  button = std::make_unique<TDataSkinButton>("Buttons");
}

const TDataSkinBorder* SkinArt::BorderPart(SkinPart part) const {
  return dynamic_cast<const TDataSkinBorder*>(parts[part].get());
}

namespace {

// How one picture set becomes another: measures times to/from, rounded to
// the nearest pixel; pictures resampled cell by cell.
struct ArtScaling {
  int to;
  int from;
  bool pictures;

  int Measure(int pixels) const {
    const long long scaled = static_cast<long long>(pixels) * to;
    return static_cast<int>(scaled >= 0 ? (scaled + from / 2) / from
                                        : -((-scaled + from / 2) / from));
  }
  // A strip of cols x rows frames; each frame keeps its own whole pixels.
  Bitmap Picture(const Bitmap& map, int cols, int rows) const {
    if (map.Empty() || !pictures) return map;
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    if (map.Width() % cols != 0) cols = 1;
    if (map.Height() % rows != 0) rows = 1;
    const int w = std::max(Measure(map.Width() / cols), 1);
    const int h = std::max(Measure(map.Height() / rows), 1);
    return ResampleCells(map, cols, rows, w, h);
  }
};

// The frames of a part's pictures lie side by side, except where a painter
// takes them stacked: the caption's top and bottom edges, the title's back
// and the menu bar.
bool Stacked(SkinPart part) {
  return part == spMenuBar;
}

void ScaleObject(const TDataSkinObject& src, TDataSkinObject& dst, const ArtScaling& s,
                 bool stacked) {
  const int frames = std::max(src.Frame, 1);
  dst.LeftWidth = s.Measure(src.LeftWidth);
  dst.TopHeight = s.Measure(src.TopHeight);
  dst.RightWidth = s.Measure(src.RightWidth);
  dst.BottomHeight = s.Measure(src.BottomHeight);
  dst.Map = s.Picture(src.Map, stacked ? 1 : frames, stacked ? frames : 1);
  if (auto* border = dynamic_cast<TDataSkinBorder*>(&dst))
    border->Map2 = s.Picture(static_cast<const TDataSkinBorder&>(src).Map2, stacked ? 1 : frames,
                             stacked ? frames : 1);
  if (auto* button = dynamic_cast<TDataSkinButton*>(&dst)) {
    const auto& from = static_cast<const TDataSkinButton&>(src);
    button->CheckMap = s.Picture(from.CheckMap, from.CheckFrame, 1);
    button->RadioMap = s.Picture(from.RadioMap, from.RadioFrame, 1);
  }
  if (auto* title = dynamic_cast<TDataSkinTitle*>(&dst)) {
    const auto& from = static_cast<const TDataSkinTitle&>(src);
    title->Map = s.Picture(from.Map, 1, 2);
    title->TextShift = s.Measure(from.TextShift);
    title->TextShiftVert = s.Measure(from.TextShiftVert);
    title->TextRightClip = s.Measure(from.TextRightClip);
    title->TextBackLeft = s.Measure(from.TextBackLeft);
    title->TextBackRight = s.Measure(from.TextBackRight);
  }
  if (auto* button = dynamic_cast<TDataSkinSysButton*>(&dst)) {
    const auto& from = static_cast<const TDataSkinSysButton&>(src);
    button->X = s.Measure(from.X);
    button->Y = s.Measure(from.Y);
  }
  if (auto* label = dynamic_cast<TDataSkinBoxLabel*>(&dst)) {
    const auto& from = static_cast<const TDataSkinBoxLabel&>(src);
    label->BackgroundLeftShift = s.Measure(from.BackgroundLeftShift);
    label->BackgroundRightShift = s.Measure(from.BackgroundRightShift);
  }
}

// A copy of the object of the same kind, scaled.
template <typename T>
std::unique_ptr<T> Scaled(const T* src, const ArtScaling& s, bool stacked = false) {
  if (src == nullptr) return nullptr;
  std::unique_ptr<TDataSkinObject> copy;
  if (auto* o = dynamic_cast<const TDataSkinSysButton*>(src))
    copy = std::make_unique<TDataSkinSysButton>(*o);
  else if (auto* o = dynamic_cast<const TDataSkinTitle*>(src))
    copy = std::make_unique<TDataSkinTitle>(*o);
  else if (auto* o = dynamic_cast<const TDataSkinButton*>(src))
    copy = std::make_unique<TDataSkinButton>(*o);
  else if (auto* o = dynamic_cast<const TDataSkinBoxLabel*>(src))
    copy = std::make_unique<TDataSkinBoxLabel>(*o);
  else if (auto* o = dynamic_cast<const TDataSkinBorder*>(src))
    copy = std::make_unique<TDataSkinBorder>(*o);
  else
    copy = std::make_unique<TDataSkinObject>(*src);
  ScaleObject(*src, *copy, s, stacked);
  return std::unique_ptr<T>(static_cast<T*>(copy.release()));
}

}  // namespace

std::unique_ptr<SkinArt> ScaleArt(const SkinArt& source, int dpi, bool pictures) {
  const ArtScaling s{dpi, source.dpi > 0 ? source.dpi : 96, pictures};
  auto art = std::make_unique<SkinArt>();
  art->dpi = dpi;
  for (int e = 0; e < 4; ++e)
    art->edges[e] = Scaled(source.edges[e].get(), s, e == seTop || e == seBottom);
  art->title = Scaled(source.title.get(), s);
  art->button = Scaled(source.button.get(), s);
  for (const auto& button : source.captionButtons)
    art->captionButtons.push_back(Scaled(button.get(), s));
  art->progress = Scaled(source.progress.get(), s);
  for (int p = 0; p < kSkinPartCount; ++p)
    art->parts[p] = Scaled(source.parts[p].get(), s, Stacked(static_cast<SkinPart>(p)));
  art->comboxArrow = Scaled(source.comboxArrow.get(), s);
  art->toolbar = Scaled(source.toolbar.get(), s);
  return art;
}

}  // namespace velotune::skin
