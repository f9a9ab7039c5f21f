#include "panel/lcd/colour_table.h"

#include <cstddef>

namespace panel {

namespace {

const ColourTable kColourTable = {{
    {"Blue", 0, 0, 0, 255},
    {"Black", 1, 0, 0, 0},
    {"Green", 2, 0, 255, 0},
    {"Cyan", 3, 0, 255, 255},
    {"Red", 4, 255, 0, 0},
    {"Magenta", 5, 255, 0, 255},
    {"Yellow", 6, 255, 255, 0},
    {"Gray 50", 7, 192, 192, 192},
    {"Gray", 8, 128, 128, 128},
    {"Metall", 9, 177, 200, 207},
    {"Amber", 10, 190, 120, 75},
    {"Yellow-Green", 11, 215, 240, 25},
    {"White", 12, 255, 255, 255},
    {"Bl On", 13, 200, 240, 237},
    {"Bl Off", 14, 13, 140, 140},
    {"Backlight off", 15, 69, 69, 69},
    {"LCD Green", 16, 0, 255, 128},
    {"Backlight on", 17, 128, 255, 0},
    {nullptr, kNoColour, 0, 0, 0},
}};

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// True when `name` equals the start of `entry` over the length of `name`, ignoring case.
bool MatchesOverLength(const char* entry, const char* name) {
  for (std::size_t i = 0; name[i] != '\0'; ++i) {
    if (entry[i] == '\0' || LowerAscii(entry[i]) != LowerAscii(name[i])) return false;
  }
  return true;
}

const ColourEntry* FindEntry(int32_t index) {
  for (const ColourEntry& entry : kColourTable.entries) {
    if (entry.name == nullptr) return nullptr;
    if (entry.index == index) return &entry;
  }
  return nullptr;
}

}  // namespace

const ColourTable* GetColourTable() { return &kColourTable; }

int32_t FindColour(const char* name) {
  if (name == nullptr) return kNoColour;
  for (const ColourEntry& entry : kColourTable.entries) {
    if (entry.name == nullptr) break;
    if (MatchesOverLength(entry.name, name)) return entry.index;
  }
  return kNoColour;
}

const char* GetColourName(int32_t index) {
  const ColourEntry* entry = FindEntry(index);
  return entry != nullptr ? entry->name : nullptr;
}

uint32_t ColourPixel(int32_t index) {
  const ColourEntry* entry = FindEntry(index);
  if (entry == nullptr) return 0;
  return (uint32_t{entry->red} << 16) | (uint32_t{entry->green} << 8) | entry->blue;
}

uint32_t ColourRef(int32_t index) {
  const ColourEntry* entry = FindEntry(index);
  if (entry == nullptr) return 0;
  return (uint32_t{entry->blue} << 16) | (uint32_t{entry->green} << 8) | entry->red;
}

}  // namespace panel
