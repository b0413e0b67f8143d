// The resize kit's layout work on a FormModel: taking the design bounds when
// the form has been loaded, keeping the records in step with the form's
// components, and rescaling everything for a new client size.
#pragma once

#include "resize/layout_model.h"

namespace velotune {

// After loading: converts fonts and bounds from the design density to the
// screen's and records every control's base bounds and font.
void LoadLayout(FormModel& form, KitLayout& layout, const LayoutSettings& settings, int screenDpiX,
                int screenDpiY);

// The form's window moved to a monitor of another DPI (or the DPI changed):
// the records' base bounds and fonts and the form's font become those the
// design gets at the new DPI, as loading there would have made them. The
// next rescale lays the controls out from them.
void ChangeLayoutDpi(FormModel& form, KitLayout& layout, const LayoutSettings& settings,
                     int screenDpiX, int screenDpiY);

// An outer size of the design (the first-show size, the limits) at the
// screen's DPI; 0 stays 0.
int ToScreenSize(int designSize, int designDpi, int screenDpi);

// Brings the records up to date with controls added or removed since the last
// call; unnamed new controls are named "RKitAdd0001", "RKitAdd0002", ...
void SyncCtrlInfos(FormModel& form, KitLayout& layout, const LayoutSettings& settings);

// On: remembers each font-owning control's ParentFont flag and switches it off,
// so scaling a parent's font does not spill into it (re-deriving the base
// font when the program changed the flag). Off: gives the flags back.
void ToggleParentFonts(FormModel& form, KitLayout& layout, bool on);

// The scale factors for a client size: client / design size times design
// density / screen density; the font follows the smaller.
void ComputeScales(KitLayout& layout, const LayoutSettings& settings, int clientWidth,
                   int clientHeight);

// The whole rescale for a new client size: scales, records, the form font and
// every control's font and bounds from their base values. Sets `sized`.
void RescaleLayout(FormModel& form, KitLayout& layout, const LayoutSettings& settings,
                   int clientWidth, int clientHeight);

// The bounds a control with base bounds `base` gets at the given scales
// (coordinates that come out 0 become 1).
KitBounds ScaledBounds(const KitBounds& base, double xScale, double yScale);

// A control's font size at a font scale: truncated, 0 becomes 1.
int ScaledFontSize(int baseSize, double fontScale);

}  // namespace velotune
