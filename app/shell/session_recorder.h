// Recording a session of the prototype as a scenario file that siccora-sim replays: every key
// frame the panel sends and every slider change, each at its tick, and checkpoints of the whole
// device: `expect-lcd` whenever an LCD line has shown a new text for more than a second,
// `expect-relays` and `expect-leds` whenever the relays or the LEDs have been steady for a second
// (a blinking LED is steady while its blink flag stays set). Time is counted in the controller's ticks (the simulator's 50 ms),
// so the controller's timers replay exactly; the time of day starts at the recorded clock, to
// the millisecond, and then follows the ticks. The file says `keys: at-once`: each key frame
// reaches the controller at the tick it was recorded at, ahead of an acknowledgement then
// pending, as in the session.
//
// Every step is written and flushed as a whole, so a session that is killed leaves a scenario
// that replays up to its last step. Names (code page 1252) are written as quoted UTF-8 YAML; a
// button without a name is written by its id, `{id: 4}`.
//
// The LCD text is taken from the controller's frames ("@D" positions and clears, "@W" text,
// "@Q" fills), the LEDs from its "@L" frames, the keys from the panel's key frames ("@K").
// Portable: the shell hands in bytes.
#pragma once

#include <cstdint>

namespace shell {

// The area name of a button id, or null when the panel has none (then the id is written).
using ButtonNameLookup = const char* (*)(int32_t id);
// The area name of the LED of one bit of the LED byte, or null: that LED is not checked.
using LedNameLookup = const char* (*)(int32_t bit);

struct RecorderStart {
  uint8_t hour;
  uint8_t minute;
  uint8_t second;
  int8_t temperature;
  uint8_t humidity;
  ButtonNameLookup button_name;
  uint16_t millisecond;   // of the start clock
  LedNameLookup led_name;  // null: no `expect-leds` checkpoints
};

constexpr int kRecordedLcdRows = 2;
constexpr int kRecordedLcdColumns = 16;
// A line, the relays or the LEDs that kept their state longer than this get a checkpoint (the
// clock's colon, which blinks every second, never does).
constexpr uint32_t kSteadyTicks = 21;

// Opens `path` and writes the scenario's head. False (and nothing recorded) when it cannot be
// created.
bool StartRecording(const char* path, const RecorderStart& start);
bool Recording();

// Each byte the panel delivers to the controller, before the tick that reads it.
void RecordPanelByte(uint8_t byte);

// After each tick, before RecordTick: the relay byte the tick wrote.
void RecordRelayByte(uint8_t relays);

// After each tick: the slider values that tick read and the frame it sent (null, 0: none).
void RecordTick(int8_t temperature, uint8_t humidity, const uint8_t* frame, int length);

// Writes the wait up to the last tick and closes the file.
void StopRecording();

}  // namespace shell
