#include "app/controller/menu_dispatch.h"

#include "app/controller/controller_core.h"
#include "app/controller/menu_items.h"
#include "app/controller/program_control.h"
#include "app/controller/program_display.h"
#include "app/controller/program_relays.h"

namespace controller {

namespace {

constexpr uint16_t kSensorErrorFollowUpTicks = 4 * kTicksPerSecond;
constexpr uint16_t kMenuKeyHoldTicks = 5 * kTicksPerSecond;
constexpr uint16_t kRepeatTicks = 5;  // 250 ms between repeated steps
constexpr uint8_t kKeysOtherThanMenu =
    KeyBit(kKeyOff) | KeyBit(kKeyWashing) | KeyBit(kKeyHeater) | KeyBit(kKeyRoom);

struct MenuLayout {
  uint8_t item_count;
  uint8_t first_name;  // text code of item 1's name
};

bool LayoutOf(uint8_t menu_mode, MenuLayout& layout) {
  switch (menu_mode) {
    case kMenuConfiguration: layout = {kConfigurationItemCount, kTextHeaterOption}; return true;
    case kMenuTime: layout = {kTimeItemCount, kTextSetClock}; return true;
    case kMenuTest: layout = {kTestItemCount, kTextSoftwareVersion}; return true;
    default: return false;
  }
}

bool KeyHeaterHeld() { return (g_controller.keys_held & KeyBit(kKeyHeater)) != 0; }

void NextItem(const MenuLayout& layout) {
  ControllerState& c = g_controller;
  uint8_t item = c.menu_item >= layout.item_count ? 0 : c.menu_item;
  QueueMessage(static_cast<uint8_t>(layout.first_name + item));
  c.menu_item = static_cast<uint8_t>(item + 1);
  if (c.menu_mode == kMenuTest) {
    StopProgramTimers();
    RegulatedRelaysOff();
  }
  MenuItemAction(kItemShow);
}

// Auto-repeat of plus or minus. The timer can expire in the same tick in which the key's release
// arrives, after it in the event queue; repeating only while the key is still held keeps that
// late expiry from restarting the repeat for good.
void Repeat(uint8_t timer, uint8_t key, uint8_t op) {
  if (!(g_controller.keys_held & KeyBit(key))) return;
  MenuItemAction(op);
  StartTimer(timer, kRepeatTicks);
}

}  // namespace

bool MenuDispatch(uint8_t event) {
  // Keys wait for a dryer that is ready: before the start-up has resumed operation (display
  // set up, defaults loaded, READY lit) a key would start a program on a half-made state.
  if (IsKeyEvent(event) && !g_controller.started) return true;
  switch (event) {
    case kEventSecond:
    case kEventMinute:
    case kEventHalfHour:
      QueueMessage(kMsgCursorLine1);
      QueueMessage(kMsgClock);
      LedBlink();
      return event == kEventSecond;  // the minute events go on to the programs
    case kEventSensorError:
      StartTimer(kEventSensorErrorFollowUp, kSensorErrorFollowUpTicks);
      QueueMessage(kTextSensorError);
      return true;
    case kEventSensorErrorFollowUp:
      QueueMessage(kMsgSensorAlarm);
      return true;
    default:
      break;
  }
  switch (g_controller.menu_mode) {
    case kMenuNone: return NormalKeys(event);
    case kMenuKeyHeldMode: return MenuKeyHeld(event);
    default: return InMenu(event);
  }
}

bool NormalKeys(uint8_t event) {
  ControllerState& c = g_controller;
  switch (event) {
    case kEventKeyWashingPressed:
    case kEventKeyHeaterPressed:
    case kEventKeyRoomPressed:
      return c.humidity > kHumidityMax;  // no valid measurement yet: the keys are ignored
    case kEventKeyMenuPressed:
      if (c.keys_held & kKeysOtherThanMenu) return true;
      StartTimer(kEventMenuKeyHeld, kMenuKeyHoldTicks);
      c.menu_item = 0;
      c.key_mask = 0;
      c.menu_mode = kMenuKeyHeldMode;
      return true;
    default:
      return false;
  }
}

bool MenuKeyHeld(uint8_t event) {
  ControllerState& c = g_controller;
  switch (event) {
    case kEventMenuKeyHeld:
      if (c.led_bits & kLedFilterAlarm) {
        c.filter_minutes = 0;
        c.filter_hours = 0;
        c.led_bits &= static_cast<uint8_t>(~kLedFilterAlarm);
        ShowStatus();
      }
      c.menu_mode = kMenuNone;
      return true;
    case kEventKeyWashingPressed:
      StopTimer(kEventMenuKeyHeld);
      if (KeyHeaterHeld()) {
        QueueMessage(kTextConfiguration);
        c.menu_mode = kMenuConfiguration;
      } else {
        QueueMessage(kTextTimeMenu);
        c.menu_mode = kMenuTime;
      }
      return true;
    case kEventKeyMenuReleased:
      StopTimer(kEventMenuKeyHeld);
      c.menu_mode = kMenuNone;
      return true;
    case kEventKeyHeaterPressed:
      return true;
    case kEventKeyRoomPressed:
      if (!KeyHeaterHeld()) return false;  // acts as the room program key
      Stop();
      c.led_bits = 0;
      QueueMessage(kTextTestMenu);
      c.menu_mode = kMenuTest;
      return true;
    default:
      return false;
  }
}

bool InMenu(uint8_t event) {
  ControllerState& c = g_controller;
  MenuLayout layout;
  if (!LayoutOf(c.menu_mode, layout)) return false;
  if (c.menu_mode != kMenuTest) c.key_mask = kKeyMaskAll;
  switch (event) {
    case kEventKeyOffPressed: {
      bool test_menu = c.menu_mode == kMenuTest;
      LeaveMenu();
      PostEvent(kEventRefresh);
      c.menu_mode = kMenuNone;
      return !test_menu;  // leaving the TEST MENU also stops everything
    }
    case kEventKeyMenuPressed:
      NextItem(layout);
      return true;
    case kEventKeyWashingPressed:
      if (c.key_mask & kKeyMaskMinus) MenuItemAction(kItemMinus);
      return true;
    case kEventKeyRoomPressed:
      if (c.key_mask & kKeyMaskPlus) MenuItemAction(kItemPlus);
      return true;
    case kEventKeyHeaterPressed:
    case kEventRelayTestEnd:
    case kEventAllRelaysTestEnd:
      if (c.key_mask & kKeyMaskStore) MenuItemAction(kItemStore);
      return true;
    case kEventRepeatUp:
      Repeat(kEventRepeatUp, kKeyRoom, kItemPlus);
      return true;
    case kEventRepeatDown:
      Repeat(kEventRepeatDown, kKeyWashing, kItemMinus);
      return true;
    case kEventKeyWashingReleased:
    case kEventKeyRoomReleased:
      StopTimer(kEventRepeatDown);
      StopTimer(kEventRepeatUp);
      return true;
    case kEventHour:
      return true;  // no hourly redraw inside a menu
    default:
      return false;
  }
}

void LeaveMenu() {
  ControllerState& c = g_controller;
  if (c.edit_flags & kEditLine1Taken) {
    QueueMessage(kMsgClearDisplay);
    ShowTemperature();
    ShowHumidity();
  }
  c.edit_flags = 0;
  if (c.menu_mode == kMenuConfiguration) {
    // The heater option item keeps its option code (0, 1 or 5) in `heater_mode`. A stored option
    // has cleared the heater LEDs, so this gives OFF (or none fitted); an option left unstored
    // gives back the mode the LEDs still show.
    c.heater_mode = HeaterModeFromSettings();
    ApplyHeater();
  } else {
    c.heater_mode &= kHeaterModeBits;
  }
}

}  // namespace controller
