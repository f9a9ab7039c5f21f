// The items of the three service menus: showing a value and changing it with plus and minus,
// storing it, the time editor, and the LED, display and relay tests.
#pragma once

#include <cstdint>

constexpr uint8_t kItemShow = 0;
constexpr uint8_t kItemPlus = 1;
constexpr uint8_t kItemMinus = 2;
constexpr uint8_t kItemStore = 3;

// Acts on `menu_item` of the open menu (`menu_mode` 2, 4 or 8); item 0 (the title) has no action.
void MenuItemAction(uint8_t op);

// Per-menu actions, chosen by MenuItemAction.
void ConfigurationItemAction(uint8_t item, uint8_t op);
void TimeItemAction(uint8_t item, uint8_t op);
void TestItemAction(uint8_t item, uint8_t op);

// The generic editor of one settings byte: plus and minus wrap within 0..255.
void EditByte(uint8_t op, uint8_t& field);
// Value fields on line 1, starred while the shown value is not stored.
void ShowOnOff(uint8_t value);
void ShowHeaterOption(uint8_t value);
