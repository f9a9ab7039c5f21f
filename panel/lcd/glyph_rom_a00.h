// The fixed dot patterns of the character generator ROM A00: codes 0x20-0x7F and 0xA0-0xFF,
// eight rows each, bit 4 the leftmost dot.
#pragma once

#include <cstdint>

namespace panel {

constexpr int kRomA00BlockGlyphs = 96;  // 0x20-0x7F and 0xA0-0xFF: 96 codes each
constexpr int kRomA00GlyphRows = 8;
constexpr uint8_t kRomA00LowFirst = 0x20;
constexpr uint8_t kRomA00HighFirst = 0xA0;

extern const uint8_t kRomA00Low[kRomA00BlockGlyphs][kRomA00GlyphRows];
extern const uint8_t kRomA00High[kRomA00BlockGlyphs][kRomA00GlyphRows];

}  // namespace panel
