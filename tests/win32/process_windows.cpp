#include "process_windows.h"

namespace {

struct WindowSearch {
  DWORD process;
  const char* class_name;
  const char* caption;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK KeepMatchingWindow(HWND window, LPARAM lparam) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(lparam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char class_name[64] = {};
  char caption[64] = {};
  GetClassNameA(window, class_name, sizeof(class_name));
  GetWindowTextA(window, caption, sizeof(caption));
  if (process == search->process && (!search->visible_only || IsWindowVisible(window)) &&
      (!search->class_name || lstrcmpA(class_name, search->class_name) == 0) &&
      (!search->caption || lstrcmpA(caption, search->caption) == 0)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindWindowOf(DWORD process, const char* class_name, const char* caption, bool visible_only) {
  WindowSearch search{process, class_name, caption, visible_only, nullptr};
  EnumWindows(KeepMatchingWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
