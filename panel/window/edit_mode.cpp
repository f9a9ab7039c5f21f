#include "panel/window/edit_mode.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "panel/link/panel_settings.h"
#include "panel/window/panel_layout.h"
#include "panel/window/panel_menu_logic.h"

namespace panel {

namespace {

EditState g_edit{};

constexpr char kNewButtonName[] = "Button";
constexpr char kNewLedName[] = "Led";
constexpr char kNewAreaTooltip[] = "-";
constexpr double kHimetricPerMm = 100.0;
constexpr double kHimetricLimit = 1000000.0;  // 10 m

bool Contains(const tagAREARECT& rect, tagLISTPOINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

// start + size, held below the end of the 32-bit plane.
int32_t SideAt(int32_t start, int32_t size) {
  const int64_t side = int64_t{start} + size;
  return side > INT32_MAX ? INT32_MAX : side < INT32_MIN ? INT32_MIN : static_cast<int32_t>(side);
}

RightClickPlan Open(PropertyDialogKind dialog, tagRECTPROP* area) {
  return RightClickPlan{true, dialog, area};
}

int32_t HimetricOf(double millimetres, double margin) {
  const double units = (millimetres - margin) * kHimetricPerMm;
  if (!(units > -kHimetricLimit && units < kHimetricLimit)) return 0;  // also not a number
  return static_cast<int32_t>(units);  // truncated toward zero
}

}  // namespace

EditState& GetEditState() { return g_edit; }

void ResetEditState() { g_edit = EditState{}; }

tagAREARECT NormalisedRect(tagLISTPOINT a, tagLISTPOINT b) {
  return tagAREARECT{a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x,
                     a.y < b.y ? b.y : a.y};
}

bool ShapeContains(const tagAREARECT& shape, tagLISTPOINT point) { return Contains(shape, point); }

bool IsDrawingTool(uint32_t drawing_mode) {
  return drawing_mode == kRectKindButton || drawing_mode == kRectKindLed;
}

RightClickPlan PlanRightClick(const EditState& state, uint32_t drawing_mode, tagRLISTHEAD* areas,
                              tagLISTPOINT q) {
  const RightClickPlan nothing{false, PropertyDialogKind::kLcd, nullptr};
  if (state.shape_pending) {
    if (drawing_mode == kRectKindLed) {
      if (tagRECTPROP* led = FindEllipse(areas, q)) return Open(PropertyDialogKind::kLed, led);
    } else if (drawing_mode == kRectKindButton) {
      if (tagRECTPROP* button = FindRect(areas, q)) return Open(PropertyDialogKind::kButton, button);
    }
    if (!IsDrawingTool(drawing_mode) || !ShapeContains(state.pending_shape, q)) return nothing;
    return Open(drawing_mode == kRectKindLed ? PropertyDialogKind::kLed : PropertyDialogKind::kButton,
                nullptr);
  }
  if (tagRECTPROP* led = FindEllipse(areas, q)) return Open(PropertyDialogKind::kLed, led);
  if (tagRECTPROP* button = FindRect(areas, q)) return Open(PropertyDialogKind::kButton, button);
  if (tagRECTPROP* any = FindLcd(areas, q)) return Open(PropertyDialogKind::kLcd, any);
  return nothing;
}

bool MakeAreaFromShape(const tagAREARECT& shape, uint32_t drawing_mode, tagRECTPROP* area) {
  *area = tagRECTPROP{};
  area->kind = drawing_mode;
  area->rect = shape;
  area->color = area->active_color = area->inactive_color = -1;
  const char* name = drawing_mode == kRectKindLed ? kNewLedName : kNewButtonName;
  if (ReplaceAreaText(&area->name, name) && ReplaceAreaText(&area->tooltip, kNewAreaTooltip)) {
    return true;
  }
  ReleaseAreaTexts(area);
  return false;
}

void ReleaseAreaTexts(tagRECTPROP* area) {
  std::free(area->name);
  std::free(area->tooltip);
  area->name = nullptr;
  area->tooltip = nullptr;
}

bool AddNewArea(tagRECTPROP* area) {
  tagRLISTHEAD* areas = GetRectList();
  tagRECTPROP* copy = CreateRectEntry(area);
  if (copy == nullptr) return false;
  if (AppendRect(areas, copy) != 1) {  // a failed append leaves the copy with us
    ReleaseAreaTexts(copy);
    std::free(copy);
    return false;
  }
  ReleaseAreaTexts(area);
  g_edit.shape_pending = false;
  return true;
}

HimetricSize LcdGlassHimetric(float width_mm, float height_mm) {
  return HimetricSize{HimetricOf(width_mm, kLcdGlassMarginWidthMm),
                      HimetricOf(height_mm, kLcdGlassMarginHeightMm)};
}

bool PlaceLcdRect(int32_t x, int32_t y, int32_t horizontal_px, int32_t vertical_px,
                  LcdRect* lcd) {
  if (x <= 0 || y <= 0) return false;
  const int64_t right = int64_t{x} + horizontal_px - kPlacedLcdTrimRight;
  const int64_t bottom = y + std::llabs(int64_t{vertical_px}) - kPlacedLcdTrimBottom;
  // A glass smaller than the trims (a tiny type, a size that is no number) would be empty or
  // upside down, and one past the 32-bit plane cannot be shown: the LCD stays where it is.
  if (right <= x || bottom <= y || right > INT32_MAX || bottom > INT32_MAX) return false;
  lcd->left = x;
  lcd->top = y;
  lcd->right = static_cast<int32_t>(right);
  lcd->bottom = static_cast<int32_t>(bottom);
  return true;
}

bool PlacementOutline(const EditState& edit, int32_t horizontal_px, int32_t vertical_px,
                      tagAREARECT* outline) {
  if (!edit.lcd_placement || !edit.placement_point_known) return false;
  const tagLISTPOINT at = edit.placement_point;
  if (edit.lcd_type.chosen) {
    LcdRect placed{};
    if (!PlaceLcdRect(at.x, at.y, horizontal_px, vertical_px, &placed)) return false;
    *outline = tagAREARECT{placed.left, placed.top, placed.right, placed.bottom};
    return true;
  }
  // No type to apply: a click keeps the LCD's size.
  const PanelLcdGeometry& geometry = GetPanelLcdGeometry();
  *outline = tagAREARECT{at.x, at.y, SideAt(at.x, geometry.lcd_width),
                         SideAt(at.y, geometry.lcd_height)};
  return true;
}

void ApplyChosenLcdType(const ChosenLcdType& type, int32_t x, int32_t y, int32_t horizontal_px,
                        int32_t vertical_px) {
  LcdRect& lcd = LcdGetView()->lcd;
  if (PlaceLcdRect(x, y, horizontal_px, vertical_px, &lcd)) {
    // The frame is painted with the kept size: it follows the placed glass.
    KeepPanelLcdSize();
  }
  tagLCDPROP applied{};
  applied.rows = type.rows;
  applied.columns = type.columns;
  applied.font_x = type.font_x;
  ApplyLcdTypeWithoutPosition(applied);
}

bool ChooseLcdType(tagLCDLISTHEAD* lcd_list, uint32_t menu_id) {
  if (lcd_list == nullptr) return false;
  for (tagLCDNODE* node = GetLcdHead(lcd_list); node != nullptr; node = GetNextLcdEntry(node)) {
    const tagLCDPROP* type = node->record;
    if (type == nullptr || static_cast<uint32_t>(type->menu_id) != menu_id) continue;
    g_edit.lcd_type = ChosenLcdType{true, type->rows, type->columns, type->font_x, type->width,
                                    type->height};
    PanelSettings& settings = GetPanelSettings();
    StoreSettingsText(settings.LcdTypeName, kSettingsPathChars, type->name ? type->name : "");
    ApplyLcdTypeWithoutPosition(*type);
    return true;
  }
  return false;
}

}  // namespace panel
