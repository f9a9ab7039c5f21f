// The communication settings dialog (resource 111): edits the live settings record; OK writes
// it to the registry and gives the UDP transport its target address.
#pragma once

#include <windows.h>

namespace panel {

// Runs the modal dialog owned by `owner`; returns IDOK or IDCANCEL.
INT_PTR ShowCommSettingsDialog(HWND owner);

}  // namespace panel
