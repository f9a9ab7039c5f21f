#include "panel/lcd/lcd_controller.h"

#include <cstring>

#include "panel/core/option_word.h"

namespace panel {

namespace {

constexpr uint8_t kSpace = 0x20;
constexpr uint8_t kBackwardWrapColumn = 7;   // where backward_wrap == 1 sends a backward write
constexpr char kInitialisationText[] = " Initialisation ";
constexpr uint8_t kInitialisationLength = 16;
static_assert(sizeof(kInitialisationText) - 1 == kInitialisationLength, "power-on text length");
static_assert(kLcdAddressableSize <= kLcdDisplayMemorySize, "instructions stay inside memory");

LcdController g_lcd;
LcdLayout g_layout;
GlyphTable g_glyphs;
DescenderTable g_descenders;
std::mutex g_lcd_lock;

// Before anything runs the controller is zero, except that the bus expects a high nibble.
void SetLoadTimeValues() {
  std::memset(&g_lcd, 0, sizeof(g_lcd));
  std::memset(&g_layout, 0, sizeof(g_layout));
  std::memset(&g_glyphs, 0, sizeof(g_glyphs));
  std::memset(&g_descenders, 0, sizeof(g_descenders));
  g_lcd.nibble_phase = 1;
}

const bool g_load_time_values_set = (SetLoadTimeValues(), true);

// A real controller has two display-data lines; an LCD type with 3 or 4 rows shows them twice.
uint8_t AddressLines() { return g_lcd.lines >= 2 ? 2 : 1; }

uint8_t LineLength() { return g_lcd.line_length != 0 ? g_lcd.line_length : 1; }

uint8_t BackwardWrapColumn() {
  return g_layout.backward_wrap == 1 ? kBackwardWrapColumn : static_cast<uint8_t>(LineLength() - 1);
}

void ShiftDisplayLeft() {  // the text moves left
  g_lcd.display_shift = static_cast<uint8_t>(g_lcd.display_shift + 1);
  if (g_lcd.display_shift > LineLength() - 1) g_lcd.display_shift = 0;
}

void ShiftDisplayRight() {  // the text moves right
  if (g_lcd.display_shift == 0) {
    g_lcd.display_shift = static_cast<uint8_t>(LineLength() - 1);
  } else {
    --g_lcd.display_shift;
  }
}

void CursorForward() {
  g_lcd.address_column = static_cast<uint8_t>(g_lcd.address_column + 1);
  if (g_lcd.address_column > LineLength() - 1) {
    g_lcd.address_column = 0;
    g_lcd.address_line = static_cast<uint8_t>(g_lcd.address_line + 1);
    if (g_lcd.address_line >= AddressLines()) g_lcd.address_line = 0;
  }
}

void CursorBackInstruction() {
  if (g_lcd.address_column > 0) {
    --g_lcd.address_column;
    return;
  }
  g_lcd.address_column = static_cast<uint8_t>(LineLength() - 1);
  g_lcd.address_line = g_lcd.address_line == 0 ? static_cast<uint8_t>(AddressLines() - 1)
                                               : static_cast<uint8_t>(g_lcd.address_line - 1);
}

// A backward data write from column 0 goes to the backward-wrap column of the line above and
// stays on line 0.
void CursorBackAfterData() {
  if (g_lcd.address_column > 0) {
    --g_lcd.address_column;
    return;
  }
  g_lcd.address_column = BackwardWrapColumn();
  if (g_lcd.address_line > 0) --g_lcd.address_line;
}

void ReturnHome() {
  g_lcd.address_column = 0;
  g_lcd.address_line = 0;
  g_lcd.display_shift = 0;
  g_lcd.increment = 1;
}

void SetDdramAddress(uint8_t value) {
  g_lcd.glyph_memory_select = 0;
  uint32_t address = value & 0x7F;
  uint8_t line = 0;
  for (uint8_t i = 1; i < AddressLines(); ++i) {
    if (address < g_layout.line_start[i]) break;
    address -= g_layout.line_start[i];
    line = i;
  }
  g_lcd.address_line = line;
  g_lcd.address_column = static_cast<uint8_t>(address);
}

void FunctionSet(uint8_t value) {
  const bool two_lines = (value & 0x08) != 0;
  const bool tall_font = (value & 0x04) != 0;
  g_lcd.lines = two_lines ? kLcdTwoLines : kLcdOneLine;
  g_lcd.font_mode = (tall_font && !two_lines) ? kLcdFont5x11 : kLcdFont5x8;
  g_lcd.line_length = g_layout.line_length_by_n[two_lines ? 1 : 0];
  g_lcd.clear_length = g_layout.clear_length_by_n[two_lines ? 1 : 0];
}

void CursorOrDisplayShift(uint8_t value) {
  const bool display = (value & 0x08) != 0;
  const bool right = (value & 0x04) != 0;
  if (display) {
    if (right) ShiftDisplayRight(); else ShiftDisplayLeft();
  } else {
    if (right) CursorForward(); else CursorBackInstruction();
  }
}

void ClearDisplay() {
  uint32_t count = g_lcd.clear_length;
  if (count > kLcdDisplayMemorySize) count = kLcdDisplayMemorySize;
  std::memset(g_lcd.display_memory, kSpace, count);
  ReturnHome();
}

// Decoded by the highest set bit, as the controller does.
void ExecuteInstruction(uint8_t value) {
  if (value & 0x80) {          // 1 a a a a a a a   Set DDRAM address
    SetDdramAddress(value);
  } else if (value & 0x40) {   // 0 1 a a a a a a   Set CGRAM address
    g_lcd.glyph_memory_select = 1;
    g_lcd.glyph_address = value & 0x3F;
  } else if (value & 0x20) {   // 0 0 1 DL N F x x  Function set
    FunctionSet(value);
  } else if (value & 0x10) {   // 0 0 0 1 S/C R/L x x  Cursor or display shift
    CursorOrDisplayShift(value);
  } else if (value & 0x08) {   // 0 0 0 0 1 D C B   Display on/off control
    g_lcd.display_on = (value >> 2) & 1;
    g_lcd.cursor = (value >> 1) & 1;
    g_lcd.blink = value & 1;
  } else if (value & 0x04) {   // 0 0 0 0 0 1 I/D S Entry mode set
    g_lcd.increment = (value >> 1) & 1;
    g_lcd.entry_shift = value & 1;
  } else if (value & 0x02) {   // 0 0 0 0 0 0 1 x   Return home
    ReturnHome();
  } else if (value & 0x01) {   // 0 0 0 0 0 0 0 1   Clear display
    ClearDisplay();
  }                            // 0 0 0 0 0 0 0 0   no effect
}

// One dot row into user glyph (address / 8); codes 8-15 mirror 0-7 as on a real module.
void WriteGlyphRow(uint8_t value) {
  const uint8_t address = g_lcd.glyph_address & (kLcdGlyphAddressCount - 1);
  const int glyph = address >> 3;
  const int row = address & 7;
  const uint32_t dots = value & kGlyphFullRow;
  g_glyphs.rows[glyph][row] = dots;
  g_glyphs.rows[glyph + 8][row] = dots;
  const int step = g_lcd.increment ? 1 : -1;
  g_lcd.glyph_address = static_cast<uint8_t>((address + step) & (kLcdGlyphAddressCount - 1));
}

void WriteData(uint8_t value) {
  if (g_lcd.glyph_memory_select) {
    WriteGlyphRow(value);
    return;
  }
  const uint32_t line = g_lcd.address_line < 4 ? g_lcd.address_line : 0;
  const uint32_t index = g_layout.line_start[line] + g_lcd.address_column;
  if (index < kLcdDisplayMemorySize) g_lcd.display_memory[index] = value;
  if (g_lcd.entry_shift) {
    if (g_lcd.increment) ShiftDisplayLeft(); else ShiftDisplayRight();
  }
  if (g_lcd.increment) CursorForward(); else CursorBackAfterData();
}

uint8_t HexDigitValue(uint8_t character) {
  uint8_t digit = static_cast<uint8_t>(character - 0x30);
  if (digit > 9) digit = static_cast<uint8_t>(digit - 7);
  return digit;
}

}  // namespace

void LcdInit() {
  g_layout.rows_drawn = 4;
  g_layout.line_start[0] = 0x00;
  g_layout.line_start[1] = 0x40;
  g_layout.line_start[2] = 0;
  g_layout.line_start[3] = 0;
  g_layout.row_start[0] = 0x00;
  g_layout.row_start[1] = 0x40;
  g_layout.row_start[2] = 0x10;
  g_layout.row_start[3] = 0x50;
  g_layout.characters_per_row = 16;
  g_layout.line_length_by_n[0] = 40;
  g_layout.line_length_by_n[1] = 40;
  g_layout.clear_length_by_n[0] = 80;
  g_layout.clear_length_by_n[1] = 104;
  g_layout.backward_wrap = 1;

  g_lcd.address_column = 0;
  g_lcd.address_line = 0;
  g_lcd.display_on = 1;
  g_lcd.lines = 2;
  g_lcd.line_length = 40;
  g_lcd.clear_length = 104;
  // The LCD lock is a std::mutex in static storage: it exists from load time on, so a second
  // LcdInit (a second panel window) cannot re-create it under a running redraw.
  BuildGlyphTables(&g_glyphs, &g_descenders);
  g_lcd.initialised = 1;
  LcdReset();
}

void LcdReset() {
  // A stray single nibble must not put the whole power-on sequence out of step.
  g_lcd.nibble_phase = 1;
  LcdWriteNibble(0, 0x2);  // 0x28: 4-bit, two lines, 5x8
  LcdWriteNibble(0, 0x8);
  LcdWriteNibble(0, 0x0);  // 0x08: display off
  LcdWriteNibble(0, 0x8);
  LcdWriteNibble(0, 0x0);  // 0x01: clear
  LcdWriteNibble(0, 0x1);
  LcdWriteNibble(0, 0x0);  // 0x06: increment, no shift
  LcdWriteNibble(0, 0x6);
  if ((GetOptions() & kOptionEndUser) == 0) {
    LcdWriteString(kInitialisationText, kInitialisationLength);
  }
  LcdWriteNibble(0, 0x0);  // 0x0C: display on, cursor off, blink off
  LcdWriteNibble(0, 0xC);
}

void LcdWriteNibble(int rs, int value) {
  if (g_lcd.nibble_phase) {
    g_lcd.nibble_latch = static_cast<uint32_t>(value & 0xFF) << 4;
    g_lcd.nibble_phase = 0;
    return;
  }
  g_lcd.nibble_latch |= static_cast<uint32_t>(value & 0x0F);
  g_lcd.nibble_phase = 1;
  LcdWrite(rs, static_cast<int>(g_lcd.nibble_latch));
}

void LcdWrite(int rs, int value) {
  if (!g_lcd.initialised) LcdInit();
  const uint8_t byte = static_cast<uint8_t>(value & 0xFF);
  if (rs == 0) {
    ExecuteInstruction(byte);
  } else {
    WriteData(byte);
  }
}

void LcdWriteString(const uint8_t* bytes, uint8_t count) {
  if (bytes == nullptr) return;
  for (uint8_t i = 0; i < count; ++i) LcdWrite(1, bytes[i]);
}

void HexToBytes(uint8_t* text, uint8_t count) {
  if (text == nullptr) return;
  const uint8_t pairs = count / 2;
  for (uint8_t k = 0; k < pairs; ++k) {
    const uint8_t high = HexDigitValue(text[2 * k]);
    const uint8_t low = HexDigitValue(text[2 * k + 1]);
    text[k] = static_cast<uint8_t>((high << 4) + low);
  }
}

uint8_t* LcdGetDisplayMemory() { return g_lcd.display_memory; }

void LcdFillDisplayMemory(uint8_t character) {
  std::memset(g_lcd.display_memory, character, kLcdDisplayMemorySize);
}

LcdController* LcdGetController() { return &g_lcd; }
LcdLayout* LcdGetLayout() { return &g_layout; }
GlyphTable* LcdGetGlyphTable() { return &g_glyphs; }
DescenderTable* LcdGetDescenderTable() { return &g_descenders; }
std::mutex& LcdGetLock() { return g_lcd_lock; }

void LcdResetToLoadTime() { SetLoadTimeValues(); }

}  // namespace panel
