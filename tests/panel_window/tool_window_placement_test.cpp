// The LCD test tool's place beside the panel window: right of it, below it when the right has no
// room, then left and above; beside the LCD when the panel fills the screen; on the screen always.
#include "panel/window/tool_window_placement.h"

#include <gtest/gtest.h>

using namespace panel;

namespace {

constexpr ScreenRect kScreen = {0, 0, 1280, 1024};
// The tool's frame as Wine draws it (387 x 228 dialog units in MS Sans Serif 8).
constexpr int32_t kToolWidth = 587;
constexpr int32_t kToolHeight = 396;

struct PlacementCase {
  const char* what;
  ScreenRect panel;
  ScreenRect lcd;
  int32_t width;
  int32_t height;
  ScreenRect screen;
  ScreenPoint expected;
};

bool Overlaps(ScreenPoint p, int32_t width, int32_t height, const ScreenRect& r) {
  return p.x < r.right && r.left < p.x + width && p.y < r.bottom && r.top < p.y + height;
}

TEST(ToolWindowPlacement, RightThenBelowThenLeftThenAboveThenBesideTheLcd) {
  const PlacementCase cases[] = {
      {"room on the right", {100, 100, 500, 400}, {200, 200, 300, 240}, kToolWidth, kToolHeight,
       kScreen, {500, 100}},
      {"the panel at its creation place: below", {500, 100, 1280, 550}, {783, 240, 1007, 282},
       kToolWidth, kToolHeight, kScreen, {500, 550}},
      {"right, moved up onto the screen", {100, 900, 500, 1000}, {200, 920, 300, 960}, 300, 200,
       kScreen, {500, 824}},
      {"below, moved left onto the screen", {900, 100, 1200, 400}, {950, 200, 1100, 240}, 400,
       300, kScreen, {880, 400}},
      {"neither right nor below: left", {700, 700, 1280, 1024}, {800, 800, 1000, 850}, 400, 300,
       kScreen, {300, 700}},
      {"only above", {0, 400, 1280, 1024}, {500, 600, 700, 650}, 400, 300, kScreen, {0, 100}},
      {"the panel fills the screen: right of the LCD", {0, 0, 1280, 1024}, {500, 400, 700, 450},
       400, 300, kScreen, {700, 400}},
      {"the LCD leaves room only below it", {0, 0, 1280, 1024}, {0, 0, 1280, 500}, 400, 300,
       kScreen, {0, 500}},
      {"no place off the LCD: on the screen all the same", {0, 0, 1280, 1024},
       {100, 100, 1200, 1000}, 400, 300, kScreen, {880, 0}},
      {"larger than the screen: its top left corner", {100, 100, 500, 400}, {200, 200, 300, 240},
       2000, 1500, kScreen, {0, 0}},
      {"a monitor left of the main one", {-800, 100, -100, 500}, {-600, 200, -400, 240}, 300, 200,
       {-1280, 0, 0, 1024}, {-800, 500}},
      {"a panel partly off the screen", {1100, -50, 1500, 300}, {1200, 50, 1400, 90}, 300, 200,
       kScreen, {980, 300}},
  };
  for (const PlacementCase& c : cases) {
    const ScreenPoint corner = PlaceToolBesidePanel(c.panel, c.lcd, c.width, c.height, c.screen);
    EXPECT_EQ(corner.x, c.expected.x) << c.what;
    EXPECT_EQ(corner.y, c.expected.y) << c.what;
    if (c.width <= c.screen.right - c.screen.left && c.height <= c.screen.bottom - c.screen.top) {
      EXPECT_GE(corner.x, c.screen.left) << c.what;
      EXPECT_GE(corner.y, c.screen.top) << c.what;
      EXPECT_LE(corner.x + c.width, c.screen.right) << c.what;
      EXPECT_LE(corner.y + c.height, c.screen.bottom) << c.what;
    }
  }
  EXPECT_FALSE(Overlaps(cases[1].expected, kToolWidth, kToolHeight, cases[1].lcd));
}

}  // namespace
