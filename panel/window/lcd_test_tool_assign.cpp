// "Assign": the own-font grid becomes a user glyph through the same frames an application would
// send: Set CGRAM address, the dot rows as data, then Set DDRAM address back to the cursor.
//
// The dot rows travel as the text of a W frame, where 0x00 would end the text and 0x0A, 0x0D and
// 0x10 the frame; glyph memory keeps only the low five bits of a byte, so every row carries
// kToolGlyphRowMarker above its dots and is printable.
#include "panel/window/lcd_test_tool.h"

namespace panel {

namespace {

constexpr uint8_t kWriteLetter = 'W';
constexpr uint32_t kSetCgram = 0x40;
constexpr uint32_t kSetDdram = 0x80;
constexpr uint32_t kDdramAddressMask = 0x7F;
constexpr uint32_t kHighestSymbol = kUserGlyphCount - 1;
constexpr int kTallGlyphBytes = 2 * kGlyphRows;  // glyph 2k and glyph 2k+1
constexpr uint8_t kDotsMask = static_cast<uint8_t>(kGlyphFullRow);

constexpr char kNoNumberMessage[] = "Symbol Nr: bitte eine Nummer von 0 bis 15 eingeben";
constexpr char kOutOfRangeMessage[] = "Symbol Nr: nur 0 bis 15 m\xF6glich, nichts zugewiesen";

// Leading decimal digits of the field; false when there are none. Large numbers stop growing
// above the highest symbol so that no digit string can overflow.
bool ReadSymbolNumber(const char* text, uint32_t* number) {
  constexpr uint32_t kDecimalBase = 10;
  uint32_t value = 0;
  int digits = 0;
  for (; text != nullptr && digits < kToolSymbolFieldChars; ++digits) {
    const char c = text[digits];
    if (c < '0' || c > '9') break;
    value = value * kDecimalBase + static_cast<uint32_t>(c - '0');
    if (value > kHighestSymbol) value = kHighestSymbol + 1;
  }
  *number = value;
  return digits > 0;
}

}  // namespace

LcdToolAssignResult SendLcdToolAssign(const LcdToolGrid& grid, const char* number_text,
                                      const LcdController& lcd, const LcdLayout& layout,
                                      const LcdToolSink& sink) {
  uint32_t symbol = 0;
  if (!ReadSymbolNumber(number_text, &symbol)) return kAssignNoNumber;
  if (symbol > kHighestSymbol) return kAssignOutOfRange;

  // The glyph memory bytes in address order: one glyph, or the tall pair (2k, 2k+1).
  const bool tall = lcd.font_mode == kLcdFont5x11;
  const uint32_t first_glyph = tall ? (symbol & ~1u) : symbol;
  const int count = tall ? kTallGlyphBytes : kGlyphRows;
  uint8_t bytes[kTallGlyphBytes] = {};
  for (int i = 0; i < count; ++i) {
    const uint8_t dots = i < kToolGridRowCount ? (grid.rows[i] & kDotsMask) : 0;
    bytes[i] = static_cast<uint8_t>(kToolGlyphRowMarker | dots);
  }

  // The controller steps its glyph address in the entry direction: writing right to left, the
  // rows go last to first from the glyph's last byte.
  const uint32_t first_address = first_glyph * kGlyphRows;
  const bool forward = lcd.increment != 0;
  const uint32_t start = forward ? first_address : first_address + count - 1;
  char text[kTallGlyphBytes + 1] = {};
  for (int i = 0; i < count; ++i) {
    text[i] = static_cast<char>(forward ? bytes[i] : bytes[count - 1 - i]);
  }
  SendLcdToolInstruction(kSetCgram | (start & (kLcdGlyphAddressCount - 1)), sink);
  SendLcdToolFrame(kWriteLetter, text, sink);

  const uint8_t line = lcd.address_line < kLcdMaxRows ? lcd.address_line : 0;
  const uint32_t cursor = layout.line_start[line] + lcd.address_column;
  SendLcdToolInstruction(kSetDdram | (cursor & kDdramAddressMask), sink);
  return kAssignSent;
}

const char* LcdToolAssignMessage(LcdToolAssignResult result) {
  switch (result) {
    case kAssignNoNumber: return kNoNumberMessage;
    case kAssignOutOfRange: return kOutOfRangeMessage;
    default: return nullptr;
  }
}

}  // namespace panel
