// Monitor lines and status text: expanded here, shown by the platform.
#include "panel/core/monitor_log.h"

namespace panel {

int MonitorLineV(MonitorTarget target, const char* format, va_list args) {
  if (InstalledPanelPlatform().write_monitor_line == nullptr) return 0;  // no monitor: dropped
  char text[kMonitorLineMaxChars + 1];
  FormatTextV(text, sizeof text, format, args);
  return PlatformWriteMonitorLine(target, text);
}

int MonitorLine(MonitorTarget target, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = MonitorLineV(target, format, args);
  va_end(args);
  return written;
}

void StatusText(const char* format, ...) {
  if (InstalledPanelPlatform().set_status_text == nullptr) return;  // no status line
  char text[kStatusTextMaxChars + 1];
  va_list args;
  va_start(args, format);
  FormatTextV(text, sizeof text, format, args);
  va_end(args);
  PlatformSetStatusText(text);
}

int MonitorFrameLine(MonitorTarget target, const unsigned char* bytes, int length) {
  if (bytes == nullptr || length <= 0) return 0;
  // The frame but its last byte, as text; longer than a monitor line can show is cut anyway.
  char text[kMonitorLineMaxChars + 1];
  const int shown = length - 1 < kMonitorLineMaxChars ? length - 1 : kMonitorLineMaxChars;
  for (int i = 0; i < shown; ++i) text[i] = static_cast<char>(bytes[i]);
  text[shown] = '\0';
  return MonitorLine(target, "%s<0x%02x>\r\n", text, static_cast<unsigned>(bytes[length - 1]));
}

}  // namespace panel
