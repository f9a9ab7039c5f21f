#include "app/controller/menu_items.h"

#include "app/controller/controller_core.h"

namespace controller {

void MenuItemAction(uint8_t op) {
  const ControllerState& c = g_controller;
  switch (c.menu_mode) {
    case kMenuConfiguration: ConfigurationItemAction(c.menu_item, op); break;
    case kMenuTime: TimeItemAction(c.menu_item, op); break;
    case kMenuTest: TestItemAction(c.menu_item, op); break;
    default: break;
  }
}

void EditByte(uint8_t op, uint8_t& field) {
  ControllerState& c = g_controller;
  switch (op) {
    case kItemShow: c.edit_value = field; break;
    case kItemPlus: c.edit_value = static_cast<uint8_t>(c.edit_value + 1); break;
    case kItemMinus: c.edit_value = static_cast<uint8_t>(c.edit_value - 1); break;
    case kItemStore:
      if (c.edit_flags & kEditChanged) field = c.edit_value;
      break;
    default: break;
  }
  QueueMessage(kMsgCursorLine1);
  SetChangedFlag(c.edit_value != field);
  QueueMessage(kMsgEditValue);
}

void SetChangedFlag(bool changed) {
  ControllerState& c = g_controller;
  if (changed) {
    c.edit_flags |= kEditChanged;
  } else {
    c.edit_flags &= static_cast<uint8_t>(~kEditChanged);
  }
}

namespace {

static_assert(kFieldOn - 1 == kFieldOnStarred && kFieldOff - 1 == kFieldOffStarred &&
                  kFieldMan - 1 == kFieldManStarred && kFieldAut - 1 == kFieldAutStarred,
              "each starred value field is one below its plain form");

// The option code's bit that only MAN has (AUT is 1, MAN is 5).
constexpr uint8_t kHeaterOptionManualBit = kHeaterOptionManual & ~kHeaterOptionAutomatic;

// Queues the plain field, or its starred form while the shown value is not stored.
void QueueValueField(uint8_t code) {
  ControllerState& c = g_controller;
  c.edit_flags |= kEditValueShown;
  if (c.edit_flags & kEditChanged) --code;
  QueueMessage(code);
}
}  // namespace

void ShowOnOff(uint8_t value) { QueueValueField(value ? kFieldOn : kFieldOff); }

void ShowHeaterOption(uint8_t value) {
  uint8_t code = kFieldAut;
  if ((value & kHeaterOptionManual) == kHeaterOptionOff) {
    code = kFieldOff;
  } else if (value & kHeaterOptionManualBit) {
    code = kFieldMan;
  }
  QueueValueField(code);
}

}  // namespace controller
