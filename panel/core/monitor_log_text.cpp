// The monitor edit control as plain data: a bounded text with a selection that new lines replace.
#include "panel/core/monitor_log.h"

#include <cstring>

namespace panel {

void MonitorTextClear(MonitorText* monitor) {
  if (monitor == nullptr) return;
  monitor->text[0] = '\0';
  monitor->length = 0;
  monitor->selection_start = 0;
  monitor->selection_end = 0;
}

int MonitorTextAppend(MonitorText* monitor, const char* line) {
  if (monitor == nullptr || line == nullptr) return 0;
  // A selection outside the text (a record never cleared, say) is treated as the caret at the end.
  int start = monitor->selection_start;
  int end = monitor->selection_end;
  if (monitor->length < 0 || monitor->length > kMonitorCapacityChars) MonitorTextClear(monitor);
  if (start < 0 || end < start || end > monitor->length) start = end = monitor->length;

  const int selected = end - start;
  const int room = kMonitorCapacityChars - (monitor->length - selected);
  const size_t line_length = std::strlen(line);
  const int inserted = line_length < static_cast<size_t>(room) ? static_cast<int>(line_length) : room;

  // Move the text after the selection to its new place, then put the line in between.
  std::memmove(monitor->text + start + inserted, monitor->text + end,
               static_cast<size_t>(monitor->length - end));
  std::memcpy(monitor->text + start, line, static_cast<size_t>(inserted));
  monitor->length = monitor->length - selected + inserted;
  monitor->text[monitor->length] = '\0';

  if (monitor->length >= kMonitorCapacityChars) {
    // Full: select everything, so the next line starts the log over instead of being refused.
    monitor->selection_start = 0;
    monitor->selection_end = monitor->length;
  } else {
    monitor->selection_start = monitor->selection_end = start + inserted;
  }
  return inserted;
}

}  // namespace panel
