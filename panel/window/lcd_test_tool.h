// The LCD test tool without its dialog: which frames each control sends, how "Assign" turns the
// own-font grid into user glyphs, and how the controls follow the controller's flags. The tool
// never changes the controller itself: every action becomes "@" + command + 0x10 frames (built
// with BuildFrame) that it hands to a sink, which passes them to the panel's receive path.
#pragma once

#include <cstdint>

#include "panel/lcd/lcd_controller.h"
#include "panel/window/lcd_test_tool_ids.h"

namespace panel {

constexpr uint8_t kToolFrameTerminator = 0x10;  // DLE: the tool speaks as the application does
constexpr int kToolCommandFieldChars = 4;       // the hexadecimal command field reads at most 4
constexpr int kToolTextFieldChars = 79;         // the text field reads at most 79
constexpr int kToolSymbolFieldChars = 8;        // digits read from "Symbol Nr:"

// Where the tool's frames go (the dialog: the panel's receive path; tests: a recorder). The
// frame lies in BuildFrame's shared buffer: it must be passed on before the next one is built.
struct LcdToolSink {
  void (*send)(void* context, const uint8_t* frame, int length);
  void* context;
};

// One click as the dialog reports it.
struct LcdToolClick {
  int id;                // control id
  uint8_t checked;       // 1 when the clicked box carries a check mark after the click
  uint8_t move_display;  // 1 when "Move Display" is checked
  // kToolCommandField's text for kToolSendCommand, kToolTextField's for kToolSendText (may be
  // null: empty).
  const char* text;
};

// The opening frames: Z4 (key click on), then V (version query).
void SendLcdToolOpening(const LcdToolSink& sink);

// Sends the frames of one control as the controller `lcd` stands at the click; controls without
// frames send nothing. Move mode, grid rows, the font table and quitting are the dialog's.
void SendLcdToolCommand(const LcdToolClick& click, const LcdController& lcd,
                        const LcdToolSink& sink);

// The value the command field sends: its leading decimal digits (at most
// kToolCommandFieldChars characters are read), 0 when there are none. Null reads as empty.
uint32_t LcdToolCommandValue(const char* text);

// ---- Move mode: 0 before the first opening, then 1 "Move Cursor" or 2 "Move Display" -------

constexpr uint8_t kMoveModeUnset = 0;
constexpr uint8_t kMoveModeCursor = 1;
constexpr uint8_t kMoveModeDisplay = 2;

// The static move mode; it survives closing and reopening the dialog.
uint8_t GetLcdToolMoveMode();
void SetLcdToolMoveMode(uint8_t mode);

// ---- Refreshing the controls from the controller -------------------------------------------

enum LcdToolCheck : uint8_t {
  kToolCheckKeep = 0,   // leave the box as it is
  kToolCheckSet = 1,
  kToolCheckClear = 2,
};

constexpr int kToolRefreshCount = 12;

struct LcdToolRefresh {
  struct {
    int id;
    uint8_t check;  // LcdToolCheck
  } boxes[kToolRefreshCount];
  uint8_t tall_rows_enabled;  // grid rows 8-10
};

// The refresh rules: flag boxes are checked when their flag is on and otherwise kept; each pair
// of radio buttons shows the controller's font, lines and direction; move mode 0 becomes 1 (this
// updates the static move mode) and picks "Move Cursor" or "Move Display".
LcdToolRefresh LcdToolRefreshFrom(const LcdController& lcd);

// ---- "Assign": the own-font grid into user glyphs ------------------------------------------

constexpr int kToolGridRowCount = kToolGridRows;
constexpr uint8_t kToolGlyphRowMarker = 0x40;  // high bit on every dot row byte (see Assign)

enum LcdToolAssignResult : uint8_t {
  kAssignSent = 0,
  kAssignNoNumber = 1,     // "Symbol Nr:" is empty
  kAssignOutOfRange = 2,   // the number is above 15
};

// Grid rows top to bottom; bit 4 is dot column 0 (leftmost), bit 0 column 4.
struct LcdToolGrid {
  uint8_t rows[kToolGridRowCount];
};

// Turns the grid into user glyph n = `number_text` (0-15): in 5x8 mode rows 0-7 become glyph n,
// in 5x11 mode rows 0-10 become tall character n / 2 (glyph 2k rows 0-7, glyph 2k+1 rows 8-10
// and five empty rows). Sends a Set CGRAM address instruction, the dot rows as one W frame
// (in the order the controller's entry direction steps through glyph memory) and a Set DDRAM
// address that puts the address counter back where it stood. An empty or out-of-range number
// sends nothing.
LcdToolAssignResult SendLcdToolAssign(const LcdToolGrid& grid, const char* number_text,
                                      const LcdController& lcd, const LcdLayout& layout,
                                      const LcdToolSink& sink);

// The status line's text for a refused Assign; null for kAssignSent.
const char* LcdToolAssignMessage(LcdToolAssignResult result);

// Builds "@" + command + text + 0x10 with BuildFrame and hands it to the sink at once.
void SendLcdToolFrame(uint8_t command, const char* text, const LcdToolSink& sink);
// Sends D(value): "@D" + value as "%02X" + 0x10 (more digits above 255).
void SendLcdToolInstruction(uint32_t value, const LcdToolSink& sink);

}  // namespace panel
