#include "panel/window/panel_layout.h"

#include <cstdint>

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

// The LCD rectangle may come from a damaged or hostile area file, so sums and differences of its
// sides are taken in 64 bits and brought back to the nearest 32-bit value.
int32_t Clamped(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool FitsInt32(int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }

void KeepLcdSize(const LcdView& view) {
  geometry.lcd_width = Clamped(int64_t{view.lcd.right} - view.lcd.left);
  geometry.lcd_height = Clamped(int64_t{view.lcd.bottom} - view.lcd.top);
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
  // An upside-down LCD has no rows: the format's unsigned division would make its row height
  // nearly 2^32.
  const int64_t height = int64_t{view->lcd.bottom} - view->lcd.top;
  if (height < 0) return;
  const int64_t h = height / geometry.rows;
  const int32_t rows = geometry.rows < kViewRowCount ? geometry.rows : kViewRowCount;
  LcdRect computed[kViewRowCount] = {};
  for (int32_t i = 0; i < rows; ++i) {
    const int64_t left = int64_t{view->lcd.left} + geometry.x_offset + kRowInset;
    const int64_t top = view->lcd.top + i * h + kRowInset;
    const int64_t right = int64_t{view->lcd.right} - view->glyph_width - kRowInset;
    const int64_t bottom = view->lcd.top + (i + 1) * h - kRowInset;
    // Rows beyond the 32-bit plane: the rectangle is not one the panel can show.
    if (!FitsInt32(left) || !FitsInt32(top) || !FitsInt32(right) || !FitsInt32(bottom)) return;
    computed[i] = LcdRect{static_cast<int32_t>(left), static_cast<int32_t>(top),
                          static_cast<int32_t>(right), static_cast<int32_t>(bottom)};
  }
  for (int32_t i = 0; i < rows; ++i) view->rows[i] = computed[i];
}

void KeepPanelLcdSize() { KeepLcdSize(*LcdGetView()); }

void RestoreSavedLcdRectangle(const int32_t lcd_rect[4]) {
  LcdView* view = LcdGetView();
  view->lcd = LcdRect{lcd_rect[0], lcd_rect[1], lcd_rect[2], lcd_rect[3]};
  KeepLcdSize(*view);
  ComputeRowRectangles();
}

void MovePanelLcd(int32_t dx, int32_t dy) {
  LcdView* view = LcdGetView();
  view->lcd.left = Clamped(int64_t{view->lcd.left} + dx);
  view->lcd.top = Clamped(int64_t{view->lcd.top} + dy);
  view->lcd.right = Clamped(int64_t{view->lcd.left} + geometry.lcd_width);
  view->lcd.bottom = Clamped(int64_t{view->lcd.top} + geometry.lcd_height);
  ComputeRowRectangles();
}

bool LcdFrameRect(int32_t* left, int32_t* top, int32_t* right, int32_t* bottom) {
  const LcdRect& lcd = LcdGetView()->lcd;
  if (lcd.left < 0) return false;
  *left = Clamped(int64_t{lcd.left} - kLcdFrameMargin);
  if (GetOptions() & kOptionEndUser) {
    *top = lcd.top;
    *right = Clamped(int64_t{lcd.right} + kLcdFrameMargin);
    *bottom = Clamped(int64_t{lcd.bottom} + kEndUserLcdFrameBelow);
    return true;
  }
  const PanelLcdGeometry& geometry = GetPanelLcdGeometry();
  *top = Clamped(int64_t{lcd.top} - kLcdFrameMargin);
  *right = Clamped(int64_t{lcd.left} + geometry.lcd_width + kLcdFrameMargin);
  *bottom = Clamped(int64_t{lcd.top} + geometry.lcd_height + kLcdFrameMargin);
  return true;
}

}  // namespace panel
