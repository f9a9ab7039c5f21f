// Puts the rasterised LCD on a device context: the portable rasteriser draws into a 32-bit DIB
// section and one BitBlt copies it to the window. Header-only so that the redraw benchmark
// measures exactly the library's path without linking the library's internals.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "panel/lcd/lcd_render.h"

// A reusable 32-bit top-down DIB section with its memory device context.
struct LcdBlitSurface {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous_bitmap;
  uint32_t* pixels;
  int32_t width;
  int32_t height;
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
  LcdRect area = LcdDrawBounds();
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
