#include "framework/font.h"

#include <map>
#include <tuple>

#include "framework/component.h"

namespace velotune {

namespace {

// The GDI font of a description, made once and shared by every TFont that
// describes it, for the life of the program: a window's controls use a few
// fonts between them, and a rescale changes them all at once.
HFONT SharedFont(const std::string& name, int height, unsigned style, int charset) {
  using Key = std::tuple<std::string, int, unsigned, int>;
  static std::map<Key, HFONT> fonts;
  HFONT& font = fonts[Key(name, height, style, charset)];
  if (!font) {
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    font = CreateFontIndirectA(&lf);
  }
  return font;
}

}  // namespace

TFont::~TFont() = default;

void TFont::Assign(const TFont& other) {
  if (this == &other) return;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
         style_ == other.style_ && charset_ == other.charset_;
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}
void TFont::SetHeight(int height) {
  height_ = height;
  Changed();
}
void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}
void TFont::SetStyle(unsigned style) {
  style_ = style;
  Changed();
}
void TFont::SetCharset(int charset) {
  charset_ = charset;
  Changed();
}

void TFont::Changed() {
  handle_ = nullptr;
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) handle_ = SharedFont(name_, height_, style_, charset_);
  return handle_;
}

unsigned TFont::ParseStyle(const std::string& text) {
  static const std::vector<const char*> kNames = {"fsBold", "fsItalic", "fsUnderline",
                                                  "fsStrikeOut"};
  std::vector<std::string> members;
  if (!ParseSetText(text, &members))
    throw EPropertyError("Invalid property value '" + text + "' for Font.Style");
  unsigned style = 0;
  for (const std::string& m : members) style |= 1u << EnumProp("Font.Style", m, kNames);
  return style;
}

std::string TFont::StyleText(unsigned style) {
  static const char* const kNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  std::vector<std::string> members;
  for (int i = 0; i < 4; ++i)
    if (style & (1u << i)) members.push_back(kNames[i]);
  return SetText(members);
}

COLORREF ColorToRGB(TColor color) {
  if ((color & kSystemColor) == kSystemColor) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

HBRUSH ColorBrush(TColor color) {
  static std::map<COLORREF, HBRUSH> brushes;
  COLORREF rgb = ColorToRGB(color);
  auto it = brushes.find(rgb);
  if (it != brushes.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(rgb);
  brushes[rgb] = brush;
  return brush;
}

}  // namespace velotune
