#include "tools/manual_embed.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace manual {

namespace {

constexpr char kSourceAttribute[] = "src=\"";
constexpr char kPictureExtension[] = ".png";
constexpr char kDataUriPrefix[] = "data:image/png;base64,";
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr size_t kPngSignatureBytes = 8;
constexpr char kBase64Digits[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string AtLine(const std::string& html, size_t position, const std::string& what) {
  const size_t line = 1 + static_cast<size_t>(std::count(html.begin(), html.begin() + position, '\n'));
  return "line " + std::to_string(line) + ": " + what;
}

bool IsNameChar(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; }

// "idle.png": lower-case letters, digits and '_', then the extension; no folder, no "..".
bool IsPictureName(const std::string& name) {
  const size_t extension = std::strlen(kPictureExtension);
  if (name.size() <= extension) return false;
  const size_t stem = name.size() - extension;
  if (name.compare(stem, extension, kPictureExtension) != 0) return false;
  return std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(stem), IsNameChar);
}

}  // namespace

std::string Base64(const std::string& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t left = bytes.size() - i;
    uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (left > 1) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
    text += kBase64Digits[(group >> 18) & 63];
    text += kBase64Digits[(group >> 12) & 63];
    text += left > 1 ? kBase64Digits[(group >> 6) & 63] : '=';
    text += left > 2 ? kBase64Digits[group & 63] : '=';
  }
  return text;
}

bool EmbedPictures(const std::string& html, const PictureReader& read, std::string* output,
                   std::string* error) {
  const std::string marker = std::string(kSourceAttribute) + kPictureFolder;
  output->clear();
  size_t done = 0;
  for (size_t at = html.find(marker); at != std::string::npos; at = html.find(marker, done)) {
    const size_t name_start = at + marker.size();
    const size_t name_end = html.find('"', name_start);
    if (name_end == std::string::npos) {
      *error = AtLine(html, at, "picture name without its closing quote");
      return false;
    }
    const std::string name = html.substr(name_start, name_end - name_start);
    if (!IsPictureName(name)) {
      *error = AtLine(html, at, "bad picture name \"" + name + "\"");
      return false;
    }
    std::string bytes;
    if (!read(name, &bytes)) {
      *error = AtLine(html, at, "cannot read picture " + name);
      return false;
    }
    if (bytes.size() < kPngSignatureBytes ||
        bytes.compare(0, kPngSignatureBytes, kPngSignature, kPngSignatureBytes) != 0) {
      *error = AtLine(html, at, name + " is no PNG file");
      return false;
    }
    if (bytes.size() > kPictureMaxBytes) {
      *error = AtLine(html, at, name + " has " + std::to_string(bytes.size()) + " bytes, more than " +
                                    std::to_string(kPictureMaxBytes));
      return false;
    }
    output->append(html, done, at + std::strlen(kSourceAttribute) - done);
    output->append(kDataUriPrefix);
    output->append(Base64(bytes));
    done = name_end;
  }
  output->append(html, done, std::string::npos);
  return true;
}

bool DropPictures(const std::string& html, std::string* output, std::string* error) {
  const std::string marker = std::string(kSourceAttribute) + kPictureFolder;
  output->clear();
  size_t done = 0;
  for (size_t at = html.find("<img", done); at != std::string::npos; at = html.find("<img", done)) {
    const size_t end = html.find('>', at);
    if (end == std::string::npos) {
      *error = AtLine(html, at, "<img without its '>'");
      return false;
    }
    const bool names_picture = html.substr(at, end - at).find(marker) != std::string::npos;
    output->append(html, done, (names_picture ? at : end + 1) - done);
    done = end + 1;
  }
  output->append(html, done, std::string::npos);
  return true;
}

}  // namespace manual
