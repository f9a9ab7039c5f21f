#include "app/controller/program_display.h"

#include "app/controller/controller_core.h"

namespace controller {

void ShowStatus() {
  const ControllerState& c = g_controller;
  if (c.blocked) {
    QueueMessage(kTextOperationDenied);
  } else if (c.relay_compressor == kRelayOn) {
    QueueMessage((c.led_bits & kLedRoom) ? kTextDryingRoom : kTextDryingWashing);
  } else if (c.relay_ventilator == kRelayOn) {
    // In a program the ventilator runs alone above the ON threshold only while the compressor
    // is held off for defrosting.
    bool defrosting = c.state >= kStateStartPhase && c.humidity > c.active_rh_on;
    QueueMessage(defrosting ? kTextDefrosting : kTextVentilatorOn);
  } else if (c.state >= kStateStartPhase) {
    QueueMessage(kTextStandby);
  } else if (c.led_bits & kLedRoom) {
    ShowStartTime(kTextStartAtRoom);
  } else if (c.led_bits & kLedWashing) {
    ShowStartTime(kTextStartAtWashing);
  } else {
    ShowIdleText();
  }
}

void ShowIdleText() {
  QueueMessage((g_controller.led_bits & kLedFilterAlarm) ? kTextCleanFilter : kTextProductName);
}

void ShowStartTime(uint8_t text) {
  // Inside a menu the text itself is suppressed; the time alone would land on the menu's line 2.
  if (g_controller.menu_mode >= kMenuConfiguration) return;
  QueueMessage(text);
  QueueMessage(kMsgCursorLine2Col11);
  QueueMessage(kMsgStartTime);
}

void ShowTemperature() {
  QueueMessage(kMsgCursorLine1Col6);
  QueueMessage(kMsgTemperature);
}

void ShowHumidity() {
  QueueMessage(kMsgCursorLine1Col12);
  QueueMessage(kMsgHumidity);
}

void SendKeyBeep() {
  QueueMessage((g_controller.settings.options & kOptionKeyBeep) ? kMsgBeepOn : kMsgBeepOff);
}

void LedSteady() {
  ControllerState& c = g_controller;
  if (c.led_bits & kLedWashingBlinks) {
    c.led_bits = static_cast<uint8_t>((c.led_bits & ~kLedWashingBlinks) | kLedWashing);
  }
  if (c.led_bits & kLedRoomBlinks) {
    c.led_bits = static_cast<uint8_t>((c.led_bits & ~kLedRoomBlinks) | kLedRoom);
  }
}

void LedBlink() {
  ControllerState& c = g_controller;
  if (c.led_bits & kLedWashingBlinks) c.led_bits ^= kLedWashing;
  if (c.led_bits & kLedRoomBlinks) c.led_bits ^= kLedRoom;
}

}  // namespace controller
