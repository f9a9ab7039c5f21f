#include <gtest/gtest.h>

#include <cstring>

#include "panel/lcd/colour_table.h"

using namespace panel;

namespace {

TEST(ColourTable, FindColourComparesOverTheGivenLengthIgnoringCase) {
  EXPECT_EQ(FindColour("gray 50"), 7);
  EXPECT_EQ(FindColour("Gray"), 7);  // "Gray 50" comes first and begins with it
  EXPECT_EQ(FindColour("Bicolor"), -1);
  EXPECT_EQ(FindColour(""), 0);
  EXPECT_EQ(FindColour("BACKLIGHT ON"), 17);
  EXPECT_EQ(FindColour("Backlight"), 15);
  EXPECT_EQ(FindColour("Bl"), 0);      // "Blue" before "Bl On"
  EXPECT_EQ(FindColour("Bl O"), 13);
  EXPECT_EQ(FindColour("Blue "), -1);  // longer than the name
  EXPECT_EQ(FindColour(nullptr), -1);
}

TEST(ColourTable, GetColourNameByIndex) {
  EXPECT_STREQ(GetColourName(0), "Blue");
  EXPECT_STREQ(GetColourName(7), "Gray 50");
  EXPECT_STREQ(GetColourName(17), "Backlight on");
  EXPECT_EQ(GetColourName(18), nullptr);
  EXPECT_EQ(GetColourName(-1), nullptr);
}

TEST(ColourTable, EndsWithAnEntryWithoutName) {
  const ColourTable* table = GetColourTable();
  for (int i = 0; i < kColourCount; ++i) {
    ASSERT_NE(table->entries[i].name, nullptr);
    EXPECT_EQ(table->entries[i].index, i);
  }
  EXPECT_EQ(table->entries[kColourCount].name, nullptr);
  EXPECT_EQ(table->entries[kColourCount].index, -1);
}

TEST(ColourTable, PixelAndColorRefLayouts) {
  EXPECT_EQ(ColourPixel(10), 0xBE784Bu);  // Amber 190, 120, 75
  EXPECT_EQ(ColourRef(10), 0x4B78BEu);
  EXPECT_EQ(ColourPixel(9), 0xB1C8CFu);   // Metall 177, 200, 207
  EXPECT_EQ(ColourPixel(15), 0x454545u);
  EXPECT_EQ(ColourPixel(17), 0x80FF00u);
  EXPECT_EQ(ColourPixel(-1), 0u);
  EXPECT_EQ(ColourPixel(18), 0u);
  EXPECT_EQ(ColourRef(99), 0u);
}

}  // namespace
