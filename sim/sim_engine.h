// The dryer in one process on a simulated clock: the controller ticks every 50 simulated ms and
// its frames go straight into the native panel (sim_panel.h), whose answers and key frames the
// controller receives one message per tick, in the order the application shell runs them. With
// fast-forward on, stretches of quiet ticks (nothing pending, no timer expiring, no platform
// second, no input) are applied at once; the frames and their times stay exactly those of
// stepping tick by tick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/controller/controller_codes.h"

namespace sim {

constexpr uint32_t kMsPerSecond = 1000;
constexpr uint32_t kTickMs = kMsPerSecond / controller::kTicksPerSecond;  // the controller's tick
constexpr uint32_t kMsPerDay = 24u * 3600u * kMsPerSecond;
constexpr uint32_t kBlinkPeriodTicks = 10;  // the panel's 500 ms LCD blink timer

enum class FrameDirection : uint8_t { kToPanel, kToController };

// Called for every frame: the controller's frames as they leave its tick, the panel's messages
// as they are delivered to the controller. `elapsed_ms` counts from the start of the run.
using FrameObserver = void (*)(void* context, uint64_t elapsed_ms, FrameDirection direction,
                               const uint8_t* bytes, size_t length);

struct EngineStart {
  uint32_t clock_ms;   // time of day at the start
  int8_t temperature;  // the simulation window's sliders
  uint8_t humidity;
};

// Starts the controller (initialising tick) against the panel that StartSimPanel prepared.
void StartEngine(const EngineStart& start);

void SetFastForward(bool on);
void SetFrameObserver(FrameObserver observer, void* context);

// The sliders; read by the next tick.
void SetInputs(int8_t temperature, uint8_t humidity);
int8_t InputTemperature();
uint8_t InputHumidity();

// The panel's key state (OR of pressed button ids): one key frame, as a click or Ctrl click sends.
void SetKeyState(int32_t key_state);
int32_t KeyState();

// Key frames at once: while on, each SetKeyState frame reaches the controller at the next tick,
// ahead of the panel's own pending messages (an acknowledgement queued by the last frame), in
// the order they were set. A recording has its key frames at the ticks they were delivered;
// this replays them there. Off (the panel's order): they queue behind the panel's messages.
void SetKeyFramesAtOnce(bool on);

// A frame from a real target (without its CR): queued for the controller behind the panel's
// pending messages, as the panel queues a connected target's frames.
void SendTargetFrame(const std::string& frame);

// Whether the panel acknowledges the controller's frames (and answers its queries) itself.
void SetPanelAnswers(bool on);

// Runs up to `ticks` ticks. `stop`, when given, is asked before the first tick and after every
// tick that ran; the run ends early when it says true. Returns the ticks that passed.
using StopCondition = bool (*)(void* context);
uint64_t RunTicks(uint64_t ticks, StopCondition stop = nullptr, void* context = nullptr);

// How many of the coming ticks a run would skip as quiet: nothing happens in them unless input
// comes (0 when the next tick has work to do, or without fast-forward). A page at the wall
// clock's pace sleeps through them.
uint64_t QuietTicksAhead();

uint64_t ElapsedTicks();
uint64_t ElapsedMs();
uint32_t ClockMs();            // time of day
uint64_t ExecutedTicks();      // ticks run one by one (the rest were skipped)
uint8_t RelayByte();           // active low, bits as the controller's relay byte

}  // namespace sim
