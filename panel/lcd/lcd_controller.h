// The emulated character-LCD controller of the panel: one HD44780-style controller in static
// storage, driven by instruction and data bytes from the panel protocol and read by drawing.
//
// What the model does NOT emulate: the busy flag, every read operation (no busy/address read, no
// data read), instruction timing (every instruction takes effect at once), the 8-bit/4-bit
// interface switch (DL is ignored; protocol instructions always arrive as two nibbles), the
// contrast and the module's real 5x10 cursor row. It departs from a real module where the panel
// has always behaved differently: lines are 40 characters with one line too, Return home also
// sets the entry direction to increment, a backward data write from column 0 wraps to column 7
// of the previous line, and Set CGRAM address leaves the display position untouched.
//
// Glyph memory (CGRAM) works as on a real module: Set CGRAM address loads a separate 6-bit glyph
// address; each data byte written while glyph memory is selected stores its low 5 bits into user
// glyph (address / 8), row (address % 8), and the glyph address then steps by one in the entry
// direction, modulo 64. Codes 8-15 mirror codes 0-7 (both entries are written), as on a real
// module, so in 5x11 mode the pair (2k, 2k+1) forms tall user character k exactly where a real
// module keeps its 5x10 character k (glyph memory bytes 16k .. 16k+15).
//
// Controllers with more than two lines (set by an applied LCD type) address only the two
// display-data lines a real controller has; their extra display rows continue lines 0 and 1.
//
// Threads: every writer runs on the panel's UI thread without the lock; drawing holds the LCD
// lock (LcdGetLock) while it reads the controller.
#pragma once

#include <cstdint>
#include <mutex>

#include "panel/lcd/glyph_table.h"

namespace panel {

constexpr uint32_t kLcdDisplayMemorySize = 65000;   // bytes of display data memory ("@Q" fills all)
constexpr uint32_t kLcdAddressableSize = 0x80;      // instructions and data writes stay below this
constexpr uint8_t kLcdMaxRows = 4;                  // display rows the layout describes
constexpr uint8_t kLcdGlyphAddressCount = 64;       // glyph memory bytes reachable by Set CGRAM address
constexpr uint8_t kLcdFont5x8 = 1;                  // font_mode values
constexpr uint8_t kLcdFont5x11 = 2;
constexpr uint8_t kLcdOneLine = 1;                  // lines as Function set leaves them
constexpr uint8_t kLcdTwoLines = 2;

// The single emulated controller. Fields in the order the panel has always kept them.
struct LcdController {
  uint8_t display_memory[kLcdDisplayMemorySize];  // character codes; line 0 at 0x00, line 1 at 0x40
  uint8_t address_column;       // position of the address counter within its line
  uint8_t address_line;         // line of the address counter (0 = first line)
  uint8_t glyph_memory_select;  // 1 after Set CGRAM address: data writes go to glyph memory
  uint8_t entry_shift;          // S bit of Entry mode set: the display shifts on each data write
  uint8_t display_on;           // D bit of Display on/off control
  uint8_t blink;                // B bit
  uint8_t cursor;               // C bit
  uint8_t increment;            // I/D bit: 1 = the address counter moves right after a data write
  uint8_t display_shift;        // visible window offset along each line, 0 .. line length - 1
  uint8_t font_mode;            // 1 = 5x8 dots, 2 = 5x11 dots
  uint8_t initialised;          // set by LcdInit before it runs LcdReset
  uint8_t lines;                // N: display-data lines in use (an LCD type may set 3 or 4)
  uint8_t line_length;          // characters per display-data line
  uint32_t clear_length;        // display-memory bytes that Clear display sets to spaces
  uint32_t nibble_latch;        // high nibble already shifted left by 4; then the whole byte
  uint8_t nibble_phase;         // 1 = the next nibble is a high nibble
  uint8_t blink_phase;          // toggled every 500 ms while blink is on (drawing)
  uint8_t glyph_address;        // glyph memory address 0..63 loaded by Set CGRAM address
};

// The display organisation: which memory each display row shows.
struct LcdLayout {
  uint8_t rows_drawn;               // display rows that drawing walks (at most kLcdMaxRows)
  uint32_t line_start[4];           // display-memory index of each display-data line
  uint32_t row_start[4];            // display-memory index where display row r begins
  uint8_t characters_per_row;       // visible characters per display row
  uint8_t line_length_by_n[2];      // line length for N = 1 and N = 2
  uint32_t clear_length_by_n[2];    // clear length for N = 1 and N = 2
  uint32_t backward_wrap;           // 1 selects column 7 as the backward-wrap column
};

// Stores the layout and controller start values, builds the glyph tables (discarding user
// glyphs), sets initialised and runs LcdReset. Leaves the nibble phase and glyph select alone.
void LcdInit();
// The power-on instruction sequence (0x28, 0x08, 0x01, 0x06, " Initialisation " unless option
// 0x0010, 0x0C) through the nibble path. Used for "@?".
void LcdReset();
// The 4-bit bus: the first call latches a high nibble, the second completes the byte and passes
// it to LcdWrite with the same rs. rs 0 = instruction, else data.
void LcdWriteNibble(int rs, int value);
// One instruction (rs == 0) or one data write (rs != 0) of the low byte of value.
void LcdWrite(int rs, int value);
// LcdWrite(1, b) for each of the count bytes; count 0 writes nothing. Used for "@W".
void LcdWriteString(const uint8_t* bytes, uint8_t count);
inline void LcdWriteString(const char* bytes, uint8_t count) {
  LcdWriteString(reinterpret_cast<const uint8_t*>(bytes), count);
}
// Converts count / 2 hexadecimal digit pairs in place into bytes at the start of text. Digits
// 0-9 and upper-case A-F give their value; other characters are converted by the same arithmetic
// (code - 0x30, minus 7 more above 9, modulo 256) without error. Count below 2 converts nothing.
void HexToBytes(uint8_t* text, uint8_t count);
inline void HexToBytes(char* text, uint8_t count) {
  HexToBytes(reinterpret_cast<uint8_t*>(text), count);
}
// The 65000 bytes of display data memory.
uint8_t* LcdGetDisplayMemory();
// Fills all of display memory with one character ("@Q"); address counter, flags, shift unchanged.
void LcdFillDisplayMemory(uint8_t character);

LcdController* LcdGetController();
LcdLayout* LcdGetLayout();
GlyphTable* LcdGetGlyphTable();
DescenderTable* LcdGetDescenderTable();
// The LCD lock: taken only by drawing, for the whole of one redraw.
std::mutex& LcdGetLock();

// Every controller, layout and glyph field back to its load-time value (zeroes, nibble phase 1,
// not initialised), as if the library had just been loaded (part of ResetPanelLibraryForTests).
void LcdResetToLoadTime();

}  // namespace panel
