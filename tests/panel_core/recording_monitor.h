// Plays the panel's platform for the list and monitor tests: records every monitor line per
// monitor, the status text and the data lists' report lines, and can make allocations fail. It
// installs itself as the platform for its lifetime (an empty record afterwards).
#pragma once

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "panel/core/monitor_log.h"
#include "panel/core/panel_platform.h"

class RecordingMonitor {
 public:
  RecordingMonitor() { panel::InstallPanelPlatform(Record()); }
  ~RecordingMonitor() { panel::InstallPanelPlatform(panel::PanelPlatform{}); }
  RecordingMonitor(const RecordingMonitor&) = delete;
  RecordingMonitor& operator=(const RecordingMonitor&) = delete;

  // The record pointing at this object; a test may clear entries of it and install it.
  panel::PanelPlatform Record() {
    panel::PanelPlatform platform{};
    platform.context = this;
    platform.write_monitor_line = &WriteLine;
    platform.set_status_text = &SetStatus;
    platform.write_list_report = &WriteListReport;
    platform.allocate = &Allocate;
    return platform;
  }

  // The report lines written since the last call, all in one text.
  std::string TakeListReport() {
    std::lock_guard<std::mutex> guard(mutex_);
    std::string taken;
    taken.swap(list_report_);
    return taken;
  }

  std::vector<std::string> rx_lines;
  std::vector<std::string> tx_lines;
  std::string status;
  int status_calls = 0;
  // Where the lists' memory comes from; null: the C heap.
  void* (*allocator)(size_t size) = nullptr;

 private:
  static int WriteLine(void* context, panel::MonitorTarget target, const char* text) {
    auto* self = static_cast<RecordingMonitor*>(context);
    (target == panel::kRxMonitor ? self->rx_lines : self->tx_lines).push_back(text);
    return static_cast<int>(std::string(text).size());
  }
  static void SetStatus(void* context, const char* text) {
    auto* self = static_cast<RecordingMonitor*>(context);
    self->status = text;
    self->status_calls++;
  }
  // Several threads change data lists at once.
  static void WriteListReport(void* context, const char* line) {
    auto* self = static_cast<RecordingMonitor*>(context);
    std::lock_guard<std::mutex> guard(self->mutex_);
    self->list_report_ += line;
  }
  static void* Allocate(void* context, size_t size) {
    auto* self = static_cast<RecordingMonitor*>(context);
    return self->allocator != nullptr ? self->allocator(size) : std::malloc(size);
  }

  std::mutex mutex_;
  std::string list_report_;
};

// An address as the library prints "%p": upper-case hex, two digits per pointer byte, computed
// with the C library so the tests do not check the formatter against itself.
inline std::string AddressText(const void* address) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*" PRIXPTR, static_cast<int>(sizeof(void*) * 2),
                reinterpret_cast<uintptr_t>(address));
  return text;
}
