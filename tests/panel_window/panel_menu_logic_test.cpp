// The decisions behind the panel window's menu commands: which highlighted ids have a hint
// string, the LCD type tooltip for other ids, colour command to slot and index, the item texts
// chosen by the English option, and the LCD menu's entries from the LCD list.
#include "panel/window/panel_menu_logic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/window/panel_layout.h"
#include "panel/link/panel_settings.h"

using namespace panel;

namespace {

class PanelMenuLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPanelLibraryForTests();
    ResetPanelLcdView();
    InitCriticalLcdSection();
    lcd_list_ = CreateLcdList();
    ASSERT_NE(lcd_list_, nullptr);
  }
  void TearDown() override {
    DelLcdList(lcd_list_);
    ResetPanelLibraryForTests();
  }

  // Appends a type as the LCD types reader would: menu ids 32891, 32892, ... in file order.
  void AddType(const char* name, const char* tooltip, uint8_t rows = 2, uint8_t columns = 16,
               uint8_t font_x = 5) {
    tagLCDPROP type{};
    type.name = const_cast<char*>(name);
    type.tooltip = const_cast<char*>(tooltip);
    type.rows = rows;
    type.columns = columns;
    type.font_x = font_x;
    type.font_y = 8;
    type.menu_id = kCmdFirstLcdType + lcd_list_->count;
    ASSERT_EQ(AppendLcd(lcd_list_, CreateLcdEntry(&type)), 1);
  }

  tagLCDLISTHEAD* lcd_list_ = nullptr;
};

TEST_F(PanelMenuLogicTest, HintStringsBelongToTheListedIdsOnly) {
  const struct {
    uint32_t id;
    bool has_string;
  } cases[] = {
      {32769, false}, {32770, true},  {32774, true},  {32777, true},  {32778, false},
      {32779, false}, {32780, true},  {32787, true},  {32798, true},  {32799, false},
      {32849, false}, {32850, true},  {32851, true},  {32852, false}, {32859, false},
      {32860, true},  {32862, true},  {32863, false}, {32891, false}, {32950, false},
      {0, false},     {2, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HasMenuHintString(c.id), c.has_string) << c.id;
  }
}

TEST_F(PanelMenuLogicTest, OtherIdsShowTheLcdTypeTooltipOnlyWithTheLcdListOption) {
  AddType("HD 16x2", "Zwei Zeilen");
  AddType("HD 20x4", nullptr);
  const uint32_t with_list = kOptionLcdList | kOptionLcdListMirror;
  const struct {
    uint32_t id;
    uint32_t options;
    const char* tooltip;  // null: the status line stays as it is
  } cases[] = {
      {32891, with_list, "Zwei Zeilen"}, {32892, with_list, ""},  // a type without a tooltip
      {32893, with_list, nullptr},       {32891, 0x0000, nullptr},
      {32891, 0x8410, nullptr},          {4, with_list, nullptr},
  };
  for (const auto& c : cases) {
    const char* tooltip = LcdMenuTooltip(lcd_list_, c.id, c.options);
    if (c.tooltip) {
      ASSERT_NE(tooltip, nullptr) << c.id;
      EXPECT_STREQ(tooltip, c.tooltip) << c.id;
    } else {
      EXPECT_EQ(tooltip, nullptr) << c.id << " " << c.options;
    }
  }
  EXPECT_EQ(LcdMenuTooltip(nullptr, 32891, with_list), nullptr);
}

TEST_F(PanelMenuLogicTest, ColourCommandsChooseTableIndexesAndTargetsNameTheirSlots) {
  EXPECT_FALSE(IsColourCommand(32780));
  EXPECT_TRUE(IsColourCommand(32781));
  EXPECT_TRUE(IsColourCommand(32793));
  EXPECT_FALSE(IsColourCommand(32794));
  EXPECT_EQ(ColourIndexOfCommand(32781), 0);   // Blue
  EXPECT_EQ(ColourIndexOfCommand(32785), 4);   // Red
  EXPECT_EQ(ColourIndexOfCommand(32793), 12);  // White
  EXPECT_FALSE(IsColourTargetCommand(32793));
  EXPECT_TRUE(IsColourTargetCommand(32794));
  EXPECT_TRUE(IsColourTargetCommand(32798));
  EXPECT_FALSE(IsColourTargetCommand(32799));
  EXPECT_TRUE(IsDrawingModeCommand(32860) && IsDrawingModeCommand(32862));
  EXPECT_FALSE(IsDrawingModeCommand(32859) || IsDrawingModeCommand(32863));

  // Each target's slot holds its creation default and takes exactly what is stored in it.
  const struct {
    uint32_t target;
    int32_t* slot;
    int32_t creation_default;
  } targets[] = {
      {32794, &GetPanelLcdGeometry().panel_colour, 12},
      {32795, &LcdGetView()->background_colour, 17},
      {32796, &GetPanelLcdGeometry().button_colour, 0},
      {32797, &LcdGetView()->dot_colour, 15},
      {32798, &GetPanelLcdGeometry().panel_text_colour, 12},
  };
  for (const auto& t : targets) {
    ASSERT_EQ(ColourSlotOfTarget(t.target), t.slot) << t.target;
    EXPECT_EQ(*t.slot, t.creation_default) << t.target;
  }
  EXPECT_EQ(ColourSlotOfTarget(32793), nullptr);
  EXPECT_EQ(ColourSlotOfTarget(32799), nullptr);
}

TEST_F(PanelMenuLogicTest, ItemTextsFollowTheEnglishOption) {
  const struct {
    MenuItemText item;
    const char* german;
    const char* english;
  } cases[] = {
      {MenuItemText::kSendFileGreyed, "&Senden...\tCtrl+S", "&Send file...\tCtrl+S"},
      {MenuItemText::kHelpTopicsGreyed, "&Inhalt", "&Help Topics"},
      {MenuItemText::kLcdTestToolGreyed, "&LCD Test Werkzeug...", "&LCD Control panel ..."},
      {MenuItemText::kDrawNoneChecked, "&Deaktiviert\tF5", "&None\tF5"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(MenuItemTextFor(c.item, 0x0100), c.german);
    EXPECT_STREQ(MenuItemTextFor(c.item, 0x0020), c.english);
    EXPECT_STREQ(MenuItemTextFor(c.item, 0x3B06), c.german);
  }
}

TEST_F(PanelMenuLogicTest, LcdMenuListsNamedTypesAndFindsTheSavedName) {
  AddType("HD 16x2", "a");
  AddType("", "unnamed: left out");
  AddType("HD 20x4", "b");
  AddType("HD 16x2", "second of the name: listed, not selected");
  LcdMenuPlan plan{};
  PlanLcdMenu(lcd_list_, "HD 16x2", &plan);
  ASSERT_EQ(plan.count, 3);
  EXPECT_STREQ(plan.items[0].name, "HD 16x2");
  EXPECT_EQ(plan.items[0].command, 32891u);
  EXPECT_STREQ(plan.items[1].name, "HD 20x4");
  EXPECT_EQ(plan.items[1].command, 32893u);
  EXPECT_EQ(plan.items[2].command, 32894u);
  ASSERT_NE(plan.saved_type, nullptr);
  EXPECT_EQ(plan.saved_type->menu_id, 32891);

  PlanLcdMenu(lcd_list_, "hd 16x2", &plan);  // names compare exactly
  EXPECT_EQ(plan.saved_type, nullptr);
  PlanLcdMenu(nullptr, "HD 16x2", &plan);
  EXPECT_EQ(plan.count, 0);
  EXPECT_EQ(plan.saved_type, nullptr);
}

TEST_F(PanelMenuLogicTest, LcdMenuStopsAtTheLastLcdTypeCommand) {
  char names[kLcdMenuMaxItems + 2][8];
  for (int i = 0; i < kLcdMenuMaxItems + 2; ++i) {
    std::snprintf(names[i], sizeof(names[i]), "T%d", i);
    AddType(names[i], nullptr);
  }
  LcdMenuPlan plan{};
  PlanLcdMenu(lcd_list_, "T20", &plan);
  ASSERT_EQ(plan.count, kLcdMenuMaxItems);
  EXPECT_EQ(plan.items[kLcdMenuMaxItems - 1].command, 32909u);
  EXPECT_EQ(plan.saved_type, nullptr);  // its id 32911 has no command
}

TEST_F(PanelMenuLogicTest, ApplyingATypeWithoutPositionKeepsTheRectangle) {
  LcdView& view = *LcdGetView();
  const LcdRect before = view.lcd;
  AddType("HD 20x4", nullptr, 4, 20, 6);
  ApplyLcdTypeWithoutPosition(*GetLcdHead(lcd_list_)->record);
  EXPECT_EQ(view.lcd.left, before.left);
  EXPECT_EQ(view.lcd.bottom, before.bottom);
  EXPECT_EQ(view.glyph_width, 6);
  EXPECT_EQ(GetPanelLcdGeometry().rows, 4);
  EXPECT_EQ(GetPanelLcdGeometry().characters_per_row, 20);
  EXPECT_EQ(LcdGetLayout()->rows_drawn, 4);
  EXPECT_EQ(LcdGetLayout()->characters_per_row, 20);
  EXPECT_EQ(LcdGetController()->lines, 4);
  const int32_t* saved = GetPanelSettings().LcdRect;
  EXPECT_EQ(saved[0], before.left);
  EXPECT_EQ(saved[3], before.bottom);
  // Rows from the rectangle (275, 115, 499, 157): h = 42 / 4 = 10; left + 0 + 5, right - 6 - 5.
  EXPECT_EQ(view.rows[3].left, 280);
  EXPECT_EQ(view.rows[3].top, 115 + 30 + 5);
  EXPECT_EQ(view.rows[3].right, 499 - 6 - 5);
  EXPECT_EQ(view.rows[3].bottom, 115 + 40 - 5);
}

}  // namespace
