#include "panel/window/file_replace_win32.h"

#include <windows.h>

#include "panel/window/file_replace.h"

namespace panel {

namespace {

// Replaces a file of that name in one step; a target that is read-only or held open without
// delete sharing refuses, and both files stay as they were.
int ReplaceWithMoveFileEx(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}

}  // namespace

void InstallWin32FileSeam() {
  FileSeam seam = DefaultFileSeam();
  seam.replace = ReplaceWithMoveFileEx;
  InstallFileSeam(seam);
}

}  // namespace panel
