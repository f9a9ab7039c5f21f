#include "panel/window/window_class_win32.h"

namespace panel {

namespace {

const LPCSTR kArrowCursor = MAKEINTRESOURCEA(32512);  // IDC_ARROW

}  // namespace

WNDCLASSEXA LibraryWindowClass(HINSTANCE module, const char* class_name, WNDPROC procedure) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = module;
  window_class.hCursor = LoadCursorA(nullptr, kArrowCursor);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = class_name;
  return window_class;
}

}  // namespace panel
