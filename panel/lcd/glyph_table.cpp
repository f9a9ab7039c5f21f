#include "panel/lcd/glyph_table.h"

#include <cstring>

#include "panel/lcd/glyph_rom_a00.h"

namespace panel {

namespace {

const uint8_t kBlankGlyph[kGlyphRows] = {0, 0, 0, 0, 0, 0, 0, 0};

// Rows 9-11 of the tall form of the descender characters.
struct DescenderRows {
  uint8_t code;
  uint8_t rows[kDescenderRows];
};
const DescenderRows kDescenders[] = {
    {0xE2, {0x10, 0x10, 0x10}}, {0xE4, {0x10, 0x10, 0x10}}, {0xE6, {0x10, 0x10, 0x10}},
    {0xE7, {0x01, 0x01, 0x0E}}, {0xEA, {0x02, 0x12, 0x0C}}, {0xF0, {0x10, 0x10, 0x10}},
    {0xF1, {0x01, 0x01, 0x01}}, {0xF9, {0x01, 0x01, 0x0E}},
};

// Chart placement: row labels at x 20, glyph columns from x 39 every 19 pixels; label row at
// y 20, glyph rows from y 40 every 24 pixels.
constexpr int32_t kChartLabelX = 20;
constexpr int32_t kChartLabelY = 20;
constexpr int32_t kChartFirstX = 39;
constexpr int32_t kChartFirstY = 40;
constexpr int32_t kChartStepX = 19;
constexpr int32_t kChartStepY = 24;

uint8_t HexDigitCode(int digit) {
  return static_cast<uint8_t>(digit < 10 ? 0x30 + digit : 0x41 + digit - 10);
}

}  // namespace

const uint8_t* RomA00Glyph(uint8_t code) {
  if (code >= kRomA00LowFirst && code < kRomA00LowFirst + kRomA00BlockGlyphs) {
    return kRomA00Low[code - kRomA00LowFirst];
  }
  if (code >= kRomA00HighFirst) return kRomA00High[code - kRomA00HighFirst];
  return kBlankGlyph;
}

void BuildGlyphTables(GlyphTable* glyphs, DescenderTable* descenders) {
  for (int code = 0; code < kGlyphCount; ++code) {
    const uint8_t* rom = RomA00Glyph(static_cast<uint8_t>(code));
    for (int row = 0; row < kGlyphRows; ++row) {
      glyphs->rows[code][row] = code < kUserGlyphCount ? kGlyphFullRow : rom[row];
    }
  }
  std::memset(descenders->rows, 0, sizeof(descenders->rows));
  for (const DescenderRows& entry : kDescenders) {
    for (int row = 0; row < kDescenderRows; ++row) {
      descenders->rows[entry.code][row] = entry.rows[row];
    }
  }
}

FontChartItem FontChartItemAt(int index, int32_t left, int32_t top) {
  if (index < 0 || index >= kFontChartItemCount) return FontChartItem{left, top, 0};
  if (index < 16) {
    return FontChartItem{left + kChartLabelX, top + kChartFirstY + kChartStepY * index,
                         HexDigitCode(index)};
  }
  if (index < 32) {
    const int k = index - 16;
    return FontChartItem{left + kChartFirstX + kChartStepX * k, top + kChartLabelY,
                         HexDigitCode(k)};
  }
  const int code = index - 32;
  return FontChartItem{left + kChartFirstX + kChartStepX * (code / 16),
                       top + kChartFirstY + kChartStepY * (code % 16),
                       static_cast<uint8_t>(code)};
}

}  // namespace panel
