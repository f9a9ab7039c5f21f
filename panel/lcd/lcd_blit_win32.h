// Puts the rasterised LCD on a device context: the portable rasteriser draws into a 32-bit DIB
// section and one BitBlt copies it to the window. Header-only so that the redraw benchmark
// measures exactly the library's path without linking the library's internals.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"

namespace panel {

// What the LCD's drawing area depends on. Every glyph is drawn whole, dots on and off, so the
// area follows from the geometry alone, never from the text: it is worked out again only when
// one of these changes (finding it costs as much as a whole rasterisation).
struct LcdDrawGeometry {
  LcdRect rows[4];
  int32_t glyph_width;
  uint8_t rows_drawn;
  uint8_t characters_per_row;
  uint8_t lines;
  uint8_t font_mode;
};

inline bool operator==(const LcdDrawGeometry& a, const LcdDrawGeometry& b) {
  for (int i = 0; i < 4; ++i) {
    if (a.rows[i].left != b.rows[i].left || a.rows[i].top != b.rows[i].top ||
        a.rows[i].right != b.rows[i].right || a.rows[i].bottom != b.rows[i].bottom) {
      return false;
    }
  }
  return a.glyph_width == b.glyph_width && a.rows_drawn == b.rows_drawn &&
         a.characters_per_row == b.characters_per_row && a.lines == b.lines &&
         a.font_mode == b.font_mode;
}

inline LcdDrawGeometry CurrentLcdDrawGeometry() {
  LcdDrawGeometry geometry{};
  const LcdView& view = *LcdGetView();
  for (int i = 0; i < 4; ++i) geometry.rows[i] = view.rows[i];
  geometry.glyph_width = view.glyph_width;
  geometry.rows_drawn = LcdGetLayout()->rows_drawn;
  geometry.characters_per_row = LcdGetLayout()->characters_per_row;
  geometry.lines = LcdGetController()->lines;
  geometry.font_mode = LcdGetController()->font_mode;
  return geometry;
}

// A reusable 32-bit top-down DIB section with its memory device context, and the drawing area
// of the geometry it last drew.
struct LcdBlitSurface {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous_bitmap;
  uint32_t* pixels;
  int32_t width;
  int32_t height;
  bool has_area;
  LcdDrawGeometry area_geometry;
  LcdRect area;
};

inline void LcdBlitSurfaceRelease(LcdBlitSurface* surface) {
  if (surface->dc) {
    SelectObject(surface->dc, surface->previous_bitmap);
    DeleteDC(surface->dc);
  }
  if (surface->bitmap) {
    DeleteObject(surface->bitmap);
  }
  *surface = LcdBlitSurface{};
}

// Makes sure the surface holds at least width x height pixels; false when GDI refuses.
inline bool LcdBlitSurfaceReserve(LcdBlitSurface* surface, int32_t width, int32_t height) {
  if (surface->dc && surface->width >= width && surface->height >= height) {
    return true;
  }
  LcdBlitSurfaceRelease(surface);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first, as the rasteriser writes it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
  if (!dc) {
    if (bitmap) DeleteObject(bitmap);
    return false;
  }
  surface->dc = dc;
  surface->bitmap = bitmap;
  surface->previous_bitmap = SelectObject(dc, bitmap);
  surface->pixels = static_cast<uint32_t*>(bits);
  surface->width = width;
  surface->height = height;
  return true;
}

// Draws every visible LCD row onto dc, whose client area is client_width x client_height. The
// pixels the LCD does not touch (gaps between characters and rows) keep what dc already shows,
// as with dot-by-dot drawing: the area is read back first, the rasteriser overwrites the dots,
// and one BitBlt puts it back. Drawing is clipped to the client area, so a bad geometry can
// never ask for a huge surface.
inline void LcdBlitToDc(HDC dc, LcdBlitSurface* surface, int32_t client_width,
                        int32_t client_height) {
  if (!dc) return;
  const LcdDrawGeometry geometry = CurrentLcdDrawGeometry();
  if (!surface->has_area || !(surface->area_geometry == geometry)) {
    surface->area = LcdDrawBounds();
    surface->area_geometry = geometry;
    surface->has_area = true;
  }
  LcdRect area = surface->area;
  area.left = std::max<int32_t>(area.left, 0);
  area.top = std::max<int32_t>(area.top, 0);
  area.right = std::min<int32_t>(area.right, client_width);
  area.bottom = std::min<int32_t>(area.bottom, client_height);
  const int32_t width = area.right - area.left;
  const int32_t height = area.bottom - area.top;
  if (width <= 0 || height <= 0 || !LcdBlitSurfaceReserve(surface, width, height)) return;
  BitBlt(surface->dc, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
  GdiFlush();  // the read-back must be in the pixels before the rasteriser writes them
  // The surface may be wider than this area: the buffer's rows are the surface's rows.
  LcdPixelBuffer buffer{area.left, area.top, surface->width, height, surface->pixels};
  LcdRasterise(&buffer);
  BitBlt(dc, area.left, area.top, width, height, surface->dc, 0, 0, SRCCOPY);
}

}  // namespace panel
