// Mouse and keyboard on the panel window: button presses and releases, the Ctrl latch and its
// sunken edges, key releases, and the status line while the mouse moves (tooltips and hints).
#pragma once

#include <windows.h>

namespace panel {

void OnLButtonDownPanel(HWND window, WPARAM flags, LPARAM position);
void OnLButtonUpPanel(HWND window, WPARAM flags, LPARAM position);
void OnKeyUpPanel(HWND window, WPARAM virtual_key);
void OnMouseMovePanel(HWND window, LPARAM position);
// Before the option word is swapped: a button held with the mouse is released (key frame) and
// the mouse capture given back.
void ReleaseHeldButtonAtSwap(HWND window);
// Escape ends what designer mode was doing; a character key while no drawing tool and no LCD
// placement is active hides a visible help note.
void OnCharPanel(HWND window, WPARAM code);

// Painting: the sunken edges of the buttons latched with Ctrl, so that a repaint while they are
// held keeps them.
void DrawLatchedEdges(HDC dc);

}  // namespace panel
