#include "app/controller/clock_filter.h"

#include "app/controller/controller_core.h"

namespace controller {

void CountFilterMinute() {
  ControllerState& c = g_controller;
  if (c.relay_ventilator != kRelayOn) return;
  if ((c.led_bits & (kLedFilterAlarm | kLedReady)) == (kLedFilterAlarm | kLedReady)) return;
  c.filter_minutes = static_cast<uint8_t>(c.filter_minutes + 1);
  if (c.filter_minutes >= kMinutesPerHour) {
    c.filter_minutes = 0;
    // Capped at the alarm value: a downloaded count above it must not wrap to 0 and lose the
    // alarm.
    if (c.filter_hours < kFilterAlarmHours) c.filter_hours = static_cast<uint8_t>(c.filter_hours + 1);
  }
  if (c.filter_hours >= kFilterAlarmHours) {
    c.filter_hours = kFilterAlarmHours;
    c.led_bits |= kLedFilterAlarm;
  }
}

}  // namespace controller
