#include "panel/window/monitor_sink_win32.h"

#include <windows.h>

#include "panel/core/monitor_log.h"
#include "panel/window/monitor_window_win32.h"
#include "panel/window/panel_window_win32.h"

namespace {

// Lines written while the monitor window does not exist are discarded: the monitors show only
// what happens after the user opened it.
int WriteMonitorLine(void* context, MonitorTarget target, const char* text) {
  return panel::WriteMonitorPane(target, text);
}

// The status control belongs to the UI thread; from another thread SetWindowText hands the text
// over synchronously and waits until the UI thread has taken it.
void SetStatusLine(void* context, const char* text) {
  HWND status_line = GetPanelWindowState().status_line;
  if (status_line) {
    SetWindowTextA(status_line, text);
  }
}

}  // namespace

void InstallPanelMonitorSink() {
  const MonitorSink sink{WriteMonitorLine, SetStatusLine, nullptr};
  SetMonitorSink(&sink);
}
