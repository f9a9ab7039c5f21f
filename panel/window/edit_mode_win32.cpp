#include "panel/window/edit_mode_win32.h"

#include <windowsx.h>

#include "panel/core/option_word.h"
#include "panel/link/panel_settings.h"
#include "panel/window/area_dialog_win32.h"
#include "panel/window/edit_mode.h"
#include "panel/window/lcd_types_file.h"
#include "panel/window/panel_command_ids.h"
#include "panel/window/panel_files.h"
#include "panel/window/panel_layout.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

constexpr int kOutlineCorner = 5;
constexpr WORD kCrossCursor = 32515;  // IDC_CROSS
constexpr WORD kArrowCursor = 32512;  // IDC_ARROW

void ShowCursorShape(WORD cursor) { SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(cursor))); }

// A 1-pixel dashed black pen with R2_MERGENOTPEN: the outline shows white, the inside and the
// gaps between the dashes stay as they are.
void DrawOutline(HDC dc, const tagAREARECT& rect, UINT mode) {
  const bool ellipse = mode == kCmdDrawLed;
  // LCD menu ids (and any id above them) draw the rounded rectangle too.
  if (!ellipse && mode != kCmdDrawButton && mode < kCmdFirstLcdType) return;
  const int saved = SaveDC(dc);
  HPEN pen = CreatePen(PS_DASH, 1, RGB(0, 0, 0));
  SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetROP2(dc, R2_MERGENOTPEN);
  SetBkMode(dc, TRANSPARENT);
  if (ellipse) {
    Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
  } else {
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, kOutlineCorner, kOutlineCorner);
  }
  RestoreDC(dc, saved);
  DeleteObject(pen);
}

void DrawOutline(HWND window, const tagAREARECT& rect, UINT mode) {
  HDC dc = GetDC(window);
  if (!dc) return;
  DrawOutline(dc, rect, mode);
  ReleaseDC(window, dc);
}

tagAREARECT DragRect(const EditState& edit) {
  return tagAREARECT{edit.drag_start.x, edit.drag_start.y, edit.drag_end.x, edit.drag_end.y};
}

void RepaintUnion(HWND window, const tagAREARECT& a, const tagAREARECT& b) {
  RECT first{a.left, a.top, a.right, a.bottom};
  RECT second{b.left, b.top, b.right, b.bottom};
  RECT both;
  UnionRect(&both, &first, &second);
  InflateRect(&both, 1, 1);
  InvalidateRect(window, &both, TRUE);
}

tagLISTPOINT PointOf(LPARAM position) {
  return tagLISTPOINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

// The glass of the chosen type in device pixels of the device context (0.01 mm mapping).
POINT GlassPixels(HDC dc, const ChosenLcdType& type) {
  const HimetricSize glass = LcdGlassHimetric(type.width, type.height);
  POINT pixels{glass.horizontal, glass.vertical};
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_HIMETRIC);
  LPtoDP(dc, &pixels, 1);
  RestoreDC(dc, saved);
  return pixels;
}

POINT GlassPixels(HWND window, const ChosenLcdType& type) {
  HDC dc = GetDC(window);
  if (!dc) return POINT{0, 0};
  const POINT pixels = GlassPixels(dc, type);
  ReleaseDC(window, dc);
  return pixels;
}

// A click places the chosen LCD type there and saves the area file under FileCfg (a name that is
// no area file saves nothing).
void PlaceLcd(HWND window, tagLISTPOINT point) {
  EditState& edit = GetEditState();
  KeepPanelLcdSize();
  if (edit.lcd_type.chosen) {
    const POINT glass = GlassPixels(window, edit.lcd_type);
    ApplyChosenLcdType(edit.lcd_type, point.x, point.y, glass.x, glass.y);
  }
  PanelSettings& settings = GetPanelSettings();
  SavePanelFile(settings.FileCfg, &settings);
  InvalidateRect(window, nullptr, TRUE);
  edit.lcd_placement = false;
  edit.placement_point_known = false;
}

}  // namespace

void OnDesignerLButtonDown(HWND window, tagLISTPOINT point) {
  EditState& edit = GetEditState();
  const UINT mode = GetPanelWindowState().drawing_mode;
  if (IsDrawingTool(mode)) {
    edit.drag_start = edit.drag_end = point;
    DrawOutline(window, DragRect(edit), mode);
    SetCapture(window);
    ShowCursorShape(kCrossCursor);
    edit.dragging = true;
    return;
  }
  if (edit.lcd_placement) PlaceLcd(window, point);
}

void OnDesignerLButtonUp(HWND window, tagLISTPOINT point) {
  EditState& edit = GetEditState();
  if (!edit.dragging) return;
  DrawOutline(window, DragRect(edit), GetPanelWindowState().drawing_mode);
  edit.pending_shape = tagAREARECT{edit.drag_start.x, edit.drag_start.y, point.x, point.y};
  if (GetCapture() == window) ReleaseCapture();
  ShowCursorShape(kArrowCursor);
  edit.dragging = false;
  edit.shape_pending = true;
  InvalidateRect(window, nullptr, TRUE);
}

void OnDesignerMouseMove(HWND window, tagLISTPOINT point) {
  EditState& edit = GetEditState();
  if (edit.dragging) {
    ShowCursorShape(kCrossCursor);
    edit.drag_end = point;
    InvalidateRect(window, nullptr, FALSE);
  }
  if (edit.lcd_placement) {
    // The paint handler draws the outline at the latest point, so earlier ones are erased.
    edit.placement_point = point;
    edit.placement_point_known = true;
    InvalidateRect(window, nullptr, FALSE);
  }
}

void OnEditEscape(HWND window) {
  EditState& edit = GetEditState();
  if (edit.dragging || edit.shape_pending) {
    RepaintUnion(window, NormalisedRect(edit.drag_start, edit.drag_end),
                 NormalisedRect({edit.pending_shape.left, edit.pending_shape.top},
                                {edit.pending_shape.right, edit.pending_shape.bottom}));
    edit.dragging = false;
    edit.shape_pending = false;
    ReleaseCapture();
    ShowCursorShape(kArrowCursor);
  }
  if (edit.lcd_placement) {
    InvalidateRect(window, nullptr, TRUE);
    edit.lcd_placement = false;
    edit.placement_point_known = false;
    ReleaseCapture();
    ShowCursorShape(kArrowCursor);
  }
}

bool EditToolsIdle() {
  return !IsDrawingTool(GetPanelWindowState().drawing_mode) && !GetEditState().lcd_placement;
}

void OnRButtonUpPanel(HWND window, LPARAM position) {
  if (GetOptions() & kOptionEndUser) return;
  EditState& edit = GetEditState();
  const UINT mode = GetPanelWindowState().drawing_mode;
  const RightClickPlan plan = PlanRightClick(edit, mode, GetRectList(), PointOf(position));
  if (!plan.open) return;
  if (plan.area) {
    // An existing area is changed in place; the panel shows it at its next repaint.
    RunPropertyDialog(window, plan.dialog, plan.area);
    return;
  }
  tagRECTPROP area;
  if (!MakeAreaFromShape(edit.pending_shape, mode, &area)) return;
  // Cancel keeps the shape pending, so a second right click inside it opens the dialog again.
  if (RunPropertyDialog(window, plan.dialog, &area) == kPropertyDialogOk && AddNewArea(&area)) {
    InvalidateRect(window, nullptr, TRUE);  // the outline of the shape goes
    return;
  }
  ReleaseAreaTexts(&area);
}

bool IsLcdTypeCommand(UINT command) {
  return command >= kCmdFirstLcdType && command <= kCmdLastLcdType;
}

void OnChooseLcdType(HWND window, UINT command) {
  PanelWindowState& state = GetPanelWindowState();
  HMENU menu = GetMenu(window);
  if (menu) {
    CheckMenuItem(menu, state.selected_lcd_type, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(menu, command, MF_BYCOMMAND | MF_CHECKED);
  }
  state.selected_lcd_type = command;
  EditState& edit = GetEditState();
  edit.lcd_placement = true;
  edit.placement_point_known = false;
  // The Edit menu's check marks stay as they were.
  state.drawing_mode = kCmdDrawNone;
  if (!(GetOptions() & kOptionEndUser) && ChooseLcdType(GetLcdTypes(), command)) {
    InvalidateRect(window, nullptr, TRUE);
  }
}

void DrawEditOverlays(HDC dc) {
  const EditState& edit = GetEditState();
  const PanelWindowState& state = GetPanelWindowState();
  if (edit.dragging) {
    DrawOutline(dc, DragRect(edit), state.drawing_mode);
  } else if (edit.shape_pending) {
    DrawOutline(dc, edit.pending_shape, state.drawing_mode);
  }
  // What a click will place: the chosen type's glass, converted as PlaceLcd converts it.
  const POINT glass = edit.lcd_type.chosen ? GlassPixels(dc, edit.lcd_type) : POINT{0, 0};
  tagAREARECT outline;
  if (PlacementOutline(edit, glass.x, glass.y, &outline)) {
    DrawOutline(dc, outline, state.selected_lcd_type);
  }
}

}  // namespace panel
