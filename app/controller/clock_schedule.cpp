#include "app/controller/clock_schedule.h"

#include "app/controller/controller_core.h"

namespace controller {

namespace {

constexpr int kMinutesPerDay = kHoursPerDay * kMinutesPerHour;

// Hours of 24 or more and minutes of 60 or more can arrive through the clock and download frames;
// reducing the minute of the day modulo 24 hours keeps the comparison defined for any byte.
int MinuteOfDay(uint8_t hour, uint8_t minute) {
  return (hour * kMinutesPerHour + minute) % kMinutesPerDay;
}

constexpr int kHalfHour = 30;
constexpr int kLastMinuteToFullHour = 20;  // 0..20 round down to :00
constexpr int kLastMinuteToHalfHour = 50;  // 21..50 to :30, later to the next :00

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
  // A clock set out of range still yields an alarm time that can match.
  int hour = c.hour % kHoursPerDay;
  int minute;
  if (c.minute <= kLastMinuteToFullHour) {
    minute = 0;
  } else if (c.minute <= kLastMinuteToHalfHour) {
    minute = kHalfHour;
  } else {
    minute = 0;
    hour = (hour + 1) % kHoursPerDay;
  }
  int total = (hour * kMinutesPerHour + minute + steps * kHalfHour) % kMinutesPerDay;
  c.start_hour = static_cast<uint8_t>(total / kMinutesPerHour);
  c.start_minute = static_cast<uint8_t>(total % kMinutesPerHour);
}

}  // namespace controller
