// The LCD types reader: splits the file into lines on the reader's line list, checks the header
// line and collects one type per "Name=" block.
#include "panel/window/lcd_types_file.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "panel/core/monitor_log.h"
#include "panel/window/whole_file.h"

namespace panel {

namespace {

tagLCDLISTHEAD* lcd_types = nullptr;
tagLISTHEAD* lcd_lines = nullptr;  // the file's lines while it is read

constexpr size_t kLcdNameChars = 260;     // "Name=", "Type=": up to 259 characters
constexpr size_t kLcdColourChars = 26;    // "BlColor=", "Font=": up to 25 characters
constexpr size_t kLcdTooltipChars = 520;  // "Tolltip=": up to 519 characters

// The type being collected, with its own text buffers.
struct CollectedType {
  tagLCDPROP type;
  char name[kLcdNameChars];
  char designation[kLcdNameChars];
  char tooltip[kLcdTooltipChars];
  char backlight[kLcdColourChars];
  char font[kLcdColourChars];
};

void ResetCollected(CollectedType* collected) {
  *collected = CollectedType{};
  tagLCDPROP& type = collected->type;
  type.name = collected->name;
  type.type = collected->designation;
  type.tooltip = collected->tooltip;
  type.backlight = collected->backlight;
  type.font = collected->font;
  type.font_x = kLcdTypeDefaultFontX;
  type.font_y = kLcdTypeDefaultFontY;
}

void StoreText(char* field, size_t chars, const char* value) {
  size_t length = 0;
  while (length + 1 < chars && value[length] != '\0') ++length;
  std::memcpy(field, value, length);
  field[length] = '\0';
}

// The usual decimal conversions: leading digits (after blanks and a sign), 0 when there are none.
uint8_t ParseByte(const char* value) {
  const long number = std::strtol(value, nullptr, 10);
  return static_cast<uint8_t>(static_cast<unsigned long>(number));
}

float ParseFloat(const char* value) { return std::strtof(value, nullptr); }

enum LcdKey {
  kKeyName, kKeyType, kKeyLines, kKeyCharacters, kKeyBacklight, kKeyFont, kKeyWidth, kKeyHeight,
  kKeyCharX, kKeyCharY, kKeyFontX, kKeyFontY, kKeyTooltip, kKeyCount
};

// Tried in this order; the first key found anywhere in a line decides.
constexpr const char* kLcdKeys[kKeyCount] = {
    "Name=", "Type=", "Lines=", "Charakter=", "BlColor=", "Font=", "w=",
    "h=",    "charX=", "charY=", "fontX=",   "fontY=",  "Tolltip=",
};

int FindKey(const char* line) {
  for (int key = 0; key < kKeyCount; ++key) {
    if (std::strstr(line, kLcdKeys[key]) != nullptr) return key;
  }
  return kKeyCount;
}

void FinishType(CollectedType* collected) {
  if (collected->name[0] == '\0') return;
  collected->type.menu_id = kLcdTypeFirstMenuId + lcd_types->count;
  tagLCDPROP* copy = CreateLcdEntry(&collected->type);
  if (copy != nullptr && AppendLcd(lcd_types, copy) == 0) {
    for (char* text : {copy->name, copy->type, copy->tooltip, copy->backlight, copy->font}) {
      std::free(text);
    }
    std::free(copy);
  }
  ResetCollected(collected);
}

void StoreKeyLine(CollectedType* collected, int key, const char* value) {
  tagLCDPROP& type = collected->type;
  switch (key) {
    case kKeyName:
      FinishType(collected);
      StoreText(collected->name, sizeof collected->name, value);
      break;
    case kKeyType: StoreText(collected->designation, sizeof collected->designation, value); break;
    case kKeyLines: type.rows = ParseByte(value); break;
    case kKeyCharacters: type.columns = ParseByte(value); break;
    case kKeyBacklight: StoreText(collected->backlight, sizeof collected->backlight, value); break;
    case kKeyFont: StoreText(collected->font, sizeof collected->font, value); break;
    case kKeyWidth: type.width = ParseFloat(value); break;
    case kKeyHeight: type.height = ParseFloat(value); break;
    case kKeyCharX: type.char_x = ParseFloat(value); break;
    case kKeyCharY: type.char_y = ParseFloat(value); break;
    case kKeyFontX: type.font_x = ParseByte(value); break;
    case kKeyFontY: type.font_y = ParseByte(value); break;
    case kKeyTooltip: StoreText(collected->tooltip, sizeof collected->tooltip, value); break;
    default: break;
  }
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The lines of the file on the line list, each cut to kLcdTypesLineMaxChars characters. A line
// ends at CR; runs of CR and LF make no empty lines.
void SplitLines(const char* data, size_t size) {
  size_t i = 0;
  while (i < size) {
    while (i < size && IsLineBreak(data[i])) ++i;
    if (i == size) break;
    const size_t start = i;
    while (i < size && data[i] != '\r') ++i;
    size_t length = i - start;
    if (length > kLcdTypesLineMaxChars) length = kLcdTypesLineMaxChars;
    tagDATA* line = CreateNewEntry(reinterpret_cast<const unsigned char*>(data + start),
                                   static_cast<int32_t>(length));
    if (line != nullptr && ListAppend(lcd_lines, line) == 0) {
      std::free(line->bytes);
      std::free(line);
    }
  }
}

const char* LineText(const tagNODE* node) {
  return reinterpret_cast<const char*>(node->record->bytes);
}

}  // namespace

int ReadLcdTypesBytes(const char* data, size_t size) {
  DelLcdList(lcd_types);
  lcd_types = CreateLcdList();
  DelList(lcd_lines);
  lcd_lines = ListCreate();
  if (lcd_types == nullptr || lcd_lines == nullptr) return 1;
  SplitLines(data, size);

  const tagNODE* node = lcd_lines->first;
  if (node == nullptr || std::strcmp(LineText(node), kLcdTypesHeader) != 0) {
    MonitorLine(kTxMonitor, "** This is not a lcd config file\r\n");
  } else {
    static CollectedType collected;  // large for the stack; the reader is not re-entered
    ResetCollected(&collected);
    for (node = node->next; node != nullptr; node = node->next) {
      const char* line = LineText(node);
      const int key = FindKey(line);
      if (key == kKeyCount) continue;
      StoreKeyLine(&collected, key, std::strchr(line, '=') + 1);
    }
    FinishType(&collected);
  }
  DelList(lcd_lines);
  lcd_lines = nullptr;
  return 1;
}

int ReadLcdTypesFile(const char* path) {
  size_t size = 0;
  char* data = ReadWholeFile(path, &size);
  if (data == nullptr) return 0;
  const int result = ReadLcdTypesBytes(data, size);
  std::free(data);
  return result;
}

tagLCDLISTHEAD* GetLcdTypes() { return lcd_types; }

void DeleteLcdTypes() {
  DelLcdList(lcd_types);
  lcd_types = nullptr;
  DelList(lcd_lines);
  lcd_lines = nullptr;
}

}  // namespace panel
