// Where the LCD sits on the panel: the creation values, the fixed device layout, the row
// rectangles computed from the LCD rectangle, and the LCD following the window's size.
#include "panel/window/panel_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>

#include "panel/core/panel_platform.h"
#include "panel/lcd/lcd_render.h"
#include "panel/link/panel_settings.h"

// Found by argument-dependent lookup, so beside LcdRect.
namespace panel {

bool operator==(const LcdRect& a, const LcdRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const LcdRect& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

}  // namespace panel

using namespace panel;

namespace {

class PanelLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPanelLibraryForTests();
    ResetPanelLcdView();
  }
  void TearDown() override { ResetPanelLibraryForTests(); }
  LcdView& view() { return *LcdGetView(); }
};

TEST_F(PanelLayoutTest, CreationValues) {
  EXPECT_EQ(view().lcd, (LcdRect{275, 115, 499, 157}));
  EXPECT_EQ(view().rows[0], (LcdRect{285, 120, 491, 136}));
  EXPECT_EQ(view().rows[1], (LcdRect{285, 138, 491, 152}));
  const PanelLcdGeometry& geometry = GetPanelLcdGeometry();
  EXPECT_EQ(geometry.x_offset, 0);
  EXPECT_EQ(geometry.rows, 2);
  EXPECT_EQ(geometry.characters_per_row, 16);
  EXPECT_EQ(geometry.lcd_width, 224);
  EXPECT_EQ(geometry.lcd_height, 42);
  EXPECT_EQ(geometry.panel_colour, 12);
  EXPECT_EQ(geometry.button_colour, 0);
  EXPECT_EQ(geometry.panel_text_colour, 12);
}

TEST_F(PanelLayoutTest, FixedLayoutAndItsSettings) {
  view().lcd = LcdRect{1, 2, 3, 4};
  int32_t lcd_rect[4] = {};
  ApplyFixedLcdLayout(lcd_rect);
  EXPECT_EQ(view().lcd, (LcdRect{275, 115, 499, 157}));
  EXPECT_EQ(GetPanelLcdGeometry().x_offset, 10);
  EXPECT_EQ(lcd_rect[0], 275);
  EXPECT_EQ(lcd_rect[3], 157);
  PanelSettings& settings = GetPanelSettings();
  settings.Parity = 2;
  ApplyFixedLayoutSettings(&settings, lcd_rect);
  EXPECT_EQ(settings.RegistrySet, 1);
  EXPECT_EQ(settings.IFaceType, 0);
  EXPECT_EQ(settings.CommPort, 1);
  EXPECT_EQ(settings.Baud, 4800);
  EXPECT_EQ(settings.DBits, 8);
  EXPECT_EQ(settings.SBits, 1);
  EXPECT_EQ(settings.Parity, 2);  // kept
  EXPECT_EQ(settings.LcdRect[2], 499);
  EXPECT_STREQ(settings.FileCfg, "rk52.cfg");
  EXPECT_STREQ(settings.FileBmp, "rk52.bmp");
  std::snprintf(settings.FileBmp, sizeof settings.FileBmp, "front.bmp");
  ApplyFixedLayoutSettings(&settings, lcd_rect);
  EXPECT_STREQ(settings.FileBmp, "front.bmp");  // only an empty name is filled in
}

// h = (bottom - top) / rows; row i: left + x offset + 5, top + i h + 5, right - glyph width - 5,
// top + (i + 1) h - 5.
TEST_F(PanelLayoutTest, RowRectanglesFollowTheLcdRectangle) {
  int32_t lcd_rect[4];
  ApplyFixedLcdLayout(lcd_rect);  // x offset 10; LCD 275,115,499,157: h = 21
  ComputeRowRectangles();
  EXPECT_EQ(view().rows[0], (LcdRect{290, 120, 489, 131}));
  EXPECT_EQ(view().rows[1], (LcdRect{290, 141, 489, 152}));
  EXPECT_EQ(view().rows[2], (LcdRect{0, 0, 0, 0}));

  GetPanelLcdGeometry().rows = 4;
  view().glyph_width = 6;
  view().lcd = LcdRect{100, 10, 300, 90};  // h = 20
  ComputeRowRectangles();
  EXPECT_EQ(view().rows[0], (LcdRect{115, 15, 289, 25}));
  EXPECT_EQ(view().rows[3], (LcdRect{115, 75, 289, 85}));
}

TEST_F(PanelLayoutTest, RowRectanglesAreLeftAloneWithoutAnLcdOrRows) {
  const LcdRect before = view().rows[0];
  struct Case {
    LcdRect lcd;
    int32_t rows;
  };
  const Case cases[] = {
      {{0, 115, 224, 157}, 2},    // left must be above 0
      {{-5, 115, 219, 157}, 2},
      {{275, 115, 499, 157}, 0},  // an LCD type with 0 rows
  };
  for (const Case& c : cases) {
    view().lcd = c.lcd;
    GetPanelLcdGeometry().rows = c.rows;
    ComputeRowRectangles();
    EXPECT_EQ(view().rows[0], before) << c.lcd << " rows " << c.rows;
  }
}

// Rectangles from a hostile area file or a tiny LCD type: no overflow (UBSan checks), rows only
// where they lie in the 32-bit plane, the moved LCD and its frame held there too.
TEST_F(PanelLayoutTest, AnyLcdRectangleIsSafe) {
  const LcdRect before = view().rows[0];
  struct Case {
    LcdRect lcd;
    bool rows_computed;
  };
  const Case cases[] = {
      {{300, 120, 290, 110}, false},                     // upside down
      {{300, 120, 301, 121}, true},                      // smaller than the insets
      {{1, INT32_MIN, INT32_MAX, INT32_MAX}, true},      // the tallest: its rows still fit
      {{INT32_MAX, 0, INT32_MIN, 40}, false},            // left + inset beyond 32 bits
      {{1, INT32_MAX - 3, INT32_MIN, INT32_MAX}, false},  // top + inset beyond 32 bits
      {{1, -100, INT32_MIN, 100}, false},                // right - glyph - inset below 32 bits
  };
  for (const Case& c : cases) {
    view().rows[0] = before;
    GetPanelLcdGeometry().x_offset = 10;
    const int32_t saved[4] = {c.lcd.left, c.lcd.top, c.lcd.right, c.lcd.bottom};
    RestoreSavedLcdRectangle(saved);
    EXPECT_EQ(view().rows[0] == before, !c.rows_computed) << c.lcd;
    int32_t left, top, right, bottom;
    EXPECT_TRUE(LcdFrameRect(&left, &top, &right, &bottom));
    MovePanelLcd(INT32_MAX, INT32_MIN);
    MovePanelLcd(INT32_MIN, INT32_MAX);
  }
  // Smaller than the insets: computed as the format says, a row that is upside down.
  const int32_t tiny[4] = {300, 120, 301, 121};
  RestoreSavedLcdRectangle(tiny);
  EXPECT_EQ(view().rows[0], (LcdRect{315, 125, 291, 115}));
}

TEST_F(PanelLayoutTest, MoreRowsThanTheViewHoldsComputeOnlyFour) {
  GetPanelLcdGeometry().rows = 6;
  view().lcd = LcdRect{100, 0, 300, 120};  // h = 20
  ComputeRowRectangles();
  EXPECT_EQ(view().rows[3], (LcdRect{105, 65, 290, 75}));
}

TEST_F(PanelLayoutTest, LcdMovesWithTheWindowSizeAndKeepsItsSize) {
  MovePanelLcd(30, -10);  // the window grew 30 wide and shrank 10 high
  EXPECT_EQ(view().lcd, (LcdRect{305, 105, 529, 147}));
  EXPECT_EQ(view().rows[0], (LcdRect{310, 110, 519, 121}));
  EXPECT_EQ(view().rows[1], (LcdRect{310, 131, 519, 142}));
  // Right and bottom follow the kept size, whatever the rectangle held before.
  view().lcd.right = 9999;
  MovePanelLcd(-30, 10);
  EXPECT_EQ(view().lcd, (LcdRect{275, 115, 499, 157}));
  EXPECT_EQ(view().rows[0], (LcdRect{280, 120, 489, 131}));
  // Pushed to the left edge: the LCD moves, its rows stay where they were.
  MovePanelLcd(-275, 0);
  EXPECT_EQ(view().lcd, (LcdRect{0, 115, 224, 157}));
  EXPECT_EQ(view().rows[0], (LcdRect{280, 120, 489, 131}));
}

// Loading the panel with an area configuration: the LCD takes the saved rectangle and its size,
// and the rows follow; a later resize moves it with that size.
TEST_F(PanelLayoutTest, SavedLcdRectangleIsTakenWithItsSizeAndRows) {
  const int32_t saved[4] = {100, 10, 300, 52};  // h = 21 for the two default rows
  RestoreSavedLcdRectangle(saved);
  EXPECT_EQ(view().lcd, (LcdRect{100, 10, 300, 52}));
  EXPECT_EQ(GetPanelLcdGeometry().lcd_width, 200);
  EXPECT_EQ(GetPanelLcdGeometry().lcd_height, 42);
  EXPECT_EQ(view().rows[0], (LcdRect{105, 15, 290, 26}));
  EXPECT_EQ(view().rows[1], (LcdRect{105, 36, 290, 47}));
  MovePanelLcd(10, 0);
  EXPECT_EQ(view().lcd, (LcdRect{110, 10, 310, 52}));
  // A saved rectangle at the left edge (an area file without an LCD) leaves the rows alone.
  const int32_t none[4] = {0, 0, 0, 0};
  RestoreSavedLcdRectangle(none);
  EXPECT_EQ(view().lcd, (LcdRect{0, 0, 0, 0}));
  EXPECT_EQ(view().rows[0], (LcdRect{115, 15, 300, 26}));
}

}  // namespace
