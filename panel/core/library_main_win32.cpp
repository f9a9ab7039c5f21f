// Process and thread notifications of the panel library: the attach and detach sequences and
// the thread lines of the TX monitor.
#include <windows.h>

#include "panel/core/data_lists.h"
#include "panel/core/library_state_win32.h"
#include "panel/core/monitor_log.h"
#include "panel/core/ui_thread_win32.h"
#include "panel/lcd/lcd_render_win32.h"
#include "panel/link/transport_win32.h"
#include "panel/window/panel_files.h"
#include "panel/window/panel_platform_win32.h"
#include "panel/window/panel_window_win32.h"

namespace panel {
namespace {

void CreateLibraryLists() {
  ListInitCriticalSection();
  // The first list set becomes the TX list, the second the RX list.
  SetListHead(ListCreate());
  SetListHead(ListCreate());
  InitCriticalSection();
  SetPanelList(CreatePanelList());
  InitCriticalRectSection();
  SetRectList(CreateRectList());
}

void OnProcessAttach(HINSTANCE module) {
  LibraryState& state = GetLibraryState();
  state.module = module;
  state.attach_thread_id = GetCurrentThreadId();
  // The UI thread waits for this event before its first step, so it never runs ahead of the
  // attach sequence; the event is set as the last step here (never waited for inside DllMain).
  state.attach_done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  state.ui_thread = StartUiThread(module, &state.ui_thread_id);
  // Before the lists, which report through it; the UI thread has not run yet.
  InstallWin32PanelPlatform();
  CreateLibraryLists();
  if (state.attach_done) {
    SetEvent(state.attach_done);
  }
  if (!state.ui_thread) {
    // Without a UI thread there will never be a panel: give the application its end notice now.
    PostThreadMessageA(state.attach_thread_id, WM_DESTROY, 0, 0);
  }
}

void OnProcessDetach() {
  // The transport first: the serial receive thread appends to the TX list until it has stopped.
  CloseTransportsAtDetach();
  // Then the line lists of the file readers: the LCD types and the context help.
  ReleasePanelFiles();
  DelRectList(GetRectList());
  DelList(GetTXListHead());
  DelList(GetRXListHead());
  ReleasePanelWindowAtDetach();
  LcdReleaseDrawSurface();
}

}  // namespace
}  // namespace panel

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      panel::OnProcessAttach(module);
      break;
    case DLL_THREAD_ATTACH:
      panel::MonitorLine(panel::kTxMonitor, "thread gestartet\r\n");
      break;
    case DLL_THREAD_DETACH:
      panel::MonitorLine(panel::kTxMonitor, "thread beendet\r\n");
      break;
    case DLL_PROCESS_DETACH:
      // When the process ends, its other threads have been stopped wherever they were, possibly
      // inside GDI, USER or the heap while holding their locks: freeing anything now could wait
      // forever. The system reclaims it all; the detach sequence runs only on a real unload.
      if (reserved == nullptr) {
        panel::OnProcessDetach();
      }
      break;
    default:
      break;
  }
  return TRUE;
}
