// LCD drawing on the panel window: the rasterised LCD goes onto the window with one blit.
#pragma once

#include <windows.h>

namespace panel {

// Draws all visible LCD rows into the window (nothing for a null handle).
void LcdDraw(HWND window);

// The same onto a device context of the window that is already open (the paint handler's).
void LcdDrawOnDc(HWND window, HDC dc);

// Frees the cached drawing surface (process detach).
void LcdReleaseDrawSurface();

}  // namespace panel
