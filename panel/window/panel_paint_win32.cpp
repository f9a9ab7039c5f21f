#include "panel/window/panel_paint_win32.h"

#include "panel/core/data_lists.h"
#include "panel/core/option_word.h"
#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_render.h"
#include "panel/lcd/lcd_render_win32.h"
#include "panel/window/panel_input_win32.h"
#include "panel/window/panel_layout_win32.h"
#include "panel/window/panel_window_win32.h"

namespace {

constexpr int kLcdFrameCorner = 5;
constexpr int32_t kLastLedId = 128;

void DrawPanelBitmap(HDC dc, const PanelWindowState& state) {
  BITMAP info{};
  GetObjectA(state.panel_bitmap, sizeof(info), &info);
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, state.memory_dc, 0, 0, SRCCOPY);
}

// The LCD's rounded frame in the LCD background colour; left out while the LCD's left is below 0.
void DrawLcdFrame(HDC dc) {
  const LcdView& view = *LcdGetView();
  if (view.lcd.left < 0) {
    return;
  }
  RECT frame;
  if (GetOptions() & kOptionEndUser) {
    frame = RECT{view.lcd.left - 2, view.lcd.top, view.lcd.right + 2, view.lcd.bottom + 4};
  } else {
    const PanelLcdGeometry& geometry = GetPanelLcdGeometry();
    frame = RECT{view.lcd.left - 2, view.lcd.top - 2, view.lcd.left + geometry.lcd_width + 2,
                 view.lcd.top + geometry.lcd_height + 2};
  }
  HBRUSH brush = CreateSolidBrush(ColourRef(view.background_colour));
  HGDIOBJ previous_brush = SelectObject(dc, brush);
  HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, kLcdFrameCorner,
            kLcdFrameCorner);
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
  tagRLISTHEAD* areas = GetRectList();
  if (!areas) {
    return;
  }
  HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int32_t id = 1; id <= kLastLedId; id <<= 1) {
    const tagRECTPROP* led = FindEllipse(areas, id);
    if (!led) {
      break;
    }
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
    panel::DrawLatchedEdges(dc);
  }
  // The edit overlays of designer mode (outside reduced end-user mode) join here.
  if (GetOptions() & kOptionInterface) {
    DrawConnectionIcon(window, dc, state);
  }
  EndPaint(window, &paint);
}
