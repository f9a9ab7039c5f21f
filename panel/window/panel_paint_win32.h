// Painting the panel window: the device picture, the LCD frame, the LCD and the LED areas.
#pragma once

#include <windows.h>

namespace panel {

// WM_PAINT. Nothing of the panel is painted while no panel bitmap is loaded.
void OnPaintPanel(HWND window);

// Fills the ellipse of each LED area with id 1, 2, 4, ... 128 in its current colour, stopping at
// the first id without an area (so only an unbroken run of ids is drawn).
void DrawPanelLeds(HDC dc);

}  // namespace panel
