// Designer mode's rules without a window: which dialog a right click opens, what the property
// dialogs show and store (n/a, id rule, size and position, colours), and where a placed LCD type
// lands. The window side of each is driven end to end in tests/win32/designer_mode_test.cpp.
#include "panel/window/edit_mode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "panel/core/panel_platform.h"
#include "panel/window/area_properties.h"
#include "panel/window/panel_layout.h"

using namespace panel;

namespace {

constexpr uint32_t kNoTool = 32862;
constexpr tagAREARECT kButton = {10, 10, 30, 30};
constexpr tagAREARECT kLed = {40, 10, 60, 30};
constexpr tagAREARECT kLcdArea = {70, 10, 90, 30};
constexpr tagAREARECT kShape = {100, 100, 140, 120};
constexpr tagAREARECT kReversed = {140, 120, 100, 100};

class EditModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPanelLibraryForTests();
    areas_ = CreateRectList();
    SetRectList(areas_);
    button_ = Add(kRectKindButton, kButton);
    led_ = Add(kRectKindLed, kLed);
    lcd_ = Add(kRectKindLcd, kLcdArea);
  }
  void TearDown() override { ResetPanelLibraryForTests(); }

  tagRECTPROP* Add(uint32_t kind, tagAREARECT rect) {
    tagRECTPROP area{};
    area.kind = kind;
    area.rect = rect;
    tagRECTPROP* copy = CreateRectEntry(&area);
    AppendRect(areas_, copy);
    return copy;
  }

  tagRLISTHEAD* areas_ = nullptr;
  tagRECTPROP* button_ = nullptr;
  tagRECTPROP* led_ = nullptr;
  tagRECTPROP* lcd_ = nullptr;
};

TEST_F(EditModeTest, RightClickOpensTheDialogTheRulesChoose) {
  enum Expect { kNothing, kNewButton, kNewLed, kOldButton, kOldLed, kOldLcd };
  const struct {
    const char* name;
    bool pending;
    tagAREARECT shape;
    uint32_t mode;
    tagLISTPOINT q;
    Expect expect;
  } cases[] = {
      {"LED without shape", false, kShape, kNoTool, {45, 15}, kOldLed},
      {"button without shape", false, kShape, kRectKindLed, {15, 15}, kOldButton},
      {"LCD area without shape", false, kShape, kRectKindButton, {75, 15}, kOldLcd},
      {"bare panel without shape", false, kShape, kRectKindButton, {110, 110}, kNothing},
      {"inside the shape, F6", true, kShape, kRectKindButton, {110, 110}, kNewButton},
      {"inside the shape, F7", true, kShape, kRectKindLed, {110, 110}, kNewLed},
      {"inside the shape, F5", true, kShape, kNoTool, {110, 110}, kNothing},
      {"shape's right edge is outside", true, kShape, kRectKindButton, {140, 110}, kNothing},
      {"reversed shape", true, kReversed, kRectKindButton, {110, 110}, kNothing},
      {"reversed shape, other point", true, kReversed, kRectKindButton, {139, 119}, kNothing},
      {"button of the mode's kind", true, kShape, kRectKindButton, {15, 15}, kOldButton},
      {"LED of the mode's kind", true, kShape, kRectKindLed, {45, 15}, kOldLed},
      {"LED while drawing buttons", true, kShape, kRectKindButton, {45, 15}, kNothing},
      {"LCD area with a shape pending", true, kShape, kRectKindLed, {75, 15}, kNothing},
  };
  for (const auto& c : cases) {
    EditState state{};
    state.shape_pending = c.pending;
    state.pending_shape = c.shape;
    const RightClickPlan plan = PlanRightClick(state, c.mode, areas_, c.q);
    const struct {
      bool open;
      PropertyDialogKind dialog;
      tagRECTPROP* area;
    } expected[] = {{false, PropertyDialogKind::kLcd, nullptr},
                    {true, PropertyDialogKind::kButton, nullptr},
                    {true, PropertyDialogKind::kLed, nullptr},
                    {true, PropertyDialogKind::kButton, button_},
                    {true, PropertyDialogKind::kLed, led_},
                    {true, PropertyDialogKind::kLcd, lcd_}};
    const auto& e = expected[c.expect];
    EXPECT_EQ(plan.open, e.open) << c.name;
    if (!e.open) continue;
    EXPECT_EQ(plan.dialog, e.dialog) << c.name;
    EXPECT_EQ(plan.area, e.area) << c.name;
  }
}

struct FieldEdit {
  PropertyField field;
  const char* text;
};

std::vector<int32_t> Numbers(const tagRECTPROP& a) {
  return {a.id, a.rect.left, a.rect.top, a.rect.right, a.rect.bottom, a.active_color,
          a.inactive_color};
}

TEST_F(EditModeTest, PropertyDialogStoresTheChangedFieldsInOrder) {
  tagRECTPROP fresh;
  ASSERT_TRUE(MakeAreaFromShape(kShape, kRectKindButton, &fresh));
  PropertyForm form;
  FillPropertyForm(fresh, PropertyDialogKind::kButton, &form);
  const char* const shown[] = {"Button", "-", "0", "40", "20", "100", "100"};
  for (int f = kFieldName; f <= kFieldTop; ++f) EXPECT_STREQ(form.text[f], shown[f]) << f;
  for (bool changed : form.changed) EXPECT_FALSE(changed);
  ReleaseAreaTexts(&fresh);

  const struct {
    const char* name;
    PropertyDialogKind kind;
    std::vector<FieldEdit> edits;
    StoreResult result;
    std::vector<int32_t> numbers;  // id, left, top, right, bottom, active, inactive
  } cases[] = {
      {"nothing changed", PropertyDialogKind::kButton, {}, StoreResult::kStored,
       {4, 100, 100, 140, 120, 2, 4}},
      {"hexadecimal id", PropertyDialogKind::kLed, {{kFieldId, " 0x10"}}, StoreResult::kStored,
       {16, 100, 100, 140, 120, 2, 4}},
      {"odd id refused, size not yet stored", PropertyDialogKind::kButton,
       {{kFieldId, "3"}, {kFieldWidth, "50"}}, StoreResult::kIdRefused,
       {0, 100, 100, 140, 120, 2, 4}},
      {"width and x: x with the old width", PropertyDialogKind::kButton,
       {{kFieldWidth, "50"}, {kFieldLeft, "10"}}, StoreResult::kStored,
       {4, 10, 100, 50, 120, 2, 4}},
      {"height and y, signs and junk", PropertyDialogKind::kButton,
       {{kFieldHeight, "+5px"}, {kFieldTop, "-7"}}, StoreResult::kStored,
       {4, 100, -7, 140, 13, 2, 4}},
      {"no digits read as 0", PropertyDialogKind::kButton, {{kFieldWidth, "abc"}},
       StoreResult::kStored, {4, 100, 100, 100, 120, 2, 4}},
      {"huge width held at the range's end", PropertyDialogKind::kButton,
       {{kFieldWidth, "99999999999"}}, StoreResult::kStored,
       {4, 100, 100, INT32_MAX, 120, 2, 4}},
      {"Bicolor is no colour, Gray 50 is 7", PropertyDialogKind::kLed,
       {{kFieldActiveColour, "Bicolor"}, {kFieldInactiveColour, "Gray 50"}},
       StoreResult::kStored, {4, 100, 100, 140, 120, -1, 7}},
  };
  for (const auto& c : cases) {
    tagRECTPROP area{};
    area.id = 4;
    area.rect = kShape;
    area.active_color = 2;
    area.inactive_color = 4;
    FillPropertyForm(area, c.kind, &form);
    // A missing name and tooltip show "n/a" and count as changed.
    EXPECT_STREQ(form.text[kFieldName], "n/a") << c.name;
    for (const FieldEdit& edit : c.edits) {
      std::snprintf(form.text[edit.field], kPropertyTextChars, "%s", edit.text);
      form.changed[edit.field] = true;
    }
    EXPECT_EQ(StorePropertyForm(&form, &area), c.result) << c.name;
    EXPECT_EQ(Numbers(area), c.numbers) << c.name;
    ASSERT_NE(area.name, nullptr) << c.name;
    EXPECT_STREQ(area.name, "n/a") << c.name;
    EXPECT_STREQ(area.tooltip, "n/a") << c.name;
    if (c.result == StoreResult::kIdRefused) {
      // The refused id counts as unchanged: the next OK stores the rest with id 0.
      EXPECT_EQ(StorePropertyForm(&form, &area), StoreResult::kStored) << c.name;
      EXPECT_EQ(area.id, 0) << c.name;
      EXPECT_EQ(area.rect.right, 150) << c.name;
    }
    ReleaseAreaTexts(&area);
  }
}

TEST(AreaProperties, ColourListSelectsTheEntryBeginningWithTheColourName) {
  const struct {
    int32_t colour;
    int selection;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}, {7, 3}, {8, 3} /* "Gray" begins "Gray 50" */, {4, 4},
               {3, -1}, {9, -1}, {13, -1} /* "Bl On" */, {17, -1}, {-1, -1}, {18, -1}};
  for (const auto& c : cases) EXPECT_EQ(ColourListSelection(c.colour), c.selection) << c.colour;
  // The dialogs without an id or without colours.
  EXPECT_FALSE(HasPropertyField(PropertyDialogKind::kLcd, kFieldId));
  EXPECT_TRUE(HasPropertyField(PropertyDialogKind::kLcd, kFieldActiveColour));
  EXPECT_FALSE(HasPropertyField(PropertyDialogKind::kButton, kFieldInactiveColour));
  EXPECT_TRUE(HasPropertyField(PropertyDialogKind::kLed, kFieldId));
}

TEST(EditModeGeometry, GlassMarginsAndPlacedRectangle) {
  const struct {
    float width;
    float height;
    int32_t horizontal;
    int32_t vertical;
  } glass[] = {// Truncated as computed in binary: 36 - 3.7 gives 32.2999..., 84.1f lies below 84.1.
               {80.0f, 36.0f, 7750, 3229}, {2.5f, 3.7f, 0, 0}, {84.1f, 44.0f, 8159, 4029},
               {1.0f, 2.0f, -150, -170}, {NAN, 1e9f, 0, 0}};
  for (const auto& g : glass) {
    const HimetricSize size = LcdGlassHimetric(g.width, g.height);
    EXPECT_EQ(size.horizontal, g.horizontal) << g.width;
    EXPECT_EQ(size.vertical, g.vertical) << g.height;
  }
  const struct {
    int32_t x, y, horizontal_px, vertical_px;
    bool placed;
    LcdRect lcd;
  } places[] = {{300, 120, 293, -122, true, {300, 120, 571, 226}},
                {300, 120, 293, 122, true, {300, 120, 571, 226}},
                {0, 120, 293, -122, false, {1, 2, 3, 4}},
                {300, -5, 293, -122, false, {1, 2, 3, 4}},
                {300, 120, 0, 0, false, {1, 2, 3, 4}},      // glass 0: a size that is no number
                {300, 120, 22, 122, false, {1, 2, 3, 4}},   // empty: no wider than the trim
                {300, 120, 9, -60, false, {1, 2, 3, 4}},    // a type under 8 mm: upside down
                {300, 120, 293, 16, false, {1, 2, 3, 4}},   // no higher than the trim
                {300, 120, 23, 17, true, {300, 120, 301, 121}},
                {INT32_MAX - 10, 120, 293, 122, false, {1, 2, 3, 4}},  // beyond 32 bits
                {300, INT32_MAX, 293, INT32_MIN, false, {1, 2, 3, 4}}};
  for (const auto& p : places) {
    LcdRect lcd{1, 2, 3, 4};
    EXPECT_EQ(PlaceLcdRect(p.x, p.y, p.horizontal_px, p.vertical_px, &lcd), p.placed) << p.x;
    EXPECT_EQ(std::vector<int32_t>({lcd.left, lcd.top, lcd.right, lcd.bottom}),
              std::vector<int32_t>({p.lcd.left, p.lcd.top, p.lcd.right, p.lcd.bottom}));
  }
  EXPECT_EQ(NormalisedRect({140, 120}, {100, 100}).left, 100);
}

// The outline while placing shows what the click places: the new type's glass, not the size of
// the LCD there was before.
TEST_F(EditModeTest, PlacementOutlineIsWhatTheClickPlaces) {
  EditState& edit = GetEditState();
  GetPanelLcdGeometry().lcd_width = 224;  // the old LCD
  GetPanelLcdGeometry().lcd_height = 42;
  edit.lcd_placement = true;
  tagAREARECT outline{};
  EXPECT_FALSE(PlacementOutline(edit, 293, -122, &outline));  // the mouse has not moved yet
  edit.placement_point_known = true;
  edit.placement_point = tagLISTPOINT{300, 120};
  const auto sides = [&] {
    return std::vector<int32_t>({outline.left, outline.top, outline.right, outline.bottom});
  };
  ASSERT_TRUE(PlacementOutline(edit, 293, -122, &outline));
  EXPECT_EQ(sides(), std::vector<int32_t>({300, 120, 524, 162}));  // no type: the kept size
  edit.lcd_type = ChosenLcdType{true, 4, 20, 5, 98.0f, 60.0f};
  ASSERT_TRUE(PlacementOutline(edit, 293, -122, &outline));
  LcdRect placed{};
  ASSERT_TRUE(PlaceLcdRect(300, 120, 293, -122, &placed));
  EXPECT_EQ(sides(), std::vector<int32_t>({placed.left, placed.top, placed.right, placed.bottom}));
  EXPECT_FALSE(PlacementOutline(edit, 9, -60, &outline));  // a click would not move the LCD
  edit.placement_point = tagLISTPOINT{0, 120};
  EXPECT_FALSE(PlacementOutline(edit, 293, -122, &outline));
  EXPECT_EQ(NormalisedRect({140, 120}, {100, 100}).bottom, 120);
}

}  // namespace
