// Feeds arbitrary text to the LCD types reader: every type it keeps has a name, a menu id in
// file order and texts no longer than a file line or their field.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "panel/core/data_lists.h"
#include "panel/window/lcd_types_file.h"

using namespace panel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool first = true;
  if (first) {
    // The line list writes a diagnostic line per line to standard output; libFuzzer reports on
    // standard error.
    std::freopen("/dev/null", "w", stdout);
    first = false;
  }
  ReadLcdTypesBytes(reinterpret_cast<const char*>(data), size);
  int32_t menu_id = kLcdTypeFirstMenuId;
  for (tagLCDNODE* node = GetLcdTypes()->first; node != nullptr; node = node->next) {
    const tagLCDPROP& type = *node->record;
    if (type.menu_id != menu_id++ || type.name == nullptr || type.name[0] == '\0' ||
        std::strlen(type.name) > kLcdTypesLineMaxChars ||
        std::strlen(type.type) > kLcdTypesLineMaxChars ||
        std::strlen(type.tooltip) > kLcdTypesLineMaxChars || std::strlen(type.backlight) > 25 ||
        std::strlen(type.font) > 25) {
      __builtin_trap();
    }
  }
  return 0;
}
