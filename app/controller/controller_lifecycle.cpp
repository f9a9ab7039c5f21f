// Power-on state of the controller: every field in one place.
#include "app/controller/controller_core.h"
#include "app/controller/controller_tick.h"
#include "app/controller/panel_link.h"
#include "app/controller/program_relays.h"

namespace controller {

namespace {
// Measurements before the first reading: humidity 255 (above 100: none) and 200 as a byte.
constexpr uint8_t kNoHumidityYet = 255;
constexpr int8_t kNoTemperatureYet = static_cast<int8_t>(200 - 256);
// The blocked period at power-on: 04:00 to 04:30.
constexpr uint8_t kDefaultBlockStartHour = 4;
constexpr uint8_t kDefaultBlockStartMinute = 0;
constexpr uint8_t kDefaultBlockEndHour = 4;
constexpr uint8_t kDefaultBlockEndMinute = 30;
}  // namespace

void ResetController() {
  ControllerState& c = g_controller;
  c = ControllerState{};  // every field not named below starts at 0
  c.download_pos = kStateListFirst;  // the state list comes first
  c.download_settings = 0;
  c.tx_frame[0] = kFrameStart;
  c.humidity = kNoHumidityYet;
  c.temperature = kNoTemperatureYet;
  c.block_start_hour = kDefaultBlockStartHour;
  c.block_start_minute = kDefaultBlockStartMinute;
  c.block_end_hour = kDefaultBlockEndHour;
  c.block_end_minute = kDefaultBlockEndMinute;
  c.edit_flags = kEditClockHold;  // the clock does not run before it is set
}

void StartUp() {
  ControllerState& c = g_controller;
  c.state = kStateIdle;
  c.menu_mode = kMenuNone;
  c.defrost_flags = 0;
  // The filter alarm comes after one more minute of ventilator running.
  c.filter_minutes = kMinutesPerHour - 1;
  c.filter_hours = kFilterAlarmHours - 1;
  AllRelaysOff();
  StartTimer(kEventDisplayInit, kDisplayInitTicks);
  StartTimer(kEventStartupShow, kStartupShowTicks);
  StartTimer(kEventStartupRestore, kStartupShowTicks);
}

}  // namespace controller
