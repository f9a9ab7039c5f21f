// The TEST MENU items: software version, LED test, display test and the relay test.
#include "app/controller/controller_core.h"
#include "app/controller/menu_items.h"
#include "app/controller/program_relays.h"

namespace controller {

namespace {

// Relay test choices; their names are the texts from kTextAllRelays on.
constexpr uint8_t kChoiceAllRelays = 1;
constexpr uint8_t kChoiceVentilator = 2;
constexpr uint8_t kChoiceCompressor = 3;
constexpr uint8_t kChoiceHeater = 4;
static_assert(kTextHeaterRelay - kTextAllRelays == kChoiceHeater - kChoiceAllRelays,
              "one name per relay test choice");

constexpr uint16_t kAllRelaysTestSeconds = 1800;
constexpr uint16_t kRelayTestTicks = 60 * kTicksPerSecond;

uint8_t Toggled(uint8_t relay) { return relay == kRelayOn ? kRelayOff : kRelayOn; }

// One relay under test: the other regulated relays go off, this one changes over.
void ToggleAlone(uint8_t& relay) {
  uint8_t was = relay;
  RegulatedRelaysOff();
  relay = Toggled(was);
}

void ChooseRelay(uint8_t op) {
  ControllerState& c = g_controller;
  RegulatedRelaysOff();
  StopTimer(kEventAllRelaysTestEnd);
  StopTimer(kEventRelayTestEnd);
  uint8_t last = c.heater_mode == kHeaterNone ? kChoiceCompressor : kChoiceHeater;
  if (op == kItemPlus) {
    c.edit_value = c.edit_value >= last ? kChoiceAllRelays : static_cast<uint8_t>(c.edit_value + 1);
  } else {
    c.edit_value = c.edit_value <= kChoiceAllRelays || c.edit_value > last
                       ? last
                       : static_cast<uint8_t>(c.edit_value - 1);
  }
  c.key_mask = kKeyMaskAll;
  QueueMessage(static_cast<uint8_t>(kTextAllRelays - kChoiceAllRelays + c.edit_value));
}

// Store switches the chosen relay(s) on or off; the timer expiry stores again, which switches
// them off by themselves.
void SwitchRelay() {
  ControllerState& c = g_controller;
  switch (c.edit_value) {
    case kChoiceAllRelays:
      if (c.relay_ventilator == kRelayOn) {
        RegulatedRelaysOff();
      } else {
        c.relay_ventilator = kRelayOn;
        c.relay_compressor = kRelayOn;
        if (c.heater_mode != kHeaterNone) c.relay_heater = kRelayOn;
      }
      break;
    case kChoiceVentilator: ToggleAlone(c.relay_ventilator); break;
    case kChoiceCompressor: ToggleAlone(c.relay_compressor); break;
    case kChoiceHeater: ToggleAlone(c.relay_heater); break;
    default:
      break;
  }
  bool any_on = c.relay_ventilator == kRelayOn || c.relay_compressor == kRelayOn ||
                c.relay_heater == kRelayOn;
  if (any_on) {
    c.led_bits = kLedFilterAlarm;
    if (c.edit_value == kChoiceAllRelays) {
      StartTimer(kEventAllRelaysTestEnd, kAllRelaysTestSeconds);
    } else {
      StartTimer(kEventRelayTestEnd, kRelayTestTicks);
    }
  } else {
    StopTimer(kEventAllRelaysTestEnd);
    StopTimer(kEventRelayTestEnd);
  }
}

void RelayTestItem(uint8_t op) {
  ControllerState& c = g_controller;
  c.led_bits = 0;
  switch (op) {
    case kItemShow:
      c.edit_value = 0;
      c.key_mask = kKeyMaskPlusMinus;
      break;
    case kItemPlus:
    case kItemMinus:
      ChooseRelay(op);
      break;
    case kItemStore:
      SwitchRelay();
      break;
    default:
      break;
  }
}

}  // namespace

void TestItemAction(uint8_t item, uint8_t op) {
  ControllerState& c = g_controller;
  switch (item) {
    case kItemVersion:
      RegulatedRelaysOff();
      c.led_bits = 0;
      c.key_mask = 0;
      break;
    case kItemLedTest:
      if (op == kItemShow) c.key_mask = kKeyMaskStore;
      if (op == kItemStore) c.led_bits ^= kAllSixLeds;
      break;
    case kItemDisplayTest:
      c.led_bits = 0;
      if (op == kItemShow) c.key_mask = kKeyMaskStore;
      if (op == kItemStore) {
        QueueMessage(kMsgDisplayTest);
        c.edit_flags = kEditLine1Taken;  // line 1 is not redrawn until the menu is left
      }
      break;
    case kItemRelayTest:
      RelayTestItem(op);
      break;
    default:
      break;
  }
}

}  // namespace controller
