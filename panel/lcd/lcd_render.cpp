#include "panel/lcd/lcd_render.h"

#include <algorithm>
#include <mutex>

#include "panel/core/panel_platform.h"
#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_controller.h"

namespace panel {

namespace {

constexpr uint32_t kBlockGlyph[kGlyphRows] = {0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F};
constexpr uint32_t kLowerBlockGlyph[kGlyphRows] = {0x1F, 0x1F, 0x1F, 0, 0, 0, 0, 0};
constexpr uint32_t kDotMasks[5] = {0x10, 0x08, 0x04, 0x02, 0x01};  // leftmost dot first
constexpr int kUnderlineRow5x8 = 7;
constexpr int kUnderlineRow5x11 = 2;   // third row of the lower part
constexpr uint32_t kMaxDotSize = 0xFFFF;  // keeps the dot area inside 32 bits
constexpr int32_t kDefaultBackground = 17;  // "Backlight on"
constexpr int32_t kDefaultDots = 15;        // "Backlight off"

LcdView g_view;

// Where dots go: into a pixel buffer, into a bounding rectangle, or both.
struct Canvas {
  LcdPixelBuffer* buffer;
  bool collect_bounds;
  bool has_bounds;
  int64_t bounds_left, bounds_top, bounds_right, bounds_bottom;
  bool display_on;
  uint32_t dot_pixel;
  uint32_t background_pixel;
};

Canvas MakeCanvas(LcdPixelBuffer* buffer, bool display_on, uint32_t dot, uint32_t background) {
  return Canvas{buffer, false, false, 0, 0, 0, 0, display_on, dot, background};
}

void FillSquare(Canvas& canvas, int64_t x, int64_t y, int64_t size, uint32_t pixel) {
  if (size <= 0) return;
  if (canvas.collect_bounds) {
    if (!canvas.has_bounds) {
      canvas.bounds_left = x;
      canvas.bounds_top = y;
      canvas.bounds_right = x + size;
      canvas.bounds_bottom = y + size;
      canvas.has_bounds = true;
    } else {
      canvas.bounds_left = std::min(canvas.bounds_left, x);
      canvas.bounds_top = std::min(canvas.bounds_top, y);
      canvas.bounds_right = std::max(canvas.bounds_right, x + size);
      canvas.bounds_bottom = std::max(canvas.bounds_bottom, y + size);
    }
  }
  LcdPixelBuffer* buffer = canvas.buffer;
  if (buffer == nullptr || buffer->pixels == nullptr || buffer->width <= 0 ||
      buffer->height <= 0) {
    return;
  }
  const int64_t x0 = std::max<int64_t>(x, buffer->left);
  const int64_t y0 = std::max<int64_t>(y, buffer->top);
  const int64_t x1 = std::min<int64_t>(x + size, int64_t{buffer->left} + buffer->width);
  const int64_t y1 = std::min<int64_t>(y + size, int64_t{buffer->top} + buffer->height);
  for (int64_t py = y0; py < y1; ++py) {
    uint32_t* line = buffer->pixels + (py - buffer->top) * buffer->width;
    for (int64_t px = x0; px < x1; ++px) line[px - buffer->left] = pixel;
  }
}

// True when a whole glyph at (x, y) lies inside the buffer and no bounds are being collected:
// then it can be written row by row without clipping each dot.
bool GlyphFitsBuffer(const Canvas& canvas, int64_t x, int64_t y, uint32_t dot_size) {
  const LcdPixelBuffer* buffer = canvas.buffer;
  if (canvas.collect_bounds || buffer == nullptr || buffer->pixels == nullptr) return false;
  const int64_t width = int64_t{dot_size} * 5;
  const int64_t height = int64_t{dot_size} * kGlyphRows;
  return x >= buffer->left && y >= buffer->top &&
         x + width <= int64_t{buffer->left} + buffer->width &&
         y + height <= int64_t{buffer->top} + buffer->height;
}

// The unclipped path of DrawGlyphOn for a dot size known when compiling: every pixel line of a
// glyph row is written with the five dot colours picked once. Same pixels as the dot-by-dot path.
template <uint32_t kDot>
void DrawGlyphInsideFixed(Canvas& canvas, uint32_t* line, int64_t stride,
                          const uint32_t rows[kGlyphRows]) {
  for (int r = 0; r < kGlyphRows; ++r) {
    const uint32_t bits = canvas.display_on ? rows[r] : 0;
    uint32_t colours[5];
    for (int d = 0; d < 5; ++d) {
      colours[d] = (bits & kDotMasks[d]) != 0 ? canvas.dot_pixel : canvas.background_pixel;
    }
    for (uint32_t copy = 0; copy < kDot; ++copy) {
      for (uint32_t d = 0; d < 5; ++d) {
        for (uint32_t p = 0; p < kDot; ++p) line[d * kDot + p] = colours[d];
      }
      line += stride;
    }
  }
}

// The same for any dot size: each glyph row is built once as a pixel line of five dots and
// copied to the dot's remaining pixel lines.
void DrawGlyphInsideAnySize(Canvas& canvas, uint32_t* line, int64_t stride,
                            const uint32_t rows[kGlyphRows], uint32_t dot_size) {
  const int64_t line_width = int64_t{dot_size} * 5;
  for (int r = 0; r < kGlyphRows; ++r) {
    uint32_t* dot = line;
    for (uint32_t mask : kDotMasks) {
      const bool on = (rows[r] & mask) != 0 && canvas.display_on;
      std::fill_n(dot, dot_size, on ? canvas.dot_pixel : canvas.background_pixel);
      dot += dot_size;
    }
    for (uint32_t copy = 1; copy < dot_size; ++copy) {
      std::copy_n(line, line_width, line + copy * stride);
    }
    line += dot_size * stride;
  }
}

// A glyph wholly inside the buffer: no clipping per dot. The usual small dot sizes get their own
// unrolled loops, because this is the hot path of every LCD redraw.
void DrawGlyphInside(Canvas& canvas, int64_t x, int64_t y, const uint32_t rows[kGlyphRows],
                     uint32_t dot_size) {
  LcdPixelBuffer* buffer = canvas.buffer;
  const int64_t stride = buffer->width;
  uint32_t* line = buffer->pixels + (y - buffer->top) * stride + (x - buffer->left);
  switch (dot_size) {
    case 1: DrawGlyphInsideFixed<1>(canvas, line, stride, rows); break;
    case 2: DrawGlyphInsideFixed<2>(canvas, line, stride, rows); break;
    case 3: DrawGlyphInsideFixed<3>(canvas, line, stride, rows); break;
    case 4: DrawGlyphInsideFixed<4>(canvas, line, stride, rows); break;
    default: DrawGlyphInsideAnySize(canvas, line, stride, rows, dot_size); break;
  }
}

// One glyph of eight rows; left out when it starts at or beyond the cell's right edge less half
// a character cell.
void DrawGlyphOn(Canvas& canvas, const LcdRect& cell, uint8_t characters_per_row, int64_t x,
                 int64_t y, const uint32_t rows[kGlyphRows], uint32_t dot_size) {
  if (characters_per_row == 0 || dot_size == 0) return;
  const int64_t half = ((int64_t{cell.right} - cell.left) / characters_per_row) / 2;
  const int64_t limit = int64_t{cell.right} - half;
  if (x >= limit) return;
  if (GlyphFitsBuffer(canvas, x, y, dot_size)) {
    DrawGlyphInside(canvas, x, y, rows, dot_size);
    return;
  }
  for (int r = 0; r < kGlyphRows; ++r) {
    int64_t dot_x = x;
    for (uint32_t mask : kDotMasks) {
      const bool on = (rows[r] & mask) != 0 && canvas.display_on;
      FillSquare(canvas, dot_x, y, dot_size, on ? canvas.dot_pixel : canvas.background_pixel);
      dot_x += dot_size;
    }
    y += dot_size;
  }
}

uint32_t IntegerSquareRoot(uint32_t value) {
  uint32_t root = 0;
  for (uint32_t bit = 1u << 15; bit != 0; bit >>= 1) {
    const uint32_t candidate = root | bit;
    if (uint64_t{candidate} * candidate <= value) root = candidate;
  }
  return root;
}

void CopyRows(uint32_t* to, const uint32_t* from) {
  std::copy(from, from + kGlyphRows, to);
}

uint32_t DotSizeFromLayout() {
  const LcdLayout* layout = LcdGetLayout();
  if (layout->characters_per_row == 0) return 0;
  const int64_t cell =
      (int64_t{g_view.rows[0].right} - g_view.rows[0].left) / layout->characters_per_row;
  // A row narrower than one cell (or reversed) has no dots rather than a huge unsigned size.
  if (cell <= 0) return 0;
  return static_cast<uint32_t>(std::min<int64_t>(cell / 5, kMaxDotSize));
}

// One display row: characters_per_row consecutive positions of its line, circularly, starting
// at the row start plus the display shift.
void DrawRow(Canvas& canvas, int row, uint8_t rows_drawn, uint32_t dot_size) {
  const LcdController* lcd = LcdGetController();
  const LcdLayout* layout = LcdGetLayout();
  const GlyphTable* glyphs = LcdGetGlyphTable();
  const DescenderTable* descenders = LcdGetDescenderTable();
  const uint8_t* memory = LcdGetDisplayMemory();

  const int line = row % 2;
  const uint32_t start = layout->line_start[line];
  const uint32_t length = lcd->line_length;
  uint8_t e = static_cast<uint8_t>(layout->row_start[row] + lcd->display_shift);
  if (e >= start + length) e = static_cast<uint8_t>(e - length);

  const bool tall = lcd->font_mode == 2;
  const bool lower_row_exists = row + 1 < rows_drawn;
  const uint32_t cursor_index =
      layout->line_start[lcd->address_line & 3] + uint32_t{lcd->address_column};
  const LcdRect& cell = g_view.rows[row];
  const LcdRect& lower_cell = g_view.rows[lower_row_exists ? row + 1 : row];
  int64_t x = cell.left;
  const int64_t y = cell.top;
  const int64_t advance = int64_t{dot_size} * (int64_t{g_view.glyph_width} + 1);

  for (uint8_t k = 0; k < layout->characters_per_row; ++k) {
    const uint8_t c = memory[e];
    uint32_t upper[kGlyphRows];
    uint32_t lower[kGlyphRows];
    CopyRows(upper, glyphs->rows[(tall && c < kUserGlyphCount) ? (c & 0xFE) : c]);
    CopyRows(lower, c < kUserGlyphCount ? glyphs->rows[c | 1] : descenders->rows[c]);
    if (lcd->cursor && e == cursor_index) {
      if (lcd->blink_phase == 1) {
        CopyRows(upper, kBlockGlyph);
        if (lcd->lines == 1 && tall) CopyRows(lower, kLowerBlockGlyph);
      } else if (tall) {
        lower[kUnderlineRow5x11] = kGlyphFullRow;
      } else {
        upper[kUnderlineRow5x8] = kGlyphFullRow;
      }
    }
    DrawGlyphOn(canvas, cell, layout->characters_per_row, x, y, upper, dot_size);
    if (tall && lower_row_exists) {
      DrawGlyphOn(canvas, lower_cell, layout->characters_per_row, x, lower_cell.top, lower,
                  dot_size);
    }
    x += advance;
    e = static_cast<uint8_t>(e + 1);
    if (e == start + length) e = static_cast<uint8_t>(start);
  }
}

// A row that one-line 5x8 mode leaves free: its cells show only the background, so text that the
// row showed before the switch to one line does not stay on the window.
void DrawFreeRow(Canvas& canvas, int row, uint32_t dot_size) {
  const LcdRect& cell = g_view.rows[row];
  const uint8_t characters = LcdGetLayout()->characters_per_row;
  const int64_t advance = int64_t{dot_size} * (int64_t{g_view.glyph_width} + 1);
  const uint32_t blank[kGlyphRows] = {0, 0, 0, 0, 0, 0, 0, 0};
  int64_t x = cell.left;
  for (uint8_t k = 0; k < characters; ++k) {
    DrawGlyphOn(canvas, cell, characters, x, cell.top, blank, dot_size);
    x += advance;
  }
}

void RasteriseOn(Canvas& canvas) {
  const uint32_t dot_size = DotSizeFromLayout();
  if (dot_size == 0) return;
  std::lock_guard<std::mutex> hold(LcdGetLock());
  const LcdController* lcd = LcdGetController();
  const uint8_t rows_drawn = std::min<uint8_t>(LcdGetLayout()->rows_drawn, kLcdMaxRows);
  canvas.display_on = lcd->display_on != 0;
  for (int row = 0; row < rows_drawn; ++row) {
    // With one line the row below each drawn row is free for the lower part of the 5x11 font.
    if (lcd->lines == 1 && (row % 2) == 1) {
      if (lcd->font_mode != 2) DrawFreeRow(canvas, row, dot_size);
      continue;
    }
    DrawRow(canvas, row, rows_drawn, dot_size);
  }
}

}  // namespace

void LcdSetViewDefaults() {
  g_view = LcdView{};
  g_view.lcd = LcdRect{275, 115, 499, 157};
  g_view.rows[0] = LcdRect{285, 120, 491, 136};
  g_view.rows[1] = LcdRect{285, 138, 491, 152};
  g_view.glyph_width = 5;
  g_view.glyph_height = 8;
  g_view.background_colour = kDefaultBackground;
  g_view.dot_colour = kDefaultDots;
}

LcdView* LcdGetView() { return &g_view; }

void LcdDrawGlyph(LcdPixelBuffer* target, const LcdRect& cell, int32_t x, int32_t y,
                  const uint32_t rows[kGlyphRows], uint32_t dot_area, bool display_on) {
  if (target == nullptr || rows == nullptr) return;
  Canvas canvas = MakeCanvas(target, display_on, ColourPixel(g_view.dot_colour),
                             ColourPixel(g_view.background_colour));
  DrawGlyphOn(canvas, cell, LcdGetLayout()->characters_per_row, x, y, rows,
              IntegerSquareRoot(dot_area));
}

void LcdRasterise(LcdPixelBuffer* target) {
  if (target == nullptr) return;
  Canvas canvas = MakeCanvas(target, true, ColourPixel(g_view.dot_colour),
                             ColourPixel(g_view.background_colour));
  RasteriseOn(canvas);
}

LcdRect LcdDrawBounds() {
  Canvas canvas = MakeCanvas(nullptr, true, 0, 0);
  canvas.collect_bounds = true;
  RasteriseOn(canvas);
  if (!canvas.has_bounds) return LcdRect{0, 0, 0, 0};
  auto clamp = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  };
  return LcdRect{clamp(canvas.bounds_left), clamp(canvas.bounds_top),
                 clamp(canvas.bounds_right), clamp(canvas.bounds_bottom)};
}

uint32_t LcdDotSize() { return DotSizeFromLayout(); }

void LcdBlinkTick() {
  LcdController* lcd = LcdGetController();
  if (!lcd->blink) {
    // A block left from the last blink step would otherwise stay on the window until the next
    // frame: redraw once when the phase falls back to the underline, and never after that.
    const bool block_was_shown = lcd->blink_phase != 0;
    lcd->blink_phase = 0;
    if (block_was_shown) PlatformRedrawLcd();
    return;
  }
  lcd->blink_phase = static_cast<uint8_t>(1 - lcd->blink_phase);
  PlatformRedrawLcd();
}

void FontChartRasterise(LcdPixelBuffer* target, int32_t left, int32_t top) {
  if (target == nullptr) return;
  Canvas canvas = MakeCanvas(target, true, ColourPixel(kFontChartDotColour),
                             ColourPixel(kFontChartBackgroundColour));
  const GlyphTable* glyphs = LcdGetGlyphTable();
  for (int index = 0; index < kFontChartItemCount; ++index) {
    const FontChartItem item = FontChartItemAt(index, left, top);
    int64_t y = item.y;
    for (int r = 0; r < kGlyphRows; ++r) {
      int64_t x = item.x;
      for (uint32_t mask : kDotMasks) {
        const bool on = (glyphs->rows[item.code][r] & mask) != 0;
        FillSquare(canvas, x, y, kFontChartDotSize,
                   on ? canvas.dot_pixel : canvas.background_pixel);
        x += kFontChartDotSize;
      }
      y += kFontChartDotSize;
    }
  }
}

}  // namespace panel
