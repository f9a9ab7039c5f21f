// What the programs show: the status text on line 2, temperature and humidity on line 1, the
// start time of a delayed start, the key beep setting, and the blinking of the program LEDs.
// Every operation only queues message codes; the panel link turns them into frames.
#pragma once

#include <cstdint>

// Codes of the texts the programs show.
constexpr uint8_t kTextProductName = 100;
constexpr uint8_t kTextStartWashing = 101;   // "  START IN 5s   "
constexpr uint8_t kTextStartRoom = 102;
constexpr uint8_t kTextVentilatorOn = 104;
constexpr uint8_t kTextStandby = 105;
constexpr uint8_t kTextNoHeater = 106;
constexpr uint8_t kTextDefrosting = 107;
constexpr uint8_t kTextOperationDenied = 108;
constexpr uint8_t kTextDryingRoom = 109;
constexpr uint8_t kTextDryingWashing = 110;
constexpr uint8_t kTextSensorError = 111;
constexpr uint8_t kTextStartAtRoom = 113;    // " START at  ", the time follows at column 11
constexpr uint8_t kTextStartAtWashing = 114;
constexpr uint8_t kTextCleanFilter = 145;

void ShowStatus();
void ShowIdleText();
void ShowStartTime(uint8_t text);
void ShowTemperature();
void ShowHumidity();
void SendKeyBeep();
// A blinking program LED stays on.
void LedSteady();
// Toggles a blinking program LED; called once a second.
void LedBlink();
