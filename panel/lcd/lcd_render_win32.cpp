#include "panel/lcd/lcd_render_win32.h"

#include "panel/lcd/lcd_blit_win32.h"

namespace panel {

namespace {
// Reused between redraws: every protocol frame that changes the LCD redraws it whole.
LcdBlitSurface draw_surface;
}  // namespace

void LcdDrawOnDc(HWND window, HDC dc) {
  if (!window || !dc) return;
  RECT client;
  GetClientRect(window, &client);
  LcdBlitToDc(dc, &draw_surface, client.right, client.bottom);
}

void LcdDraw(HWND window) {
  if (!window) return;
  HDC dc = GetDC(window);
  if (!dc) return;
  LcdDrawOnDc(window, dc);
  ReleaseDC(window, dc);
}

void LcdReleaseDrawSurface() { LcdBlitSurfaceRelease(&draw_surface); }

}  // namespace panel
