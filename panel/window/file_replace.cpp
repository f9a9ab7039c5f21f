#include "panel/window/file_replace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace panel {

namespace {

void* CreateWithStdio(const char* path) { return std::fopen(path, "wb"); }

int WriteWithStdio(void* file, const void* bytes, size_t count) {
  return std::fwrite(bytes, 1, count, static_cast<std::FILE*>(file)) == count ? 1 : 0;
}

// fclose reports a failed flush of the buffered bytes (a full disk) too.
int CloseWithStdio(void* file) { return std::fclose(static_cast<std::FILE*>(file)) == 0 ? 1 : 0; }

int RenameWithStdio(const char* from, const char* to) { return std::rename(from, to) == 0 ? 1 : 0; }

void RemoveWithStdio(const char* path) { std::remove(path); }

constexpr FileSeam kStdioSeam = {CreateWithStdio, WriteWithStdio, CloseWithStdio,
                                 RenameWithStdio, RemoveWithStdio};

FileSeam g_seam = kStdioSeam;

// The new file's name beside `path`, to be released with free(); null without memory.
char* ReplacementName(const char* path) {
  const size_t length = std::strlen(path);
  char* name = static_cast<char*>(std::malloc(length + sizeof kReplacementSuffix));
  if (name != nullptr) {
    std::memcpy(name, path, length);
    std::memcpy(name + length, kReplacementSuffix, sizeof kReplacementSuffix);
  }
  return name;
}

enum class NewFile { kNotCreated, kFailed, kWritten };

// Every step until the new file holds all the bytes and is closed.
NewFile WriteNewFile(const char* name, const void* bytes, size_t size) {
  void* file = g_seam.create(name);
  if (file == nullptr) return NewFile::kNotCreated;
  const bool written = size == 0 || g_seam.write(file, bytes, size) == 1;
  const bool closed = g_seam.close(file) == 1;
  return written && closed ? NewFile::kWritten : NewFile::kFailed;
}

}  // namespace

const FileSeam& DefaultFileSeam() { return kStdioSeam; }

void InstallFileSeam(const FileSeam& seam) { g_seam = seam; }

int WriteFileInOneStep(const char* path, const void* bytes, size_t size) {
  if (path == nullptr || (bytes == nullptr && size > 0)) return 0;
  char* name = ReplacementName(path);
  if (name == nullptr) return 0;
  const NewFile written = WriteNewFile(name, bytes, size);
  const bool replaced = written == NewFile::kWritten && g_seam.replace(name, path) == 1;
  if (!replaced && written != NewFile::kNotCreated) g_seam.remove(name);
  std::free(name);
  return replaced ? 1 : 0;
}

}  // namespace panel
