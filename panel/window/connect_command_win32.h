// The panel window's connect command (32773, also Ctrl+C) and communication settings command
// (32850): they open and close the transports and keep the connection state, the replies flag,
// the menu item's text and the connection icon in step.
#pragma once

#include <windows.h>

namespace panel {

// Toggles the connection of the chosen interface (on Ethernet without a target address: the
// settings dialog instead).
void RunConnectCommand(HWND window);

// True while the window's menu bar holds an enabled connect item (menus 120, 121 and 122 do;
// a window created with option 0x0400 has no menu): only then is Ctrl+C the connect command.
bool MenuOffersConnect(HWND window);

// With option 0x0008: the settings dialog; OK is followed by the connect command.
void RunCommSettingsCommand(HWND window);

}  // namespace panel
