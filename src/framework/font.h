// A control's font as the description stores it (name, height, colour,
// style, character set) and the GDI font made from it on demand.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/text_values.h"

namespace velotune {

enum FontStyleBits : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
 public:
  TFont() = default;
  TFont(const TFont& other) { Assign(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }
  ~TFont();

  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  const std::string& Name() const { return name_; }
  int Height() const { return height_; }  // negative: character height in pixels
  TColor Color() const { return color_; }
  unsigned Style() const { return style_; }
  int Charset() const { return charset_; }
  // Points at 96 dots per inch (positive), from the height.
  int Size() const { return -MulDiv(height_, 72, 96); }

  void SetName(const std::string& name);
  void SetHeight(int height);
  void SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }
  void SetColor(TColor color);
  void SetStyle(unsigned style);
  void SetCharset(int charset);

  // Shared with every font of the same description; never to be deleted.
  HFONT Handle() const;
  // Called after every change, so that the control can update itself.
  std::function<void()> OnChange;

  // "Font.Style" texts: "[fsBold,fsItalic]".
  static unsigned ParseStyle(const std::string& text);
  static std::string StyleText(unsigned style);

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  unsigned style_ = 0;
  int charset_ = DEFAULT_CHARSET;
  mutable HFONT handle_ = nullptr;
};

// A description colour as the COLORREF that GDI draws with.
COLORREF ColorToRGB(TColor color);
// A solid brush for the colour, kept for the life of the program.
HBRUSH ColorBrush(TColor color);

}  // namespace velotune
