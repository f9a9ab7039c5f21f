// Holds the installed panel host. The host is set by the UI thread while no frame is being
// interpreted, so a plain copy without a lock is enough.
#include "panel/link/panel_host.h"

namespace {
PanelHost g_host{};
bool g_host_installed = false;
}  // namespace

void SetPanelHost(const PanelHost* host) {
  if (host == nullptr) {
    g_host = PanelHost{};
    g_host_installed = false;
    return;
  }
  g_host = *host;
  g_host_installed = true;
}

bool PanelWindowExists() { return g_host_installed; }

void PanelRedrawLcd() {
  if (g_host_installed && g_host.redraw_lcd != nullptr) g_host.redraw_lcd(g_host.context);
}

void PanelRedrawLeds() {
  if (g_host_installed && g_host.redraw_leds != nullptr) g_host.redraw_leds(g_host.context);
}

void PanelBeep(unsigned frequency_hz, unsigned duration_ms) {
  if (g_host_installed && g_host.beep != nullptr) g_host.beep(g_host.context, frequency_hz, duration_ms);
}
