// Values and bits of the state record's fields: program states, menu modes, edit and key-mask
// bits, the panel's LED byte, relay values, options, defrost flags and heater modes.
#pragma once

#include <cstdint>

namespace controller {

// Program states (`state`).
constexpr uint8_t kStateIdle = 0;
constexpr uint8_t kStateWashingSelected = 1;
constexpr uint8_t kStateRoomSelected = 2;
constexpr uint8_t kStateStartPhase = 4;
constexpr uint8_t kStateStandby = 8;
constexpr uint8_t kStateDehumidifying = 16;

// Menu modes (`menu_mode`).
constexpr uint8_t kMenuNone = 0;
constexpr uint8_t kMenuKeyHeldMode = 1;
constexpr uint8_t kMenuConfiguration = 2;
constexpr uint8_t kMenuTime = 4;
constexpr uint8_t kMenuTest = 8;

// `edit_flags` bits.
constexpr uint8_t kEditLine1Taken = 0x01;    // temperature, humidity and clock not drawn
constexpr uint8_t kEditValueShown = 0x02;    // clock not drawn
constexpr uint8_t kEditChanged = 0x08;       // shown value differs from the stored one ('*')
constexpr uint8_t kEditClockHold = 0x10;     // `clock_hold`: seconds stay at 0
constexpr uint8_t kEditMinuteStage = 0x20;
constexpr uint8_t kEditHourStage = 0x40;

// `key_mask` bits: which menu keys act.
constexpr uint8_t kKeyMaskMinus = 0x01;
constexpr uint8_t kKeyMaskPlus = 0x02;
constexpr uint8_t kKeyMaskStore = 0x04;
constexpr uint8_t kKeyMaskPlusMinus = kKeyMaskMinus | kKeyMaskPlus;
constexpr uint8_t kKeyMaskAll = kKeyMaskPlusMinus | kKeyMaskStore;

// Bits of the panel's LED byte (`led_bits`, sent in "@L" frames).
constexpr uint8_t kLedRoom = 0x01;
constexpr uint8_t kLedWashing = 0x02;
constexpr uint8_t kLedReady = 0x04;
constexpr uint8_t kLedHeaterManual = 0x08;
constexpr uint8_t kLedHeaterAutomatic = 0x10;
constexpr uint8_t kLedFilterAlarm = 0x20;
constexpr uint8_t kLedWashingBlinks = 0x40;  // bit 1 is toggled every second
constexpr uint8_t kLedRoomBlinks = 0x80;     // bit 0 is toggled every second
constexpr uint8_t kAllSixLeds = 0x3F;        // every LED, without the blink bits

// The LEDs an LED byte's blink flags make blink.
constexpr uint8_t BlinkingLeds(uint8_t led_byte) {
  return static_cast<uint8_t>(((led_byte & kLedRoomBlinks) ? kLedRoom : 0) |
                              ((led_byte & kLedWashingBlinks) ? kLedWashing : 0));
}

// Relay fields are active low.
constexpr uint8_t kRelayOn = 0;
constexpr uint8_t kRelayOff = 1;
// Bit positions of the relay fields in the relay byte the tick hands to the shell.
constexpr int kRelayShiftCompressor = 0;
constexpr int kRelayShiftHeater = 1;
constexpr int kRelayShiftVentilator = 2;
constexpr int kRelayShiftHotgas = 3;

// `options` bits of ControllerSettings.
constexpr uint8_t kOptionNoHeater = 0x01;
constexpr uint8_t kOptionKeyBeep = 0x02;
constexpr uint8_t kOptionHeaterAutomaticOnly = 0x04;

// `defrost_flags` bits.
constexpr uint8_t kDefrostRunning = 0x01;
constexpr uint8_t kDefrostArmed = 0x02;

// `heater_mode` values.
constexpr uint8_t kHeaterNone = 0;
constexpr uint8_t kHeaterOff = 1;
constexpr uint8_t kHeaterManual = 2;
constexpr uint8_t kHeaterAutomatic = 3;
// The modes fit in these bits; masking turns a heater option code left in `heater_mode` by the
// CONFIGURATION (0, 1 or 5) into none or off.
constexpr uint8_t kHeaterModeBits = 0x03;

// `humidity` above this is no valid measurement (sensor error, or none yet).
constexpr uint8_t kHumidityMax = 100;

// `filter_hours` at which the filter alarm comes; the count stops there.
constexpr uint8_t kFilterAlarmHours = 250;

}  // namespace controller
