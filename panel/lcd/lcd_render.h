// LCD drawing, portable half: turns the controller state into dots in a plain 32-bit pixel
// buffer. The Win32 half (lcd_render_win32.cpp) only moves that buffer onto the window.
//
// How the Win32 side draws (LcdDraw(HWND) lives there):
//   1. Null window: return. Otherwise GetDC.
//   2. area = LcdDrawBounds(); if empty (right <= left or bottom <= top) nothing to draw.
//   3. A 32-bit top-down DIB (BI_RGB, biHeight = -height) of area's size; LcdPixelBuffer
//      {area.left, area.top, width, height, dib_pixels}. Fill it from the window first (BitBlt
//      from the window DC into the DIB's memory DC) so that pixels the LCD leaves alone (gaps
//      between characters, between rows) keep what the panel painted, exactly as per-dot
//      drawing would; or, when the LCD background was just painted, fill with
//      ColourPixel(LcdGetView()->background_colour).
//   4. LcdRasterise(&buffer): takes the LCD lock itself for the whole of one redraw.
//   5. One BitBlt / SetDIBitsToDevice of the DIB to (area.left, area.top); ReleaseDC.
// The panel paints the LCD rectangle (rounded, corner ellipse 5 x 5, background colour) itself
// before the characters, with ColourRef(background_colour).
// The blink timer calls LcdBlinkTick(), which redraws through the platform (panel_platform.h:
// redraw_lcd, LcdDraw on the panel window); without it nothing is drawn.
//
// Pixels are 0x00RRGGBB (ColourPixel), the memory layout of a 32-bit BI_RGB DIB.
#pragma once

#include <cstdint>

#include "panel/lcd/glyph_table.h"

namespace panel {

struct LcdRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// Where the LCD sits on the panel and in which colours (ColourTable indexes).
struct LcdView {
  LcdRect lcd;              // whole LCD area, painted by the panel in the background colour
  LcdRect rows[4];          // device-pixel area of display rows 0-3
  int32_t glyph_width;      // dot columns of a glyph
  int32_t glyph_height;     // dot rows of a glyph
  int32_t background_colour;  // LCD area and every dot that is off
  int32_t dot_colour;         // a dot that is on
};

// The panel window's creation defaults: LCD 275,115,499,157; row 0 285,120,491,136; row 1
// 285,138,491,152; rows 2 and 3 empty; 5 x 8; background 17, dots 15.
void LcdSetViewDefaults();
LcdView* LcdGetView();

// Device pixels [left, left + width) x [top, top + height); writes outside are clipped.
struct LcdPixelBuffer {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
  uint32_t* pixels;  // width * height, row-major, top row first
};

// One glyph: every dot a p x p square (p = integer square root of dot_area) at (x, y), dot colour
// where the row bit is set and the display is on, background colour otherwise. Left out entirely
// when x lies at or beyond the cell's right edge less half a character cell. Only the five low
// bits of each row count.
void LcdDrawGlyph(LcdPixelBuffer* target, const LcdRect& cell, int32_t x, int32_t y,
                  const uint32_t rows[kGlyphRows], uint32_t dot_area, bool display_on);

// Every visible row of the LCD into target, under the LCD lock (cursor, blink phase, display
// off, display shift, one line with the lower parts of the 5x11 font). Null target: nothing.
void LcdRasterise(LcdPixelBuffer* target);

// The smallest rectangle that LcdRasterise would touch in the current state; empty when it
// would draw nothing.
LcdRect LcdDrawBounds();

// Dot size in device pixels that LcdRasterise uses: (row 0 width / characters per row) / 5.
uint32_t LcdDotSize();

// 500 ms blink step: with blink on, flip the blink phase and redraw through the platform; with
// blink off, phase 0, redrawn once only when a block was shown.
void LcdBlinkTick();

// The font table chart (black dots on white, 2 x 2 per dot) into target, with (left, top) the
// client area's top-left corner; background pixels of each glyph are drawn too.
void FontChartRasterise(LcdPixelBuffer* target, int32_t left, int32_t top);

}  // namespace panel
