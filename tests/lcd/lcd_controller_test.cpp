#include <gtest/gtest.h>

#include <vector>

#include "lcd_test_support.h"

namespace {

void ExpectCounter(uint8_t line, uint8_t column) {
  EXPECT_EQ(LcdGetController()->address_line, line);
  EXPECT_EQ(LcdGetController()->address_column, column);
}

TEST(LcdLoadTime, FirstWriteInitialisesLazily) {
  ResetPanelLibraryForTests();
  EXPECT_EQ(LcdGetController()->nibble_phase, 1);
  EXPECT_EQ(LcdGetController()->initialised, 0);
  LcdWrite(1, 'X');
  EXPECT_EQ(LcdGetController()->initialised, 1);
  EXPECT_EQ(LcdGetLayout()->rows_drawn, 4);
  EXPECT_EQ(LcdGetDisplayMemory()[0], 'X');
  ExpectCounter(0, 1);
}

TEST(LcdLoadTime, ResetBeforeInitGivesThePowerOnState) {
  ResetPanelLibraryForTests();
  SetOptions(0);
  LcdReset();
  EXPECT_EQ(MemoryText(0, 17), " Initialisation  ");
  ExpectCounter(0, 16);
  EXPECT_EQ(LcdGetController()->nibble_phase, 1);
  EXPECT_EQ(LcdGetController()->display_on, 1);
  ResetPanelLibraryForTests();
}

TEST_F(LcdTest, InitStoresLayout) {
  const LcdLayout& layout = *LcdGetLayout();
  EXPECT_EQ(layout.rows_drawn, 4);
  EXPECT_EQ(layout.line_start[0], 0x00u);
  EXPECT_EQ(layout.line_start[1], 0x40u);
  EXPECT_EQ(layout.row_start[2], 0x10u);
  EXPECT_EQ(layout.row_start[3], 0x50u);
  EXPECT_EQ(layout.characters_per_row, 16);
  EXPECT_EQ(layout.clear_length_by_n[0], 80u);
  EXPECT_EQ(layout.clear_length_by_n[1], 104u);
  EXPECT_EQ(layout.backward_wrap, 1u);
}

TEST_F(LcdTest, PowerOnInEndUserModeLeavesBothLinesBlank) {
  EXPECT_EQ(MemoryText(0x00, 40), std::string(40, ' '));
  EXPECT_EQ(MemoryText(0x40, 40), std::string(40, ' '));
  ExpectCounter(0, 0);
  EXPECT_EQ(lcd().display_on, 1);
  EXPECT_EQ(lcd().cursor, 0);
  EXPECT_EQ(lcd().blink, 0);
  EXPECT_EQ(lcd().increment, 1);
  EXPECT_EQ(lcd().entry_shift, 0);
  EXPECT_EQ(lcd().display_shift, 0);
  EXPECT_EQ(lcd().font_mode, 1);
  EXPECT_EQ(lcd().lines, 2);
  EXPECT_EQ(lcd().line_length, 40);
  EXPECT_EQ(lcd().clear_length, 104u);
  EXPECT_EQ(lcd().nibble_latch, 0x0Cu);
  EXPECT_EQ(lcd().nibble_phase, 1);
}

TEST_F(LcdTest, PowerOnWithoutEndUserModeShowsInitialisation) {
  SetOptions(0);
  LcdReset();
  EXPECT_EQ(MemoryText(0x00, 16), " Initialisation ");
  EXPECT_EQ(MemoryText(0x10, 24), std::string(24, ' '));
  EXPECT_EQ(MemoryText(0x40, 40), std::string(40, ' '));
  ExpectCounter(0, 16);
  EXPECT_EQ(lcd().display_on, 1);
}

TEST_F(LcdTest, ResetClearsOnlyTheClearLength) {
  LcdFillDisplayMemory(0xFF);
  LcdReset();
  EXPECT_EQ(LcdGetDisplayMemory()[103], 0x20);
  EXPECT_EQ(LcdGetDisplayMemory()[104], 0xFF);
  EXPECT_EQ(LcdGetDisplayMemory()[kLcdDisplayMemorySize - 1], 0xFF);
}

TEST_F(LcdTest, ResetRecoversFromAStrayNibble) {
  LcdWriteNibble(0, 0x8);  // half an instruction, never completed
  LcdReset();
  EXPECT_EQ(lcd().nibble_phase, 1);
  EXPECT_EQ(lcd().nibble_latch, 0x0Cu);
  EXPECT_EQ(lcd().lines, 2);
  EXPECT_EQ(lcd().display_on, 1);
  ExpectCounter(0, 0);
}

TEST_F(LcdTest, SetDdramAddressThenText) {
  SendInstruction(0x80);
  SendText("HELLO");
  EXPECT_EQ(MemoryText(0, 5), "HELLO");
  ExpectCounter(0, 5);
}

TEST_F(LcdTest, SetDdramAddressWithTwoLines) {
  SendInstruction(0xC0);
  ExpectCounter(1, 0);
  SendInstruction(0xCA);
  ExpectCounter(1, 10);
  SendInstruction(0xBF);
  ExpectCounter(0, 0x3F);
  SendInstruction(0xFF);
  ExpectCounter(1, 0x3F);
}

TEST_F(LcdTest, SetDdramAddressWithOneLine) {
  SendInstruction(0x20);
  SendInstruction(0xC0);
  ExpectCounter(0, 0x40);
  SendText("Z");
  EXPECT_EQ(LcdGetDisplayMemory()[0x40], 'Z');
  ExpectCounter(0, 0);  // column 0x41 > 39 wraps to the next line, which is line 0 again
}

TEST_F(LcdTest, FortyFirstCharacterGoesToLineOne) {
  SendInstruction(0x80);
  std::string line0;
  for (int i = 0; i < 40; ++i) line0 += static_cast<char>('0' + i);
  SendText(line0 + "X");
  EXPECT_EQ(MemoryText(0x00, 40), line0);
  EXPECT_EQ(LcdGetDisplayMemory()[0x28], ' ');
  EXPECT_EQ(LcdGetDisplayMemory()[0x40], 'X');
  ExpectCounter(1, 1);
  SendText(std::string(39, 'y'));
  ExpectCounter(0, 0);
}

TEST_F(LcdTest, WriteBeyondLineLengthIsStoredInvisiblyAndWraps) {
  SendInstruction(0x80 | 0x28);
  SendText("Q");
  EXPECT_EQ(LcdGetDisplayMemory()[0x28], 'Q');
  ExpectCounter(1, 0);
}

TEST_F(LcdTest, BackwardWriteWrapsToColumnSeven) {
  SendInstruction(0x04);
  SendInstruction(0x80);
  SendText("A");
  EXPECT_EQ(LcdGetDisplayMemory()[0], 'A');
  ExpectCounter(0, 7);
  SendText("BC");
  EXPECT_EQ(LcdGetDisplayMemory()[7], 'B');
  EXPECT_EQ(LcdGetDisplayMemory()[6], 'C');
  ExpectCounter(0, 5);
  SendInstruction(0xC0);
  SendText("D");
  EXPECT_EQ(LcdGetDisplayMemory()[0x40], 'D');
  ExpectCounter(0, 7);
}

TEST_F(LcdTest, CursorLeftWrapsToPreviousLine) {
  SendInstruction(0x80);
  SendInstruction(0x10);
  ExpectCounter(1, 39);
  SendInstruction(0x10);
  ExpectCounter(1, 38);
  SendInstruction(0x20);  // one line
  SendInstruction(0x80);
  SendInstruction(0x10);
  ExpectCounter(0, 39);
}

TEST_F(LcdTest, CursorRightWrapsToNextLine) {
  SendInstruction(0x80 | 39);
  SendInstruction(0x14);
  ExpectCounter(1, 0);
  SendInstruction(0xC0 | 39);
  SendInstruction(0x14);
  ExpectCounter(0, 0);
}

TEST_F(LcdTest, DisplayShiftLimits) {
  for (int i = 0; i < 39; ++i) SendInstruction(0x18);
  EXPECT_EQ(lcd().display_shift, 39);
  SendInstruction(0x18);
  EXPECT_EQ(lcd().display_shift, 0);
  SendInstruction(0x1C);
  EXPECT_EQ(lcd().display_shift, 39);
  SendInstruction(0x1C);
  EXPECT_EQ(lcd().display_shift, 38);
  ExpectCounter(0, 0);  // the display shift never moves the address counter
}

TEST_F(LcdTest, EntryShiftMovesTheDisplayWithEachCharacter) {
  SendInstruction(0x07);
  SendText("abc");
  EXPECT_EQ(lcd().display_shift, 3);
  ExpectCounter(0, 3);
  SendInstruction(0x05);  // decrement with shift: the text moves right
  SendInstruction(0x18 | 0x04);
  SendInstruction(0x18 | 0x04);
  SendInstruction(0x18 | 0x04);
  EXPECT_EQ(lcd().display_shift, 0);
  SendText("d");
  EXPECT_EQ(lcd().display_shift, 39);
  ExpectCounter(0, 2);
}

TEST_F(LcdTest, ReturnHomeRestoresIncrementAndKeepsText) {
  SendInstruction(0x04);
  SendInstruction(0x85);
  SendText("ab");
  SendInstruction(0x18);
  SendInstruction(0x02);
  EXPECT_EQ(lcd().increment, 1);
  EXPECT_EQ(lcd().display_shift, 0);
  ExpectCounter(0, 0);
  EXPECT_EQ(LcdGetDisplayMemory()[5], 'a');
  EXPECT_EQ(LcdGetDisplayMemory()[4], 'b');
}

TEST_F(LcdTest, ClearLengthFollowsLineCount) {
  LcdFillDisplayMemory('#');
  SendInstruction(0x01);
  EXPECT_EQ(LcdGetDisplayMemory()[103], ' ');
  EXPECT_EQ(LcdGetDisplayMemory()[104], '#');
  LcdFillDisplayMemory('#');
  SendInstruction(0x20);
  SendInstruction(0x04);
  SendInstruction(0x01);
  EXPECT_EQ(LcdGetDisplayMemory()[79], ' ');
  EXPECT_EQ(LcdGetDisplayMemory()[80], '#');
  EXPECT_EQ(lcd().increment, 1);
}

TEST_F(LcdTest, FunctionSetSelectsLinesAndFont) {
  SendInstruction(0x24);
  EXPECT_EQ(lcd().lines, 1);
  EXPECT_EQ(lcd().font_mode, 2);
  EXPECT_EQ(lcd().clear_length, 80u);
  SendInstruction(0x2C);  // F is ignored with two lines
  EXPECT_EQ(lcd().lines, 2);
  EXPECT_EQ(lcd().font_mode, 1);
  EXPECT_EQ(lcd().clear_length, 104u);
  SendInstruction(0x33);  // DL and the low bits change nothing
  EXPECT_EQ(lcd().lines, 1);
  EXPECT_EQ(lcd().font_mode, 1);
  EXPECT_EQ(lcd().line_length, 40);
}

TEST_F(LcdTest, DisplayControlSetsThreeFlags) {
  SendInstruction(0x0F);
  EXPECT_EQ(lcd().display_on, 1);
  EXPECT_EQ(lcd().cursor, 1);
  EXPECT_EQ(lcd().blink, 1);
  SendInstruction(0x0A);
  EXPECT_EQ(lcd().display_on, 0);
  EXPECT_EQ(lcd().cursor, 1);
  EXPECT_EQ(lcd().blink, 0);
}

TEST_F(LcdTest, ZeroInstructionChangesNothing) {
  SendText("abc");
  SendInstruction(0x0F);
  std::vector<uint8_t> before(sizeof(LcdController));
  std::memcpy(before.data(), &lcd(), before.size());
  LcdWrite(0, 0x00);
  EXPECT_EQ(std::memcmp(before.data(), &lcd(), before.size()), 0);
}

TEST_F(LcdTest, NibblesPairHighFirst) {
  LcdWriteNibble(0, 0xC);
  EXPECT_EQ(lcd().nibble_phase, 0);
  EXPECT_EQ(lcd().nibble_latch, 0xC0u);
  ExpectCounter(0, 0);
  LcdWriteNibble(0, 0x5);
  EXPECT_EQ(lcd().nibble_phase, 1);
  EXPECT_EQ(lcd().nibble_latch, 0xC5u);
  ExpectCounter(1, 5);
}

TEST_F(LcdTest, SeveralInstructionFramesNeverLeaveHalfALatch) {
  for (uint8_t instruction : {0x80, 0xC3, 0x0E, 0x06, 0x85}) {
    SendInstruction(instruction);
    EXPECT_EQ(lcd().nibble_phase, 1);
    EXPECT_EQ(lcd().nibble_latch, instruction);
  }
  ExpectCounter(0, 5);
  EXPECT_EQ(lcd().cursor, 1);
}

TEST_F(LcdTest, DataWritesDoNotDisturbTheNibblePhase) {
  LcdWriteNibble(0, 0xC);
  SendText("hi");
  EXPECT_EQ(lcd().nibble_phase, 0);
  LcdWriteNibble(0, 0x2);
  ExpectCounter(1, 2);
  EXPECT_EQ(MemoryText(0, 2), "hi");
}

TEST_F(LcdTest, HighNibbleKeepsOnlyItsLowBitsInTheByte) {
  SendInstruction(0xC3);
  LcdWriteNibble(0, 0xC8);  // the low 4 bits of the first nibble become bits 7..4
  LcdWriteNibble(0, 0x30);  // only the low 4 bits of the second count
  EXPECT_EQ(lcd().nibble_latch, 0xC80u);
  ExpectCounter(0, 0);  // 0x80: Set DDRAM address 0
  EXPECT_EQ(lcd().glyph_memory_select, 0);
}

TEST_F(LcdTest, FillLeavesTheAddressCounter) {
  SendInstruction(0xC7);
  SendInstruction(0x18);
  LcdFillDisplayMemory(0xFF);
  for (uint32_t i : {0u, 0x7Fu, 0x80u, 32767u, kLcdDisplayMemorySize - 1}) {
    EXPECT_EQ(LcdGetDisplayMemory()[i], 0xFF);
  }
  ExpectCounter(1, 7);
  EXPECT_EQ(lcd().display_shift, 1);
}

TEST_F(LcdTest, MoreThanTwoLinesAddressTheTwoControllerLines) {
  lcd().lines = 4;  // as an applied LCD type stores it
  SendInstruction(0xC5);
  ExpectCounter(1, 5);
  SendText("x");
  EXPECT_EQ(LcdGetDisplayMemory()[0x45], 'x');
  SendInstruction(0xC0 | 39);
  SendInstruction(0x14);
  ExpectCounter(0, 0);
  SendInstruction(0x10);
  ExpectCounter(1, 39);
}

TEST_F(LcdTest, ZeroLinesBehaveAsOneLine) {
  lcd().lines = 0;
  SendInstruction(0x80);
  SendInstruction(0x10);
  ExpectCounter(0, 39);
  SendText("q");
  EXPECT_EQ(LcdGetDisplayMemory()[39], 'q');
  ExpectCounter(0, 0);
}

TEST(HexToBytes, ConvertsDigitPairsInPlace) {
  uint8_t text[] = {'8', '0', 0x10};
  HexToBytes(text, 3);
  EXPECT_EQ(text[0], 0x80);
  EXPECT_EQ(text[1], '0');  // beyond the converted byte the text is left as it was
  uint8_t two[] = {'0', '1', '0', '2'};
  HexToBytes(two, 4);
  EXPECT_EQ(two[0], 0x01);
  EXPECT_EQ(two[1], 0x02);
  uint8_t upper[] = {'F', 'F', 'A', '9'};
  HexToBytes(upper, 4);
  EXPECT_EQ(upper[0], 0xFF);
  EXPECT_EQ(upper[1], 0xA9);
}

TEST(HexToBytes, OtherCharactersFollowTheSameArithmetic) {
  uint8_t lower[] = {'a', '0'};  // 'a' - 0x30 - 7 = 0x2A, shifted into 8 bits
  HexToBytes(lower, 2);
  EXPECT_EQ(lower[0], 0xA0);
  uint8_t terminator[] = {'8', 0x10};  // 0x10 - 0x30 - 7 = 0xD9
  HexToBytes(terminator, 2);
  EXPECT_EQ(terminator[0], 0x59);
  uint8_t colon[] = {':', '0'};  // 0x0A - 7 = 3
  HexToBytes(colon, 2);
  EXPECT_EQ(colon[0], 0x30);
}

TEST(HexToBytes, CountBelowTwoConvertsNothing) {
  uint8_t text[] = {'4', '1'};
  HexToBytes(text, 1);
  EXPECT_EQ(text[0], '4');
  HexToBytes(text, 0);
  EXPECT_EQ(text[0], '4');
  HexToBytes(static_cast<uint8_t*>(nullptr), 4);
}

}  // namespace
