// Where a tool window opens beside the panel window: right of it, or below it when the screen
// has no room on the right (then left of it, then above it), always wholly on the screen where it
// fits there, and never over the LCD, which the tool exists to watch. Plain screen arithmetic, so
// the rule can be checked without a window system.
#pragma once

#include <cstdint>

namespace panel {

// A rectangle in screen pixels, [left, right) x [top, bottom).
struct ScreenRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct ScreenPoint {
  int32_t x;
  int32_t y;
};

// The top left corner for a tool window of width x height next to `panel` (the panel window's
// frame) on `screen` (the work area of the panel's monitor), kept off `lcd` (the LCD rectangle in
// screen pixels). When no side of the panel has room, the tool goes beside the LCD instead; a
// tool larger than the screen starts at the screen's top left corner.
ScreenPoint PlaceToolBesidePanel(const ScreenRect& panel, const ScreenRect& lcd, int32_t width,
                                 int32_t height, const ScreenRect& screen);

}  // namespace panel
