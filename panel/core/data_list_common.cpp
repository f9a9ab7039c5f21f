// Allocation, diagnostics and the area list lock shared by the list families; allocation and the
// data lists' report lines go through the platform (panel_platform.h).
#include <cstring>

#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"
#include "panel/core/monitor_log.h"
#include "panel/core/panel_platform.h"

namespace panel {

namespace data_list_detail {

// Code page 1252: 0xF6 is the o with diaeresis of "gelöscht".
const CommonLines kStandardOutputLines = {
    ReportToStandardOutput,
    "Speicherplatzmangel\n",
    "Liste ist leer\n",
    "RemoveEntry: Daten an Adresse %p gel\xF6scht\n",
    "RemoveEntry: Knoten an Adresse %p gel\xF6scht\n",
    "DelList: Daten an Adresse %p gel\xF6scht\n",
    "DelList: Knoten an Adresse %p gel\xF6scht\n",
};

const CommonLines kTxMonitorLines = {
    ReportToTxMonitor,
    "Speicherplatzmangel\r\n",
    "Liste ist leer\r\n",
    "RemoveEntry: Daten an Adresse %p gel\xF6scht\r\n",
    "RemoveEntry: Knoten an Adresse %p gel\xF6scht\r\n",
    "DelList: Daten an Adresse %p gel\xF6scht\r\n",
    "DelList: Knoten an Adresse %p gel\xF6scht\r\n",
};

void ReportToStandardOutput(const char* format, const void* address) {
  if (InstalledPanelPlatform().write_list_report == nullptr) return;  // no report: dropped
  char line[256];
  FormatText(line, sizeof line, format, address);
  PlatformWriteListReport(line);
}

void ReportToTxMonitor(const char* format, const void* address) {
  MonitorLine(kTxMonitor, format, address);
}

void* Allocate(size_t size) { return PlatformAllocate(size); }

char* DuplicateString(const char* text, bool* failed) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(Allocate(size));
  if (copy == nullptr) {
    *failed = true;
    return nullptr;
  }
  std::memcpy(copy, text, size);
  return copy;
}

std::mutex& AreaListLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace data_list_detail

}  // namespace panel
