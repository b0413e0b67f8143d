// Panels with bevels and group boxes.
#include "framework/containers.h"
#include "framework/property_helpers.h"

namespace velotune {

namespace {

const std::vector<const char*> kBevelCuts = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

// One bevel ring of `width` pixels inside `rect`, which shrinks past it.
void DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  for (int i = 0; i < width; ++i) {
    if (cut != bvSpace)
      DrawEdge(dc, &rect, cut == bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace

namespace {
const PropertyDef kPanelProperties[] = {
    {"BevelInner",
     [](const TComponent& c) { return std::string(kBevelCuts[As<TPanel>(c).bevelInner]); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).bevelInner = static_cast<TBevelCut>(EnumProp("BevelInner", v, kBevelCuts));
       As<TPanel>(c).Invalidate();
     }},
    {"BevelOuter",
     [](const TComponent& c) { return std::string(kBevelCuts[As<TPanel>(c).bevelOuter]); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).bevelOuter = static_cast<TBevelCut>(EnumProp("BevelOuter", v, kBevelCuts));
       As<TPanel>(c).Invalidate();
     }},
    {"BevelWidth", [](const TComponent& c) { return IntText(As<TPanel>(c).bevelWidth); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).bevelWidth = IntProp("BevelWidth", v);
     }},
    {"BorderWidth", [](const TComponent& c) { return IntText(As<TPanel>(c).borderWidth); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).borderWidth = IntProp("BorderWidth", v);
     }},
    {"Alignment",
     [](const TComponent& c) { return std::string(AlignmentNames()[As<TPanel>(c).alignment]); },
     [](TComponent& c, const std::string& v) {
       As<TPanel>(c).alignment = EnumProp("Alignment", v, AlignmentNames());
     }},
};
}  // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 41;
}

const PropertyDef* TPanel::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kPanelProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

void TPanel::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  PaintBackground(dc, r);
  DrawBevel(dc, r, bevelOuter, bevelWidth);
  InflateRect(&r, -borderWidth, -borderWidth);
  DrawBevel(dc, r, bevelInner, bevelWidth);
  if (!caption_.empty()) {
    static const UINT kFormats[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    DrawControlText(dc, *this, caption_, r, kFormats[alignment] | DT_VCENTER | DT_SINGLELINE);
  }
  PaintControls(dc);
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 105;
}

void TGroupBox::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  PaintBackground(dc, r);
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  SIZE text = {0, 0};
  GetTextExtentPoint32A(dc, "0", 1, &text);
  SelectObject(dc, old);
  RECT frame = r;
  frame.top += text.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!caption_.empty()) {
    RECT label{8, 0, r.right - 8, text.cy};
    DrawControlText(dc, *this, caption_, label, DT_SINGLELINE | DT_CALCRECT);
    FillRect(dc, &label, ColorBrush(color_));
    DrawControlText(dc, *this, caption_, label, DT_SINGLELINE);
  }
  PaintControls(dc);
}

}  // namespace velotune
