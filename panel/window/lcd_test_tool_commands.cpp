// The LCD test tool's frames: the opening, and one table row per control of the dialog. Each
// instruction that changes one bit keeps the controller's other bits as they are at the click.
#include "panel/window/lcd_test_tool.h"

#include "panel/core/monitor_log.h"
#include "panel/link/build_frame.h"

namespace panel {

namespace {

constexpr uint8_t kInstructionLetter = 'D';
constexpr uint8_t kWriteLetter = 'W';
constexpr uint8_t kKeyClickLetter = 'Z';
constexpr uint8_t kVersionLetter = 'V';
constexpr uint8_t kResetLetter = '?';
constexpr char kKeyClickOn[] = "4";
constexpr char kResetText[] = "^!";  // "@?^!": the controller's reset sequence

// HD44780 instruction bytes the tool composes.
constexpr uint32_t kClearDisplay = 0x01;
constexpr uint32_t kReturnHome = 0x02;
constexpr uint32_t kEntryMode = 0x04;        // + 2 I/D + S
constexpr uint32_t kDisplayControl = 0x08;   // + 4 D + 2 C + B
constexpr uint32_t kCursorLeft = 0x10;
constexpr uint32_t kCursorRight = 0x14;
constexpr uint32_t kDisplayLeft = 0x18;
constexpr uint32_t kDisplayRight = 0x1C;
constexpr uint32_t kFunction1Line5x8 = 0x20;
constexpr uint32_t kFunction1Line5x11 = 0x24;
constexpr uint32_t kFunction2Lines5x8 = 0x28;
constexpr uint32_t kFunction2Lines5x11 = 0x2C;
constexpr uint32_t kSetDdramLine0 = 0x80;
constexpr uint32_t kSetDdramLine1 = 0xC0;

constexpr int kDisplayTestCells = 16;
constexpr char kFullBlock = '\xFF';

uint32_t DisplayControl(uint32_t d, uint32_t c, uint32_t b) {
  return kDisplayControl + 4 * d + 2 * c + b;
}

void SendDisplayTest(const LcdToolSink& sink) {
  char blocks[kDisplayTestCells + 1];
  for (int i = 0; i < kDisplayTestCells; ++i) blocks[i] = kFullBlock;
  blocks[kDisplayTestCells] = '\0';
  SendLcdToolInstruction(kClearDisplay, sink);
  SendLcdToolInstruction(kSetDdramLine0, sink);
  SendLcdToolFrame(kWriteLetter, blocks, sink);
  SendLcdToolInstruction(kSetDdramLine1, sink);
  SendLcdToolFrame(kWriteLetter, blocks, sink);
}

void SendCommandField(const char* text, const LcdToolSink& sink) {
  if (text == nullptr || text[0] == '\0') return;
  SendLcdToolInstruction(LcdToolCommandValue(text), sink);
}

// The text field: at most kToolTextFieldChars characters; empty sends W alone.
void SendTextField(const char* text, const LcdToolSink& sink) {
  char cut[kToolTextFieldChars + 1] = {};
  for (int i = 0; text != nullptr && i < kToolTextFieldChars && text[i] != '\0'; ++i) {
    cut[i] = text[i];
  }
  SendLcdToolFrame(kWriteLetter, cut, sink);
}

}  // namespace

void SendLcdToolFrame(uint8_t command, const char* text, const LcdToolSink& sink) {
  int length = 0;
  const uint8_t* frame = BuildFrame(command, 0, text, &length, kToolFrameTerminator);
  if (sink.send != nullptr) sink.send(sink.context, frame, length);
}

void SendLcdToolInstruction(uint32_t value, const LcdToolSink& sink) {
  char hex[16];
  FormatText(hex, sizeof hex, "%02X", static_cast<int>(value));
  SendLcdToolFrame(kInstructionLetter, hex, sink);
}

uint32_t LcdToolCommandValue(const char* text) {
  constexpr uint32_t kDecimalBase = 10;
  uint32_t value = 0;
  for (int i = 0; text != nullptr && i < kToolCommandFieldChars; ++i) {
    if (text[i] < '0' || text[i] > '9') break;
    value = value * kDecimalBase + static_cast<uint32_t>(text[i] - '0');
  }
  return value;
}

void SendLcdToolOpening(const LcdToolSink& sink) {
  SendLcdToolFrame(kKeyClickLetter, kKeyClickOn, sink);
  SendLcdToolFrame(kVersionLetter, nullptr, sink);
}

void SendLcdToolCommand(const LcdToolClick& click, const LcdController& lcd,
                        const LcdToolSink& sink) {
  const uint32_t checked = click.checked ? 1 : 0;
  const bool tall = lcd.font_mode == kLcdFont5x11;
  const bool two_lines = lcd.lines == kLcdTwoLines;
  uint32_t instruction = 0;
  switch (click.id) {
    case kToolReset:
      SendLcdToolFrame(kResetLetter, kResetText, sink);
      return;
    case kToolDisplayTest:
      SendDisplayTest(sink);
      return;
    case kToolSendCommand:
      SendCommandField(click.text, sink);
      return;
    case kToolSendText:
      SendTextField(click.text, sink);
      return;
    case kToolClearLcd: instruction = kClearDisplay; break;
    case kToolReturnHome: instruction = kReturnHome; break;
    case kToolDisplayShift: instruction = kEntryMode + 2 * lcd.increment + checked; break;
    case kToolLcdOn: instruction = DisplayControl(checked, lcd.cursor, lcd.blink); break;
    case kToolShowCursor: instruction = DisplayControl(lcd.display_on, checked, lcd.blink); break;
    case kToolBlinkCursor: instruction = DisplayControl(lcd.display_on, lcd.cursor, checked); break;
    case kToolFont5x11: instruction = two_lines ? kFunction2Lines5x11 : kFunction1Line5x11; break;
    case kToolFont5x8: instruction = two_lines ? kFunction2Lines5x8 : kFunction1Line5x8; break;
    case kToolOneLine: instruction = tall ? kFunction1Line5x11 : kFunction1Line5x8; break;
    case kToolTwoLines: instruction = tall ? kFunction2Lines5x11 : kFunction2Lines5x8; break;
    case kToolLeftToRight: instruction = kEntryMode + 2 + lcd.entry_shift; break;
    case kToolRightToLeft: instruction = kEntryMode + lcd.entry_shift; break;
    case kToolGoLeft: instruction = click.move_display ? kDisplayLeft : kCursorLeft; break;
    case kToolGoRight: instruction = click.move_display ? kDisplayRight : kCursorRight; break;
    default:
      return;  // move mode, font table, grid, quit and the fields send nothing
  }
  SendLcdToolInstruction(instruction, sink);
}

}  // namespace panel
