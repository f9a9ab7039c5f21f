// Placement of a tool window beside the panel window.
#include "panel/window/tool_window_placement.h"

namespace panel {

namespace {

// Moves the corner so that a window of the size lies on the screen; a window larger than the
// screen keeps the screen's left or top edge.
int32_t ClampAxis(int64_t start, int32_t size, int32_t screen_start, int32_t screen_end) {
  const int64_t last = static_cast<int64_t>(screen_end) - size;
  if (start > last) start = last;
  if (start < screen_start) start = screen_start;
  return static_cast<int32_t>(start);
}

ScreenPoint ClampOnScreen(int64_t x, int64_t y, int32_t width, int32_t height,
                          const ScreenRect& screen) {
  return ScreenPoint{ClampAxis(x, width, screen.left, screen.right),
                     ClampAxis(y, height, screen.top, screen.bottom)};
}

bool Overlaps(ScreenPoint corner, int32_t width, int32_t height, const ScreenRect& area) {
  const int64_t right = static_cast<int64_t>(corner.x) + width;
  const int64_t bottom = static_cast<int64_t>(corner.y) + height;
  return corner.x < area.right && area.left < right && corner.y < area.bottom && area.top < bottom;
}

bool WithinAxis(int64_t start, int32_t size, int32_t screen_start, int32_t screen_end) {
  return start >= screen_start && start + size <= screen_end;
}

enum class Side : uint8_t { kRight, kBelow, kLeft, kAbove };

// The corner on one side of `beside`, aligned with its left or top edge; `room` says whether the
// screen has the space on that side (the other axis is clamped onto the screen).
ScreenPoint CornerBeside(const ScreenRect& beside, Side side, int32_t width, int32_t height,
                         const ScreenRect& screen, bool* room) {
  int64_t x = beside.left;
  int64_t y = beside.top;
  switch (side) {
    case Side::kRight:
      x = beside.right;
      *room = WithinAxis(x, width, screen.left, screen.right);
      break;
    case Side::kBelow:
      y = beside.bottom;
      *room = WithinAxis(y, height, screen.top, screen.bottom);
      break;
    case Side::kLeft:
      x = static_cast<int64_t>(beside.left) - width;
      *room = WithinAxis(x, width, screen.left, screen.right);
      break;
    case Side::kAbove:
      y = static_cast<int64_t>(beside.top) - height;
      *room = WithinAxis(y, height, screen.top, screen.bottom);
      break;
  }
  return ClampOnScreen(x, y, width, height, screen);
}

constexpr Side kSidesInTurn[] = {Side::kRight, Side::kBelow, Side::kLeft, Side::kAbove};

}  // namespace

ScreenPoint PlaceToolBesidePanel(const ScreenRect& panel, const ScreenRect& lcd, int32_t width,
                                 int32_t height, const ScreenRect& screen) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  bool room = false;
  for (Side side : kSidesInTurn) {
    const ScreenPoint corner = CornerBeside(panel, side, width, height, screen, &room);
    if (room && !Overlaps(corner, width, height, lcd)) return corner;
  }
  // The panel fills the screen: beside the LCD, over the rest of the panel.
  for (Side side : kSidesInTurn) {
    const ScreenPoint corner = CornerBeside(lcd, side, width, height, screen, &room);
    if (!Overlaps(corner, width, height, lcd)) return corner;
  }
  return CornerBeside(panel, Side::kRight, width, height, screen, &room);
}

}  // namespace panel
