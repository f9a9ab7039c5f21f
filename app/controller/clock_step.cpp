#include "app/controller/clock_step.h"

#include "app/controller/controller_core.h"

namespace controller {

// Minutes 1 and 31 carry the half-hour event (not 0 and 30): the defrost check runs there.
static bool IsHalfHourMinute(uint8_t minute) { return minute == 1 || minute == 31; }

void ClockStep() {
  ControllerState& c = g_controller;
  if (c.edit_flags & kEditClockHold) {
    // "Set clock" is open (or the clock was never set): the time stands still at second 0.
    c.second = 0;
    return;
  }
  // Out-of-range values can only come from the "@R" and "@I" frames; the comparisons with >=
  // let such a clock roll over to a valid time at the next step instead of counting past 255.
  c.second = static_cast<uint8_t>(c.second + 1);
  if (c.second < kSecondsPerMinute) {
    PostEvent(kEventSecond);
    return;
  }
  c.second = 0;
  c.minute = static_cast<uint8_t>(c.minute + 1);
  PostEvent(IsHalfHourMinute(c.minute) ? kEventHalfHour : kEventMinute);
  if (c.minute >= kMinutesPerHour) {
    c.minute = 0;
    c.hour = static_cast<uint8_t>(c.hour + 1 >= kHoursPerDay ? 0 : c.hour + 1);
    PostEvent(kEventHour);
  }
}

}  // namespace controller
