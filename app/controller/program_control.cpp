#include "app/controller/program_control.h"

#include "app/controller/clock_schedule.h"
#include "app/controller/controller_core.h"
#include "app/controller/program_display.h"
#include "app/controller/program_relays.h"

namespace controller {

namespace {

constexpr uint8_t kHighestSignedC = 127;

bool IsSparedTimer(uint8_t id) {
  return id == kTimerAckTimeout || id == kEventDisplayInit || id == kEventStartupShow ||
         id == kEventStartupRestore;
}

}  // namespace

void StopProgramTimers() {
  for (const TimerSlot& slot : g_controller.timers) {
    if (slot.id != 0 && !IsSparedTimer(slot.id)) StopTimer(slot.id);
  }
}

int DefrostMaxC() {
  // A setting above 127 cannot be a signed temperature. Read it as 127, "defrost at every
  // temperature": defrosting too often only costs drying time, never defrosting ices the
  // evaporator.
  uint8_t max = g_controller.settings.defrost_max_c;
  return max > kHighestSignedC ? kHighestSignedC : max;
}

uint16_t DefrostDuration(int8_t t) {
  const ControllerSettings& s = g_controller.settings;
  int low = t;
  int min = static_cast<int8_t>(s.defrost_min_c);
  if (min > low) low = min;
  int max = DefrostMaxC();
  if (low > max) return 0;
  long ticks = static_cast<long>(max - low + 1) * s.defrost_s_per_c * kTicksPerSecond;
  // A count kept modulo 65536 could wrap to a few ticks or to 0; the longest count is close
  // enough, since the next half-hour event ends a defrost anyway.
  return ticks > 0xFFFF ? 0xFFFF : static_cast<uint16_t>(ticks);
}

void EnterRegulation() {
  ControllerState& c = g_controller;
  if (c.humidity > c.active_rh_on) {
    CompressorOn();
    c.state = kStateDehumidifying;
    return;
  }
  c.state = kStateStartPhase;
  uint16_t ticks = static_cast<uint16_t>(c.settings.standby_time_s * kTicksPerSecond);
  if (ticks == 0) {
    // No start phase: without this the program would wait in it for an event that never comes.
    PostEvent(kEventStandbyElapsed);
  } else {
    StartTimer(kEventStandbyElapsed, ticks);
  }
}

void StartProgram() {
  ControllerState& c = g_controller;
  c.relay_ventilator = kRelayOn;
  ApplyHeater();
  if (c.state == kStateWashingSelected) {
    c.active_rh_off = c.settings.rh_off_washing;
    c.active_rh_on = c.settings.rh_on_washing;
    c.led_bits |= kLedWashing;
    c.washing_cycles = 1;
  } else {
    c.active_rh_off = c.settings.rh_off_room;
    c.active_rh_on = c.settings.rh_on_room;
    c.led_bits |= kLedRoom;
    c.washing_cycles = 0;  // marks the room program
  }
  c.defrost_flags &= static_cast<uint8_t>(~kDefrostArmed);
  StartTimer(kEventDefrostArm, kDefrostArmSeconds);
  EnterRegulation();
  ShowStatus();
}

void Stop() {
  ControllerState& c = g_controller;
  AllRelaysOff();
  if (c.humidity <= kHumidityMax) c.led_bits = kLedReady;
  c.washing_cycles = 0;
  c.start_steps = 0;
  c.defrost_flags = 0;
  StopProgramTimers();
  c.state = kStateIdle;
  if (c.filter_hours >= kFilterAlarmHours) c.led_bits |= kLedFilterAlarm;
  ShowStatus();
  StepHeaterMode(0);
}

void Resume() {
  ControllerState& c = g_controller;
  if (c.washing_cycles != 0) {
    c.active_rh_off = c.settings.rh_off_washing;
    c.active_rh_on = c.settings.rh_on_washing;
  } else {
    c.active_rh_off = c.settings.rh_off_room;
    c.active_rh_on = c.settings.rh_on_room;
  }
  c.heater_mode = HeaterModeFromSettings();
  c.blocked = IsOperationAllowed() ? 0 : 1;
  if (!c.blocked) {
    PostEvent(kEventResume);
  } else {
    ShowStatus();
  }
  if (c.filter_hours >= kFilterAlarmHours) c.led_bits |= kLedFilterAlarm;
  SendKeyBeep();
  QueueMessage(kMsgLeds);
}

bool CheckBlocked() {
  ControllerState& c = g_controller;
  bool allowed = IsOperationAllowed();
  if (!c.blocked) {
    if (allowed) return true;
    c.blocked = 1;
    AllRelaysOff();
    ShowStatus();
    return false;
  }
  if (!allowed) return false;
  c.blocked = 0;
  Resume();
  return true;
}

}  // namespace controller
