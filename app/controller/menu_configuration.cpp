// The CONFIGURATION items: the heater option, the key beep, and the settings bytes.
#include "app/controller/controller_core.h"
#include "app/controller/menu_items.h"
#include "app/controller/program_display.h"

namespace controller {

namespace {

constexpr int8_t kCompensationLimit = 9;  // percent, either way

// While this item is in use `heater_mode` holds the stored option code for the comparison.
void HeaterOptionItem(uint8_t op) {
  ControllerState& c = g_controller;
  uint8_t& options = c.settings.options;
  switch (op) {
    case kItemShow: {
      uint8_t code = kHeaterOptionManual;
      if (options & kOptionNoHeater) {
        code = kHeaterOptionOff;
      } else if (options & kOptionHeaterAutomaticOnly) {
        code = kHeaterOptionAutomatic;
      }
      c.heater_mode = code;
      c.edit_value = code;
      SetChangedFlag(false);
      break;
    }
    case kItemPlus:
      c.edit_value = c.edit_value == kHeaterOptionOff ? kHeaterOptionAutomatic : kHeaterOptionManual;
      SetChangedFlag(c.edit_value != c.heater_mode);
      break;
    case kItemMinus:
      c.edit_value = c.edit_value == kHeaterOptionManual ? kHeaterOptionAutomatic : kHeaterOptionOff;
      SetChangedFlag(c.edit_value != c.heater_mode);
      break;
    case kItemStore:
      if (!(c.edit_flags & kEditChanged)) return;
      c.led_bits &= static_cast<uint8_t>(~(kLedHeaterManual | kLedHeaterAutomatic));
      c.heater_mode = c.edit_value;
      options &= static_cast<uint8_t>(~(kOptionNoHeater | kOptionHeaterAutomaticOnly));
      if (c.edit_value == kHeaterOptionOff) options |= kOptionNoHeater | kOptionHeaterAutomaticOnly;
      if (c.edit_value == kHeaterOptionAutomatic) options |= kOptionHeaterAutomaticOnly;
      SetChangedFlag(false);
      break;
    default:
      return;
  }
  ShowHeaterOption(c.edit_value);
}

// Works on a copy of `options`; only its key beep bit is changed and stored.
void KeyBeepItem(uint8_t op) {
  ControllerState& c = g_controller;
  uint8_t& options = c.settings.options;
  switch (op) {
    case kItemShow: c.edit_value = options; break;
    case kItemPlus: c.edit_value |= kOptionKeyBeep; break;
    case kItemMinus: c.edit_value &= static_cast<uint8_t>(~kOptionKeyBeep); break;
    case kItemStore:
      if (c.edit_flags & kEditChanged) {
        options = static_cast<uint8_t>((options & ~kOptionKeyBeep) | (c.edit_value & kOptionKeyBeep));
        c.edit_value = options;
        SendKeyBeep();
      }
      break;
    default: break;
  }
  SetChangedFlag(c.edit_value != options);
  ShowOnOff(c.edit_value & kOptionKeyBeep);
}

// A percentage of -9..+9 that is shown and edited but not kept anywhere.
void CompensationItem(uint8_t op) {
  ControllerState& c = g_controller;
  int8_t value = static_cast<int8_t>(c.edit_value);
  if (op == kItemShow || op == kItemStore) value = 0;
  if (op == kItemPlus && value < kCompensationLimit) ++value;
  if (op == kItemMinus && value > -kCompensationLimit) --value;
  c.edit_value = static_cast<uint8_t>(value);
  QueueMessage(kMsgCursorLine1);
  SetChangedFlag(value != 0);
  QueueMessage(kMsgPercentValue);
}

// An OFF threshold is raised at most to its ON threshold.
void OffThresholdItem(uint8_t op, uint8_t& off, uint8_t on) {
  if (op == kItemPlus && g_controller.edit_value == on) return;
  EditByte(op, off);
}

// An ON threshold is lowered at most to its OFF threshold.
void OnThresholdItem(uint8_t op, uint8_t& on, uint8_t off) {
  if (op == kItemMinus && g_controller.edit_value == off) return;
  EditByte(op, on);
}

}  // namespace

void ConfigurationItemAction(uint8_t item, uint8_t op) {
  ControllerSettings& s = g_controller.settings;
  switch (item) {
    case kItemHeaterOption: HeaterOptionItem(op); break;
    case kItemKeyBeep: KeyBeepItem(op); break;
    case kItemStandbyTime: EditByte(op, s.standby_time_s); break;
    case kItemCompensation: CompensationItem(op); break;
    case kItemRhOffWashing: OffThresholdItem(op, s.rh_off_washing, s.rh_on_washing); break;
    case kItemRhOnWashing: OnThresholdItem(op, s.rh_on_washing, s.rh_off_washing); break;
    case kItemRhOffRoom: OffThresholdItem(op, s.rh_off_room, s.rh_on_room); break;
    case kItemRhOnRoom: OnThresholdItem(op, s.rh_on_room, s.rh_off_room); break;
    case kItemDefrostMax: EditByte(op, s.defrost_max_c); break;
    case kItemDefrostMin: EditByte(op, s.defrost_min_c); break;
    case kItemDefrostSecondsPerDegree: EditByte(op, s.defrost_s_per_c); break;
    default: break;
  }
}

}  // namespace controller
