// Top-level windows found by the process that owns them.
#pragma once

#include <windows.h>

// The first top-level window of the process with that class name and caption (either may be
// null: any); with visible_only, hidden windows do not count. Null when there is none.
HWND FindWindowOf(DWORD process, const char* class_name, const char* caption, bool visible_only);
