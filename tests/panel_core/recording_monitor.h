// Plays the monitor window and the status line for the tests: records every line per monitor and
// the status text, and installs itself as the monitor sink for the lifetime of the object.
#pragma once

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "panel/core/monitor_log.h"

class RecordingMonitor {
 public:
  RecordingMonitor() {
    const MonitorSink sink = {&WriteLine, &SetStatus, this};
    SetMonitorSink(&sink);
  }
  ~RecordingMonitor() { SetMonitorSink(nullptr); }
  RecordingMonitor(const RecordingMonitor&) = delete;
  RecordingMonitor& operator=(const RecordingMonitor&) = delete;

  std::vector<std::string> rx_lines;
  std::vector<std::string> tx_lines;
  std::string status;
  int status_calls = 0;

 private:
  static int WriteLine(void* context, MonitorTarget target, const char* text) {
    auto* self = static_cast<RecordingMonitor*>(context);
    (target == kRxMonitor ? self->rx_lines : self->tx_lines).push_back(text);
    return static_cast<int>(std::string(text).size());
  }
  static void SetStatus(void* context, const char* text) {
    auto* self = static_cast<RecordingMonitor*>(context);
    self->status = text;
    self->status_calls++;
  }
};

// An address as the library prints "%p": upper-case hex, two digits per pointer byte, computed
// with the C library so the tests do not check the formatter against itself.
inline std::string AddressText(const void* address) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*" PRIXPTR, static_cast<int>(sizeof(void*) * 2),
                reinterpret_cast<uintptr_t>(address));
  return text;
}
