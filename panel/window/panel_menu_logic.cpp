#include "panel/window/panel_menu_logic.h"

#include <cstring>
#include <mutex>

#include "panel/core/option_word.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/window/lcd_types_file.h"
#include "panel/window/panel_layout.h"
#include "panel/link/panel_settings.h"

namespace panel {

static_assert(kCmdFirstLcdType == kLcdTypeFirstMenuId,
              "the LCD menu's commands are the LCD types' menu ids");

namespace {

struct IdRange {
  uint32_t first;
  uint32_t last;
};

constexpr IdRange kHintStringRanges[] = {
    {kCmdOpenFile, kCmdHelpTopics},
    {kCmdMonitor, kCmdColourTargetPanelText},
    {kCmdCommSettings, kCmdLcdTestTool},
    {kCmdDrawButton, kCmdDrawNone},
};

bool InRange(uint32_t id, uint32_t first, uint32_t last) { return id >= first && id <= last; }

struct TextPair {
  const char* german;
  const char* english;
};

// Indexed by MenuItemText.
constexpr TextPair kItemTexts[] = {
    {"&Senden...\tCtrl+S", "&Send file...\tCtrl+S"},
    {"&Inhalt", "&Help Topics"},
    {"&LCD Test Werkzeug...", "&LCD Control panel ..."},
    {"&Deaktiviert\tF5", "&None\tF5"},
};

bool HasName(const tagLCDPROP* type) { return type && type->name && type->name[0] != '\0'; }

}  // namespace

bool HasMenuHintString(uint32_t id) {
  for (const IdRange& range : kHintStringRanges) {
    if (InRange(id, range.first, range.last)) {
      return true;
    }
  }
  return false;
}

const char* LcdMenuTooltip(tagLCDLISTHEAD* lcd_list, uint32_t id, uint32_t options) {
  if (!(options & kOptionLcdList) || !lcd_list) {
    return nullptr;
  }
  for (tagLCDNODE* node = GetLcdHead(lcd_list); node; node = GetNextLcdEntry(node)) {
    const tagLCDPROP* type = node->record;
    if (type && static_cast<uint32_t>(type->menu_id) == id) {
      return type->tooltip ? type->tooltip : "";
    }
  }
  return nullptr;
}

bool IsColourCommand(uint32_t command) {
  return InRange(command, kCmdFirstColour, kCmdLastColour);
}

bool IsColourTargetCommand(uint32_t command) {
  return InRange(command, kCmdColourTargetPanel, kCmdColourTargetPanelText);
}

bool IsDrawingModeCommand(uint32_t command) {
  return InRange(command, kCmdDrawButton, kCmdDrawNone);
}

int32_t ColourIndexOfCommand(uint32_t command) {
  return static_cast<int32_t>(command) - kCmdFirstColour;
}

int32_t* ColourSlotOfTarget(uint32_t target) {
  LcdView* view = LcdGetView();
  PanelLcdGeometry& geometry = GetPanelLcdGeometry();
  switch (target) {
    case kCmdColourTargetPanel:
      return &geometry.panel_colour;
    case kCmdColourTargetBacklight:
      return &view->background_colour;
    case kCmdColourTargetButtons:
      return &geometry.button_colour;
    case kCmdColourTargetLcdText:
      return &view->dot_colour;
    case kCmdColourTargetPanelText:
      return &geometry.panel_text_colour;
    default:
      return nullptr;
  }
}

const char* MenuItemTextFor(MenuItemText item, uint32_t options) {
  const TextPair& pair = kItemTexts[static_cast<int>(item)];
  return (options & kOptionEnglish) ? pair.english : pair.german;
}

void PlanLcdMenu(tagLCDLISTHEAD* lcd_list, const char* saved_name, LcdMenuPlan* plan) {
  plan->count = 0;
  plan->saved_type = nullptr;
  if (!lcd_list) {
    return;
  }
  for (tagLCDNODE* node = GetLcdHead(lcd_list); node; node = GetNextLcdEntry(node)) {
    const tagLCDPROP* type = node->record;
    if (!HasName(type) ||
        !InRange(static_cast<uint32_t>(type->menu_id), kCmdFirstLcdType, kCmdLastLcdType) ||
        plan->count == kLcdMenuMaxItems) {
      continue;
    }
    plan->items[plan->count++] = LcdMenuItem{type->name, static_cast<uint32_t>(type->menu_id)};
    if (!plan->saved_type && saved_name && std::strcmp(type->name, saved_name) == 0) {
      plan->saved_type = type;
    }
  }
}

void ApplyLcdTypeWithoutPosition(const tagLCDPROP& type) {
  LcdView* view = LcdGetView();
  PanelLcdGeometry& geometry = GetPanelLcdGeometry();
  {
    std::lock_guard<std::mutex> drawing(LcdGetLock());
    view->glyph_width = type.font_x;
    LcdGetController()->lines = type.rows;
    LcdLayout* layout = LcdGetLayout();
    layout->rows_drawn = type.rows < kLcdMaxRows ? type.rows : kLcdMaxRows;
    layout->characters_per_row = type.columns;
  }
  geometry.rows = type.rows;
  geometry.characters_per_row = type.columns;
  int32_t* saved = GetPanelSettings().LcdRect;
  saved[0] = view->lcd.left;
  saved[1] = view->lcd.top;
  saved[2] = view->lcd.right;
  saved[3] = view->lcd.bottom;
  ComputeRowRectangles();
}

}  // namespace panel
