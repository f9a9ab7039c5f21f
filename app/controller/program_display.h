// What the programs show: the status text on line 2, temperature and humidity on line 1, the
// start time of a delayed start, the key beep setting, and the blinking of the program LEDs.
// Every operation only queues message codes; the panel link turns them into frames.
#pragma once

#include <cstdint>

namespace controller {

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

}  // namespace controller
