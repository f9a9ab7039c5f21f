// Plays the user at the panel with real input (xdotool on the X server, else SendInput): mouse
// moves, clicks and keys aimed at client points of a window, and a wait for a condition with an
// upper bound. Each input step returns once its effect is visible (cursor place, button or key
// state).
#pragma once

#include <windows.h>

#include <functional>

// Brings the window to the foreground so that key input reaches it.
void FocusWindow(HWND window);
// Moves the mouse to a client point of the window.
void MoveMouseTo(HWND window, int x, int y);
void PressLeftButton();
void ReleaseLeftButton();
// Move, press and release the right button at a client point.
void RightClickAt(HWND window, int x, int y);
// Move, press and release at a client point.
void ClickAt(HWND window, int x, int y);
// Move, then press and release in one go, with no wait between them: for controls that repeat
// while the button is held (a scroll bar's arrows start repeating after about 200 ms), where the
// gap a loaded machine leaves between a separate press and release would count as holding. The
// caller checks the click's effect.
void TapAt(HWND window, int x, int y);
void KeyDown(WORD virtual_key);
void KeyUp(WORD virtual_key);

// Polls the condition every 10 ms until it holds or timeout_ms passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = 5000);
