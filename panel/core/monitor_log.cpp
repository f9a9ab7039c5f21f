// Monitor lines and status text: expanded here, shown by whatever sink is installed.
#include "panel/core/monitor_log.h"

#include <mutex>

namespace {

// The installed sink. Copied out under the mutex and called without it: the Win32 sink hands a
// line to the UI thread and waits, and the UI thread may be writing a line at the same moment.
std::mutex g_sink_mutex;
MonitorSink g_sink = {nullptr, nullptr, nullptr};

MonitorSink CurrentSink() {
  std::lock_guard<std::mutex> guard(g_sink_mutex);
  return g_sink;
}

}  // namespace

void SetMonitorSink(const MonitorSink* sink) {
  std::lock_guard<std::mutex> guard(g_sink_mutex);
  if (sink == nullptr) {
    g_sink = MonitorSink{nullptr, nullptr, nullptr};
  } else {
    g_sink = *sink;
  }
}

int MonitorLineV(MonitorTarget target, const char* format, va_list args) {
  const MonitorSink sink = CurrentSink();
  if (sink.write_line == nullptr) return 0;  // no monitor: the line is dropped
  char text[kMonitorLineMaxChars + 1];
  FormatTextV(text, sizeof text, format, args);
  return sink.write_line(sink.context, target, text);
}

int MonitorLine(MonitorTarget target, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = MonitorLineV(target, format, args);
  va_end(args);
  return written;
}

void StatusText(const char* format, ...) {
  const MonitorSink sink = CurrentSink();
  if (sink.set_status == nullptr) return;  // no status line
  char text[kStatusTextMaxChars + 1];
  va_list args;
  va_start(args, format);
  FormatTextV(text, sizeof text, format, args);
  va_end(args);
  sink.set_status(sink.context, text);
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
