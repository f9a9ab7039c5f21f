// The Win32 implementation of the panel platform (panel/core/panel_platform.h).
#pragma once

namespace panel {

// Installs the Win32 platform record and the file seam (file_replace.h); process attach calls it
// once, before the UI thread runs.
void InstallWin32PanelPlatform();

}  // namespace panel
