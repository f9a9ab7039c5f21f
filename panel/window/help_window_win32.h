// The context-help note "Help Wnd": a pop-up owned by the panel window that shows a help text
// next to the mouse. The panel sends it WM_SETTEXT with the text and the mouse's screen position
// in wParam (x low 16 bits, y high 16 bits); the note sizes, places and shows itself, and hides
// on Escape, on a click and on WM_CLOSE.
#pragma once

#include <windows.h>

namespace panel {

constexpr char kHelpWindowClass[] = "Help Wnd";
constexpr char kHelpWindowTitle[] = "Hilfe zu rk52";

// Registers "Help Wnd" and creates the hidden note owned by `owner`; null on failure.
HWND CreateHelpWindow(HINSTANCE module, HWND owner);

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace panel
