// The items of the three service menus: showing a value and changing it with plus and minus,
// storing it, the time editor, and the LED, display and relay tests.
#pragma once

#include <cstdint>

namespace controller {

constexpr uint8_t kItemShow = 0;
constexpr uint8_t kItemPlus = 1;
constexpr uint8_t kItemMinus = 2;
constexpr uint8_t kItemStore = 3;

// Items of the CONFIGURATION; their names are the texts from kTextHeaterOption on.
constexpr uint8_t kItemHeaterOption = 1;
constexpr uint8_t kItemKeyBeep = 2;
constexpr uint8_t kItemStandbyTime = 3;
constexpr uint8_t kItemCompensation = 4;
constexpr uint8_t kItemRhOffWashing = 5;
constexpr uint8_t kItemRhOnWashing = 6;
constexpr uint8_t kItemRhOffRoom = 7;
constexpr uint8_t kItemRhOnRoom = 8;
constexpr uint8_t kItemDefrostMax = 9;
constexpr uint8_t kItemDefrostMin = 10;
constexpr uint8_t kItemDefrostSecondsPerDegree = 11;
constexpr uint8_t kConfigurationItemCount = 11;

// Items of the TIME MENU; their names are the texts from kTextSetClock on.
constexpr uint8_t kItemSetClock = 1;
constexpr uint8_t kItemStartBlock = 2;
constexpr uint8_t kItemEndBlock = 3;
constexpr uint8_t kItemFilter = 4;
constexpr uint8_t kTimeItemCount = 4;

// Items of the TEST MENU; their names are the texts from kTextSoftwareVersion on.
constexpr uint8_t kItemVersion = 1;
constexpr uint8_t kItemLedTest = 2;
constexpr uint8_t kItemDisplayTest = 3;
constexpr uint8_t kItemRelayTest = 4;
constexpr uint8_t kTestItemCount = 4;

// Codes of the heater option item, kept in `heater_mode` and `edit_value` while it is in use:
// OFF (no heater), AUT (automatic only), MAN.
constexpr uint8_t kHeaterOptionOff = 0;
constexpr uint8_t kHeaterOptionAutomatic = 1;
constexpr uint8_t kHeaterOptionManual = 5;

// Acts on `menu_item` of the open menu (`menu_mode` 2, 4 or 8); item 0 (the title) has no action.
void MenuItemAction(uint8_t op);

// Per-menu actions, chosen by MenuItemAction.
void ConfigurationItemAction(uint8_t item, uint8_t op);
void TimeItemAction(uint8_t item, uint8_t op);
void TestItemAction(uint8_t item, uint8_t op);

// The generic editor of one settings byte: plus and minus wrap within 0..255.
void EditByte(uint8_t op, uint8_t& field);
// Sets or clears kEditChanged: the shown value differs from the stored one.
void SetChangedFlag(bool changed);
// Value fields on line 1, starred while the shown value is not stored.
void ShowOnOff(uint8_t value);
void ShowHeaterOption(uint8_t value);

}  // namespace controller
