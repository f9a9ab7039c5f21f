#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "lcd_test_support.h"
#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_render.h"

namespace {

using Rows = std::array<uint32_t, 8>;
constexpr uint32_t kUntouched = 0xDEADBEEF;  // no colour of the table
constexpr uint32_t kMixedDot = 0x80;         // a dot square with pixels of different colours

Rows RowsOf(const uint32_t* rows) {
  Rows out;
  for (int r = 0; r < 8; ++r) out[r] = rows[r] & 0x1F;
  return out;
}
Rows RowsOfCode(uint8_t code) { return RowsOf(LcdGetGlyphTable()->rows[code]); }
const Rows kBlank = {0, 0, 0, 0, 0, 0, 0, 0};
const Rows kBlock = {0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F};

int g_redraws = 0;
void CountRedraw(void*) { ++g_redraws; }

class LcdRenderTest : public LcdTest {
 protected:
  void SetUp() override {
    LcdTest::SetUp();
    LcdSetViewDefaults();
    PanelPlatform platform{};
    platform.redraw_lcd = &CountRedraw;
    InstallPanelPlatform(platform);
    g_redraws = 0;
    pixels_.assign(kWidth * kHeight, kUntouched);
    buffer_ = LcdPixelBuffer{0, 0, kWidth, kHeight, pixels_.data()};
    LcdFillDisplayMemory(' ');
  }
  void TearDown() override {
    LcdTest::TearDown();
  }

  void Draw() {
    std::fill(pixels_.begin(), pixels_.end(), kUntouched);
    LcdRasterise(&buffer_);
  }
  uint32_t At(int x, int y) const { return pixels_[y * kWidth + x]; }

  // Reads back the dots of a glyph drawn at (x, y): each p x p square must be all dot colour
  // (bit set) or all background colour (bit clear); anything else marks the row with kMixedDot.
  Rows ReadGlyph(int x, int y, int p = 2, uint32_t dot = ColourPixel(15),
                 uint32_t background = ColourPixel(17)) const {
    Rows rows{};
    for (int r = 0; r < 8; ++r) {
      for (int d = 0; d < 5; ++d) {
        bool all_dot = true;
        bool all_background = true;
        for (int py = 0; py < p; ++py) {
          for (int px = 0; px < p; ++px) {
            const uint32_t pixel = At(x + d * p + px, y + r * p + py);
            all_dot = all_dot && pixel == dot;
            all_background = all_background && pixel == background;
          }
        }
        if (all_dot) rows[r] |= 0x10u >> d;
        if (!all_dot && !all_background) rows[r] |= kMixedDot;
      }
    }
    return rows;
  }
  Rows CharAt(int row, int k) const {
    const LcdRect& cell = LcdGetView()->rows[row];
    return ReadGlyph(cell.left + 12 * k, cell.top);
  }
  void ExpectRowShows(int row, const std::vector<uint8_t>& codes) const {
    for (size_t k = 0; k < codes.size(); ++k) {
      EXPECT_EQ(CharAt(row, static_cast<int>(k)), RowsOfCode(codes[k])) << "row " << row
                                                                       << " char " << k;
    }
  }

  static constexpr int kWidth = 520;
  static constexpr int kHeight = 200;
  std::vector<uint32_t> pixels_;
  LcdPixelBuffer buffer_{};
};

TEST_F(LcdRenderTest, DefaultGeometryTwelvePixelCells) {
  EXPECT_EQ(LcdDotSize(), 2u);
  SendText("AB");
  Draw();
  EXPECT_EQ(CharAt(0, 0), RowsOfCode('A'));
  EXPECT_EQ(CharAt(0, 0)[3], 0x1Fu);  // the bar of "A" lies on the fourth dot row
  EXPECT_EQ(ReadGlyph(297, 120), RowsOfCode('B'));
  EXPECT_EQ(CharAt(0, 2), kBlank);
  // The empty dot column between characters and the line below the glyph are not drawn.
  for (int y = 120; y < 136; ++y) {
    EXPECT_EQ(At(295, y), kUntouched);
    EXPECT_EQ(At(296, y), kUntouched);
  }
  EXPECT_EQ(At(285, 136), kUntouched);
  EXPECT_EQ(At(284, 120), kUntouched);
  EXPECT_EQ(At(285, 120), ColourPixel(17));
  EXPECT_EQ(At(287, 120), ColourPixel(15));  // "A" row 0 = 0x0E: second dot on
}

TEST_F(LcdRenderTest, BoundsCoverTwoRowsOfSixteen) {
  const LcdRect bounds = LcdDrawBounds();
  EXPECT_EQ(bounds.left, 285);
  EXPECT_EQ(bounds.top, 120);
  EXPECT_EQ(bounds.right, 285 + 15 * 12 + 10);
  EXPECT_EQ(bounds.bottom, 138 + 16);
}

TEST_F(LcdRenderTest, DisplayOffShowsOnlyBackground) {
  SendText("AB");
  SendInstruction(0xC0);
  SendText("CD");
  SendInstruction(0x08);
  Draw();
  for (int row = 0; row < 2; ++row) {
    for (int k = 0; k < 16; ++k) EXPECT_EQ(CharAt(row, k), kBlank) << row << " " << k;
  }
  SendInstruction(0x0C);
  Draw();
  ExpectRowShows(0, {'A', 'B'});
  ExpectRowShows(1, {'C', 'D'});
}

TEST_F(LcdRenderTest, DisplayShiftMovesEveryRowAlongItsLine) {
  uint8_t* memory = LcdGetDisplayMemory();
  for (int i = 0; i < 40; ++i) {
    memory[i] = static_cast<uint8_t>(0x30 + i);
    memory[0x40 + i] = static_cast<uint8_t>(0x41 + i);
  }
  SendInstruction(0x18);
  Draw();
  std::vector<uint8_t> row0, row1;
  for (int k = 0; k < 16; ++k) {
    row0.push_back(memory[1 + k]);
    row1.push_back(memory[0x41 + k]);
  }
  ExpectRowShows(0, row0);
  ExpectRowShows(1, row1);
  SendInstruction(0x1C);
  SendInstruction(0x1C);  // shift 39
  Draw();
  row0 = {memory[39]};
  for (int k = 0; k < 15; ++k) row0.push_back(memory[k]);
  ExpectRowShows(0, row0);
  EXPECT_EQ(CharAt(1, 0), RowsOfCode(memory[0x40 + 39]));
  EXPECT_EQ(CharAt(1, 1), RowsOfCode(memory[0x40]));
}

TEST_F(LcdRenderTest, OneLineTallFontDrawsLowerPartsInRowOne) {
  SendInstruction(0x24);
  uint8_t* memory = LcdGetDisplayMemory();
  memory[0] = 0xE7;
  memory[1] = 'A';
  memory[0x40] = 'X';
  memory[0x41] = 'X';
  Draw();
  EXPECT_EQ(CharAt(0, 0), RowsOfCode(0xE7));
  EXPECT_EQ(CharAt(0, 1), RowsOfCode('A'));
  EXPECT_EQ(CharAt(1, 0), (Rows{0x01, 0x01, 0x0E, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CharAt(1, 1), kBlank);  // line 1 itself is not shown with one line
}

TEST_F(LcdRenderTest, FiveByEightOneLineShowsRowOneBlank) {
  LcdGetDisplayMemory()[0] = 0xE7;
  LcdGetDisplayMemory()[0x40] = 'X';
  Draw();
  EXPECT_EQ(CharAt(1, 0), RowsOfCode('X'));
  SendInstruction(0x20);
  Draw();
  EXPECT_EQ(CharAt(0, 0), RowsOfCode(0xE7));
  EXPECT_EQ(CharAt(1, 0), kBlank);  // every dot in the background colour, not left as it was
  EXPECT_EQ(At(285, 138), ColourPixel(17));
}

TEST_F(LcdRenderTest, TallUserCharacterTakesEvenAndOddGlyph) {
  SendInstruction(0x24);
  SendInstruction(0x40 | 0x20);  // glyph 4, row 0; then glyph 5
  uint8_t rows[16];
  for (int i = 0; i < 16; ++i) rows[i] = static_cast<uint8_t>(i + 1);
  LcdWriteString(rows, 16);
  SendInstruction(0x80);
  SendText(std::string(1, '\x05'));
  Draw();
  EXPECT_EQ(CharAt(0, 0), (Rows{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(CharAt(1, 0), (Rows{9, 10, 11, 12, 13, 14, 15, 16}));
}

TEST_F(LcdRenderTest, CustomGlyphShowsInFiveByEight) {
  const uint8_t smiley[8] = {0x00, 0x0A, 0x0A, 0x00, 0x11, 0x0E, 0x00, 0x00};
  SendInstruction(0x40);
  LcdWriteString(smiley, 8);
  SendInstruction(0x80);
  SendText(std::string("\x00\x08", 2));
  Draw();
  const Rows expected = {0x00, 0x0A, 0x0A, 0x00, 0x11, 0x0E, 0x00, 0x00};
  EXPECT_EQ(CharAt(0, 0), expected);
  EXPECT_EQ(CharAt(0, 1), expected);
  EXPECT_EQ(CharAt(0, 2), kBlank);
}

TEST_F(LcdRenderTest, SteadyUnderlineUnderTheAddressCounter) {
  SendText("ABCDE");
  SendInstruction(0x83);
  SendInstruction(0x0E);
  Draw();
  Rows d = RowsOfCode('D');
  d[7] = 0x1F;
  EXPECT_EQ(CharAt(0, 3), d);
  EXPECT_EQ(CharAt(0, 2), RowsOfCode('C'));
  EXPECT_EQ(LcdGetGlyphTable()->rows['D'][7], 0u);  // the stored glyph keeps its rows
  LcdBlinkTick();
  EXPECT_EQ(g_redraws, 0);
}

TEST_F(LcdRenderTest, BlinkAlternatesBlockAndUnderline) {
  SendText("ABCDE");
  SendInstruction(0x83);
  SendInstruction(0x0F);
  LcdBlinkTick();
  EXPECT_EQ(g_redraws, 1);
  Draw();
  EXPECT_EQ(CharAt(0, 3), kBlock);
  LcdBlinkTick();
  EXPECT_EQ(g_redraws, 2);
  Draw();
  Rows d = RowsOfCode('D');
  d[7] = 0x1F;
  EXPECT_EQ(CharAt(0, 3), d);
}

TEST_F(LcdRenderTest, BlinkWithoutCursorShowsNoCursor) {
  SendText("ABCDE");
  SendInstruction(0x83);
  SendInstruction(0x0D);
  for (int tick = 0; tick < 2; ++tick) {
    LcdBlinkTick();
    Draw();
    EXPECT_EQ(CharAt(0, 3), RowsOfCode('D')) << tick;
  }
  EXPECT_EQ(g_redraws, 2);
}

TEST_F(LcdRenderTest, BlinkOffForcesPhaseZeroAndRedrawsOnlyToClearAStaleBlock) {
  SendText("ABCDE");
  SendInstruction(0x83);
  SendInstruction(0x0F);
  LcdBlinkTick();
  EXPECT_EQ(lcd().blink_phase, 1);
  SendInstruction(0x0E);
  Draw();  // the frame's own redraw still shows the block of the current phase
  EXPECT_EQ(CharAt(0, 3), kBlock);
  LcdBlinkTick();
  EXPECT_EQ(lcd().blink_phase, 0);
  EXPECT_EQ(g_redraws, 2);  // the block gives way to the steady underline at once
  Draw();
  Rows d = RowsOfCode('D');
  d[7] = 0x1F;
  EXPECT_EQ(CharAt(0, 3), d);
  LcdBlinkTick();
  EXPECT_EQ(g_redraws, 2);  // with the phase already 0 nothing is drawn
}

TEST_F(LcdRenderTest, CursorOutsideTheVisibleWindowIsNotDrawn) {
  SendInstruction(0x80 | 20);
  SendInstruction(0x0E);
  Draw();
  for (int row = 0; row < 2; ++row) {
    for (int k = 0; k < 16; ++k) EXPECT_EQ(CharAt(row, k), kBlank) << row << " " << k;
  }
  for (int i = 0; i < 5; ++i) SendInstruction(0x18);  // positions 5..20 now visible
  Draw();
  Rows underline = kBlank;
  underline[7] = 0x1F;
  EXPECT_EQ(CharAt(0, 15), underline);
  EXPECT_EQ(CharAt(0, 14), kBlank);
}

TEST_F(LcdRenderTest, TallFontCursorUsesTheLowerPart) {
  SendInstruction(0x24);
  SendText("A");
  SendInstruction(0x80);
  SendInstruction(0x0F);
  Draw();
  EXPECT_EQ(CharAt(0, 0), RowsOfCode('A'));
  EXPECT_EQ(CharAt(1, 0), (Rows{0, 0, 0x1F, 0, 0, 0, 0, 0}));
  LcdBlinkTick();
  Draw();
  EXPECT_EQ(CharAt(0, 0), kBlock);
  EXPECT_EQ(CharAt(1, 0), (Rows{0x1F, 0x1F, 0x1F, 0, 0, 0, 0, 0}));
}

TEST_F(LcdRenderTest, EmptyRowRectanglesDrawNothing) {
  ASSERT_EQ(LcdGetLayout()->rows_drawn, 4);
  LcdFillDisplayMemory(0xFF);
  Draw();
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) ASSERT_EQ(At(x, y), kUntouched) << x << "," << y;
  }
}

TEST_F(LcdRenderTest, FourRowsContinueBothLines) {
  LcdGetView()->rows[2] = LcdRect{285, 156, 491, 172};
  LcdGetView()->rows[3] = LcdRect{285, 174, 491, 190};
  uint8_t* memory = LcdGetDisplayMemory();
  memory[0x10] = 'R';
  memory[0x1F] = 'S';
  memory[0x50] = 'T';
  Draw();
  EXPECT_EQ(CharAt(2, 0), RowsOfCode('R'));
  EXPECT_EQ(CharAt(2, 15), RowsOfCode('S'));
  EXPECT_EQ(CharAt(3, 0), RowsOfCode('T'));
}

TEST_F(LcdRenderTest, GlyphStartingPastTheRowLimitIsLeftOut) {
  LcdGetView()->rows[0].right = 470;  // cell 185 / 16 = 11, limit 470 - 5 = 465
  LcdFillDisplayMemory(0xFF);
  Draw();
  EXPECT_EQ(ReadGlyph(285 + 14 * 12, 120), kBlock);
  EXPECT_EQ(At(285 + 15 * 12, 120), kUntouched);
}

TEST_F(LcdRenderTest, DegenerateGeometryDrawsNothing) {
  LcdFillDisplayMemory(0xFF);
  LcdGetLayout()->characters_per_row = 0;
  Draw();
  EXPECT_EQ(At(285, 120), kUntouched);
  LcdGetLayout()->characters_per_row = 16;
  LcdGetView()->rows[0] = LcdRect{491, 120, 285, 136};  // reversed
  Draw();
  EXPECT_EQ(At(285, 138), kUntouched);
  const LcdRect bounds = LcdDrawBounds();
  EXPECT_EQ(bounds.right - bounds.left, 0);
}

TEST_F(LcdRenderTest, BufferClipsDotsOutsideIt) {
  LcdFillDisplayMemory(0xFF);
  std::vector<uint32_t> small(20 * 10, kUntouched);
  LcdPixelBuffer part{290, 125, 20, 10, small.data()};
  LcdRasterise(&part);
  EXPECT_EQ(small[0], ColourPixel(15));           // (290,125): dot of character 0
  EXPECT_EQ(small[5], kUntouched);                // (295,125): gap column
  EXPECT_EQ(small[9 * 20 + 19], ColourPixel(15));  // (309,134): dot of character 2
}

TEST_F(LcdRenderTest, DrawGlyphUsesSquareRootOfDotAreaAndFiveLowBits) {
  const uint32_t rows[8] = {0x11, 0xFFFFFFE0, 0, 0, 0, 0, 0, 0x1F};
  LcdDrawGlyph(&buffer_, LcdRect{0, 0, 200, 20}, 10, 20, rows, 10, true);  // p = 3
  const Rows read = ReadGlyph(10, 20, 3);
  EXPECT_EQ(read, (Rows{0x11, 0, 0, 0, 0, 0, 0, 0x1F}));
  EXPECT_EQ(At(25, 20), kUntouched);
  LcdDrawGlyph(&buffer_, LcdRect{0, 0, 200, 20}, 10, 20, rows, 10, false);
  EXPECT_EQ(ReadGlyph(10, 20, 3), kBlank);
}

TEST_F(LcdRenderTest, NoColourDrawsBlack) {
  LcdGetView()->dot_colour = kNoColour;
  SendText("A");
  Draw();
  EXPECT_EQ(At(287, 120), 0u);
}

TEST_F(LcdRenderTest, FontChartShowsGlyphsBlackOnWhite) {
  std::vector<uint32_t> chart(kWidth * 500, kUntouched);  // rows as wide as At() reads
  LcdPixelBuffer chart_buffer{0, 0, kWidth, 500, chart.data()};
  FontChartRasterise(&chart_buffer, 0, 0);
  pixels_.swap(chart);
  const uint32_t black = ColourPixel(1);
  const uint32_t white = ColourPixel(12);
  EXPECT_EQ(black, 0u);
  EXPECT_EQ(ReadGlyph(39 + 19 * 4, 40 + 24 * 1, 2, black, white), RowsOfCode(0x41));
  EXPECT_EQ(ReadGlyph(20, 40 + 24 * 10, 2, black, white), RowsOfCode('A'));
  EXPECT_EQ(ReadGlyph(39, 40, 2, black, white), kBlock);  // user glyph 0
  EXPECT_EQ(pixels_[0], kUntouched);
}

}  // namespace

namespace {

// Rasterises the current LCD into a buffer covering the whole drawing area at once (glyphs go
// the unclipped way) or as one-pixel-high strips (every glyph is clipped dot by dot).
std::vector<uint32_t> RasteriseWhole(const LcdRect& bounds) {
  const int32_t width = bounds.right - bounds.left;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * (bounds.bottom - bounds.top),
                               kUntouched);
  LcdPixelBuffer buffer{bounds.left, bounds.top, width, bounds.bottom - bounds.top,
                        pixels.data()};
  LcdRasterise(&buffer);
  return pixels;
}

std::vector<uint32_t> RasteriseInStrips(const LcdRect& bounds) {
  const int32_t width = bounds.right - bounds.left;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * (bounds.bottom - bounds.top),
                               kUntouched);
  for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
    LcdPixelBuffer strip{bounds.left, y, width, 1,
                         pixels.data() + static_cast<size_t>(y - bounds.top) * width};
    LcdRasterise(&strip);
  }
  return pixels;
}

}  // namespace

TEST_F(LcdRenderTest, WholeBufferAndClippedStripsGiveTheSamePixelsForEveryDotSize) {
  for (uint8_t code = 0; code < 80; ++code) LcdGetDisplayMemory()[code] = 0x21 + code;
  LcdWrite(0, 0x0F);  // display on, cursor, blink
  for (int32_t dot = 1; dot <= 6; ++dot) {
    LcdView* view = LcdGetView();
    view->rows[0] = LcdRect{3, 2, 3 + 16 * 5 * dot, 2 + 8 * dot};
    view->rows[1] = LcdRect{3, 3 + 9 * dot, 3 + 16 * 5 * dot, 3 + 17 * dot};
    ASSERT_EQ(LcdDotSize(), static_cast<uint32_t>(dot));
    const LcdRect bounds = LcdDrawBounds();
    ASSERT_GT(bounds.right - bounds.left, 0);
    EXPECT_EQ(RasteriseWhole(bounds), RasteriseInStrips(bounds)) << "dot size " << dot;
  }
}
