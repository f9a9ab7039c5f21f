// The LCD's character generator: the dot patterns of all 256 character codes (16 user glyphs,
// ROM A00 of the HD44780U), the extra rows of the tall 5x11 descender characters, and the
// geometry of the font table chart that the font table window paints.
//
// A glyph row is a 32-bit word whose five low bits are dots: bit 4 leftmost, bit 0 rightmost.
#pragma once

#include <cstdint>

namespace panel {

constexpr int kGlyphCount = 256;      // one glyph per character code
constexpr int kGlyphRows = 8;         // rows of one glyph, top row first
constexpr int kUserGlyphCount = 16;   // codes 0x00-0x0F
constexpr int kDescenderRows = 3;     // rows 9-11 of a tall character, kept in rows 0-2
constexpr uint32_t kGlyphFullRow = 0x1F;

// Codes that read as text outside the display: those the ROM shares with ASCII (0x7E and 0x7F
// are arrows in it) and the degree sign.
constexpr uint8_t kLcdFirstAsciiCode = 0x20;
constexpr uint8_t kLcdLastAsciiCode = 0x7D;
constexpr uint8_t kLcdDegreeCode = 0xDF;

struct GlyphTable {
  uint32_t rows[kGlyphCount][kGlyphRows];
};

// Rows 9 to 11 of the tall form of a character (5x11 mode, codes 0x10 and above) in rows 0-2;
// rows 3-7 are always empty. The entry of 0xFF is kept empty.
struct DescenderTable {
  uint32_t rows[kGlyphCount][kGlyphRows];
};

// Fills both tables: user glyphs become full blocks, 0x10-0x1F and 0x80-0x9F blank, the rest the
// ROM A00 5x8 patterns; descender rows for 0xE2 0xE4 0xE6 0xE7 0xEA 0xF0 0xF1 0xF9.
void BuildGlyphTables(GlyphTable* glyphs, DescenderTable* descenders);

// The ROM A00 5x8 pattern of a code (user glyph codes give blank rows: the ROM has none).
const uint8_t* RomA00Glyph(uint8_t code);

// Font table chart: every dot a 2x2 square, black dots on white, 16 row labels ("0"-"9",
// "A"-"F"), 16 column labels, then all 256 glyphs (upper eight rows only).
constexpr int kFontChartDotSize = 2;
constexpr int kFontChartDotColour = 1;         // ColourTable "Black"
constexpr int kFontChartBackgroundColour = 12; // ColourTable "White"
constexpr int kFontChartItemCount = 16 + 16 + kGlyphCount;

struct FontChartItem {
  int32_t x;     // device pixels, top-left of the glyph
  int32_t y;
  uint8_t code;  // glyph of the GlyphTable drawn there
};

// Item index 0-15: row labels, 16-31: column labels, 32-287: glyph (index - 32). (left, top) is
// the top-left corner of the window's client area. An index outside 0..287 gives code 0 at
// (left, top).
FontChartItem FontChartItemAt(int index, int32_t left, int32_t top);

}  // namespace panel
