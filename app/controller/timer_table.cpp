#include "app/controller/clock_step.h"
#include "app/controller/controller_core.h"
#include "app/controller/panel_link.h"

namespace controller {

static bool IsAlarmId(uint8_t id) { return id >= kFirstAlarmId; }
static bool IsSecondsTimerId(uint8_t id) {
  return id >= kFirstSecondsTimerId && id <= kLastSecondsTimerId;
}

static TimerSlot* FindSlot(uint8_t id) {
  for (TimerSlot& slot : g_controller.timers) {
    if (slot.id == id) return &slot;
  }
  return nullptr;
}

void StartTimer(uint8_t id, uint16_t count) {
  if (id == 0) return;  // 0 marks a free slot
  TimerSlot* slot = FindSlot(id);
  // A tick or seconds count of 0 would run 65536 units, and an alarm at an impossible time of
  // day would hold its slot for good: both mean "no timer" instead.
  bool invalid_alarm =
      IsAlarmId(id) && (AlarmHour(count) >= kHoursPerDay || AlarmMinute(count) >= kMinutesPerHour);
  if (invalid_alarm || (count == 0 && !IsAlarmId(id))) {
    if (slot) slot->id = 0;
    return;
  }
  if (!slot) slot = FindSlot(0);
  if (!slot) return;  // all seven slots busy: the request is dropped
  slot->id = id;
  slot->count = count;
}

void StopTimer(uint8_t id) {
  if (id == 0) return;
  if (TimerSlot* slot = FindSlot(id)) slot->id = 0;
}

void StopAllTimers() {
  for (TimerSlot& slot : g_controller.timers) slot.id = 0;
}

bool TimerRunning(uint8_t id) { return id != 0 && FindSlot(id) != nullptr; }

// The head message has been sent kMaxTransmissions times without an answer. The panel never
// acknowledges some frames ("@s"), so giving up must not stop the display: the message is dropped
// and the next one goes out.
static void AcknowledgementTimedOut() {
  ControllerState& c = g_controller;
  c.awaiting_ack = 0;
  if (c.retry_count >= kMaxTransmissions) DropHeadMessage();
  ComposeFrame();
}

static bool SlotExpires(TimerSlot& slot) {
  ControllerState& c = g_controller;
  if (IsAlarmId(slot.id)) {
    return c.hour == AlarmHour(slot.count) && c.minute == AlarmMinute(slot.count);
  }
  if (IsSecondsTimerId(slot.id) && c.tick_in_second != 0) return false;
  --slot.count;
  return slot.count == 0;
}

void ServiceTimers() {
  ControllerState& c = g_controller;
  c.tick_pending = 0;
  c.tick_in_second =
      static_cast<uint8_t>(c.tick_in_second + 1 >= kTicksPerSecond ? 0 : c.tick_in_second + 1);
  if (c.second_elapsed) {
    ClockStep();
    c.second_elapsed = 0;
  }
  for (TimerSlot& slot : c.timers) {
    if (slot.id == 0 || !SlotExpires(slot)) continue;
    uint8_t id = slot.id;
    slot.id = 0;
    if (id == kTimerAckTimeout) {
      AcknowledgementTimedOut();
    } else {
      PostEvent(id);
    }
  }
  // A frame that waits for its acknowledgement must always have a timeout running, or an
  // unanswered frame stops all display output for good. The timeout is lost when all timers are
  // stopped, or was never started when all seven slots were busy; re-arm it as soon as a slot
  // is free.
  if (c.awaiting_ack && !TimerRunning(kTimerAckTimeout)) {
    StartTimer(kTimerAckTimeout, kAckTimeoutTicks);
  }
}

}  // namespace controller
