// The about dialog (resource 101, "Info"): the panel icon, "Orvane Version 1.0" and OK.
#pragma once

#include <windows.h>

namespace panel {

// Shows the modal about dialog owned by `owner`; returns the id that ended it (1 or 2).
INT_PTR ShowAboutDialog(HWND owner);

}  // namespace panel
