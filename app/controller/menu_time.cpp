// The TIME MENU items: the clock, the start and end of the blocked period (each edited hour
// first, then minute) and the filter run time.
#include "app/controller/controller_core.h"
#include "app/controller/menu_items.h"
#include "app/controller/program_display.h"

namespace controller {

namespace {

constexpr uint16_t kRepeatDelayTicks = 2 * kTicksPerSecond;  // auto-repeat of plus and minus

void ShowEditTime() {
  QueueMessage(kMsgCursorLine1);
  QueueMessage(kMsgEditTime);
}

uint8_t StepWrapped(uint8_t value, uint8_t op, uint8_t modulus) {
  int v = value % modulus;  // out-of-range values from the clock frame come back into range
  v = op == kItemPlus ? v + 1 : v - 1 + modulus;
  return static_cast<uint8_t>(v % modulus);
}

void BeginTimeEdit(uint8_t item) {
  ControllerState& c = g_controller;
  // Always the hour stage first: a minute stage left open by the previous item would make plus
  // and minus change the minute while '<' marks the hour.
  c.edit_flags = static_cast<uint8_t>((c.edit_flags & ~kEditMinuteStage) | kEditValueShown | kEditHourStage);
  if (item == kItemSetClock) {
    c.edit_flags |= kEditClockHold;
    c.edit_hour = c.hour;
    c.edit_minute = c.minute;
  } else {
    c.edit_flags &= static_cast<uint8_t>(~kEditClockHold);
    bool start = item == kItemStartBlock;
    c.edit_hour = start ? c.block_start_hour : c.block_end_hour;
    c.edit_minute = start ? c.block_start_minute : c.block_end_minute;
  }
  ShowEditTime();
}

void StepTime(uint8_t op) {
  ControllerState& c = g_controller;
  if (!(c.edit_flags & (kEditMinuteStage | kEditHourStage))) return;
  StopTimer(kEventRepeatUp);
  StopTimer(kEventRepeatDown);
  StartTimer(op == kItemPlus ? kEventRepeatUp : kEventRepeatDown, kRepeatDelayTicks);
  if (c.edit_flags & kEditMinuteStage) {
    c.edit_minute = StepWrapped(c.edit_minute, op, kMinutesPerHour);
  } else {
    c.edit_hour = StepWrapped(c.edit_hour, op, kHoursPerDay);
  }
  ShowEditTime();
}

void StoreTime(uint8_t item) {
  ControllerState& c = g_controller;
  StopTimer(kEventRepeatDown);
  StopTimer(kEventRepeatUp);
  if (c.edit_flags & kEditHourStage) {
    c.edit_flags = static_cast<uint8_t>((c.edit_flags & ~kEditHourStage) | kEditMinuteStage);
  } else if (c.edit_flags & kEditMinuteStage) {
    if (item == kItemSetClock) {
      c.hour = c.edit_hour;
      c.minute = c.edit_minute;
      c.second = 0;
      c.edit_flags = 0;  // the clock runs again, from second 0
    } else {
      if (item == kItemStartBlock) {
        c.block_start_hour = c.edit_hour;
        c.block_start_minute = c.edit_minute;
      } else {
        c.block_end_hour = c.edit_hour;
        c.block_end_minute = c.edit_minute;
      }
      c.edit_flags = kEditValueShown;
    }
  }
  // A further store after the time is stored only redraws it: storing again would set the clock
  // back to the time entered minutes ago.
  ShowEditTime();
}

void FilterItem() {
  ControllerState& c = g_controller;
  c.edit_flags = 0;
  if (c.filter_hours >= kFilterAlarmHours) {
    QueueMessage(kTextCleanFilter);
  } else {
    QueueMessage(kMsgCursorLine2Col10);
    QueueMessage(kMsgFilterTime);
  }
}

}  // namespace

void TimeItemAction(uint8_t item, uint8_t op) {
  if (item == kItemFilter) {
    FilterItem();
    return;
  }
  if (item < kItemSetClock || item > kItemEndBlock) return;
  switch (op) {
    case kItemShow: BeginTimeEdit(item); break;
    case kItemPlus:
    case kItemMinus: StepTime(op); break;
    case kItemStore: StoreTime(item); break;
    default: break;
  }
}

}  // namespace controller
