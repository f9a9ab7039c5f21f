// The area file reader. The whole file is checked before anything changes: a damaged header or a
// damaged area leaves settings and areas as they were; a file cut short among its areas keeps the
// complete ones before the cut.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panel/window/area_file.h"
#include "panel/window/whole_file.h"

namespace panel {

namespace {

// Reads little-endian words and stored texts from a byte range; `ok` turns false at the first
// read past the end and stays so.
struct Cursor {
  const uint8_t* data;
  size_t size;
  size_t position;
  bool ok;

  size_t Remaining() const { return size - position; }

  uint32_t Word() {
    if (!ok || Remaining() < 4) {
      ok = false;
      return 0;
    }
    const uint8_t* p = data + position;
    position += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
  int32_t Signed() { return static_cast<int32_t>(Word()); }

  void Skip(size_t count) {
    if (!ok || Remaining() < count) {
      ok = false;
      return;
    }
    position += count;
  }
};

enum class TextResult { kRead, kDamaged, kCut };

// A stored text: its length with the zero byte (1..kAreaFileTextMax for a file name, any length
// but 0 for an area's text), then its bytes. Up to `kept` characters are copied and ended with a
// zero byte, whatever the file holds there; the rest of the stored text is skipped.
TextResult ReadStoredText(Cursor* cursor, uint32_t max_length, char* text, uint32_t kept) {
  const uint32_t length = cursor->Word();
  if (!cursor->ok) return TextResult::kCut;
  if (length == 0 || length > max_length) return TextResult::kDamaged;
  if (cursor->Remaining() < length) {
    cursor->ok = false;
    return TextResult::kCut;
  }
  const uint32_t copied = length - 1 < kept ? length - 1 : kept;
  std::memcpy(text, cursor->data + cursor->position, copied);
  text[copied] = '\0';
  cursor->position += length;
  return TextResult::kRead;
}

TextResult ReadFileName(Cursor* cursor, char (&text)[kAreaFileTextMax]) {
  return ReadStoredText(cursor, kAreaFileTextMax, text, kAreaFileTextMax - 1);
}

TextResult ReadAreaText(Cursor* cursor, char (&text)[kAreaTextKeptChars + 1]) {
  return ReadStoredText(cursor, UINT32_MAX, text, kAreaTextKeptChars);
}

struct Header {
  char file_cfg[kAreaFileTextMax];
  char file_bmp[kAreaFileTextMax];
  char lcd_type_name[kAreaFileTextMax];
  int32_t lcd_rect[4];
  uint32_t area_count;  // limited by what the rest of the file can hold
};

bool MagicKnown(const uint8_t* magic) {
  return std::memcmp(magic, kAreaFileMagicWritten, kAreaFileMagicLength) == 0 ||
         std::memcmp(magic, kAreaFileMagicVersion2, kAreaFileMagicLength) == 0;
}

// Fields 1..14; false for a damaged or cut header.
bool ReadHeader(Cursor* cursor, Header* header) {
  if (cursor->Word() != kAreaFileMagicLength || cursor->Remaining() < kAreaFileMagicLength ||
      !MagicKnown(cursor->data + cursor->position)) {
    return false;
  }
  cursor->Skip(kAreaFileMagicLength);
  cursor->Word();  // payload size, not needed
  if (ReadFileName(cursor, header->file_cfg) != TextResult::kRead ||
      ReadFileName(cursor, header->file_bmp) != TextResult::kRead ||
      ReadFileName(cursor, header->lcd_type_name) != TextResult::kRead) {
    return false;
  }
  if (cursor->Word() != kAreaFileRectBlockLength) return false;
  cursor->Skip(kAreaFileReservedBytes);
  for (int32_t& side : header->lcd_rect) side = cursor->Signed();
  cursor->Word();  // area record size, not needed
  const uint32_t area_bytes = cursor->Word();
  if (!cursor->ok) return false;
  const size_t storable = cursor->Remaining() / kAreaFileMinRecordBytes;
  const uint32_t count = area_bytes / kAreaFileRecordUnit;
  header->area_count = count < storable ? count : static_cast<uint32_t>(storable);
  return true;
}

struct StoredArea {
  char name[kAreaTextKeptChars + 1];
  char tooltip[kAreaTextKeptChars + 1];
  tagRECTPROP area;  // texts point into name and tooltip
};

// One area record, starting from a blank area; LEDs start with their inactive colour.
TextResult ReadArea(Cursor* cursor, StoredArea* stored) {
  tagRECTPROP& area = stored->area;
  area = tagRECTPROP{};
  area.color = area.active_color = area.inactive_color = -1;
  const TextResult name = ReadAreaText(cursor, stored->name);
  if (name != TextResult::kRead) return name;
  const TextResult tooltip = ReadAreaText(cursor, stored->tooltip);
  if (tooltip != TextResult::kRead) return tooltip;
  area.name = stored->name;
  area.tooltip = stored->tooltip;
  area.rect.left = cursor->Signed();
  area.rect.top = cursor->Signed();
  area.rect.right = cursor->Signed();
  area.rect.bottom = cursor->Signed();
  area.kind = cursor->Word();
  area.id = cursor->Signed();
  area.active_color = cursor->Signed();
  area.inactive_color = cursor->Signed();
  cursor->Signed();  // the stored current colour gives way to the inactive one
  area.color = area.inactive_color;
  return cursor->ok ? TextResult::kRead : TextResult::kCut;
}

// The number of complete areas from the cursor on; -1 when an area is damaged.
int64_t CountCompleteAreas(Cursor cursor, uint32_t area_count, StoredArea* scratch) {
  for (uint32_t i = 0; i < area_count; ++i) {
    switch (ReadArea(&cursor, scratch)) {
      case TextResult::kRead: break;
      case TextResult::kDamaged: return -1;
      case TextResult::kCut: return i;
    }
  }
  return area_count;
}

}  // namespace

int ReadAreaBytes(const uint8_t* data, size_t size, PanelSettings* settings) {
  Cursor cursor{data, data != nullptr ? size : 0, 0, true};
  // Both records are large for the UI thread's stack, and the reader is not re-entered.
  static Header header;
  static StoredArea stored;
  if (!ReadHeader(&cursor, &header)) return 0;
  const int64_t complete = CountCompleteAreas(cursor, header.area_count, &stored);
  if (complete < 0) return 0;

  StoreSettingsText(settings->FileCfg, kSettingsPathChars, header.file_cfg);
  StoreSettingsText(settings->FileBmp, kSettingsPathChars, header.file_bmp);
  StoreSettingsText(settings->LcdTypeName, kSettingsPathChars, header.lcd_type_name);
  std::memcpy(settings->LcdRect, header.lcd_rect, sizeof header.lcd_rect);

  DelRectList(GetRectList());
  tagRLISTHEAD* list = CreateRectList();
  SetRectList(list);
  for (int64_t i = 0; i < complete; ++i) {
    ReadArea(&cursor, &stored);
    tagRECTPROP* copy = CreateRectEntry(&stored.area);
    if (copy != nullptr && AppendRect(list, copy) == 0) {
      std::free(copy->name);
      std::free(copy->tooltip);
      std::free(copy);
    }
  }
  return 1;
}

int ReadAreaFile(const char* path, PanelSettings* settings) {
  // The whole file at once: the checks look at all of it before anything changes.
  size_t size = 0;
  char* data = ReadWholeFile(path, &size);
  if (data == nullptr) return 0;
  const int result = ReadAreaBytes(reinterpret_cast<const uint8_t*>(data), size, settings);
  std::free(data);
  return result;
}

}  // namespace panel
