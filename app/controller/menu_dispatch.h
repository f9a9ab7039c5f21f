// The menus and the clock redraw: the first consumer of every event. It redraws the clock every
// second, shows the sensor error, recognises the key combinations that open the CONFIGURATION,
// TIME MENU and TEST MENU, and runs those menus.
#pragma once

#include <cstdint>

namespace controller {

// True when the event was consumed (then the program dispatcher does not see it).
bool MenuDispatch(uint8_t event);
// Normal operation (`menu_mode` 0): program and heater keys are ignored without a valid humidity;
// `KeyMenu` alone starts waiting for a combination.
bool NormalKeys(uint8_t event);
// `KeyMenu` is held (`menu_mode` 1): filter reset after 5 s, or one of the combinations.
bool MenuKeyHeld(uint8_t event);
// Inside one of the three menus.
bool InMenu(uint8_t event);
// Ends any menu: restores line 1 if the menu took it, clears the edit state.
void LeaveMenu();

}  // namespace controller
