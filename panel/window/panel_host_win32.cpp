#include "panel/window/panel_host_win32.h"

#include "panel/lcd/font_table_window_win32.h"
#include "panel/lcd/lcd_render.h"
#include "panel/lcd/lcd_render_win32.h"
#include "panel/link/panel_host.h"
#include "panel/window/panel_paint_win32.h"

namespace {

HWND WindowOf(void* context) { return static_cast<HWND>(context); }

void RedrawLcd(void* context) {
  LcdDraw(WindowOf(context));
  panel::RefreshFontTableWindow();
}

void RedrawLeds(void* context) {
  HWND window = WindowOf(context);
  HDC dc = GetDC(window);
  if (dc) {
    DrawPanelLeds(dc);
    ReleaseDC(window, dc);
  }
}

void PanelBeeper(void* context, unsigned frequency_hz, unsigned duration_ms) {
  Beep(frequency_hz, duration_ms);
}

}  // namespace

void InstallPanelHost(HWND window) {
  const PanelHost host{RedrawLcd, RedrawLeds, PanelBeeper, window};
  SetPanelHost(&host);
  SetLcdRedrawHook(RedrawLcd, window);
}

void RemovePanelHost() {
  SetPanelHost(nullptr);
  SetLcdRedrawHook(nullptr, nullptr);
}
