// Feeds arbitrary bytes to the area file reader: no stored length may take it past the input or
// past a settings field, and every area it keeps has texts that fit the format.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "panel/core/data_lists.h"
#include "panel/window/area_file.h"

using namespace panel;

namespace {

bool Terminated(const char* field, size_t chars) {
  return std::memchr(field, '\0', chars) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static PanelSettings settings;
  if (ReadAreaBytes(data, size, &settings) == 0) return 0;
  if (!Terminated(settings.FileCfg, kSettingsPathChars) ||
      !Terminated(settings.FileBmp, kSettingsPathChars) ||
      !Terminated(settings.LcdTypeName, kSettingsPathChars)) {
    __builtin_trap();
  }
  size_t stored = 0;
  for (tagRECTNODE* node = GetRectList()->first; node != nullptr; node = node->next) {
    const tagRECTPROP& area = *node->record;
    if (area.name == nullptr || area.tooltip == nullptr ||
        std::strlen(area.name) > kAreaTextKeptChars ||
        std::strlen(area.tooltip) > kAreaTextKeptChars ||
        area.color != area.inactive_color) {
      __builtin_trap();
    }
    stored += kAreaFileMinRecordBytes;
  }
  if (stored > size) __builtin_trap();  // never more areas than the input can hold
  return 0;
}
