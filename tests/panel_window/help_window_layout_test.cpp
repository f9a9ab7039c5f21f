// The help note's size-and-place rule: width from the text up to 80 characters, height raised to
// the next whole line, moved left or up at the screen's right and bottom edges.
#include <gtest/gtest.h>

#include "panel/window/help_window_layout.h"

namespace panel {
namespace {

constexpr HelpNoteMetrics kMetrics{8, 16, 12, 1024, 768};  // w 8, lh 16, cap 12

struct PlacementCase {
  const char* what;
  HelpNoteMetrics metrics;
  int32_t length;
  int32_t x;
  int32_t y;
  HelpNotePlacement expected;
};

const PlacementCase kCases[] = {
    {"100 characters: 652 x 32 of text, 658 x 38 of window", kMetrics, 100, 100, 100,
     {100, 100, 658, 38}},
    {"40 characters: 332 wide, 9 raised to one line", kMetrics, 40, 10, 20, {10, 20, 338, 22}},
    {"75 characters: 16 is a whole line already and grows by one", kMetrics, 75, 0, 0,
     {0, 0, 618, 38}},
    {"empty text: one capital width and one line", kMetrics, 0, 5, 5, {5, 5, 18, 22}},
    {"negative length counts as empty", kMetrics, -7, 5, 5, {5, 5, 18, 22}},
    {"200 characters: width stops at 80, 41 raised to 48", kMetrics, 200, 0, 0,
     {0, 0, 658, 54}},
    {"right edge exactly reached: stays", kMetrics, 100, 364, 0, {364, 0, 658, 38}},
    {"one pixel beyond the right edge: moved left", kMetrics, 100, 365, 0, {348, 0, 658, 38}},
    {"near the right edge: ends two capital widths before it", kMetrics, 100, 900, 0,
     {348, 0, 658, 38}},
    {"bottom limit exactly reached: stays", kMetrics, 100, 0, 720, {0, 720, 658, 38}},
    {"one pixel below the limit: moved up", kMetrics, 100, 0, 721, {0, 704, 658, 38}},
    {"bottom right corner: moved both ways", kMetrics, 100, 1000, 760, {348, 704, 658, 38}},
    {"line height 0 counts as 1 (no division by zero)", {8, 0, 12, 1024, 768}, 100, 0, 0,
     {0, 0, 658, 9}},
};

TEST(HelpWindowLayout, PlacesTheNoteByItsRule) {
  for (const PlacementCase& c : kCases) {
    const HelpNotePlacement p = PlaceHelpNote(c.metrics, c.length, c.x, c.y);
    EXPECT_EQ(p.x, c.expected.x) << c.what;
    EXPECT_EQ(p.y, c.expected.y) << c.what;
    EXPECT_EQ(p.width, c.expected.width) << c.what;
    EXPECT_EQ(p.height, c.expected.height) << c.what;
  }
}

TEST(HelpWindowLayout, CapitalWidthIsOneAndAHalfAverageWidthsOnlyForVariablePitch) {
  EXPECT_EQ(HelpNoteCapitalWidth(8, true), 12);
  EXPECT_EQ(HelpNoteCapitalWidth(7, true), 10);  // 21 / 2, integer arithmetic
  EXPECT_EQ(HelpNoteCapitalWidth(8, false), 8);
  EXPECT_EQ(HelpNoteCapitalWidth(7, false), 7);
}

}  // namespace
}  // namespace panel
