// Recording a session of the prototype as a scenario file that siccora-sim replays: every key
// frame the panel sends and every slider change, each at its tick, and an `expect-lcd`
// checkpoint whenever an LCD line has shown a new text for more than a second. Time is counted
// in the controller's ticks (the simulator's 50 ms), so the controller's timers replay exactly;
// the time of day starts at the recorded clock and then follows the ticks.
//
// The LCD text is taken from the controller's frames ("@D" positions and clears, "@W" text,
// "@Q" fills), the keys from the panel's key frames ("@K"). Portable: the shell hands in bytes.
#pragma once

#include <cstdint>

namespace shell {

// The area name of a button id, or null when the panel has none (then the id is written).
using ButtonNameLookup = const char* (*)(int32_t id);

struct RecorderStart {
  uint8_t hour;
  uint8_t minute;
  uint8_t second;
  int8_t temperature;
  uint8_t humidity;
  ButtonNameLookup button_name;
};

constexpr int kRecordedLcdRows = 2;
constexpr int kRecordedLcdColumns = 16;
// A line that kept its text longer than this gets a checkpoint (the clock's colon, which
// blinks every second, never does).
constexpr uint32_t kSteadyTicks = 21;

// Opens `path` and writes the scenario's head. False (and nothing recorded) when it cannot be
// created.
bool StartRecording(const char* path, const RecorderStart& start);
bool Recording();

// Each byte the panel delivers to the controller, before the tick that reads it.
void RecordPanelByte(uint8_t byte);

// After each tick: the slider values that tick read and the frame it sent (null, 0: none).
void RecordTick(int8_t temperature, uint8_t humidity, const uint8_t* frame, int length);

// Writes the wait up to the last tick and closes the file.
void StopRecording();

}  // namespace shell
