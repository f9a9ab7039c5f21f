#include "panel/core/library_state_win32.h"

#include <atomic>

namespace panel {

namespace {
LibraryState library_state;
// Written by the UI thread, read by the attach thread in ReceiveFromApp: atomic so the attach
// thread sees the window as soon as it exists.
std::atomic<HWND> panel_window{nullptr};
std::atomic<HWND> application_window{nullptr};
}  // namespace

LibraryState& GetLibraryState() { return library_state; }

HWND GetPanelWindow() { return panel_window.load(); }
void SetPanelWindow(HWND window) { panel_window.store(window); }

HWND GetApplicationWindow() { return application_window.load(); }
void SetApplicationWindow(HWND window) { application_window.store(window); }

}  // namespace panel
