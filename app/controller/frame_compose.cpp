// Turns the message code at the head of the queue into one frame in tx_frame.
#include "app/controller/controller_core.h"
#include "app/controller/lcd_text_table.h"
#include "app/controller/panel_link.h"
#include "app/controller/wall_clock.h"

namespace controller {

char DigitChar(uint8_t value, uint8_t mode) {
  uint8_t hundreds = value / 100;
  uint8_t tens = (value % 100) / 10;
  uint8_t ones = value % 10;
  switch (mode) {
    case kDigitTensBlanked: return (tens == 0 && hundreds == 0) ? ' ' : static_cast<char>('0' + tens);
    case kDigitHundredsBlanked: return hundreds == 0 ? ' ' : static_cast<char>('0' + hundreds);
    case kDigitTensPadded: return static_cast<char>('0' + tens);
    case kDigitOnes:
    default: return static_cast<char>('0' + ones);
  }
}

char HexDigit(uint8_t n) {
  n &= 0x0F;
  return static_cast<char>(n < 10 ? '0' + n : 'A' + (n - 10));
}

uint8_t HexValue(char c) {
  uint8_t byte = static_cast<uint8_t>(c);
  if (byte >= '0' && byte <= '9') return static_cast<uint8_t>(byte - '0');
  return static_cast<uint8_t>(byte - 55);
}

namespace {

constexpr uint8_t kDisplayTestAllDots = 0xFF;  // "@Q" payload: all dots on

// Builds one frame: '@', command, payload, DLE.
struct FrameWriter {
  uint8_t length = 0;
  void Put(uint8_t byte) {
    if (length < kTxFrameSize) g_controller.tx_frame[length++] = byte;
  }
  void Put(char c) { Put(static_cast<uint8_t>(c)); }
  void Start(char command) {
    length = 0;
    Put(kFrameStart);
    Put(command);
  }
  void Text(const char* text) {
    while (*text) Put(*text++);
  }
  uint8_t Finish() {
    // The terminator always fits: payloads are at most 16 bytes.
    if (length >= kTxFrameSize) length = kTxFrameSize - 1;
    g_controller.tx_frame[length++] = kAppTerminator;
    return length;
  }
};

char StarIfChanged() { return (g_controller.edit_flags & kEditChanged) ? '*' : ' '; }

void PutTwoDigitsPadded(FrameWriter& w, uint8_t value) {
  w.Put(DigitChar(value, kDigitTensPadded));
  w.Put(DigitChar(value, kDigitOnes));
}

void PutThreeDigitsBlanked(FrameWriter& w, uint8_t value) {
  w.Put(DigitChar(value, kDigitHundredsBlanked));
  w.Put(DigitChar(value, kDigitTensBlanked));
  w.Put(DigitChar(value, kDigitOnes));
}

char EditTimeSeparator() {
  uint8_t flags = g_controller.edit_flags;
  if (flags & kEditHourStage) return '<';
  if (flags & kEditMinuteStage) return '>';
  return ':';
}

void ComposeTemperature(FrameWriter& w) {
  int8_t t = g_controller.temperature;
  uint8_t magnitude = static_cast<uint8_t>(t < 0 ? -static_cast<int>(t) : t);
  w.Put(t < 0 ? '-' : ' ');
  w.Put(DigitChar(magnitude, kDigitTensBlanked));
  w.Put(DigitChar(magnitude, kDigitOnes));
  w.Put(kDegreeSign);
  w.Put('C');
}

void ComposePercent(FrameWriter& w) {
  int8_t v = static_cast<int8_t>(g_controller.edit_value);
  uint8_t magnitude = static_cast<uint8_t>(v < 0 ? -static_cast<int>(v) : v);
  w.Put(StarIfChanged());
  w.Put(v < 0 ? '-' : (v > 0 ? '+' : ' '));
  w.Put(DigitChar(magnitude, kDigitOnes));
  w.Put('%');
  w.Put(' ');
}

void ComposeText(FrameWriter& w, uint8_t code) {
  const uint8_t* text = LcdTextTable[code - kMsgFirstText];
  w.Start('W');
  for (int i = 0; i < kLcdTextSlotSize - 1 && text[i] != 0; ++i) w.Put(text[i]);
}

// The initialisation message sends nothing: it sets the clock from the platform and loads the
// default settings.
void RunInitialisation() {
  ControllerState& c = g_controller;
  WallClockTime now = ReadWallClock();
  c.hour = now.hour;
  c.minute = now.minute;
  c.second = now.second;
  c.last_platform_second = now.second;
  DropHeadMessage();
  LoadDefaults();
}

// Fills tx_frame for the code; returns its length, or 0 when the code sends nothing.
uint8_t BuildMessageFrame(uint8_t code) {
  ControllerState& c = g_controller;
  FrameWriter w;
  switch (code) {
    case kMsgLeds:
      w.Start('L');
      w.Put(HexDigit(c.led_bits >> 4));
      w.Put(HexDigit(c.led_bits & 0x0F));
      break;
    case kMsgBacklight: w.Start('B'); w.Text("0"); break;
    case kMsgCursorLine1: w.Start('D'); w.Text("80"); break;
    case kMsgCursorLine2: w.Start('D'); w.Text("C0"); break;
    case kMsgCursorLine2Col10: w.Start('D'); w.Text("CA"); break;
    case kMsgCursorLine2Col11: w.Start('D'); w.Text("CB"); break;
    case kMsgCursorLine1Col12: w.Start('D'); w.Text("8C"); break;
    case kMsgCursorLine1Col6: w.Start('D'); w.Text("86"); break;
    case kMsgClearDisplay: w.Start('D'); w.Text("01"); break;
    case kMsgBeepOn: w.Start('Z'); w.Text("4"); break;
    case kMsgBeepOff: w.Start('Z'); w.Text("0"); break;
    case kMsgEditTime:
      w.Start('W');
      PutTwoDigitsPadded(w, c.edit_hour);
      w.Put(EditTimeSeparator());
      PutTwoDigitsPadded(w, c.edit_minute);
      break;
    case kMsgFilterTime:
      w.Start('W');
      PutThreeDigitsBlanked(w, c.filter_hours);
      w.Put(':');
      PutTwoDigitsPadded(w, c.filter_minutes);
      break;
    case kMsgEditValue:
      w.Start('W');
      w.Put(StarIfChanged());
      PutThreeDigitsBlanked(w, c.edit_value);
      w.Put(' ');
      break;
    case kMsgStartTime:
      w.Start('W');
      w.Put(DigitChar(c.start_hour, kDigitTensBlanked));
      w.Put(DigitChar(c.start_hour, kDigitOnes));
      w.Put(':');
      PutTwoDigitsPadded(w, c.start_minute);
      break;
    case kMsgClock:
      if (c.edit_flags & (kEditLine1Taken | kEditValueShown)) return 0;
      w.Start('W');
      PutTwoDigitsPadded(w, c.hour);
      w.Put((c.second & 1) ? ' ' : ':');
      PutTwoDigitsPadded(w, c.minute);
      break;
    case kMsgHumidity:
      if (c.edit_flags & kEditLine1Taken) return 0;
      w.Start('W');
      PutThreeDigitsBlanked(w, c.humidity);
      w.Put('%');
      break;
    case kMsgTemperature:
      if (c.edit_flags & kEditLine1Taken) return 0;
      w.Start('W');
      ComposeTemperature(w);
      break;
    case kMsgPercentValue:
      w.Start('W');
      ComposePercent(w);
      break;
    case kMsgDisplayTest:
      w.Start('Q');
      w.Put(kDisplayTestAllDots);
      break;
    case kMsgSensorAlarm: w.Start('s'); break;
    default:
      if (code >= kMsgFirstText && code <= kMsgLastText) {
        ComposeText(w, code);
        break;
      }
      return 0;  // unknown code: nothing to send
  }
  return w.Finish();
}

}  // namespace

void ComposeFrame() {
  ControllerState& c = g_controller;
  if (c.message_count == 0 || c.awaiting_ack) return;
  uint8_t code = c.messages[0];
  ++c.retry_count;
  if (code == kMsgInitialise) {
    RunInitialisation();
    return;
  }
  uint8_t length = BuildMessageFrame(code);
  if (length == 0) {
    // Suppressed while editing (clock, humidity, temperature), or unknown: nothing goes out.
    DropHeadMessage();
    return;
  }
  c.tx_remaining = length;
  c.tx_next = 0;
}

}  // namespace controller
