#include <gtest/gtest.h>

#include "lcd_test_support.h"
#include "panel/lcd/glyph_table.h"

using namespace panel;

namespace {

void ExpectRows(const uint32_t* actual, std::initializer_list<uint32_t> expected) {
  int row = 0;
  for (uint32_t value : expected) {
    EXPECT_EQ(actual[row], value) << "row " << row;
    ++row;
  }
}

class GlyphTableTest : public LcdTest {
 protected:
  const GlyphTable& glyphs() { return *LcdGetGlyphTable(); }
  const DescenderTable& descenders() { return *LcdGetDescenderTable(); }
};

TEST_F(GlyphTableTest, UserGlyphsAreFullBlocksAndGapsBlank) {
  for (int code = 0; code < 16; ++code) {
    ExpectRows(glyphs().rows[code], {0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F});
  }
  for (int code : {0x10, 0x1F, 0x20, 0x80, 0x9F, 0xA0, 0xFE}) {
    ExpectRows(glyphs().rows[code], {0, 0, 0, 0, 0, 0, 0, 0});
  }
}

TEST_F(GlyphTableTest, TellingGlyphs) {
  // "A" has its bar on the fourth row.
  ExpectRows(glyphs().rows[0x41], {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11, 0x00});
  ExpectRows(glyphs().rows[0x30], {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E, 0x00});
  ExpectRows(glyphs().rows[0xDF], {0x1C, 0x14, 0x1C, 0, 0, 0, 0, 0});
  ExpectRows(glyphs().rows[0xE7], {0x00, 0x00, 0x0F, 0x11, 0x11, 0x11, 0x0F, 0x01});
  ExpectRows(glyphs().rows[0xFF], {0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F});
  // The non-ASCII codes of the lower half: yen sign, right and left arrows.
  ExpectRows(glyphs().rows[0x5C], {0x11, 0x0A, 0x1F, 0x04, 0x1F, 0x04, 0x04, 0x00});
  ExpectRows(glyphs().rows[0x7E], {0x00, 0x04, 0x02, 0x1F, 0x02, 0x04, 0x00, 0x00});
  ExpectRows(glyphs().rows[0x7F], {0x00, 0x04, 0x08, 0x1F, 0x08, 0x04, 0x00, 0x00});
  ExpectRows(glyphs().rows[0x67], {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E, 0x00});
}

TEST_F(GlyphTableTest, OnlyDescendersAndBlockUseTheEighthRow) {
  for (int code = 0x20; code <= 0xFF; ++code) {
    const bool may_use = code == 0xE2 || code == 0xE4 || code == 0xE6 || code == 0xE7 ||
                         code == 0xEA || code == 0xF0 || code == 0xF1 || code == 0xF9 ||
                         code == 0xFF;
    if (!may_use) {
      EXPECT_EQ(glyphs().rows[code][7], 0u) << std::hex << code;
    }
  }
  for (int code : {0xE2, 0xE4, 0xE6, 0xE7, 0xEA, 0xF0, 0xF1, 0xF9, 0xFF}) {
    EXPECT_NE(glyphs().rows[code][7], 0u) << std::hex << code;
  }
}

TEST_F(GlyphTableTest, DescenderTableHoldsExactlyEightEntries) {
  ExpectRows(descenders().rows[0xE2], {0x10, 0x10, 0x10, 0, 0, 0, 0, 0});
  ExpectRows(descenders().rows[0xE4], {0x10, 0x10, 0x10, 0, 0, 0, 0, 0});
  ExpectRows(descenders().rows[0xE6], {0x10, 0x10, 0x10, 0, 0, 0, 0, 0});
  ExpectRows(descenders().rows[0xE7], {0x01, 0x01, 0x0E, 0, 0, 0, 0, 0});
  ExpectRows(descenders().rows[0xEA], {0x02, 0x12, 0x0C, 0, 0, 0, 0, 0});
  ExpectRows(descenders().rows[0xF0], {0x10, 0x10, 0x10, 0, 0, 0, 0, 0});
  ExpectRows(descenders().rows[0xF1], {0x01, 0x01, 0x01, 0, 0, 0, 0, 0});
  ExpectRows(descenders().rows[0xF9], {0x01, 0x01, 0x0E, 0, 0, 0, 0, 0});
  int non_empty = 0;
  for (int code = 0; code < kGlyphCount; ++code) {
    for (int row = 0; row < kGlyphRows; ++row) {
      if (descenders().rows[code][row] != 0) {
        ++non_empty;
        break;
      }
    }
  }
  EXPECT_EQ(non_empty, 8);
}

TEST_F(GlyphTableTest, RebuildDiscardsUserGlyphs) {
  LcdGetGlyphTable()->rows[3][2] = 0x0A;
  LcdGetDescenderTable()->rows[0x41][0] = 0x1F;
  LcdInit();
  EXPECT_EQ(glyphs().rows[3][2], 0x1Fu);
  EXPECT_EQ(descenders().rows[0x41][0], 0u);
}

TEST_F(GlyphTableTest, ChartPlacesGlyphsByHexDigits) {
  const FontChartItem a = FontChartItemAt(32 + 0x41, 100, 50);
  EXPECT_EQ(a.code, 0x41);
  EXPECT_EQ(a.x, 100 + 39 + 19 * 4);  // fifth column: high digit 4
  EXPECT_EQ(a.y, 50 + 40 + 24 * 1);   // second row: low digit 1
  const FontChartItem last = FontChartItemAt(kFontChartItemCount - 1, 0, 0);
  EXPECT_EQ(last.code, 0xFF);
  EXPECT_EQ(last.x, 39 + 19 * 15);
  EXPECT_EQ(last.y, 40 + 24 * 15);
}

TEST_F(GlyphTableTest, ChartLabelsAreHexDigitGlyphs) {
  const FontChartItem row9 = FontChartItemAt(9, 0, 0);
  EXPECT_EQ(row9.code, '9');
  EXPECT_EQ(row9.x, 20);
  EXPECT_EQ(row9.y, 40 + 24 * 9);
  const FontChartItem row_a = FontChartItemAt(10, 0, 0);
  EXPECT_EQ(row_a.code, 'A');
  const FontChartItem col_f = FontChartItemAt(16 + 15, 0, 0);
  EXPECT_EQ(col_f.code, 'F');
  EXPECT_EQ(col_f.x, 39 + 19 * 15);
  EXPECT_EQ(col_f.y, 20);
  const FontChartItem outside = FontChartItemAt(kFontChartItemCount, 7, 8);
  EXPECT_EQ(outside.code, 0);
  EXPECT_EQ(outside.x, 7);
}

}  // namespace
