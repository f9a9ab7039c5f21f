#include "panel/window/panel_layout.h"

#include "panel/core/option_word.h"
#include "panel/lcd/lcd_render.h"

namespace panel {

namespace {

PanelLcdGeometry geometry;

constexpr int32_t kDefaultRows = 2;
constexpr int32_t kDefaultCharactersPerRow = 16;
constexpr int32_t kFixedXOffset = 10;
constexpr int32_t kRowInset = 5;
constexpr int32_t kViewRowCount = 4;
constexpr int32_t kColourWhite = 12;
constexpr int32_t kColourBlue = 0;
constexpr LcdRect kFixedLcd = {275, 115, 499, 157};
constexpr LcdRect kFixedRow0 = {285, 120, 491, 136};
constexpr LcdRect kFixedRow1 = {285, 138, 491, 152};

void KeepLcdSize(const LcdView& view) {
  geometry.lcd_width = view.lcd.right - view.lcd.left;
  geometry.lcd_height = view.lcd.bottom - view.lcd.top;
}

}  // namespace

PanelLcdGeometry& GetPanelLcdGeometry() { return geometry; }

void ResetPanelLcdView() {
  LcdSetViewDefaults();
  geometry = PanelLcdGeometry{};
  geometry.rows = kDefaultRows;
  geometry.characters_per_row = kDefaultCharactersPerRow;
  geometry.panel_colour = kColourWhite;
  geometry.button_colour = kColourBlue;
  geometry.panel_text_colour = kColourWhite;
  KeepLcdSize(*LcdGetView());
}

void ApplyFixedLcdLayout(int32_t lcd_rect[4]) {
  LcdView* view = LcdGetView();
  view->lcd = kFixedLcd;
  view->rows[0] = kFixedRow0;
  view->rows[1] = kFixedRow1;
  geometry.x_offset = kFixedXOffset;
  KeepLcdSize(*view);
  lcd_rect[0] = view->lcd.left;
  lcd_rect[1] = view->lcd.top;
  lcd_rect[2] = view->lcd.right;
  lcd_rect[3] = view->lcd.bottom;
}

void ComputeRowRectangles() {
  LcdView* view = LcdGetView();
  if (view->lcd.left <= 0 || geometry.rows <= 0) {
    return;
  }
  const uint32_t row_height =
      static_cast<uint32_t>(view->lcd.bottom - view->lcd.top) / static_cast<uint32_t>(geometry.rows);
  const int32_t h = static_cast<int32_t>(row_height);
  const int32_t rows = geometry.rows < kViewRowCount ? geometry.rows : kViewRowCount;
  for (int32_t i = 0; i < rows; ++i) {
    LcdRect& row = view->rows[i];
    row.left = view->lcd.left + geometry.x_offset + kRowInset;
    row.top = view->lcd.top + i * h + kRowInset;
    row.right = view->lcd.right - view->glyph_width - kRowInset;
    row.bottom = view->lcd.top + (i + 1) * h - kRowInset;
  }
}

void RestoreSavedLcdRectangle(const int32_t lcd_rect[4]) {
  LcdView* view = LcdGetView();
  view->lcd = LcdRect{lcd_rect[0], lcd_rect[1], lcd_rect[2], lcd_rect[3]};
  KeepLcdSize(*view);
  ComputeRowRectangles();
}

void MovePanelLcd(int32_t dx, int32_t dy) {
  LcdView* view = LcdGetView();
  view->lcd.left += dx;
  view->lcd.top += dy;
  view->lcd.right = view->lcd.left + geometry.lcd_width;
  view->lcd.bottom = view->lcd.top + geometry.lcd_height;
  ComputeRowRectangles();
}

bool LcdFrameRect(int32_t* left, int32_t* top, int32_t* right, int32_t* bottom) {
  const LcdRect& lcd = LcdGetView()->lcd;
  if (lcd.left < 0) return false;
  *left = lcd.left - kLcdFrameMargin;
  if (GetOptions() & kOptionEndUser) {
    *top = lcd.top;
    *right = lcd.right + kLcdFrameMargin;
    *bottom = lcd.bottom + kEndUserLcdFrameBelow;
    return true;
  }
  const PanelLcdGeometry& geometry = GetPanelLcdGeometry();
  *top = lcd.top - kLcdFrameMargin;
  *right = lcd.left + geometry.lcd_width + kLcdFrameMargin;
  *bottom = lcd.top + geometry.lcd_height + kLcdFrameMargin;
  return true;
}

}  // namespace panel
