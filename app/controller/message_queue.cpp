#include "app/controller/controller_core.h"

namespace controller {

static bool IsKnownMessage(uint8_t code) {
  switch (code) {
    case kMsgLeds: case kMsgBacklight: case kMsgCursorLine1: case kMsgCursorLine2:
    case kMsgEditTime: case kMsgFilterTime: case kMsgCursorLine2Col10: case kMsgCursorLine2Col11:
    case kMsgEditValue: case kMsgStartTime: case kMsgClock: case kMsgHumidity:
    case kMsgTemperature: case kMsgCursorLine1Col12: case kMsgCursorLine1Col6:
    case kMsgClearDisplay: case kMsgBeepOn: case kMsgBeepOff: case kMsgInitialise:
    case kMsgPercentValue: case kMsgDisplayTest: case kMsgSensorAlarm:
      return true;
    default:
      return code >= kMsgFirstText && code <= kMsgLastText;
  }
}

static void Append(uint8_t code) {
  ControllerState& c = g_controller;
  c.messages[c.message_count++] = code;
}

int QueueMessage(uint8_t code) {
  ControllerState& c = g_controller;
  if (!IsKnownMessage(code)) return 0;
  if (code >= kMsgFirstText) {
    // Normal-operation texts would disturb a menu.
    if (c.menu_mode >= kMenuConfiguration && code < kTextConfiguration) return 1;
    // A cursor code without its text would leave the text of a later message at the wrong place,
    // so a text goes in with its cursor code or not at all.
    if (c.message_count + 2 > kMessageQueueSize) return 0;
    Append(code >= kMsgFirstValueField ? kMsgCursorLine1 : kMsgCursorLine2);
    Append(code);
    return 1;
  }
  if (c.message_count >= kMessageQueueSize) return 0;
  Append(code);
  return 1;
}

void DropHeadMessage() {
  ControllerState& c = g_controller;
  StopTimer(kTimerAckTimeout);
  c.awaiting_ack = 0;
  c.retry_count = 0;
  if (c.message_count == 0) return;
  for (int i = 1; i < c.message_count; ++i) c.messages[i - 1] = c.messages[i];
  --c.message_count;
}

}  // namespace controller
