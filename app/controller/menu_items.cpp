#include "app/controller/menu_items.h"

#include "app/controller/controller_core.h"

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
  if (c.edit_value != field) {
    c.edit_flags |= kEditChanged;
  } else {
    c.edit_flags &= static_cast<uint8_t>(~kEditChanged);
  }
  QueueMessage(kMsgEditValue);
}

namespace {
constexpr uint8_t kFieldOn = 147;   // "  ON "; one less is the starred form
constexpr uint8_t kFieldOff = 149;  // "  OFF"
constexpr uint8_t kFieldMan = 151;  // "  MAN"
constexpr uint8_t kFieldAut = 153;  // "  AUT"

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
  if ((value & 5) == 0) {
    code = kFieldOff;
  } else if (value & 4) {
    code = kFieldMan;
  }
  QueueValueField(code);
}
