// Builds the user's manual the programs' folder gets: the hand-written dataset/rk52.htm with
// every picture it names (src="pictures/NAME.png") embedded as a data URI, so the manual stays
// one file for the help command, the installer and the browser page.
//
//   make_manual SOURCE.htm OUTPUT.htm PICTURE_DIR
//   make_manual SOURCE.htm OUTPUT.htm --without-pictures
//
// The second form is for builds without siccora-sim, which draws the pictures: each <img> element
// is left out (its caption stays). Exit code 0 when written, 1 with a message otherwise (a picture
// that is missing, is no PNG, is too large, or has a name other than lower-case letters, digits
// and '_').
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/manual_embed.h"

namespace {

constexpr char kWithoutPictures[] = "--without-pictures";

bool ReadFile(const std::string& path, std::string* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes->clear();
  char buffer[16384];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, got);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

// Written beside the output first, then renamed: a failed run leaves no half-written manual.
bool WriteFile(const std::string& path, const std::string& bytes) {
  const std::string part = path + ".part";
  std::FILE* file = std::fopen(part.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  if (ok) ok = std::rename(part.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(part.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_manual SOURCE.htm OUTPUT.htm PICTURE_DIR|%s\n",
                 kWithoutPictures);
    return 1;
  }
  std::string source;
  if (!ReadFile(argv[1], &source)) {
    std::fprintf(stderr, "make_manual: cannot read %s\n", argv[1]);
    return 1;
  }
  const bool without = std::strcmp(argv[3], kWithoutPictures) == 0;
  const std::string picture_dir = argv[3];
  manual::PictureReader reader = [&](const std::string& name, std::string* bytes) {
    return ReadFile(picture_dir + "/" + name, bytes);
  };
  std::string output;
  std::string error;
  const bool built = without ? manual::DropPictures(source, &output, &error)
                             : manual::EmbedPictures(source, reader, &output, &error);
  if (!built) {
    std::fprintf(stderr, "%s: error: %s\n", argv[1], error.c_str());
    return 1;
  }
  if (!WriteFile(argv[2], output)) {
    std::fprintf(stderr, "make_manual: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
