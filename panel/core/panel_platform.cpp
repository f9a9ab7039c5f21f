// The installed platform record and the null behaviour of each entry.
#include "panel/core/panel_platform.h"

#include <cstdlib>

namespace panel {

namespace {
PanelPlatform g_platform{};
}  // namespace

void InstallPanelPlatform(const PanelPlatform& platform) { g_platform = platform; }

const PanelPlatform& InstalledPanelPlatform() { return g_platform; }

void PlatformRedrawLcd() {
  if (g_platform.redraw_lcd != nullptr) g_platform.redraw_lcd(g_platform.context);
}

void PlatformRedrawLeds() {
  if (g_platform.redraw_leds != nullptr) g_platform.redraw_leds(g_platform.context);
}

void PlatformBeep(unsigned frequency_hz, unsigned duration_ms) {
  if (g_platform.beep != nullptr) g_platform.beep(g_platform.context, frequency_hz, duration_ms);
}

int PlatformWriteMonitorLine(MonitorTarget target, const char* text) {
  if (g_platform.write_monitor_line == nullptr) return 0;
  return g_platform.write_monitor_line(g_platform.context, target, text);
}

void PlatformSetStatusText(const char* text) {
  if (g_platform.set_status_text != nullptr) g_platform.set_status_text(g_platform.context, text);
}

void PlatformWriteListReport(const char* line) {
  if (g_platform.write_list_report != nullptr) g_platform.write_list_report(g_platform.context, line);
}

void PlatformForwardFrame(const uint8_t* bytes, int32_t length) {
  if (g_platform.forward_frame != nullptr) g_platform.forward_frame(g_platform.context, bytes, length);
}

void PlatformRunInterpreter() {
  if (g_platform.run_interpreter != nullptr) g_platform.run_interpreter(g_platform.context);
}

void* PlatformAllocate(size_t size) {
  if (g_platform.allocate != nullptr) return g_platform.allocate(g_platform.context, size);
  return std::malloc(size);
}

void PlatformSaveSettings() {
  if (g_platform.save_settings != nullptr) g_platform.save_settings(g_platform.context);
}

}  // namespace panel
