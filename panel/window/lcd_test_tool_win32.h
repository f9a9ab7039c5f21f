// The LCD test tool: the modal dialog "Lcd Configuration" (resource 110) from which a user drives
// the emulated LCD by hand, and the panel window's menu command 32851 that opens it.
#pragma once

#include <windows.h>

namespace panel {

// Shows the modal dialog owned by `owner`; returns the id that ended it (1 or 2).
INT_PTR ShowLcdTestTool(HWND owner);

// Menu command 32851: the dialog, owned by the panel window, when option 0x0800 is set;
// otherwise the item is greyed again.
void OnLcdTestToolCommand(HWND window);

// The open dialog, or null while it is closed.
HWND GetLcdTestToolDialog();

}  // namespace panel
