// The one-step file replacement on Windows: MoveFileExA, as the C library's rename refuses an
// existing target there.
#pragma once

namespace panel {

// Installs the file seam of file_replace.h with the replacement by MoveFileExA (process attach).
void InstallWin32FileSeam();

}  // namespace panel
