#include "resize/layout.h"

#include <algorithm>
#include <cstdio>

namespace velotune {

CtrlInfo* KitLayout::Find(const std::string& name) {
  const std::size_t n = ctrlInfos.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = (findHint_ + i) % n;
    if (ctrlInfos[at].name == name) {
      findHint_ = at + 1;
      return &ctrlInfos[at];
    }
  }
  return nullptr;
}

namespace {

bool Resized(const ControlModel& c, const LayoutSettings& settings) {
  return c.isControl && !NameListContains(settings.noResize, c.name);
}

bool FontResized(const std::string& name, const LayoutSettings& settings) {
  return settings.resizeFont && !NameListContains(settings.noResizeFnt, name);
}

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool StartsWithAutoName(const std::string& text) {
  return text.compare(0, 7, "RKitAdd") == 0;
}

std::string AutoName(int counter) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "RKitAdd%.4d", counter);
  return buffer;
}

// A base coordinate back-computed from a current one; a zero scale (a form
// sized to nothing) keeps the current value rather than collapsing it to 0.
int Unscale(int current, double scale) {
  return scale != 0 ? RoundHalfUp(current / scale) : current;
}

// A design coordinate in screen units. At equal densities there is nothing to
// convert; rounding anyway would shift negative coordinates by one before the
// first rescale has even run.
int ToScreenUnits(int design, double ratio) {
  return ratio == 1.0 ? design : RoundHalfUp(design / ratio);
}

CtrlInfo RecordForNewControl(const ControlModel& c, const KitLayout& layout,
                              const LayoutSettings& settings) {
  CtrlInfo info;
  info.name = c.name;
  info.base = {Unscale(c.bounds.left, layout.xScale), Unscale(c.bounds.top, layout.yScale),
               Unscale(c.bounds.width, layout.xScale), Unscale(c.bounds.height, layout.yScale)};
  info.last = c.bounds;
  if (c.hasFont) {
    info.hasBaseFont = true;
    info.parentFontNow = info.parentFontKnown = c.parentFont;
    info.baseFontSize = Unscale(c.fontSize, layout.fontScale);
    info.lastFontSize = c.fontSize;
  }
  // Made at the screen's DPI: its design values are its base ones taken
  // back to the design DPI, for a later change of DPI.
  const double qx = SafeRatio(settings.designDpiW, layout.screenDpiX);
  const double qy = SafeRatio(settings.designDpiH, layout.screenDpiY);
  info.design = {RoundHalfUp(info.base.left * qx), RoundHalfUp(info.base.top * qy),
                 RoundHalfUp(info.base.width * qx), RoundHalfUp(info.base.height * qy)};
  info.designFontSize = info.parentFontKnown ? info.baseFontSize
                                             : RoundHalfUp(info.baseFontSize * qx);
  return info;
}

void AddNewControls(FormModel& form, KitLayout& layout, const LayoutSettings& settings) {
  for (ControlModel& c : form.components) {
    if (!Resized(c, settings) || layout.Find(c.name)) continue;
    ++layout.autoNameCounter;
    if (IsBlank(c.name)) {
      c.name = AutoName(layout.autoNameCounter);
      // The framework copies a new name into an empty caption or text.
      if (c.hasCaption && StartsWithAutoName(c.caption)) c.caption.clear();
      if (c.hasText && StartsWithAutoName(c.text)) c.text.clear();
    }
    layout.ctrlInfos.push_back(RecordForNewControl(c, layout, settings));
  }
}

void DropRemovedControls(const FormModel& form, KitLayout& layout) {
  auto gone = [&form](const CtrlInfo& info) {
    return std::none_of(
        form.components.begin(), form.components.end(),
        [&info](const ControlModel& c) { return c.isControl && c.name == info.name; });
  };
  layout.ctrlInfos.erase(std::remove_if(layout.ctrlInfos.begin(), layout.ctrlInfos.end(), gone),
                         layout.ctrlInfos.end());
}

}  // namespace

namespace {

// The records' base values, and the form's and controls' fonts and bounds in
// the model, from the design values taken to the given screen DPI.
void BaseFromDesign(FormModel& form, KitLayout& layout, const LayoutSettings& settings,
                    int screenDpiX, int screenDpiY) {
  layout.screenDpiX = screenDpiX;
  layout.screenDpiY = screenDpiY;
  const double qx = SafeRatio(settings.designDpiW, screenDpiX);
  const double qy = SafeRatio(settings.designDpiH, screenDpiY);

  form.fontSize = RoundHalfUp(layout.designFormFontSize / qx);
  layout.formFontSize = form.fontSize;

  // Fixed-border forms without a configured size keep their design positions.
  double rx = qx, ry = qy;
  const bool fixedBorder = form.border == FormBorder::kDialog || form.border == FormBorder::kNone;
  const bool maximizedBorderless = form.border == FormBorder::kNone && form.maximized;
  if (fixedBorder && settings.formWidth == 0 && settings.formHeight == 0 && !maximizedBorderless)
    rx = ry = 1.0;

  for (ControlModel& c : form.components) {
    if (!Resized(c, settings)) continue;
    CtrlInfo* info = layout.Find(c.name);
    if (!info) continue;
    if (info->hasBaseFont) {
      c.fontSize = info->parentFontKnown ? info->designFontSize
                                         : RoundHalfUp(info->designFontSize / qx);
      info->baseFontSize = info->lastFontSize = c.fontSize;
    }
    const KitBounds& d = info->design;
    c.bounds = {ToScreenUnits(d.left, rx), ToScreenUnits(d.top, ry), ToScreenUnits(d.width, rx),
                ToScreenUnits(d.height, ry)};
    info->base = info->last = c.bounds;
  }
}

}  // namespace

void LoadLayout(FormModel& form, KitLayout& layout, const LayoutSettings& settings, int screenDpiX,
                int screenDpiY) {
  layout.designFormFontSize = form.fontSize;
  layout.ctrlInfos.clear();
  for (ControlModel& c : form.components) {
    if (!Resized(c, settings)) continue;
    CtrlInfo info;
    info.name = c.name;
    if (c.hasFont) {
      info.parentFontNow = info.parentFontKnown = c.parentFont;
      info.hasBaseFont = true;
      info.designFontSize = c.fontSize;
    }
    info.design = c.bounds;
    layout.ctrlInfos.push_back(info);
  }
  BaseFromDesign(form, layout, settings, screenDpiX, screenDpiY);
  layout.knownComponentCount = static_cast<int>(form.components.size());
}

void ChangeLayoutDpi(FormModel& form, KitLayout& layout, const LayoutSettings& settings,
                     int screenDpiX, int screenDpiY) {
  BaseFromDesign(form, layout, settings, screenDpiX, screenDpiY);
}

int ToScreenSize(int designSize, int designDpi, int screenDpi) {
  if (designSize <= 0 || designDpi <= 0 || screenDpi <= 0 || designDpi == screenDpi)
    return designSize;
  return RoundHalfUp(static_cast<double>(designSize) * screenDpi / designDpi);
}

void SyncCtrlInfos(FormModel& form, KitLayout& layout, const LayoutSettings& settings) {
  const int count = static_cast<int>(form.components.size());
  if (count == layout.knownComponentCount) return;
  if (count > layout.knownComponentCount)
    AddNewControls(form, layout, settings);
  else
    DropRemovedControls(form, layout);
  layout.knownComponentCount = count;
}

void ToggleParentFonts(FormModel& form, KitLayout& layout, bool on) {
  for (ControlModel& c : form.components) {
    if (!c.isControl) continue;
    CtrlInfo* info = layout.Find(c.name);
    if (!info || !info->hasBaseFont) continue;
    if (!on) {
      c.parentFont = info->parentFontNow;
      continue;
    }
    info->parentFontNow = c.parentFont;
    c.parentFont = false;
    if (info->parentFontNow != info->parentFontKnown) {
      // The program switched the flag since the last look: the font the
      // control shows now is the new base.
      if (layout.fontScale != 0) {
        info->baseFontSize = RoundHalfUp(c.fontSize / layout.fontScale);
        info->lastFontSize = c.fontSize;
      }
      info->parentFontKnown = info->parentFontNow;
    }
  }
}

void ComputeScales(KitLayout& layout, const LayoutSettings& settings, int clientWidth,
                   int clientHeight) {
  if (layout.screenDpiX > 0 && settings.designFrmW > 0)
    layout.xScale = static_cast<double>(clientWidth) / settings.designFrmW *
                    (static_cast<double>(settings.designDpiW) / layout.screenDpiX);
  if (layout.screenDpiY > 0 && settings.designFrmH > 0)
    layout.yScale = static_cast<double>(clientHeight) / settings.designFrmH *
                    (static_cast<double>(settings.designDpiH) / layout.screenDpiY);
  layout.fontScale = std::min(layout.xScale, layout.yScale);
}

KitBounds ScaledBounds(const KitBounds& base, double xScale, double yScale) {
  KitBounds b;
  b.top = RoundHalfUp(base.top * yScale);
  b.left = RoundHalfUp(base.left * xScale);
  b.width = RoundHalfUp(base.width * xScale);
  b.height = RoundHalfUp(base.height * yScale);
  for (int* v : {&b.left, &b.top, &b.width, &b.height})
    if (*v == 0) *v = 1;
  return b;
}

int ScaledFontSize(int baseSize, double fontScale) {
  const int size = TruncateToInt(baseSize * fontScale);
  return size == 0 ? 1 : size;
}

void RescaleLayout(FormModel& form, KitLayout& layout, const LayoutSettings& settings,
                   int clientWidth, int clientHeight) {
  // New controls and changed ParentFont flags are taken at the scales the
  // form is laid out at now, before the new ones replace them: a control the
  // program placed on a half-size form is a half-size control.
  SyncCtrlInfos(form, layout, settings);
  ToggleParentFonts(form, layout, true);
  ComputeScales(layout, settings, clientWidth, clientHeight);
  if (FontResized(form.name, settings))
    form.fontSize = RoundHalfUp(layout.formFontSize * layout.fontScale);

  for (ControlModel& c : form.components) {
    if (!Resized(c, settings)) continue;
    CtrlInfo* info = layout.Find(c.name);
    if (!info) continue;
    if (info->hasBaseFont && FontResized(c.name, settings))
      c.fontSize = ScaledFontSize(info->baseFontSize, layout.fontScale);
    c.bounds = ScaledBounds(info->base, layout.xScale, layout.yScale);
    info->last = c.bounds;
    if (info->hasBaseFont) info->lastFontSize = c.fontSize;
  }

  ToggleParentFonts(form, layout, false);
  layout.sized = true;
}

}  // namespace velotune
