#include "app/controller/program_dispatch.h"

#include "app/controller/clock_filter.h"
#include "app/controller/controller_core.h"
#include "app/controller/program_control.h"
#include "app/controller/program_display.h"
#include "app/controller/program_relays.h"
#include "app/controller/program_states.h"

namespace controller {

namespace {

constexpr uint16_t kNoHeaterTextTicks = 3 * kTicksPerSecond / 2;  // "   No heater    " stays 1.5 s

void EndDefrost() {
  ControllerState& c = g_controller;
  if (c.relay_ventilator == kRelayOn && c.state >= kStateStartPhase && c.humidity > c.active_rh_on) {
    c.relay_compressor = kRelayOn;
  }
  c.defrost_flags &= static_cast<uint8_t>(~kDefrostRunning);
  // Ended by the clock's half hour before its timer: the late expiry would start a new defrost.
  StopTimer(kEventHalfHour);
  ShowStatus();
}

void StartDefrost() {
  ControllerState& c = g_controller;
  uint16_t ticks = DefrostDuration(c.temperature);
  // A duration of 0 would hold the compressor off until the next half hour; no defrost instead.
  if (ticks == 0) return;
  c.defrost_flags |= kDefrostRunning;
  c.relay_compressor = kRelayOff;
  StartTimer(kEventHalfHour, ticks);
  ShowStatus();
}

// Minute and half-hour events: blocked period, defrost check and end, filter run time. The
// defrost timer expires with the half-hour code, so it ends a defrost here too.
void HandleMinute(uint8_t event) {
  ControllerState& c = g_controller;
  bool allowed = CheckBlocked();
  if (allowed && event == kEventHalfHour) {
    if (c.defrost_flags & kDefrostRunning) {
      EndDefrost();
    } else if ((c.defrost_flags & kDefrostArmed) && c.temperature <= DefrostMaxC()) {
      StartDefrost();
    }
  }
  CountFilterMinute();
}

void HandleHeaterKey() {
  ControllerState& c = g_controller;
  if (c.heater_mode > kHeaterNone) {
    StepHeaterMode(1);
    ApplyHeater();
    return;
  }
  QueueMessage(kTextNoHeater);
  StartTimer(kEventRefresh, kNoHeaterTextTicks);
}

// Reactions that do not depend on the program state; they run in the blocked period too.
void HandleCommonEvent(uint8_t event) {
  ControllerState& c = g_controller;
  switch (event) {
    case kEventKeyHeaterPressed:
      HandleHeaterKey();
      break;
    case kEventHumidityChanged:
      c.saved_humidity = c.humidity;
      ShowHumidity();
      break;
    case kEventTemperatureChanged:
      c.saved_temperature = c.temperature;
      ShowTemperature();
      // The relay test of the TEST MENU owns the relays; a temperature change must not switch
      // the heater on beside the relay under test.
      if (c.menu_mode != kMenuTest) ApplyHeater();
      break;
    case kEventSensorBack:
      Resume();
      break;
    case kEventStartupShow:
      ShowTemperature();
      c.temperature = c.saved_temperature;
      break;
    case kEventStartupRestore:
      c.humidity = c.saved_humidity;
      ShowHumidity();
      c.temperature = c.saved_temperature;
      Resume();
      c.started = 1;
      break;
    default:
      break;
  }
}

// The hourly redraw. Clear, temperature and humidity take five places of the eight in the message
// queue, a delayed start's status four more: the start time would be dropped from a display
// just cleared. The status follows through the refresh event once these frames are out (its
// blocked-time check repeats the one of the minute event just before, without effect).
void RedrawDisplay() {
  QueueMessage(kMsgClearDisplay);
  ShowTemperature();
  ShowHumidity();
  if (!PostEvent(kEventRefresh)) ShowStatus();
}

}  // namespace

void ProgramDispatch(uint8_t event) {
  switch (event) {
    case kEventKeyOffPressed:
      Stop();
      return;
    case kEventRefresh:
      CheckBlocked();
      ShowStatus();
      return;
    case kEventHour:
      RedrawDisplay();
      return;
    case kEventDefrostArm:
      g_controller.defrost_flags |= kDefrostArmed;
      return;
    case kEventMinute:
    case kEventHalfHour:
      HandleMinute(event);
      return;
    default:
      break;
  }
  if (!g_controller.blocked) HandleProgramState(event);
  HandleCommonEvent(event);
}

}  // namespace controller
