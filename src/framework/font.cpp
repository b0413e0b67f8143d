#include "framework/font.h"

#include <map>

#include "framework/component.h"

namespace velotune {

TFont::~TFont() {
  if (handle_) DeleteObject(handle_);
}

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
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTA lf = {};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectA(&lf);
  }
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
