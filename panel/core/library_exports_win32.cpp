// The exports the application calls: thin wrappers around the portable application link. The
// Win32 half of ReceiveFromApp, the synchronous hand-over of each frame to the UI thread, is the
// platform's run_interpreter (panel/window/panel_platform_win32.cpp).
#include <windows.h>

#include "panel/core/library_interface.h"
#include "panel/link/app_link.h"

extern "C" {

void BindLcdDll(void) {}

void SetRxTarget(LcdRxCallback callback, unsigned char* cell) {
  panel::AppLinkSetRxTarget(callback, cell);
}

void ReceiveFromApp(const unsigned char* data, uint32_t length) {
  panel::AppLinkReceive(data, length);
}

void CheckRx(void) { panel::AppLinkCheckRx(); }

}  // extern "C"
