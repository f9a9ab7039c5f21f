// The LCD test tool's controls as the controller's flags say, and the move mode that outlives
// the dialog.
#include "panel/window/lcd_test_tool.h"

namespace panel {

namespace {

uint8_t g_move_mode = kMoveModeUnset;

// A flag box is checked when its flag is on; an off flag never clears it.
uint8_t FlagBox(uint8_t flag) { return flag ? kToolCheckSet : kToolCheckKeep; }

}  // namespace

uint8_t GetLcdToolMoveMode() { return g_move_mode; }

void SetLcdToolMoveMode(uint8_t mode) { g_move_mode = mode; }

LcdToolRefresh LcdToolRefreshFrom(const LcdController& lcd) {
  if (g_move_mode == kMoveModeUnset) g_move_mode = kMoveModeCursor;
  const bool tall = lcd.font_mode == kLcdFont5x11;
  const bool one_line = lcd.lines == kLcdOneLine;
  const bool forward = lcd.increment != 0;
  const bool move_display = g_move_mode == kMoveModeDisplay;
  auto pick = [](bool on) { return on ? kToolCheckSet : kToolCheckClear; };
  LcdToolRefresh refresh = {{
      {kToolLcdOn, FlagBox(lcd.display_on)},
      {kToolShowCursor, FlagBox(lcd.cursor)},
      {kToolBlinkCursor, FlagBox(lcd.blink)},
      {kToolDisplayShift, FlagBox(lcd.entry_shift)},
      {kToolFont5x11, pick(tall)},
      {kToolFont5x8, pick(!tall)},
      {kToolOneLine, pick(one_line)},
      {kToolTwoLines, pick(!one_line)},
      {kToolLeftToRight, pick(forward)},
      {kToolRightToLeft, pick(!forward)},
      {kToolMoveCursor, pick(!move_display)},
      {kToolMoveDisplay, pick(move_display)},
  }, static_cast<uint8_t>(tall ? 1 : 0)};
  return refresh;
}

}  // namespace panel
