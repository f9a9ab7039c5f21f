#include "panel/window/panel_paint_win32.h"

#include "panel/core/data_lists.h"
#include "panel/core/option_word.h"
#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_render.h"
#include "panel/lcd/lcd_render_win32.h"
#include "panel/window/edit_mode_win32.h"
#include "panel/window/panel_input_win32.h"
#include "panel/window/panel_layout.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

constexpr int kLcdFrameCorner = 5;

void DrawPanelBitmap(HDC dc, const PanelWindowState& state) {
  BITMAP info{};
  GetObjectA(state.panel_bitmap, sizeof(info), &info);
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, state.memory_dc, 0, 0, SRCCOPY);
}

// The LCD's rounded frame in the LCD background colour.
void DrawLcdFrame(HDC dc) {
  int32_t left, top, right, bottom;
  if (!LcdFrameRect(&left, &top, &right, &bottom)) return;
  HBRUSH brush = CreateSolidBrush(ColourRef(LcdGetView()->background_colour));
  HGDIOBJ previous_brush = SelectObject(dc, brush);
  HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  RoundRect(dc, left, top, right, bottom, kLcdFrameCorner, kLcdFrameCorner);
  SelectObject(dc, previous_pen);
  SelectObject(dc, previous_brush);
  DeleteObject(brush);
}

void DrawConnectionIcon(HWND window, HDC dc, const PanelWindowState& state) {
  if (state.connection_state < 0 || state.connection_state > 3) {
    return;
  }
  HICON icon = state.connection_icons[state.connection_state];
  if (!icon) {
    return;
  }
  RECT client;
  GetClientRect(window, &client);
  DrawIcon(dc, client.right - state.icon_width, client.bottom - state.icon_height, icon);
}

}  // namespace

void DrawPanelLeds(HDC dc) {
  tagRECTPROP* run[kLedRunMax];
  const int count = FindLedRun(GetRectList(), run);
  HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int i = 0; i < count; ++i) {
    const tagRECTPROP* led = run[i];
    // ColourRef gives black for an index outside the table (-1 after "Bicolor").
    HBRUSH brush = CreateSolidBrush(ColourRef(led->color));
    HGDIOBJ previous_brush = SelectObject(dc, brush);
    Ellipse(dc, led->rect.left, led->rect.top, led->rect.right, led->rect.bottom);
    SelectObject(dc, previous_brush);
    DeleteObject(brush);
  }
  SelectObject(dc, previous_pen);
}

void OnPaintPanel(HWND window) {
  const PanelWindowState& state = GetPanelWindowState();
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (state.panel_bitmap && state.memory_dc) {
    DrawPanelBitmap(dc, state);
    DrawLcdFrame(dc);
    LcdDrawOnDc(window, dc);
    DrawPanelLeds(dc);
    DrawLatchedEdges(dc);
  }
  if (!(GetOptions() & kOptionEndUser)) DrawEditOverlays(dc);
  if (GetOptions() & kOptionInterface) {
    DrawConnectionIcon(window, dc, state);
  }
  EndPaint(window, &paint);
}

}  // namespace panel
