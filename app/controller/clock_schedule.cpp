#include "app/controller/clock_schedule.h"

#include "app/controller/controller_core.h"

namespace {

constexpr int kMinutesPerDay = 24 * 60;

// Hours of 24 or more and minutes of 60 or more can arrive through the clock and download frames;
// reducing the minute of the day modulo 24 hours keeps the comparison defined for any byte.
int MinuteOfDay(uint8_t hour, uint8_t minute) { return (hour * 60 + minute) % kMinutesPerDay; }

int MinutesForward(int from, int to) { return (to - from + kMinutesPerDay) % kMinutesPerDay; }

}  // namespace

bool IsOperationAllowed() {
  const ControllerState& c = g_controller;
  int start = MinuteOfDay(c.block_start_hour, c.block_start_minute);
  int end = MinuteOfDay(c.block_end_hour, c.block_end_minute);
  if (start == end) return true;
  int now = MinuteOfDay(c.hour, c.minute);
  // Inside [start, end) the start lies fewer minutes back than the end.
  return MinutesForward(start, now) > MinutesForward(end, now);
}

void DelayedStartTime(uint8_t steps) {
  ControllerState& c = g_controller;
  int hour = c.hour % 24;  // a clock set out of range still yields an alarm time that can match
  int minute;
  if (c.minute <= 20) {
    minute = 0;
  } else if (c.minute <= 50) {
    minute = 30;
  } else {
    minute = 0;
    hour = (hour + 1) % 24;
  }
  int total = (hour * 60 + minute + steps * 30) % kMinutesPerDay;
  c.start_hour = static_cast<uint8_t>(total / 60);
  c.start_minute = static_cast<uint8_t>(total % 60);
}
