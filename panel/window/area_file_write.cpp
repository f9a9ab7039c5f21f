// The area file writer. It uses no list operation and no other module's code, so the host tool
// that makes the dryer's area file compiles it on its own.
#include <cstdio>
#include <cstring>

#include "panel/window/area_file.h"

namespace panel {

namespace {

void PutWord(std::FILE* file, uint32_t word) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(word), static_cast<unsigned char>(word >> 8),
      static_cast<unsigned char>(word >> 16), static_cast<unsigned char>(word >> 24)};
  std::fwrite(bytes, 1, sizeof bytes, file);
}

void PutSigned(std::FILE* file, int32_t value) { PutWord(file, static_cast<uint32_t>(value)); }

// A text as its length with the zero byte, then the text and the zero byte; none is empty.
void PutText(std::FILE* file, const char* text) {
  if (text == nullptr) text = "";
  const uint32_t length = static_cast<uint32_t>(std::strlen(text)) + 1;
  PutWord(file, length);
  std::fwrite(text, 1, length, file);
}

// A settings field is written up to its zero byte, or whole when it has none.
size_t FieldLength(const char* field) {
  const void* nul = std::memchr(field, '\0', kSettingsPathChars);
  return nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - field)
                        : kSettingsPathChars - 1;
}

void PutField(std::FILE* file, const char* field) {
  char text[kSettingsPathChars];
  const size_t length = FieldLength(field);
  std::memcpy(text, field, length);
  text[length] = '\0';
  PutText(file, text);
}

void PutArea(std::FILE* file, const tagRECTPROP& area) {
  PutText(file, area.name);
  PutText(file, area.tooltip);
  PutSigned(file, area.rect.left);
  PutSigned(file, area.rect.top);
  PutSigned(file, area.rect.right);
  PutSigned(file, area.rect.bottom);
  PutWord(file, area.kind);
  PutSigned(file, area.id);
  PutSigned(file, area.active_color);
  PutSigned(file, area.inactive_color);
  PutSigned(file, area.color);
}

}  // namespace

int WriteAreaRecords(const char* path, const PanelSettings& settings,
                     const tagRECTPROP* const* areas, uint32_t count) {
  std::remove(path);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return 0;
  uint32_t stored_areas = 0;
  for (uint32_t i = 0; i < count; ++i) stored_areas += areas[i] != nullptr ? 1 : 0;
  const uint32_t area_bytes = kAreaFileRecordUnit * stored_areas;
  PutWord(file, kAreaFileMagicLength);
  std::fwrite(kAreaFileMagicWritten, 1, kAreaFileMagicLength, file);
  const size_t name_chars = FieldLength(settings.FileBmp) + FieldLength(settings.FileCfg) +
                            FieldLength(settings.LcdTypeName);
  PutWord(file, static_cast<uint32_t>(name_chars) + area_bytes + kAreaFilePayloadExtra);
  PutField(file, settings.FileCfg);
  PutField(file, settings.FileBmp);
  PutField(file, settings.LcdTypeName);
  PutWord(file, kAreaFileRectBlockLength);
  const unsigned char reserved[kAreaFileReservedBytes] = {};
  std::fwrite(reserved, 1, sizeof reserved, file);
  for (int32_t side : settings.LcdRect) PutSigned(file, side);
  PutWord(file, kAreaFileRecordUnit);
  PutWord(file, area_bytes);
  for (uint32_t i = 0; i < count; ++i) {
    if (areas[i] != nullptr) PutArea(file, *areas[i]);
  }
  std::fclose(file);
  return 1;
}

}  // namespace panel
