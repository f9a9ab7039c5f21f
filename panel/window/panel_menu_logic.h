// The decisions behind the panel window's menu commands that need no window: which status-line
// hint a highlighted item gets, which colour slot a colour command sets, the item texts that
// depend on the English option, and which entries the LCD menu gets from the LCD list.
#pragma once

#include <cstdint>

#include "panel/core/data_lists.h"
#include "panel/window/panel_command_ids.h"

namespace panel {

// ---- Status-line hints ------------------------------------------------------------------------

// True for the ids whose hint is a string resource of the same id: 32770 ... 32777,
// 32780 ... 32798, 32850, 32851 and 32860 ... 32862 (an id without a string shows an empty line).
bool HasMenuHintString(uint32_t id);

// For any other highlighted id: the tooltip of the LCD type with that menu id, when option 0x0100
// is set and the list has such a type; null (the status line stays as it is) otherwise. A type
// without a tooltip shows an empty line.
const char* LcdMenuTooltip(tagLCDLISTHEAD* lcd_list, uint32_t id, uint32_t options);

// ---- Colours ------------------------------------------------------------------------------------

bool IsColourCommand(uint32_t command);        // 32781 ... 32793
bool IsColourTargetCommand(uint32_t command);  // 32794 ... 32798
bool IsDrawingModeCommand(uint32_t command);   // 32860 ... 32862
// ColourTable index chosen by a colour command: command - 32781 (0 ... 12).
int32_t ColourIndexOfCommand(uint32_t command);

// The colour slot a target command names: panel, LCD background, buttons, LCD dots, panel text.
// Null for any other command.
int32_t* ColourSlotOfTarget(uint32_t target);

// ---- Item texts chosen by the English option (0x0020) -----------------------------------------

enum class MenuItemText {
  kSendFileGreyed,     // 32772 at creation
  kHelpTopicsGreyed,   // 32777 at creation
  kLcdTestToolGreyed,  // 32851 at creation without option 0x0800
  kDrawNoneChecked,    // 32862 at creation with option 0x0100
};
const char* MenuItemTextFor(MenuItemText item, uint32_t options);

// ---- LCD menu -----------------------------------------------------------------------------------

constexpr char kLcdMenuTitle[] = "&Lcd's from ini file";
constexpr int kLcdMenuBarPosition = 3;
constexpr int kLcdMenuMaxItems = kCmdLastLcdType - kCmdFirstLcdType + 1;

struct LcdMenuItem {
  const char* name;  // the type's name, owned by the LCD list
  uint32_t command;  // the type's menu id
};

// What the LCD menu shows: every type with a non-empty name whose menu id is an LCD menu command
// (32891 ... 32909), in list order; and the type named like the saved LCD type name, if any.
struct LcdMenuPlan {
  LcdMenuItem items[kLcdMenuMaxItems];
  int count;
  const tagLCDPROP* saved_type;  // null when no listed type carries the saved name
};

// Builds the plan; a null list gives an empty plan. Types whose menu id lies outside the command
// range are left out: no command would reach them.
void PlanLcdMenu(tagLCDLISTHEAD* lcd_list, const char* saved_name, LcdMenuPlan* plan);

// Applies an LCD type without a position: the LCD rectangle stays; the type's glyph width, rows
// and characters per row take effect, the rectangle becomes the saved LCD rectangle and the row
// rectangles are recomputed.
void ApplyLcdTypeWithoutPosition(const tagLCDPROP& type);

}  // namespace panel
