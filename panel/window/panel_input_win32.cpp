#include "panel/window/panel_input_win32.h"

#include <windowsx.h>

#include "panel/core/option_word.h"
#include "panel/link/panel_settings.h"
#include "panel/window/edit_mode_win32.h"
#include "panel/window/panel_area_help.h"
#include "panel/window/panel_commands_win32.h"
#include "panel/window/panel_hints.h"
#include "panel/window/panel_hover.h"
#include "panel/window/panel_keys.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

constexpr int kSunkenEdgeInset = 2;
constexpr WPARAM kEscapeCharacter = 27;

tagLISTPOINT PointOf(LPARAM position) {
  return tagLISTPOINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

RECT RectOf(const tagAREARECT& area) { return RECT{area.left, area.top, area.right, area.bottom}; }

void DrawSunkenEdge(HDC dc, const tagAREARECT& area) {
  RECT edge = RectOf(area);
  InflateRect(&edge, -kSunkenEdgeInset, -kSunkenEdgeInset);
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
}

void DrawSunkenEdge(HWND window, const tagAREARECT& area) {
  HDC dc = GetDC(window);
  if (dc) {
    DrawSunkenEdge(dc, area);
    ReleaseDC(window, dc);
  }
}

// Repainting from the bitmap erases a sunken edge.
void RepaintButton(void* context, const tagAREARECT& area) {
  const RECT rect = RectOf(area);
  InvalidateRect(static_cast<HWND>(context), &rect, TRUE);
}

void CaptureMouse(void* window) { SetCapture(static_cast<HWND>(window)); }

bool HideVisibleHelpWindow() {
  HWND help = GetPanelWindowState().help_window;
  if (!help || !IsWindowVisible(help)) return false;
  ShowWindow(help, SW_HIDE);
  return true;
}

// F1: the help note with the text of the area under the mouse, next to the mouse; outside all
// areas the help command.
void ShowAreaHelp(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  POINT client = cursor;
  ScreenToClient(window, &client);
  const AreaHelp help =
      LookUpAreaHelp(tagLISTPOINT{client.x, client.y}, GetPanelSettings().ContextHelpFile);
  if (!help.on_area) {
    RunHelpCommand(window);
    return;
  }
  HWND note = GetPanelWindowState().help_window;
  if (!help.text || !note) return;
  // The note takes the mouse's screen position in wParam: x in the low, y in the high 16 bits.
  const WPARAM position = MAKEWPARAM(static_cast<WORD>(cursor.x), static_cast<WORD>(cursor.y));
  SendMessageA(note, WM_SETTEXT, position, reinterpret_cast<LPARAM>(help.text));
  ShowWindow(note, SW_SHOW);
}

}  // namespace

void DrawLatchedEdges(HDC dc) {
  const uint16_t latched = GetPanelKeys().latch_mask;
  tagRLISTHEAD* areas = GetRectList();
  if (latched == 0 || !areas) return;
  // Walked without the lock: the area list changes only on this thread.
  for (tagRECTNODE* node = areas->first; node; node = node->next) {
    const tagRECTPROP* area = node->record;
    if (area && area->kind == kRectKindButton && (area->id & latched) != 0) {
      DrawSunkenEdge(dc, area->rect);
    }
  }
}

void OnLButtonDownPanel(HWND window, WPARAM flags, LPARAM position) {
  const tagLISTPOINT point = PointOf(position);
  RememberPressPoint(point);
  if (HideVisibleHelpWindow()) return;
  if (IsDesignerMode()) {
    OnDesignerLButtonDown(window, point);
    return;
  }
  // The release belongs to this window even when the mouse leaves it, so a button pressed here is
  // never left held down; the capture is taken before the key click's beep, which blocks this
  // thread while the mouse may already be let go elsewhere.
  const ButtonPress press = PressButton(point, (flags & MK_CONTROL) != 0,
                                        ButtonFoundHook{CaptureMouse, window});
  if (!press.on_button) return;
  if (press.edge == LatchEdge::kDrawSunken) {
    DrawSunkenEdge(window, press.rect);
  } else if (press.edge == LatchEdge::kErase) {
    RepaintButton(window, press.rect);
    UpdateWindow(window);
  }
}

void OnLButtonUpPanel(HWND window, WPARAM flags, LPARAM position) {
  if (IsDesignerMode()) OnDesignerLButtonUp(window, PointOf(position));
  if (GetCapture() == window) ReleaseCapture();
  if (IsDesignerMode()) return;
  ReleaseButton((flags & MK_CONTROL) != 0);
}

void ReleaseHeldButtonAtSwap(HWND window) {
  if (ReleaseHeldButton() && GetCapture() == window) ReleaseCapture();
}

void OnKeyUpPanel(HWND window, WPARAM virtual_key) {
  if (virtual_key == VK_F1) {
    ShowAreaHelp(window);
    return;
  }
  if (ReleaseLatchedButtons(RepaintButton, window)) UpdateWindow(window);
}

void OnCharPanel(HWND window, WPARAM code) {
  if (code == kEscapeCharacter) OnEditEscape(window);
  if (EditToolsIdle()) HideVisibleHelpWindow();
}

void OnMouseMovePanel(HWND window, LPARAM position) {
  PanelWindowState& state = GetPanelWindowState();
  if (IsDesignerMode()) OnDesignerMouseMove(window, PointOf(position));
  if (ShowAreaTooltip(PointOf(position), (GetOptions() & kOptionEndUser) != 0)) {
    KillTimer(window, kTimerHint);
    state.hint_timer_running = false;
    return;
  }
  // Over the bare panel the hint changes only after the mouse rested there for the rest period.
  if (!state.hint_timer_running) ShowNextHint(&state.hint_index);
  SetTimer(window, kTimerHint, kHintRestPeriodMs, nullptr);
  state.hint_timer_running = true;
}

}  // namespace panel
