// Where the LCD sits on the panel: the fixed device layout, the panel's own colour slots, and the
// row rectangles recomputed when the LCD moves or changes type. The drawing geometry itself
// (LCD and row rectangles, glyph size, LCD colours) is LcdView.
#pragma once

#include <cstdint>

namespace panel {

// The LCD geometry values that drawing does not read, kept beside LcdView.
struct PanelLcdGeometry {
  int32_t x_offset;            // 10 after the fixed device layout, 0 otherwise
  int32_t rows;                // display rows the row rectangles are computed for
  int32_t characters_per_row;
  int32_t lcd_width;           // size of the LCD rectangle
  int32_t lcd_height;
  int32_t panel_colour;        // colour slots the View menu sets; nothing draws with them
  int32_t button_colour;
  int32_t panel_text_colour;
};

PanelLcdGeometry& GetPanelLcdGeometry();

// The creation values: LcdView defaults (LCD rectangle, rows, 5 x 8, background 17, dots 15),
// x offset 0, 2 rows of 16 characters, panel colour 12, button colour 0, panel text colour 12.
void ResetPanelLcdView();

// The fixed device layout: LCD rectangle (275, 115, 499, 157), x offset 10, row rectangles
// (285, 120, 491, 136) and (285, 138, 491, 152). Gives the LCD rectangle back in lcd_rect.
void ApplyFixedLcdLayout(int32_t lcd_rect[4]);

// Row rectangles from the LCD rectangle, x offset and glyph width; only when the LCD's left is
// above 0 and there is at least one row. At most the four rows LcdView holds are computed. Any
// rectangle is safe: an upside-down one, or one whose rows would leave the 32-bit plane, leaves
// the row rectangles as they were.
void ComputeRowRectangles();

// The kept LCD width and height from the LCD rectangle (each difference held to 32 bits).
void KeepPanelLcdSize();

// The LCD takes the saved LCD rectangle (left, top, right, bottom) and its size, and the row
// rectangles are recomputed: the panel was loaded with an area configuration.
void RestoreSavedLcdRectangle(const int32_t lcd_rect[4]);

// Moves the LCD rectangle by (dx, dy), keeping its size, and recomputes the row rectangles.
void MovePanelLcd(int32_t dx, int32_t dy);

// The LCD's rounded frame as the panel paints it under the characters: 2 pixels beyond the LCD
// rectangle, in end-user mode from the LCD's top to 4 pixels below its bottom, otherwise around
// the kept LCD size. False (no frame) while the LCD's left is below 0.
constexpr int32_t kLcdFrameMargin = 2;
constexpr int32_t kEndUserLcdFrameBelow = 4;
bool LcdFrameRect(int32_t* left, int32_t* top, int32_t* right, int32_t* bottom);

}  // namespace panel
