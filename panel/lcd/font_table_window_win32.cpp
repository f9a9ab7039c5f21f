// The font table window's procedure: each paint rasterises the chart (portable) into a DIB of
// the client area's size and copies it to the window in one blit.
#include "panel/lcd/font_table_window_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_blit_win32.h"
#include "panel/lcd/lcd_render.h"
#include "panel/window/window_class_win32.h"

namespace panel {

namespace {

struct FontTableWindowState {
  HWND window;
  // The user glyphs as last painted; a difference means the chart is out of date.
  uint32_t shown_user_glyphs[kUserGlyphCount][kGlyphRows];
};

FontTableWindowState font_table_state;

void RememberUserGlyphs() {
  std::memcpy(font_table_state.shown_user_glyphs, LcdGetGlyphTable()->rows,
              sizeof(font_table_state.shown_user_glyphs));
}

uint32_t WindowBackgroundPixel() {
  const COLORREF colour = GetSysColor(COLOR_WINDOW);
  return (static_cast<uint32_t>(GetRValue(colour)) << 16) |
         (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

// The LCD's blit surface, taken for one paint: exactly the client area's size.
void PaintChart(HDC dc, int32_t width, int32_t height) {
  LcdBlitSurface surface{};
  if (!LcdBlitSurfaceReserve(&surface, width, height)) return;
  std::fill(surface.pixels, surface.pixels + static_cast<int64_t>(width) * height,
            WindowBackgroundPixel());
  LcdPixelBuffer buffer{0, 0, width, height, surface.pixels};
  FontChartRasterise(&buffer, 0, 0);
  BitBlt(dc, 0, 0, width, height, surface.dc, 0, 0, SRCCOPY);
  LcdBlitSurfaceRelease(&surface);
}

void OnPaintFontTable(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!dc) return;
  RECT client;
  GetClientRect(window, &client);
  RememberUserGlyphs();
  if (client.right > 0 && client.bottom > 0) PaintChart(dc, client.right, client.bottom);
  EndPaint(window, &paint);
}

}  // namespace

HWND CreateFontTableWindow(HINSTANCE module, HWND owner) {
  const WNDCLASSEXA window_class =
      LibraryWindowClass(module, kFontTableWindowClass, FontTableWindowProc);
  RegisterClassExA(&window_class);
  font_table_state.window = CreateWindowExA(
      0, kFontTableWindowClass, kFontTableWindowTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
      kFontTableWindowLeft, kFontTableWindowTop, kFontTableWindowWidth, kFontTableWindowHeight,
      owner, nullptr, module, nullptr);
  return font_table_state.window;
}

HWND GetFontTableWindow() { return font_table_state.window; }

void ToggleFontTableWindow() {
  HWND window = font_table_state.window;
  if (window) ShowWindow(window, IsWindowVisible(window) ? SW_HIDE : SW_SHOW);
}

void RefreshFontTableWindow() {
  HWND window = font_table_state.window;
  if (window == nullptr) return;
  if (std::memcmp(font_table_state.shown_user_glyphs, LcdGetGlyphTable()->rows,
                  sizeof(font_table_state.shown_user_glyphs)) != 0) {
    InvalidateRect(window, nullptr, FALSE);
  }
}

LRESULT CALLBACK FontTableWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      ShowWindow(window, SW_HIDE);
      return 0;
    case WM_PAINT:
      OnPaintFontTable(window);
      return 0;
    case WM_CLOSE:
      // The window lives as long as the panel window: its close box only hides it.
      ShowWindow(window, SW_HIDE);
      return 0;
    case WM_DESTROY:
      font_table_state.window = nullptr;
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace panel
