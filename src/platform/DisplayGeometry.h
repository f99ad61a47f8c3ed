// Where the 640 x 480 picture goes: the rectangle it is scaled to inside a window or screen,
// and the window size that shows it at a whole multiple. Pure arithmetic, shared by the
// graphics backend (presentation) and the window (its size), and tested without a display.
#pragma once

#include "platform/DisplayOptions.h"

namespace tvx {

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The centred rectangle a source of `sourceWidth` x `sourceHeight` is shown in on an area of
// `areaWidth` x `areaHeight`, aspect kept. Integer scaling falls back to fitting when not even
// one whole multiple fits, so that a small window still shows the whole picture, and when the
// largest whole multiple would cover less than two thirds of what fitting covers.
PixelRect PresentationRect(int sourceWidth, int sourceHeight, int areaWidth, int areaHeight,
                           ScaleMode mode);

// The largest whole multiple (at least 1) of the source that fits the area.
int WholeMultipleThatFits(int sourceWidth, int sourceHeight, int areaWidth, int areaHeight);

// How much larger than its own pixels a window of `width` x `height` is shown on a desktop of
// `desktopWidth` x `desktopHeight`: 1 up to full HD, then growing with the desktop in quarter
// steps (2 at 3840 x 2160), never so large that the window leaves the desktop.
double DesktopScale(int width, int height, int desktopWidth, int desktopHeight);

}  // namespace tvx
