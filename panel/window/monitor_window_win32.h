// The RX/TX monitor "DebugWnd": two read-only text panes side by side that show what the monitor
// log writes (RX left, TX right). Created by the panel window's monitor command on first use,
// then only shown and hidden; it has no close box. Until it exists, monitor lines are dropped.
#pragma once

#include <windows.h>

#include "panel/core/monitor_log.h"

namespace panel {

constexpr char kMonitorWindowClass[] = "DebugWnd";
// "Monitor Rx", 78 blanks, "Monitor Tx": the labels stand above the two panes.
constexpr char kMonitorWindowTitle[] =
    "Monitor Rx                                                                              "
    "Monitor Tx";
constexpr int kMonitorWindowLeft = 500;
constexpr int kMonitorWindowTop = 550;
constexpr int kMonitorWindowWidth = 780;
constexpr int kMonitorWindowHeight = 300;
constexpr int kRxPaneId = 1;
constexpr int kTxPaneId = 2;

// Writes a monitor line on the UI thread: wParam the MonitorTarget, lParam the NUL-terminated
// text; the result is the number of characters written.
constexpr UINT kMsgWriteMonitorLine = WM_USER + 1;

// The monitor command: creates and shows the monitor owned by `panel_window` the first time,
// afterwards shows it when hidden and hides it when visible. Returns the monitor window (null
// when it cannot be created). UI thread only.
HWND ToggleMonitorWindow(HWND panel_window);

// The monitor window, or null before the first monitor command. Any thread.
HWND GetMonitorWindow();

// Appends `text` to the RX or TX pane (replacing the pane's selection) from any thread: the line
// is handed to the UI thread, which writes it whole. Returns the characters written; 0 when the
// monitor window does not exist (the line is dropped) or the UI thread does not take it in time.
int WriteMonitorPane(MonitorTarget target, const char* text);

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace panel
