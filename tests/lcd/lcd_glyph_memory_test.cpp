#include <gtest/gtest.h>

#include "lcd_test_support.h"

namespace {

const uint8_t kSmiley[8] = {0x00, 0x0A, 0x0A, 0x00, 0x11, 0x0E, 0x00, 0x00};

void DefineGlyph(uint8_t glyph, const uint8_t rows[8]) {
  SendInstruction(static_cast<uint8_t>(0x40 | (glyph << 3)));
  LcdWriteString(rows, 8);
}

class LcdGlyphMemoryTest : public LcdTest {
 protected:
  const uint32_t* Glyph(int code) { return LcdGetGlyphTable()->rows[code]; }
};

TEST_F(LcdGlyphMemoryTest, EightRowsAfterSetCgramDefineCodeZero) {
  SendInstruction(0x80);
  SendText("ab");
  DefineGlyph(0, kSmiley);
  for (int row = 0; row < 8; ++row) EXPECT_EQ(Glyph(0)[row], kSmiley[row]) << row;
  // Glyph memory writes leave the display and its address counter alone.
  EXPECT_EQ(MemoryText(0, 3), "ab ");
  EXPECT_EQ(lcd().address_column, 2);
  SendInstruction(0x80);
  SendText(std::string(1, '\0'));
  EXPECT_EQ(LcdGetDisplayMemory()[0], 0x00);
  EXPECT_EQ(lcd().glyph_memory_select, 0);
}

TEST_F(LcdGlyphMemoryTest, CodesEightToFifteenMirrorZeroToSeven) {
  DefineGlyph(3, kSmiley);
  for (int row = 0; row < 8; ++row) {
    EXPECT_EQ(Glyph(3)[row], kSmiley[row]);
    EXPECT_EQ(Glyph(11)[row], kSmiley[row]);
  }
  EXPECT_EQ(Glyph(2)[0], 0x1Fu);
  EXPECT_EQ(Glyph(4)[0], 0x1Fu);
}

TEST_F(LcdGlyphMemoryTest, AddressSelectsGlyphAndRowAndAdvances) {
  SendInstruction(0x40 | 0x0D);  // glyph 1, row 5
  SendText("\x01\x02\x03");      // rows 5, 6, 7
  EXPECT_EQ(Glyph(1)[4], 0x1Fu);
  EXPECT_EQ(Glyph(1)[5], 0x01u);
  EXPECT_EQ(Glyph(1)[6], 0x02u);
  EXPECT_EQ(Glyph(1)[7], 0x03u);
  SendText("\x04");  // continues with glyph 2, row 0
  EXPECT_EQ(Glyph(2)[0], 0x04u);
  EXPECT_EQ(lcd().glyph_address, 0x11);
}

TEST_F(LcdGlyphMemoryTest, OnlyFiveDotsAreStored) {
  SendInstruction(0x40);
  SendText("\xFF\xE0");
  EXPECT_EQ(Glyph(0)[0], 0x1Fu);
  EXPECT_EQ(Glyph(0)[1], 0x00u);
}

TEST_F(LcdGlyphMemoryTest, AddressWrapsInsideTheUserGlyphs) {
  SendInstruction(0x7F);  // glyph 7, row 7
  SendText("\x11\x12");
  EXPECT_EQ(Glyph(7)[7], 0x11u);
  EXPECT_EQ(Glyph(0)[0], 0x12u);
  SendInstruction(0x04);  // decrement
  SendInstruction(0x40);
  SendText("\x13\x14");
  EXPECT_EQ(Glyph(0)[0], 0x13u);
  EXPECT_EQ(Glyph(7)[7], 0x14u);
  EXPECT_EQ(lcd().glyph_address, 62);
}

TEST_F(LcdGlyphMemoryTest, WritesNeverReachTheFixedGlyphs) {
  GlyphTable fresh;
  DescenderTable fresh_descenders;
  BuildGlyphTables(&fresh, &fresh_descenders);
  SendInstruction(0x40);
  for (int i = 0; i < 300; ++i) LcdWrite(1, 0x15);
  SendInstruction(0x04);
  for (int i = 0; i < 300; ++i) LcdWrite(1, 0x0A);
  for (int code = 16; code < kGlyphCount; ++code) {
    for (int row = 0; row < kGlyphRows; ++row) {
      ASSERT_EQ(Glyph(code)[row], fresh.rows[code][row]) << code;
    }
  }
}

TEST_F(LcdGlyphMemoryTest, EntryShiftDoesNotShiftTheDisplayForGlyphRows) {
  SendInstruction(0x07);
  SendInstruction(0x40);
  SendText("\x01\x02");
  EXPECT_EQ(lcd().display_shift, 0);
}

TEST_F(LcdGlyphMemoryTest, TallCharacterUsesTwoConsecutiveGlyphs) {
  SendInstruction(0x24);         // one line, 5x11
  SendInstruction(0x40 | 0x10);  // tall character 1: glyph memory 16..31
  uint8_t rows[16];
  for (int i = 0; i < 16; ++i) rows[i] = static_cast<uint8_t>(i + 1);
  LcdWriteString(rows, 16);
  for (int row = 0; row < 8; ++row) {
    EXPECT_EQ(Glyph(2)[row], uint32_t(row + 1));
    EXPECT_EQ(Glyph(3)[row], uint32_t(row + 9));
    EXPECT_EQ(Glyph(10)[row], uint32_t(row + 1));
    EXPECT_EQ(Glyph(11)[row], uint32_t(row + 9));
  }
}

TEST_F(LcdGlyphMemoryTest, ResetKeepsUserGlyphsInitDiscardsThem) {
  DefineGlyph(5, kSmiley);
  SendInstruction(0x80);
  LcdReset();
  EXPECT_EQ(Glyph(5)[1], 0x0Au);
  LcdInit();
  EXPECT_EQ(Glyph(5)[1], 0x1Fu);
  EXPECT_EQ(Glyph(13)[1], 0x1Fu);
}

TEST_F(LcdGlyphMemoryTest, ResetAfterSetCgramSendsTheTextToGlyphMemory) {
  SetOptions(0);
  SendInstruction(0x40);
  LcdReset();
  EXPECT_EQ(MemoryText(0, 16), std::string(16, ' '));
  EXPECT_EQ(Glyph(0)[0], uint32_t(' ' & 0x1F));
  EXPECT_EQ(Glyph(0)[1], uint32_t('I' & 0x1F));
  EXPECT_EQ(Glyph(1)[7], uint32_t(' ' & 0x1F));
  EXPECT_EQ(lcd().glyph_address, 16);
}

}  // namespace
