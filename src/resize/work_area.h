// The part of the screen a form may use: the screen minus the taskbar.
#pragma once

#include "resize/geometry.h"

namespace velotune {

// The kit's own numbering of the taskbar's screen edge.
enum TaskbarEdge : int {
  kTaskbarNone = -1,
  kTaskbarTop = 0,
  kTaskbarLeft = 1,
  kTaskbarRight = 2,
  kTaskbarBottom = 3,
};

struct WorkArea {
  int width = 0;
  int height = 0;
  int edge = kTaskbarNone;
  KitRect taskbar;
};

// What the system reports about the screen and the taskbar.
struct ScreenFacts {
  int screenWidth = 0;
  int screenHeight = 0;
  bool taskbarKnown = false;  // the system could be asked about the taskbar
  KitRect taskbar;
  bool taskbarAutoHides = false;
};

// The usable width and height; with validTaskbar the taskbar's thickness is
// taken off the side it sits on.
WorkArea ComputeWorkArea(const ScreenFacts& facts, bool validTaskbar);

}  // namespace velotune
