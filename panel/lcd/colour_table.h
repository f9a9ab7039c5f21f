// The 18 named colours that every colour setting of the panel indexes (LCD background and dots,
// LED on and off colours). Index -1 means none and is drawn black.
#pragma once

#include <cstdint>

namespace panel {

constexpr int kColourCount = 18;
constexpr int32_t kNoColour = -1;

struct ColourEntry {
  const char* name;  // null in the closing entry
  int32_t index;     // -1 in the closing entry
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

// The names in their fixed order as (name, index) pairs, closed by an entry without a name.
struct ColourTable {
  ColourEntry entries[kColourCount + 1];
};

const ColourTable* GetColourTable();

// Index of the first entry whose name equals `name` over the length of `name`, ignoring case;
// -1 when none matches or name is null. The empty text matches the first entry ("Blue").
int32_t FindColour(const char* name);

// Name of the entry with that index; null when no entry has it.
const char* GetColourName(int32_t index);

// 0x00RRGGBB, the layout of a 32-bit top-down DIB pixel; black for -1 and unknown indexes.
uint32_t ColourPixel(int32_t index);

// Win32 COLORREF layout 0x00BBGGRR (for GDI brushes and pens); black for unknown indexes.
uint32_t ColourRef(int32_t index);

}  // namespace panel
