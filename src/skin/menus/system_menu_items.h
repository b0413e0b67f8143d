// The skinned system menu's items, measured and painted as a form's popup
// menu's items are. The manager hands these to the frame.
#pragma once

#include <windows.h>

namespace velotune {
class TMenuItem;
}

namespace velotune::skin {

class DpiScale;
class TSkinData;

void MeasureSystemMenuItem(const TSkinData& skin, const TMenuItem& item, MEASUREITEMSTRUCT& measure,
                           const DpiScale& scale);
void PaintSystemMenuItem(const TSkinData& skin, const TMenuItem& item, const DRAWITEMSTRUCT& draw,
                         const DpiScale& scale);

}  // namespace velotune::skin
