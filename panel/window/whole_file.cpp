#include "panel/window/whole_file.h"

#include <cstdio>
#include <cstdlib>

namespace panel {

char* ReadWholeFile(const char* path, size_t* size) {
  *size = 0;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return nullptr;
  long length = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
  std::rewind(file);
  char* data = nullptr;
  if (length >= 0 && static_cast<unsigned long>(length) <= kPanelFileMaxBytes) {
    data = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
  }
  if (data != nullptr) {
    *size = std::fread(data, 1, static_cast<size_t>(length), file);
    data[*size] = '\0';
  }
  std::fclose(file);
  return data;
}

}  // namespace panel
