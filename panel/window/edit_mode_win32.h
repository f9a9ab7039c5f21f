// Designer mode on the panel window: drawing button and LED areas with the mouse (dashed outline,
// capture, cursors), the pending shape, Escape, the right button with its property dialogs, and
// choosing and placing an LCD type. The window's input and paint handlers call these.
#pragma once

#include <windows.h>

#include "panel/core/data_lists.h"

namespace panel {

// Designer mode only (the option word equals the designer word).
void OnDesignerLButtonDown(HWND window, tagLISTPOINT point);
void OnDesignerLButtonUp(HWND window, tagLISTPOINT point);
void OnDesignerMouseMove(HWND window, tagLISTPOINT point);

// Escape (character 27), in every mode: ends a drag, drops a pending shape, ends LCD placement.
void OnEditEscape(HWND window);
// True while no drawing tool is chosen and no LCD waits to be placed.
bool EditToolsIdle();

// Right button released (ignored in reduced end-user mode): the property dialog the rules choose.
void OnRButtonUpPanel(HWND window, LPARAM position);

// True for the LCD menu's commands (32891 ... 32909).
bool IsLcdTypeCommand(UINT command);
// An LCD type chosen from the LCD menu: its check mark, placement begins, drawing mode none.
void OnChooseLcdType(HWND window, UINT command);

// Painting (outside reduced end-user mode): the shape being dragged or pending, and the outline
// of an LCD being placed.
void DrawEditOverlays(HDC dc);

}  // namespace panel
