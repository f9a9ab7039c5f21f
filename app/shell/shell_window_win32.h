// The application window: two simulation sliders, three relay indicators that the user cannot
// toggle, a help text, and the File and Help menus.
#pragma once

#include <windows.h>

namespace shell {

void RegisterShellWindowClass(HINSTANCE instance, const char* class_name);

// Creates the window at (0, 100), 500 x 450, with a caption but no sizing border. Null on failure.
HWND CreateShellWindow(HINSTANCE instance, const char* class_name, const char* title);

LRESULT CALLBACK ShellWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace shell
