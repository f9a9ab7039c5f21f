#include "app/shell/shell_panel_end_win32.h"

namespace shell {

namespace {

constexpr char kPanelWindowClass[] = "LcdWnd";
constexpr int kClassNameChars = 16;
constexpr DWORD kPollPeriodMs = 10;

BOOL CALLBACK KeepPanelWindowOfThisProcess(HWND window, LPARAM found) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id != GetCurrentProcessId()) return TRUE;
  char class_name[kClassNameChars] = {};
  GetClassNameA(window, class_name, kClassNameChars);
  if (lstrcmpA(class_name, kPanelWindowClass) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindPanelWindow() {
  HWND found = nullptr;
  EnumWindows(KeepPanelWindowOfThisProcess, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The library's end notice: WM_DESTROY posted to this thread, without a window. Taken from the
// queue when it is there; other messages stay.
bool TakeEndNotice() {
  MSG message;
  return PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_DESTROY, WM_DESTROY, PM_REMOVE) !=
         FALSE;
}

// The panel window, or null once window_wait_ms have passed or the end notice has come.
HWND WaitForPanelWindow(DWORD window_wait_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND panel = FindPanelWindow();
    if (panel) return panel;
    if (TakeEndNotice() || GetTickCount() - start >= window_wait_ms) return nullptr;
    Sleep(kPollPeriodMs);
  }
}

}  // namespace

DWORD FindPanelUiThread(DWORD window_wait_ms) {
  HWND panel = WaitForPanelWindow(window_wait_ms);
  return panel ? GetWindowThreadProcessId(panel, nullptr) : 0;
}

bool EndPanelUiThread(DWORD ui_thread_id, DWORD wait_ms) {
  if (ui_thread_id == 0) return true;
  if (ui_thread_id == GetCurrentThreadId()) return false;
  HANDLE ui_thread = OpenThread(SYNCHRONIZE, FALSE, ui_thread_id);
  if (!ui_thread) return true;  // gone already
  // The loop ends on the quit message; an open dialog or menu of the panel ends with it.
  PostThreadMessageA(ui_thread_id, WM_QUIT, 0, 0);
  const bool ended = WaitForSingleObject(ui_thread, wait_ms) == WAIT_OBJECT_0;
  CloseHandle(ui_thread);
  return ended;
}

}  // namespace shell
