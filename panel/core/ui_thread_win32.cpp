#include "panel/core/ui_thread_win32.h"

#include "panel/core/library_state_win32.h"
#include "panel/core/option_word.h"
#include "panel/window/panel_resources_win32.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

BOOL CALLBACK KeepFirstWindow(HWND window, LPARAM found) {
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;  // the first top-level window of the thread is the application window
}

HWND FindApplicationWindow(DWORD attach_thread_id) {
  HWND found = nullptr;
  EnumThreadWindows(attach_thread_id, KeepFirstWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

void RunMessageLoop(HINSTANCE module, HWND panel_window) {
  HACCEL accelerators = LoadAcceleratorsA(module, MAKEINTRESOURCEA(kAcceleratorPanel));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (accelerators && TranslateAcceleratorA(panel_window, accelerators, &message)) {
      continue;
    }
    if (IsDroppedByUiLoop(message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void RunUiThread(HINSTANCE module) {
  LibraryState& library = GetLibraryState();
  const uint32_t options = GetOptions();
  RegisterPanelWindowClass(module, options);
  HWND panel_window = CreatePanelWindow(module, options);
  if (panel_window) {
    HWND application_window = FindApplicationWindow(library.attach_thread_id);
    SetApplicationWindow(application_window);
    if ((options & kOptionHideApp) && application_window) {
      // Asynchronous: the UI thread must never wait for the application's thread.
      ShowWindowAsync(application_window, SW_HIDE);
    }
    RunMessageLoop(module, panel_window);
  }
  SetPanelWindow(nullptr);
  // The end notice: a thread message without a window, which the application's loop watches for.
  PostThreadMessageA(library.attach_thread_id, WM_DESTROY, 0, 0);
}

DWORD WINAPI UiThreadMain(LPVOID parameter) {
  HMODULE pinned = static_cast<HMODULE>(parameter);
  HANDLE attach_done = GetLibraryState().attach_done;
  if (attach_done) {
    WaitForSingleObject(attach_done, INFINITE);
  }
  RunUiThread(GetLibraryState().module);
  // Drop the reference taken at start; the library's code stays mapped while this thread runs.
  if (pinned) {
    FreeLibraryAndExitThread(pinned, 0);
  }
  return 0;
}

}  // namespace

bool IsDroppedByUiLoop(const MSG& message) { return message.wParam == kDroppedKeyCode; }

HANDLE StartUiThread(HINSTANCE module, DWORD* thread_id) {
  // The UI thread holds its own reference to the library, so an application that unloads the
  // library cannot pull the code out from under the running thread.
  HMODULE pinned = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&UiThreadMain), &pinned)) {
    pinned = nullptr;
  }
  // Without a thread the extra reference only keeps the library loaded; never unload from here.
  return CreateThread(nullptr, 0, UiThreadMain, pinned, 0, thread_id);
}

}  // namespace panel
