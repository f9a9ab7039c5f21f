#include "app/controller/quiet_ticks.h"

#include "app/controller/controller_core.h"

namespace controller {

namespace {

bool IsTickTimerId(uint8_t id) { return id >= kFirstTickTimerId && id <= kLastTickTimerId; }

// Something for the next tick to do whatever the timers say.
bool WorkPending() {
  const ControllerState& c = g_controller;
  return c.event_read != c.event_write || c.message_count != 0 || c.tx_remaining != 0 ||
         c.awaiting_ack != 0 || c.rx_pending != 0 || c.frame_complete != 0 ||
         c.out_length != 0 || c.second_elapsed != 0 || c.quit != 0;
}

}  // namespace

uint32_t QuietTicksAhead(uint8_t platform_second) {
  const ControllerState& c = g_controller;
  if (WorkPending() || platform_second != c.last_platform_second) return 0;
  // The tick that wraps the tick-in-second count to 0 is where the seconds timers count.
  uint32_t quiet = static_cast<uint32_t>(kTicksPerSecond - 1 - c.tick_in_second);
  for (const TimerSlot& slot : c.timers) {
    if (slot.id == 0) continue;
    if (IsTickTimerId(slot.id)) {
      // A count of c expires on the c-th tick from now.
      uint32_t before_expiry = slot.count == 0 ? 0 : slot.count - 1u;
      if (before_expiry < quiet) quiet = before_expiry;
    } else if (slot.id >= kFirstAlarmId && c.hour == AlarmHour(slot.count) &&
               c.minute == AlarmMinute(slot.count)) {
      return 0;  // an alarm at the current minute goes off at the next tick
    }
  }
  return quiet;
}

void SkipQuietTicks(uint32_t ticks, uint8_t platform_second) {
  uint32_t quiet = QuietTicksAhead(platform_second);
  if (ticks > quiet) ticks = quiet;
  if (ticks == 0) return;
  ControllerState& c = g_controller;
  c.tick_in_second = static_cast<uint8_t>(c.tick_in_second + ticks);
  for (TimerSlot& slot : c.timers) {
    if (slot.id != 0 && IsTickTimerId(slot.id)) slot.count = static_cast<uint16_t>(slot.count - ticks);
  }
}

}  // namespace controller
