// Command interpreter: one function per command, dispatched on the command letter.
#include "panel/link/command_interpreter.h"

#include <cstring>

#include "panel/core/data_lists.h"
#include "panel/core/monitor_log.h"
#include "panel/core/panel_platform.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/link/frame_assembler.h"
#include "panel/link/panel_answers.h"
#include "panel/link/protocol_settings.h"

namespace panel {

namespace {

constexpr uint8_t kVersionReply[] = {'@', 'V', '1', '0', '0', kFrameCr};
constexpr uint8_t kJReply[] = {'@', 'J', 'A', kFrameCr};
constexpr int32_t kPayloadStart = 2;  // after "@" and the command letter

// A message as the interpreter sees it: a private copy of the bytes before the first NUL (the
// rest reads as 0, never as a byte left over from an earlier frame), its full length, and where
// its payload ends (before the terminator, when it has one).
struct Command {
  uint8_t text[kFrameMaxLength + 1];
  int32_t length;
  int32_t text_length;  // bytes before the first NUL
  int32_t payload_end;  // index of the terminator, or length when the message has none
};

bool IsTerminator(uint8_t byte) { return byte == kFrameCr || byte == kFrameLf || byte == kFrameDle; }

void LoadCommand(Command* c, const uint8_t* bytes, int32_t length) {
  std::memset(c->text, 0, sizeof c->text);
  // RX messages come from the frame assembler and fit a frame; anything longer (appended through
  // the exported list operations) is cut to one frame.
  if (bytes == nullptr || length < 0) length = 0;
  if (length > kFrameMaxLength) length = kFrameMaxLength;
  int32_t text_length = 0;
  while (text_length < length && bytes[text_length] != 0) ++text_length;
  if (text_length > 0) std::memcpy(c->text, bytes, static_cast<size_t>(text_length));
  c->length = length;
  c->text_length = text_length;
  c->payload_end = (length > 0 && IsTerminator(bytes[length - 1])) ? length - 1 : length;
}

int32_t PayloadLength(const Command& c) {
  return c.payload_end > kPayloadStart ? c.payload_end - kPayloadStart : 0;
}

// The first hexadecimal pair of the payload as a byte. A payload without a complete pair before
// the terminator yields nothing: the terminator or a missing byte is never taken as a digit.
bool FirstHexByte(const Command& c, uint8_t* value) {
  if (PayloadLength(c) < 2) return false;
  uint8_t pair[2] = {c.text[kPayloadStart], c.text[kPayloadStart + 1]};
  HexToBytes(pair, 2);
  *value = pair[0];
  return true;
}

void RejectCommand() { MonitorLine(kRxMonitor, "Simulator didn't understand a command!!\r\n"); }

// "@D": one LCD instruction, always as two nibbles so two frames never leave the latch half full.
void OnInstruction(const Command& c) {
  uint8_t instruction = 0;
  if (FirstHexByte(c, &instruction)) {
    LcdWriteNibble(0, instruction >> 4);
    LcdWriteNibble(0, instruction);
  }
  Acknowledge();
  PlatformRedrawLcd();
}

// "@L": LED ids are consecutive bits from 1; the first id without an LED area ends the update.
void OnLeds(const Command& c) {
  uint8_t leds = 0;
  if (FirstHexByte(c, &leds)) {
    ApplyLedBits(leds);
    PlatformRedrawLeds();
  }
  Acknowledge();
}

// "@W": the text between the command letter and the terminator, up to a NUL.
void OnWriteText(const Command& c) {
  int32_t count = PayloadLength(c);
  const int32_t before_nul = c.text_length > kPayloadStart ? c.text_length - kPayloadStart : 0;
  if (count > before_nul) count = before_nul;
  LcdWriteString(c.text + kPayloadStart, static_cast<uint8_t>(count));
  Acknowledge();
  PlatformRedrawLcd();
}

// "@Q": the display test fills all of display memory with one character.
void OnFill(const Command& c) {
  if (PayloadLength(c) >= 1) LcdFillDisplayMemory(c.text[kPayloadStart]);
  Acknowledge();
  PlatformRedrawLcd();
}

void OnKeyClick(const Command& c) {
  if (PayloadLength(c) >= 1) SetKeyClickWord(c.text[kPayloadStart]);
  Acknowledge();
}

void QueueReply(const uint8_t* bytes, int32_t length) {
  if (GetRepliesFlag() == kRepliesOn) QueueTxMessage(bytes, length);
}

}  // namespace

void InterpretCommand(const uint8_t* bytes, int32_t length) {
  Command c;
  LoadCommand(&c, bytes, length);
  if (c.length < 1 || c.text[0] != '@') {
    RejectCommand();
    return;
  }
  // A lone "@" (only a block piece can be one) has no command letter: it reads as 0.
  switch (c.text[1]) {
    case '?':
      LcdReset();
      PlatformRedrawLcd();
      break;
    case 'B':
      Acknowledge();
      PlatformRedrawLcd();
      break;
    case 'D':
      OnInstruction(c);
      break;
    case 'J':
      QueueReply(kJReply, sizeof kJReply);
      break;
    case 'L':
      OnLeds(c);
      break;
    case 'Q':
      OnFill(c);
      break;
    case 'V':
      QueueReply(kVersionReply, sizeof kVersionReply);
      break;
    case 'W':
      OnWriteText(c);
      break;
    case 'Z':
      OnKeyClick(c);
      break;
    case 'z':
      PlatformBeep(kBeepFrequencyHz, kBeepDurationMs);
      Acknowledge();
      break;
    case '!':  // an acknowledgement or a key frame echoed back: nothing to do
    case 'K':
      break;
    default:
      RejectCommand();
      break;
  }
}

void RunCommandInterpreter() {
  tagLISTHEAD* rx = GetRXListHead();
  if (rx == nullptr) return;
  // The interpreter is the RX list's only consumer, so its first entry stays where it is; the
  // count is read under the list lock because producers on other threads append meanwhile.
  while (QueuedCount(rx) > 0) {
    tagNODE* node = GetHead(rx);
    if (node == nullptr || node->record == nullptr) break;
    tagDATA* record = node->record;
    InterpretCommand(record->bytes, record->length);
    if (RemoveEntry(rx, record) == 0) break;  // never spin on a head that cannot be removed
  }
}

}  // namespace panel
