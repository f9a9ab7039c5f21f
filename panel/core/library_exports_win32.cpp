// The exports the application calls: thin wrappers around the portable application link, plus
// the Win32 half of ReceiveFromApp, the synchronous hand-over of each frame to the UI thread.
#include <windows.h>

#include "panel/core/library_exports_win32.h"
#include "panel/core/library_interface.h"
#include "panel/core/library_state_win32.h"
#include "panel/link/app_link.h"
#include "panel/window/panel_window_win32.h"

namespace {

// Runs the interpreter on the UI thread and waits for it: message 1036 sent to the panel window.
// Before the window exists the frames stay queued in the RX list.
void SendInterpretMessage(void* context) {
  HWND panel_window = GetPanelWindow();
  if (panel_window) {
    SendMessageA(panel_window, kMsgInterpret, 0, 0);
  }
}

}  // namespace

void InstallInterpreterRunner() { SetInterpreterRunner(SendInterpretMessage, nullptr); }

extern "C" {

void BindLcdDll(void) {}

void SetRxTarget(LcdRxCallback callback, unsigned char* cell) {
  AppLinkSetRxTarget(callback, cell);
}

void ReceiveFromApp(const unsigned char* data, uint32_t length) { AppLinkReceive(data, length); }

void CheckRx(void) { AppLinkCheckRx(); }

}  // extern "C"
