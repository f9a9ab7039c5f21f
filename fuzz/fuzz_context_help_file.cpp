// Feeds arbitrary text to the context-help reader and looks up names taken from the input in
// every section: no entry may outgrow its limit and no lookup may leave the kept entries.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "panel/core/data_lists.h"
#include "panel/window/context_help_file.h"

using namespace panel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool first = true;
  if (first) {
    // The entry list writes a diagnostic line per entry to standard output; libFuzzer reports on
    // standard error.
    std::freopen("/dev/null", "w", stdout);
    first = false;
  }
  DeleteContextHelp();
  const char* text = reinterpret_cast<const char*>(data);
  if (ReadContextHelpBytes(text, size) == 0) return 0;
  // Names: the input's first bytes up to a line end, and a few fixed ones.
  const std::string input(text, size);
  const std::string own = input.substr(0, std::min<size_t>(std::strcspn(input.c_str(), "\r\n"), 16));
  for (const char* name : {own.c_str(), "Off", "Filter", "", "Text="}) {
    for (uint32_t kind : {kRectKindButton, kRectKindLed, kRectKindLcd, 0u}) {
      const char* help = FindContextHelp(kind, name);
      if (help != nullptr && std::strlen(help) > kContextHelpEntryMaxChars) __builtin_trap();
    }
  }
  return 0;
}
