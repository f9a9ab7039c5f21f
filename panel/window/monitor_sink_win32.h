// Where the library's monitor lines and status text go on Win32: the status line of the panel
// window, and the RX/TX monitors of the monitor window once the user has opened it.
#pragma once

void InstallPanelMonitorSink();
