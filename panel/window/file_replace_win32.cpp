#include "panel/window/file_replace_win32.h"

#include <windows.h>

#include "panel/window/file_replace.h"

namespace panel {

namespace {

// Replaces a file of that name in one step; a target held open without delete sharing refuses,
// and both files stay as they were. A read-only target is refused before the move, as Windows
// itself does (Wine's move would replace it, the directory being writable).
int ReplaceWithMoveFileEx(const char* from, const char* to) {
  const DWORD attributes = GetFileAttributesA(to);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return 0;
  }
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}

}  // namespace

void InstallWin32FileSeam() {
  FileSeam seam = DefaultFileSeam();
  seam.replace = ReplaceWithMoveFileEx;
  InstallFileSeam(seam);
}

}  // namespace panel
