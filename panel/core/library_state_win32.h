// Process-wide state of the panel library: who attached it, which windows exist, and the
// hand-over between process attach and the UI thread.
#pragma once

#include <windows.h>

namespace panel {

struct LibraryState {
  HINSTANCE module;           // the library's module instance
  DWORD attach_thread_id;     // the application's main thread; gets the end notice
  HANDLE attach_done;         // manual-reset event: signalled when process attach has returned
  HANDLE ui_thread;
  DWORD ui_thread_id;
};

LibraryState& GetLibraryState();

// The panel window, set by the UI thread once created; read by any thread. Null before that.
HWND GetPanelWindow();
void SetPanelWindow(HWND window);

// The first top-level window of the attach thread, looked up once the panel window exists.
HWND GetApplicationWindow();
void SetApplicationWindow(HWND window);

}  // namespace panel
