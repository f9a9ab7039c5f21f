// The area file writer. It uses no list operation and no other module's code but the one-step
// file write, so the host tool that makes the dryer's area file compiles it with that alone. The
// file is put together in memory and then replaces the old one in one step: a failed save leaves
// the old file whole.
#include <cstdlib>
#include <cstring>

#include "panel/window/area_file.h"
#include "panel/window/file_replace.h"

namespace panel {

namespace {

// Where the fields go: `data` null only counts the bytes.
struct Output {
  unsigned char* data;
  size_t size;
};

void Put(Output* out, const void* bytes, size_t count) {
  if (out->data != nullptr) std::memcpy(out->data + out->size, bytes, count);
  out->size += count;
}

void PutWord(Output* out, uint32_t word) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(word), static_cast<unsigned char>(word >> 8),
      static_cast<unsigned char>(word >> 16), static_cast<unsigned char>(word >> 24)};
  Put(out, bytes, sizeof bytes);
}

void PutSigned(Output* out, int32_t value) { PutWord(out, static_cast<uint32_t>(value)); }

// A text as its length with the zero byte, then the text and the zero byte; none is empty.
void PutText(Output* out, const char* text, size_t length) {
  PutWord(out, static_cast<uint32_t>(length) + 1);
  Put(out, text, length);
  Put(out, "", 1);
}

void PutText(Output* out, const char* text) {
  if (text == nullptr) text = "";
  PutText(out, text, std::strlen(text));
}

// A settings field is written up to its zero byte, or whole when it has none.
size_t FieldLength(const char* field) {
  const void* nul = std::memchr(field, '\0', kSettingsPathChars);
  return nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - field)
                        : kSettingsPathChars - 1;
}

void PutField(Output* out, const char* field) { PutText(out, field, FieldLength(field)); }

void PutArea(Output* out, const tagRECTPROP& area) {
  PutText(out, area.name);
  PutText(out, area.tooltip);
  PutSigned(out, area.rect.left);
  PutSigned(out, area.rect.top);
  PutSigned(out, area.rect.right);
  PutSigned(out, area.rect.bottom);
  PutWord(out, area.kind);
  PutSigned(out, area.id);
  PutSigned(out, area.active_color);
  PutSigned(out, area.inactive_color);
  PutSigned(out, area.color);
}

void PutAreaFile(Output* out, const PanelSettings& settings, const tagRECTPROP* const* areas,
                 uint32_t count) {
  uint32_t stored_areas = 0;
  for (uint32_t i = 0; i < count; ++i) stored_areas += areas[i] != nullptr ? 1 : 0;
  const uint32_t area_bytes = kAreaFileRecordUnit * stored_areas;
  PutWord(out, kAreaFileMagicLength);
  Put(out, kAreaFileMagicWritten, kAreaFileMagicLength);
  const size_t name_chars = FieldLength(settings.FileBmp) + FieldLength(settings.FileCfg) +
                            FieldLength(settings.LcdTypeName);
  PutWord(out, static_cast<uint32_t>(name_chars) + area_bytes + kAreaFilePayloadExtra);
  PutField(out, settings.FileCfg);
  PutField(out, settings.FileBmp);
  PutField(out, settings.LcdTypeName);
  PutWord(out, kAreaFileRectBlockLength);
  const unsigned char reserved[kAreaFileReservedBytes] = {};
  Put(out, reserved, sizeof reserved);
  for (int32_t side : settings.LcdRect) PutSigned(out, side);
  PutWord(out, kAreaFileRecordUnit);
  PutWord(out, area_bytes);
  for (uint32_t i = 0; i < count; ++i) {
    if (areas[i] != nullptr) PutArea(out, *areas[i]);
  }
}

}  // namespace

int WriteAreaRecords(const char* path, const PanelSettings& settings,
                     const tagRECTPROP* const* areas, uint32_t count) {
  Output measure{nullptr, 0};
  PutAreaFile(&measure, settings, areas, count);
  Output file{static_cast<unsigned char*>(std::malloc(measure.size)), 0};
  if (file.data == nullptr) return 0;
  PutAreaFile(&file, settings, areas, count);
  const int result = WriteFileInOneStep(path, file.data, file.size);
  std::free(file.data);
  return result;
}

}  // namespace panel
