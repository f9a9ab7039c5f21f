#include "app/controller/program_states.h"

#include "app/controller/clock_schedule.h"
#include "app/controller/controller_core.h"
#include "app/controller/program_control.h"
#include "app/controller/program_display.h"
#include "app/controller/program_relays.h"

namespace controller {

namespace {

constexpr uint8_t kWashingProgramRuns = 4;  // compressor runs of the washing program
constexpr uint16_t kStartDelayTicks = 5 * kTicksPerSecond;  // between selection and start
// A fresh selection keeps these LEDs and replaces the program LEDs and their blinking.
constexpr uint8_t kLedsKeptOnSelection =
    kLedReady | kLedHeaterManual | kLedHeaterAutomatic | kLedFilterAlarm;

void HandleIdle(uint8_t event) {
  ControllerState& c = g_controller;
  switch (event) {
    case kEventResume:
      if ((c.led_bits & ~kLedFilterAlarm) == 0) c.led_bits |= kLedReady;
      ShowStatus();
      break;
    case kEventDisplayInit:
      c.edit_flags = 0;  // releases the clock hold too
      QueueMessage(kMsgClearDisplay);
      QueueMessage(kMsgBacklight);
      ShowIdleText();
      QueueMessage(kMsgInitialise);
      break;
    case kEventKeyWashingPressed:
    case kEventKeyRoomPressed: {
      StopTimer(kEventStartTime);
      StartTimer(kEventStartDelay, kStartDelayTicks);
      bool washing = event == kEventKeyWashingPressed;
      QueueMessage(washing ? kTextStartWashing : kTextStartRoom);
      c.state = washing ? kStateWashingSelected : kStateRoomSelected;
      c.start_steps = 0;
      uint8_t blinking = washing ? (kLedWashingBlinks | kLedWashing) : (kLedRoomBlinks | kLedRoom);
      c.led_bits = static_cast<uint8_t>((c.led_bits & kLedsKeptOnSelection) | blinking);
      break;
    }
    default:
      break;
  }
}

// A further press of the program's own key within 5 s of the previous one delays the start by
// one more half hour.
void AddStartStep(uint8_t own_text) {
  ControllerState& c = g_controller;
  StartTimer(kEventStartDelay, kStartDelayTicks);
  c.start_steps = static_cast<uint8_t>(c.start_steps + 1);
  DelayedStartTime(c.start_steps);
  ShowStartTime(own_text);
  StartTimer(kEventStartTime, AlarmCount(c.start_hour, c.start_minute));
}

void HandleSelected(uint8_t event) {
  ControllerState& c = g_controller;
  bool washing = c.state == kStateWashingSelected;
  uint8_t own_key = washing ? kEventKeyWashingPressed : kEventKeyRoomPressed;
  uint8_t other_key = washing ? kEventKeyRoomPressed : kEventKeyWashingPressed;
  uint8_t own_text = washing ? kTextStartAtWashing : kTextStartAtRoom;
  if (event == kEventResume) {
    if (TimerRunning(kEventStartTime)) {
      LedSteady();
      ShowStartTime(own_text);
    } else {
      QueueMessage(washing ? kTextStartWashing : kTextStartRoom);
      StartTimer(kEventStartDelay, kStartDelayTicks);
    }
  } else if (event == kEventStartDelay) {
    LedSteady();
    if (!TimerRunning(kEventStartTime)) StartProgram();
  } else if (event == kEventStartTime) {
    StartProgram();
  } else if (event == other_key) {
    // Back to Idle, where the key is handled again as a fresh selection.
    c.state = kStateIdle;
    // With the event queue full the selection is made at once, so the LEDs never keep blinking
    // in Idle.
    if (!PostEvent(event)) HandleIdle(event);
  } else if (event == own_key) {
    if (TimerRunning(kEventStartDelay)) AddStartStep(own_text);
  }
}

void HandleStartPhase(uint8_t event) {
  ControllerState& c = g_controller;
  if (event == kEventResume) {
    StartTimer(kEventDefrostArm, kDefrostArmSeconds);
    c.relay_ventilator = kRelayOn;
    ApplyHeater();
    EnterRegulation();
    ShowStatus();
  } else if (event == kEventStandbyElapsed) {
    if (c.humidity <= c.active_rh_on) {
      c.relay_ventilator = kRelayOff;
      c.state = kStateStandby;
    } else {
      c.relay_ventilator = kRelayOn;
      CompressorOn();
      c.state = kStateDehumidifying;
    }
    ApplyHeater();
    ShowStatus();
  }
}

// The washing program is the one that counts its compressor runs (the room program keeps 0).
bool IsWashingProgram() { return g_controller.washing_cycles != 0; }

// Dehumidifying: ventilator and (unless defrosting) compressor on, heater as its mode says.
void DehumidifyRelays() {
  g_controller.relay_ventilator = kRelayOn;
  CompressorOn();
  ApplyHeater();
  ShowStatus();
}

void StandbyHumidity() {
  ControllerState& c = g_controller;
  if (c.humidity <= c.active_rh_on) return;
  if (IsWashingProgram()) c.washing_cycles = static_cast<uint8_t>(c.washing_cycles + 1);
  DehumidifyRelays();
  c.state = kStateDehumidifying;
}

void DehumidifyingHumidity() {
  ControllerState& c = g_controller;
  if (c.humidity < c.active_rh_off) {
    c.relay_ventilator = kRelayOff;
    c.relay_compressor = kRelayOff;
    if (IsWashingProgram() && c.washing_cycles >= kWashingProgramRuns) {
      Stop();  // the washing program is complete after its fourth run
      return;
    }
    c.state = kStateStandby;
    ApplyHeater();
    ShowStatus();
    return;
  }
  DehumidifyRelays();
}

void HandleRegulating(uint8_t event, void (*on_humidity)()) {
  if (event == kEventResume) {
    StartTimer(kEventDefrostArm, kDefrostArmSeconds);
    on_humidity();
  } else if (event == kEventHumidityChanged) {
    on_humidity();
  }
}

}  // namespace

void HandleProgramState(uint8_t event) {
  switch (g_controller.state) {
    case kStateIdle:
      HandleIdle(event);
      break;
    case kStateWashingSelected:
    case kStateRoomSelected:
      HandleSelected(event);
      break;
    case kStateStartPhase:
      HandleStartPhase(event);
      break;
    case kStateStandby:
      HandleRegulating(event, StandbyHumidity);
      break;
    case kStateDehumidifying:
      HandleRegulating(event, DehumidifyingHumidity);
      break;
    default:
      break;  // a state downloaded by "@I" that is none of the above: no handler
  }
}

}  // namespace controller
