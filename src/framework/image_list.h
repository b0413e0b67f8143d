// A list of equally sized images (16×16 unless Width and Height say
// otherwise) kept side by side in one strip, as menus draw their glyphs from
// it. Magenta (0xFF00FF) pixels are transparent.
#pragma once

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/picture.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velotune {

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  const char* ClassName() const override { return "TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const;
  // Appends the images a picture holds side by side, Width pixels each;
  // rows below Height are ignored. Returns the index of the first one.
  int AddStrip(const Pixels& strip);
  void Clear();
  // The colour of a pixel of image `index` (0xRRGGBB).
  std::uint32_t PixelAt(int index, int x, int y) const;
  // "Bitmap.Data": a picture stored as Picture.Data is, cut into images.
  bool ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) override;

#ifdef _WIN32
  // Image `index` with its top-left corner at (x, y); a disabled image is
  // drawn embossed in the system's highlight and shadow colours.
  // With `size` above 0 the image is drawn that many pixels square,
  // resampled (an image list's images are the design's, at 96 DPI).
  void Draw(HDC dc, int x, int y, int index, bool enabled, int size = 0) const;
#endif

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;

 private:
  int width_ = 16, height_ = 16;
  Pixels strip_;  // Count() images, Height() rows
};

constexpr std::uint32_t kTransparentPixel = 0xFF00FF;

}  // namespace velotune
