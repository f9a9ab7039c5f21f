// Writing a whole file so that it replaces the old one in one step: the bytes go to a new file
// beside it (its name and kReplacementSuffix), which takes the old file's name only when every
// byte is written and the file is closed. A failure at any step removes the new file and leaves
// the old one whole. The file operations come from a small record: stdio and rename by default,
// Windows installs one that replaces with MoveFileExA, tests one that fails on purpose.
#pragma once

#include <cstddef>

namespace panel {

constexpr char kReplacementSuffix[] = ".new";

struct FileSeam {
  // A new, empty file for writing (an older one of that name is emptied); null when it cannot
  // be made.
  void* (*create)(const char* path);
  // 1 when the file took every byte.
  int (*write)(void* file, const void* bytes, size_t count);
  // Closes the file; 1 when all its bytes reached it.
  int (*close)(void* file);
  // `from` takes the name `to` in one step, replacing a file of that name; 1, or 0 when it did
  // not (both files as they were then).
  int (*replace)(const char* from, const char* to);
  void (*remove)(const char* path);
};

// stdio and std::rename, which replaces an existing file in one step on POSIX systems.
const FileSeam& DefaultFileSeam();
// Installs a copy of `seam` for every later write (at process attach, or by a test).
void InstallFileSeam(const FileSeam& seam);

// Writes `size` bytes as the file `path` in one step; 1, or 0 when any step failed (the old file
// is then unchanged and no new file is left beside it).
int WriteFileInOneStep(const char* path, const void* bytes, size_t size);

}  // namespace panel
