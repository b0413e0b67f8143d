// 32-bit top-down DIB sections: the off-screen buffers and pictures of the
// framework and the skin. Unlike bitmaps compatible with the screen, making
// and selecting one asks the display nothing.
#pragma once

#include <windows.h>

namespace velotune {

// The header of a 32-bit top-down DIB of width x height.
inline BITMAPINFO DibInfo32(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace velotune
