// The resize kit's window side: it registers loaded kits, takes over their
// form window's message handling (ahead of the form's own) and applies the
// layout to the real controls.
#pragma once

#include <windows.h>

#include "resize/resize_kit.h"
#include "resize/work_area.h"

namespace velotune {

class TWinControl;

// Called by TResizeKit at the matching moments of its life.
void KitWindowCreated(TResizeKit& kit);
void KitWindowDestroyed(TResizeKit& kit);
void KitWindowLoaded(TResizeKit& kit);
void KitWindowPlaceNow(TResizeKit& kit);
void KitWindowSetIntercepting(TResizeKit& kit, bool on);

// The usable screen area as the kit sees it now.
WorkArea GetWorkArea(bool validTaskbar);

// Sizes the form window to w x h (outer) and places it at `pos` in the
// usable area (asking the system for it takes a message to the taskbar).
void PlaceForm(HWND form, TResizeFormPos pos, const WorkArea& area, int w, int h);

// The form window the kit works on, or null while it is not loaded.
HWND KitFormHandle(const TResizeKit& kit);

// The system version the kit read when it was created.
int KitOsMajorVersion();
int KitOsMinorVersion();

}  // namespace velotune
