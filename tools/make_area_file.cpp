// Writes the dryer's area file from the device picture's layout table:
//   make_area_file <output.opd>
// Five button areas and six LED areas on the rectangles where make_panel_bitmap draws the
// controls, and the picture's LCD window as the saved LCD rectangle. Uses the panel library's own
// writer, so the file is what the panel itself would save. Runs on the build host.
#include <cstdio>
#include <cstring>

#include "panel/lcd/colour_table.h"
#include "panel/window/area_file.h"
#include "tools/rk52_layout.h"

using namespace panel;

namespace {

constexpr int kAreaCount = rk52::kButtonCount + rk52::kLedCount;

// The colour with exactly this name (FindColour would also take a longer name it begins).
int32_t ColourIndex(const char* name) {
  for (const ColourEntry& entry : GetColourTable()->entries) {
    if (entry.name != nullptr && std::strcmp(entry.name, name) == 0) return entry.index;
  }
  return kNoColour;
}

tagAREARECT AreaRect(const rk52::Rect& rect) {
  return tagAREARECT{rect.left, rect.top, rect.right, rect.bottom};
}

void CopyText(char* field, const char* text) {
  std::snprintf(field, panel::kSettingsPathChars, "%s", text);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_area_file <output.opd>\n");
    return 2;
  }
  static panel::PanelSettings settings{};
  CopyText(settings.FileCfg, rk52::kAreaFile);
  CopyText(settings.FileBmp, rk52::kBitmapFile);
  CopyText(settings.LcdTypeName, rk52::kLcdTypeName);
  const int32_t lcd_rect[4] = {rk52::kLcd.left, rk52::kLcd.top, rk52::kLcd.right,
                               rk52::kLcd.bottom};
  std::memcpy(settings.LcdRect, lcd_rect, sizeof lcd_rect);

  tagRECTPROP areas[kAreaCount] = {};
  const tagRECTPROP* order[kAreaCount] = {};
  int count = 0;
  for (const rk52::Button& button : rk52::kButtons) {
    tagRECTPROP& area = areas[count];
    area.name = const_cast<char*>(button.name);
    area.tooltip = const_cast<char*>(button.tooltip);
    area.id = button.id;
    area.kind = kRectKindButton;
    area.rect = AreaRect(button.rect);
    area.color = area.active_color = area.inactive_color = kNoColour;
    order[count] = &area;
    ++count;
  }
  for (const rk52::Led& led : rk52::kLeds) {
    tagRECTPROP& area = areas[count];
    area.name = const_cast<char*>(led.name);
    area.tooltip = const_cast<char*>(led.tooltip);
    area.id = led.id;
    area.kind = kRectKindLed;
    area.rect = AreaRect(led.rect);
    area.active_color = ColourIndex(led.active_colour);
    area.inactive_color = ColourIndex(led.inactive_colour);
    area.color = area.inactive_color;
    if (area.active_color == kNoColour || area.inactive_color == kNoColour) {
      std::fprintf(stderr, "make_area_file: LED %s names a colour ColourTable lacks\n", led.name);
      return 1;
    }
    order[count] = &area;
    ++count;
  }
  if (!panel::WriteAreaRecords(argv[1], settings, order, static_cast<uint32_t>(count))) {
    std::fprintf(stderr, "make_area_file: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
