// Feeds arbitrary instruction bytes, data bytes, nibbles, resets, fills and protocol-style hex
// text to the LCD controller, and rasterises the result, so that no byte sequence can take an
// index outside display memory, the glyph tables or the pixel buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "panel/core/option_word.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"

using namespace panel;

namespace {

void CheckInvariants() {
  const LcdController* lcd = LcdGetController();
  if (lcd->address_line > 1 || lcd->nibble_phase > 1 || lcd->glyph_address >= 64 ||
      lcd->display_shift >= 40 || LcdGetLayout()->line_start[lcd->address_line] +
                                          lcd->address_column >= kLcdAddressableSize) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::vector<uint32_t> pixels(520 * 200);
  static bool first = true;
  if (first) {
    LcdInit();
    LcdSetViewDefaults();
    first = false;
  }
  size_t i = 0;
  while (i + 1 < size) {
    const uint8_t op = data[i++];
    const uint8_t value = data[i++];
    switch (op & 0x0F) {
      case 0: LcdWrite(0, value); break;
      case 1: LcdWrite(1, value); break;
      case 2: LcdWriteNibble(0, value); break;
      case 3: LcdWriteNibble(1, value); break;
      case 4: LcdWriteNibble(0, value >> 4); LcdWriteNibble(0, value); break;
      case 5: {  // "@W": up to 15 following bytes as text
        const uint8_t count = static_cast<uint8_t>(value & 0x0F);
        const size_t available = size - i;
        const uint8_t n = static_cast<uint8_t>(count < available ? count : available);
        LcdWriteString(data + i, n);
        i += n;
        break;
      }
      case 6: {  // "@D": hex text converted in place, first byte as two nibbles
        uint8_t text[8];
        const size_t available = size - i;
        const uint8_t n = static_cast<uint8_t>((value & 7) < available ? (value & 7) : available);
        std::memcpy(text, data + i, n);
        i += n;
        HexToBytes(text, n);
        if (n >= 2) { LcdWriteNibble(0, text[0] >> 4); LcdWriteNibble(0, text[0]); }
        break;
      }
      case 7: LcdReset(); break;
      case 8: if ((value & 0x3F) == 0) LcdFillDisplayMemory(value); break;
      case 9: if ((value & 0x1F) == 0) LcdInit(); break;
      case 10: SetOptions(value & 0x10 ? 0x8410 : 0); break;
      case 11: LcdGetController()->lines = value & 7; break;  // an applied LCD type
      case 12: LcdGetLayout()->characters_per_row = value; break;
      case 13: LcdBlinkTick(); break;
      default: LcdWrite(value & 1, value); break;
    }
    CheckInvariants();
  }
  LcdPixelBuffer buffer{0, 0, 520, 200, pixels.data()};
  LcdRasterise(&buffer);
  LcdDrawBounds();
  return 0;
}
