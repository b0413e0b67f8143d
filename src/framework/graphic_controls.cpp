#include "framework/graphic_controls.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "framework/dib.h"
#include "framework/form.h"
#include "framework/property_helpers.h"
#include "framework/resample.h"
#include "framework/window_dpi.h"

namespace velotune {

namespace {

// The picture at another size, averaged by area with the key colour left out
// (see ResampleArea): what a picture grown or shrunk for the DPI shows.
Pixels Resampled(const Pixels& pixels, int width, int height, long transparentKey) {
  Pixels out;
  out.width = width;
  out.height = height;
  out.argb.resize(static_cast<std::size_t>(width) * height);
  const std::uint32_t key = static_cast<std::uint32_t>(transparentKey) & 0xFFFFFFu;
  std::function<bool(std::uint32_t)> seeThrough;
  if (transparentKey >= 0) seeThrough = [key](std::uint32_t p) { return (p & 0xFFFFFFu) == key; };
  ResampleArea({pixels.argb.data(), pixels.width, pixels.height, pixels.width}, out.argb.data(),
               width, height, width, seeThrough, key, key ^ 1u);
  return out;
}

// The DPI the control's form is laid out for.
int DpiOf(const TControl& control) {
  const TForm* form = control.ParentForm();
  return form ? form->Dpi() : kDesignDpi;
}

}  // namespace

void DrawPixels(HDC dc, const Pixels& pixels, const RECT& target, long transparentKey,
                bool smooth) {
  if (pixels.Empty()) return;
  const int targetWidth = target.right - target.left, targetHeight = target.bottom - target.top;
  if (smooth && targetWidth > 0 && targetHeight > 0 &&
      (targetWidth != pixels.width || targetHeight != pixels.height)) {
    DrawPixels(dc, Resampled(pixels, targetWidth, targetHeight, transparentKey), target,
               transparentKey, false);
    return;
  }
  BITMAPINFO info = DibInfo32(pixels.width, pixels.height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return;
  // The fourth byte stays zero: drawing into a DIB section, GDI compares it
  // too with the transparent colour's, which has none.
  auto* out = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels.argb.size(); ++i) out[i] = pixels.argb[i] & 0x00FFFFFFu;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  int width = target.right - target.left, height = target.bottom - target.top;
  if (transparentKey >= 0) {
    COLORREF key =
        RGB((transparentKey >> 16) & 0xFF, (transparentKey >> 8) & 0xFF, transparentKey & 0xFF);
    TransparentBlt(dc, target.left, target.top, width, height, memory, 0, 0, pixels.width,
                   pixels.height, key);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, target.left, target.top, width, height, memory, 0, 0, pixels.width,
               pixels.height, SRCCOPY);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

// -------------------------------------------------------------------- TLabel

namespace {
const PropertyDef kLabelProperties[] = {
    {"Alignment",
     [](const TComponent& c) { return std::string(AlignmentNames()[As<TLabel>(c).alignment]); },
     [](TComponent& c, const std::string& v) {
       As<TLabel>(c).alignment = EnumProp("Alignment", v, AlignmentNames());
       As<TLabel>(c).Invalidate();
     }},
    {"Layout", nullptr,
     [](TComponent& c, const std::string& v) {
       As<TLabel>(c).layout = EnumProp("Layout", v, {"tlTop", "tlCenter", "tlBottom"});
     }},
    {"AutoSize", [](const TComponent& c) { return BoolText(As<TLabel>(c).autoSize); },
     [](TComponent& c, const std::string& v) { As<TLabel>(c).autoSize = BoolProp("AutoSize", v); }},
    {"WordWrap", [](const TComponent& c) { return BoolText(As<TLabel>(c).wordWrap); },
     [](TComponent& c, const std::string& v) { As<TLabel>(c).wordWrap = BoolProp("WordWrap", v); }},
    {"Transparent", [](const TComponent& c) { return BoolText(As<TLabel>(c).transparent); },
     [](TComponent& c, const std::string& v) {
       As<TLabel>(c).transparent = BoolProp("Transparent", v);
       As<TLabel>(c).Invalidate();
     }},
    {"ShowAccelChar", [](const TComponent& c) { return BoolText(As<TLabel>(c).showAccelChar); },
     [](TComponent& c, const std::string& v) {
       As<TLabel>(c).showAccelChar = BoolProp("ShowAccelChar", v);
     }},
};
}  // namespace

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  width_ = 65;
  height_ = 17;
}

const PropertyDef* TLabel::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kLabelProperties, name)) return p;
  return TGraphicControl::FindProperty(name);
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::SetBounds(int left, int top, int width, int height) {
  TGraphicControl::SetBounds(left, top, width, height);
  AdjustBounds(true);
}

void TLabel::AdjustBounds(bool growOnly) {
  // Sized to the text once the description is read, as the label was laid
  // out at design time; the kept left edge follows the alignment. Bounds
  // given from outside (the resize kit) are kept when the text fits them.
  if (!autoSize || (ComponentState() & csLoading) || wordWrap || adjusting_) return;
  HDC dc = GetDC(nullptr);
  RECT r{0, 0, 0, 0};
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  DrawTextA(dc, caption_.empty() ? " " : caption_.c_str(), -1, &r,
            DT_CALCRECT | DT_SINGLELINE | (showAccelChar ? 0 : DT_NOPREFIX));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (growOnly && r.right <= width_ && r.bottom <= height_) return;
  if (growOnly) {
    r.right = std::max<LONG>(r.right, width_);
    r.bottom = std::max<LONG>(r.bottom, height_);
  }
  int left = left_;
  if (alignment == 1) left = left_ + width_ - r.right;
  if (alignment == 2) left = left_ + (width_ - r.right) / 2;
  adjusting_ = true;
  TGraphicControl::SetBounds(left, top_, r.right, r.bottom);
  adjusting_ = false;
}

void TLabel::Paint(HDC dc) {
  RECT r = BoundsRect();
  if (!transparent) FillRect(dc, &r, ColorBrush(color_));
  static const UINT kFormats[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT format = kFormats[alignment] | DT_EXPANDTABS;
  format |= wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (!showAccelChar) format |= DT_NOPREFIX;
  if (layout != 0 && !wordWrap) format |= layout == 1 ? DT_VCENTER : DT_BOTTOM;
  DrawControlText(dc, *this, caption_, r, format);
}

// -------------------------------------------------------------------- TImage

namespace {
const PropertyDef kImageProperties[] = {
    {"Stretch", [](const TComponent& c) { return BoolText(As<TImage>(c).stretch); },
     [](TComponent& c, const std::string& v) { As<TImage>(c).stretch = BoolProp("Stretch", v); }},
    {"Center", [](const TComponent& c) { return BoolText(As<TImage>(c).center); },
     [](TComponent& c, const std::string& v) { As<TImage>(c).center = BoolProp("Center", v); }},
    {"Proportional", [](const TComponent& c) { return BoolText(As<TImage>(c).proportional); },
     [](TComponent& c, const std::string& v) {
       As<TImage>(c).proportional = BoolProp("Proportional", v);
     }},
    {"Transparent", [](const TComponent& c) { return BoolText(As<TImage>(c).transparent); },
     [](TComponent& c, const std::string& v) {
       As<TImage>(c).transparent = BoolProp("Transparent", v);
     }},
    {"AutoSize", nullptr, [](TComponent&, const std::string& v) { BoolProp("AutoSize", v); }},
};
}  // namespace

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  width_ = 105;
  height_ = 105;
}

const PropertyDef* TImage::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kImageProperties, name)) return p;
  return TGraphicControl::FindProperty(name);
}

bool TImage::ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  if (name != "Picture.Data") return false;
  picture_ = DecodePictureData(bytes);
  pictureIsBitmap_ = bytes.size() > 8 && bytes[0] == 7 &&
                     std::string(bytes.begin() + 1, bytes.begin() + 8) == "TBitmap";
  Invalidate();
  return true;
}

void TImage::Paint(HDC dc) {
  if (picture_.Empty()) return;
  RECT r = BoundsRect();
  // The picture's own size is the design's: at another DPI it grows with it.
  const int dpi = DpiOf(*this);
  int w = ScaleRounded(picture_.width, dpi, kDesignDpi);
  int h = ScaleRounded(picture_.height, dpi, kDesignDpi);
  int boxW = width_, boxH = height_;
  if (stretch || (proportional && (w > boxW || h > boxH))) {
    if (proportional) {
      double scale = std::min(static_cast<double>(boxW) / w, static_cast<double>(boxH) / h);
      w = static_cast<int>(w * scale);
      h = static_cast<int>(h * scale);
    } else {
      w = boxW;
      h = boxH;
    }
  }
  int x = r.left, y = r.top;
  if (center) {
    x += (boxW - w) / 2;
    y += (boxH - h) / 2;
  }
  RECT target{x, y, x + w, y + h};
  // A transparent bitmap leaves out the colour of its bottom-left pixel.
  long key = -1;
  if (transparent && pictureIsBitmap_)
    key = static_cast<long>(picture_.At(0, picture_.height - 1) & 0xFFFFFF);
  DrawPixels(dc, picture_, target, key, dpi != kDesignDpi);
}

// -------------------------------------------------------------------- TShape

namespace {
TColor ShapeColor(const std::string& name, const std::string& text) {
  TColor color;
  if (!ParseColorText(text, &color))
    throw EPropertyError("Invalid property value '" + text + "' for " + name);
  return color;
}
const PropertyDef kShapeProperties[] = {
    {"Brush.Color", [](const TComponent& c) { return ColorText(As<TShape>(c).brushColor); },
     [](TComponent& c, const std::string& v) {
       As<TShape>(c).brushColor = ShapeColor("Brush.Color", v);
     }},
    {"Pen.Color", [](const TComponent& c) { return ColorText(As<TShape>(c).penColor); },
     [](TComponent& c, const std::string& v) {
       As<TShape>(c).penColor = ShapeColor("Pen.Color", v);
     }},
    {"Shape", nullptr,
     [](TComponent& c, const std::string& v) {
       As<TShape>(c).shape = EnumProp(
           "Shape", v,
           {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"});
     }},
};
}  // namespace

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
  width_ = 65;
  height_ = 65;
}

const PropertyDef* TShape::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kShapeProperties, name)) return p;
  return TGraphicControl::FindProperty(name);
}

void TShape::Paint(HDC dc) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(penColor));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, ColorBrush(brushColor));
  RECT r = BoundsRect();
  if (shape == 4 || shape == 5)
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
  else if (shape == 2 || shape == 3)
    RoundRect(dc, r.left, r.top, r.right, r.bottom, width_ / 4, height_ / 4);
  else
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

// -------------------------------------------------------------------- TBevel

namespace {
const PropertyDef kBevelProperties[] = {
    {"Shape", nullptr,
     [](TComponent& c, const std::string& v) {
       As<TBevel>(c).shape = EnumProp("Shape", v,
                                      {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine",
                                       "bsLeftLine", "bsRightLine", "bsSpacer"});
     }},
    {"Style", nullptr,
     [](TComponent& c, const std::string& v) {
       As<TBevel>(c).raised = EnumProp("Style", v, {"bsLowered", "bsRaised"}) == 1;
     }},
};
}  // namespace

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  width_ = 50;
  height_ = 50;
}

const PropertyDef* TBevel::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kBevelProperties, name)) return p;
  return TGraphicControl::FindProperty(name);
}

void TBevel::Paint(HDC dc) {
  RECT r = BoundsRect();
  UINT edge = raised ? EDGE_BUMP : EDGE_ETCHED;
  // Lines are two pixels: the edge drawn on one side of a thin rectangle.
  switch (shape) {
    case 0:
      DrawEdge(dc, &r, raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
      break;
    case 1:
      DrawEdge(dc, &r, edge, BF_RECT);
      break;
    case 2:
      r.bottom = r.top + 2;
      DrawEdge(dc, &r, edge, BF_TOP);
      break;
    case 3:
      r.top = r.bottom - 2;
      DrawEdge(dc, &r, edge, BF_BOTTOM);
      break;
    case 4:
      r.right = r.left + 2;
      DrawEdge(dc, &r, edge, BF_LEFT);
      break;
    case 5:
      r.left = r.right - 2;
      DrawEdge(dc, &r, edge, BF_RIGHT);
      break;
    default:
      break;  // bsSpacer draws nothing
  }
}

// -------------------------------------------------------------- TSpeedButton

namespace {
const PropertyDef kSpeedButtonProperties[] = {
    {"GroupIndex", [](const TComponent& c) { return IntText(As<TSpeedButton>(c).groupIndex); },
     [](TComponent& c, const std::string& v) {
       As<TSpeedButton>(c).groupIndex = IntProp("GroupIndex", v);
     }},
    {"Down", [](const TComponent& c) { return BoolText(As<TSpeedButton>(c).Down()); },
     [](TComponent& c, const std::string& v) { As<TSpeedButton>(c).SetDown(BoolProp("Down", v)); }},
    {"AllowAllUp", [](const TComponent& c) { return BoolText(As<TSpeedButton>(c).allowAllUp); },
     [](TComponent& c, const std::string& v) {
       As<TSpeedButton>(c).allowAllUp = BoolProp("AllowAllUp", v);
     }},
    {"Flat", [](const TComponent& c) { return BoolText(As<TSpeedButton>(c).flat); },
     [](TComponent& c, const std::string& v) { As<TSpeedButton>(c).flat = BoolProp("Flat", v); }},
    {"Layout", nullptr,
     [](TComponent& c, const std::string& v) {
       As<TSpeedButton>(c).layout =
           EnumProp("Layout", v, {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
     }},
    {"Margin", [](const TComponent& c) { return IntText(As<TSpeedButton>(c).margin); },
     [](TComponent& c, const std::string& v) {
       As<TSpeedButton>(c).margin = IntProp("Margin", v);
     }},
    {"Spacing", [](const TComponent& c) { return IntText(As<TSpeedButton>(c).spacing); },
     [](TComponent& c, const std::string& v) {
       As<TSpeedButton>(c).spacing = IntProp("Spacing", v);
     }},
    {"NumGlyphs", nullptr, [](TComponent&, const std::string& v) { IntProp("NumGlyphs", v); }},
};
}  // namespace

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  width_ = 23;
  height_ = 22;
}

const PropertyDef* TSpeedButton::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kSpeedButtonProperties, name)) return p;
  return TGraphicControl::FindProperty(name);
}

bool TSpeedButton::ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  if (name != "Glyph.Data") return false;
  glyph_ = DecodePictureData(bytes);
  Invalidate();
  return true;
}

void TSpeedButton::SetDown(bool down) {
  if (down == down_) return;
  if (!down && groupIndex != 0 && !allowAllUp && !(ComponentState() & csLoading)) return;
  down_ = down;
  if (down && groupIndex != 0 && parent_) {
    // One button of a group is down at a time.
    for (TControl* sibling : parent_->Controls()) {
      auto* other = dynamic_cast<TSpeedButton*>(sibling);
      if (other && other != this && other->groupIndex == groupIndex && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::Click() {
  if (groupIndex != 0) SetDown(allowAllUp ? !down_ : true);
  TGraphicControl::Click();
}

void TSpeedButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      TGraphicControl::WndProc(message);
      Invalidate();
      return;
    case CM_MOUSEENTER:
      hot_ = true;
      Invalidate();
      break;
    case CM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(message);
}

void TSpeedButton::Paint(HDC dc) {
  RECT r = BoundsRect();
  bool sunken = down_ || pressed_;
  FillRect(dc, &r, ColorBrush(sunken && down_ ? TColor(kSystemColor | COLOR_3DLIGHT) : color_));
  if (!flat || hot_ || sunken) DrawEdge(dc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  PaintContent(dc, sunken);
}

void TSpeedButton::PaintContent(HDC dc, bool sunken) {
  RECT r = BoundsRect();
  int offset = sunken ? 1 : 0;

  HGDIOBJ old = SelectObject(dc, font_.Handle());
  RECT textSize{0, 0, 0, 0};
  DrawTextA(dc, caption_.c_str(), -1, &textSize, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  const int dpi = DpiOf(*this);
  int gw = ScaleRounded(glyph_.width, dpi, kDesignDpi);
  int gh = ScaleRounded(glyph_.height, dpi, kDesignDpi);
  int tw = textSize.right, th = textSize.bottom;
  int gap = (gw > 0 && tw > 0) ? ScaleRounded(spacing, dpi, kDesignDpi) : 0;
  int cx = (r.left + r.right) / 2 + offset, cy = (r.top + r.bottom) / 2 + offset;
  RECT glyphRect, textRect;
  if (layout == 2 || layout == 3) {  // glyph above or below the caption
    int total = gh + gap + th;
    int top = cy - total / 2;
    int glyphTop = layout == 2 ? top : top + th + gap;
    int textTop = layout == 2 ? top + gh + gap : top;
    glyphRect = {cx - gw / 2, glyphTop, cx - gw / 2 + gw, glyphTop + gh};
    textRect = {r.left, textTop, r.right, textTop + th};
  } else {
    int total = gw + gap + tw;
    int left = cx - total / 2;
    int glyphLeft = layout == 0 ? left : left + tw + gap;
    int textLeft = layout == 0 ? left + gw + gap : left;
    glyphRect = {glyphLeft, cy - gh / 2, glyphLeft + gw, cy - gh / 2 + gh};
    textRect = {textLeft, cy - th / 2, textLeft + tw, cy - th / 2 + th};
  }
  if (!glyph_.Empty()) {
    long key = static_cast<long>(glyph_.At(0, glyph_.height - 1) & 0xFFFFFF);
    DrawPixels(dc, glyph_, glyphRect, key, dpi != kDesignDpi);
  }
  if (layout == 2 || layout == 3) {
    textRect.left += offset;
    textRect.right += offset;
  }
  DrawControlText(dc, *this, caption_, textRect, DT_CENTER | DT_SINGLELINE);
}

}  // namespace velotune
