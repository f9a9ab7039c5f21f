// Reading a whole file into memory for the panel file readers, with a size limit so that a
// file that is none of the panel's cannot take the process's memory.
#pragma once

#include <cstddef>

namespace panel {

constexpr size_t kPanelFileMaxBytes = 16u << 20;

// The file's bytes followed by a NUL (not counted in *size), to be released with free(); null
// when the file cannot be opened or read, or is larger than the limit.
char* ReadWholeFile(const char* path, size_t* size);

}  // namespace panel
