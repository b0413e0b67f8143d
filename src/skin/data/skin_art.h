// The skin's objects drawn for one DPI: the frame's edges, the title, the
// buttons, the caption buttons and the generic parts, with the pictures and
// the measures read with them (margins, places, text offsets) in pixels of
// that DPI. Colours are the skin's and stay with TSkinData.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "skin/data/skin_objects.h"
#include "skin/data/skin_parts.h"

namespace velotune::skin {

struct SkinArt {
  SkinArt();

  // The DPI the pictures and measures are drawn for.
  int dpi = 96;
  std::array<std::unique_ptr<TDataSkinBorder>, 4> edges;
  std::unique_ptr<TDataSkinTitle> title;
  std::unique_ptr<TDataSkinButton> button;
  std::vector<std::unique_ptr<TDataSkinSysButton>> captionButtons;
  std::unique_ptr<TDataSkinBorder> progress;
  std::array<std::unique_ptr<TDataSkinObject>, kSkinPartCount> parts;
  std::unique_ptr<TDataSkinObject> comboxArrow;
  std::unique_ptr<TDataSkinObject> toolbar;

  const TDataSkinBorder& Edge(int edge) const { return *edges[edge]; }
  const TDataSkinTitle& Title() const { return *title; }
  const TDataSkinButton& Button() const { return *button; }
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const {
    return captionButtons;
  }
  const TDataSkinBorder* Progress() const { return progress.get(); }
  // A generic part, nil while its section is absent.
  const TDataSkinObject* Part(SkinPart part) const { return parts[part].get(); }
  const TDataSkinBorder* BorderPart(SkinPart part) const;
  const TDataSkinObject* ComboxArrow() const { return comboxArrow.get(); }
  const TDataSkinObject* Toolbar() const { return toolbar.get(); }
};

// `source` drawn for `dpi`: every picture resampled cell by cell (each frame
// of a strip keeps a whole number of pixels, see ResampleCells) and every
// measure scaled, from source.dpi to dpi. Without `pictures` only the
// measures are scaled: for pictures already drawn at that DPI.
std::unique_ptr<SkinArt> ScaleArt(const SkinArt& source, int dpi, bool pictures = true);

}  // namespace velotune::skin
