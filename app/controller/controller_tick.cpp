// The tick the shell runs every 50 ms: inputs, event draining, receiver, transmitter, timers.
#include "app/controller/controller_tick.h"

#include "app/controller/controller_core.h"
#include "app/controller/menu_dispatch.h"
#include "app/controller/panel_link.h"
#include "app/controller/program_dispatch.h"
#include "app/controller/wall_clock.h"

namespace controller {

uint8_t RelayByte() {
  const ControllerState& c = g_controller;
  return static_cast<uint8_t>(
      ((c.relay_hotgas & 1) << kRelayShiftHotgas) | ((c.relay_ventilator & 1) << kRelayShiftVentilator) |
      ((c.relay_heater & 1) << kRelayShiftHeater) | ((c.relay_compressor & 1) << kRelayShiftCompressor));
}

// Events are taken only while no message waits, so their output follows the frames queued
// before them.
static void DrainEvents() {
  ControllerState& c = g_controller;
  while (c.message_count == 0 && c.event_read != c.event_write) {
    uint8_t event = c.events[c.event_read];
    uint8_t leds_before = c.led_bits;
    if (!MenuDispatch(event)) ProgramDispatch(event);
    if (c.led_bits != leds_before) QueueMessage(kMsgLeds);
    c.event_read = static_cast<uint8_t>(c.event_read + 1 == kEventQueueSize ? 0 : c.event_read + 1);
  }
}

static void ReadInputs(const ControllerIo* io) {
  ControllerState& c = g_controller;
  WallClockTime now = ReadWallClock();
  if (now.second != c.last_platform_second) {
    c.last_platform_second = now.second;
    c.second_elapsed = 1;
  }
  // A change is taken only with its event: while the event queue is full (a panel that does not
  // acknowledge holds the events back) the new value waits for a later tick instead of being
  // taken silently, which would leave the regulation on the old one until the next change.
  if (io->temperature && *io->temperature != c.temperature &&
      PostEvent(kEventTemperatureChanged)) {
    c.temperature = *io->temperature;
  }
  if (io->humidity && *io->humidity != c.humidity && PostEvent(kEventHumidityChanged)) {
    c.humidity = *io->humidity;
  }
}

static int RunTick(ControllerIo* io) {
  ControllerState& c = g_controller;
  c.tick_pending = 1;
  ReadInputs(io);
  for (int pass = 0; pass < kMaxPassesPerTick && !c.quit; ++pass) {
    DrainEvents();
    if (ReceiveStep()) InterpretFrame();
    TransmitStep();
    if (c.tick_pending) {
      c.tick_pending = 0;
      ServiceTimers();
    }
    if (c.frame_complete) break;
  }
  if (io->relays) *io->relays = RelayByte();
  if (!c.frame_complete) return 0;
  int length = c.out_length;
  io->data.bytes = c.out_bytes;
  c.out_length = 0;
  c.frame_complete = 0;
  return length;
}

static void InitialiseTick(ControllerIo* io) {
  ControllerState& c = g_controller;
  ResetController();
  StartUp();
  io->data.receive_byte = ReceiveByte;
  // Same object representation; the panel library writes raw bytes into the cell.
  io->temperature = reinterpret_cast<int8_t*>(&c.rx_cell);
  // The shell's sliders start at these values, so the first running tick posts no change.
  c.temperature = kStartTemperature;
  c.humidity = kStartHumidity;
}

void ControllerRequestQuit() { g_controller.quit = 1; }

bool ControllerQuitRequested() { return g_controller.quit != 0; }

int ControllerTick(int mode, ControllerIo* io) {
  if (!io) return 0;
  if (mode == kTickModeInitialise) {
    InitialiseTick(io);
    return 0;
  }
  return RunTick(io);
}

}  // namespace controller
