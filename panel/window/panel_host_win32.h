// The panel window as the protocol's host: LCD redraw, LED redraw and the beeper, installed when
// the window is created and removed when it is destroyed.
#pragma once

#include <windows.h>

void InstallPanelHost(HWND window);
void RemovePanelHost();
