// Bits of the panel's LED byte (`led_bits`, sent in "@L" frames) and the relay field values.
#pragma once

#include <cstdint>

constexpr uint8_t kLedRoom = 0x01;
constexpr uint8_t kLedWashing = 0x02;
constexpr uint8_t kLedReady = 0x04;
constexpr uint8_t kLedHeaterManual = 0x08;
constexpr uint8_t kLedHeaterAutomatic = 0x10;
constexpr uint8_t kLedFilterAlarm = 0x20;
constexpr uint8_t kLedWashingBlinks = 0x40;  // bit 1 is toggled every second
constexpr uint8_t kLedRoomBlinks = 0x80;     // bit 0 is toggled every second

// Relay fields are active low.
constexpr uint8_t kRelayOn = 0;
constexpr uint8_t kRelayOff = 1;

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

constexpr uint8_t kFilterAlarmHours = 250;
