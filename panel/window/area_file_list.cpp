// Writing the library's area list as an area file.
#include <cstdlib>

#include "panel/window/area_file.h"

namespace panel {

int WriteAreaFile(const char* path, const PanelSettings& settings) {
  tagRLISTHEAD* list = GetRectList();
  const uint32_t count = list != nullptr ? static_cast<uint32_t>(list->count) : 0;
  const tagRECTPROP** areas = nullptr;
  if (count > 0) {
    areas = static_cast<const tagRECTPROP**>(std::calloc(count, sizeof(tagRECTPROP*)));
    if (areas == nullptr) return 0;
    uint32_t i = 0;
    for (tagRECTNODE* node = GetRectHead(list); node != nullptr && i < count;
         node = GetNextRectEntry(node)) {
      areas[i++] = node->record;
    }
  }
  const int result = WriteAreaRecords(path, settings, areas, count);
  std::free(areas);
  return result;
}

}  // namespace panel
