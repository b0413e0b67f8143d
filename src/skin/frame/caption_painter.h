// The caption of a skinned window, composed off screen and copied in one blit:
// the top edge, the title with its background, and the caption buttons laid
// out around it, each in the frame for its state.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/data/bitmap.h"
#include "skin/paint/gdi_objects.h"

namespace velotune::skin {

class TWinSkinForm;
class TWinSysButton;

class CaptionPainter {
 public:
  explicit CaptionPainter(TWinSkinForm& form) : form_(form) {}

  // The caption font, made from the system's at the window's scale.
  void MakeFont();
  HFONT Font() const { return font_.Get(); }

  // The caption of a window of that size into dc (window coordinates).
  void Paint(HDC dc, int width, int height);
  // One button in its state: the caption is composed again off screen, so
  // that a smaller frame leaves no trace of a larger one, and the button's
  // cell is copied to the window.
  void PaintButton(const TWinSysButton& button);
  // Where the title's background went at the last paint.
  const Rect& TitleRect() const { return titleRect_; }

 private:
  // The caption of a window of that size, composed in a buffer of the
  // caption's height (a minimized window's: the whole window).
  std::unique_ptr<OffscreenBuffer> Compose(HDC dc, int width, int height);
  void UpdateButtonLooks();
  RECT DrawTitle(HDC dc, int width);
  void LayoutButtons(int width, const RECT& title);
  void DrawButton(HDC dc, const TWinSysButton& button);

  TWinSkinForm& form_;
  OwnedFont font_;
  Rect titleRect_;
};

}  // namespace velotune::skin
