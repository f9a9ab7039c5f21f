// Power-on state of the controller: every field in one place.
#include "app/controller/controller_core.h"
#include "app/controller/controller_tick.h"

void ResetController() {
  ControllerState& c = g_controller;
  c = ControllerState{};  // every field not named below starts at 0
  c.download_pos = 8;     // the state list comes first
  c.download_settings = 0;
  c.tx_frame[0] = kFrameStart;
  c.humidity = 255;
  c.temperature = static_cast<int8_t>(200 - 256);  // 200 as a byte: no valid reading yet
  c.block_start_hour = 4;
  c.block_start_minute = 0;
  c.block_end_hour = 4;
  c.block_end_minute = 30;
  c.edit_flags = kEditClockHold;  // the clock does not run before it is set
}

void StartUp() {
  ControllerState& c = g_controller;
  c.state = kStateIdle;
  c.menu_mode = kMenuNone;
  c.defrost_flags = 0;
  c.filter_minutes = 59;  // the filter alarm comes after one more minute of ventilator running
  c.filter_hours = 249;
  c.relay_compressor = 1;
  c.relay_heater = 1;
  c.relay_ventilator = 1;
  c.relay_hotgas = 1;
  StartTimer(kEventDisplayInit, 10);
  StartTimer(kEventStartupShow, 30);
  StartTimer(kEventStartupRestore, 30);
}
