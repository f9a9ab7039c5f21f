// The LCD test tool's dialog (resource 110, "Lcd Configuration"): it reads its controls, asks
// the portable tool logic for the frames, and hands each frame to the panel's receive path with
// the tool's own frame assembler, so that the frames are logged, interpreted, acknowledged and
// drawn exactly like the application's.
#include "panel/window/lcd_test_tool_win32.h"

#include "panel/core/monitor_log.h"
#include "panel/core/option_word.h"
#include "panel/lcd/font_table_window_win32.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/link/app_link.h"
#include "panel/window/lcd_test_tool.h"
#include "panel/window/panel_menu_logic.h"
#include "panel/window/panel_window_win32.h"
#include "panel/window/tool_window_placement.h"

namespace panel {

namespace {

struct LcdToolDialogState {
  HWND dialog;  // the open dialog, null while it is closed
};

LcdToolDialogState tool_state;

constexpr uint8_t kLeftmostDot = 0x10;  // dot column 0 is bit 4 of a glyph row

void SendToReceivePath(void*, const uint8_t* frame, int length) {
  if (length > 0) AppLinkReceiveFrom(ToolFrameAssembler(), frame, static_cast<uint32_t>(length));
}

constexpr LcdToolSink kReceivePath = {SendToReceivePath, nullptr};

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void EnableTallRows(HWND dialog, bool enable) {
  for (int id = kToolGridTallFirst; id <= kToolGridLast; ++id) {
    EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
  }
}

void RefreshControls(HWND dialog) {
  const LcdToolRefresh refresh = LcdToolRefreshFrom(*LcdGetController());
  for (const auto& box : refresh.boxes) {
    if (box.check == kToolCheckSet) CheckDlgButton(dialog, box.id, BST_CHECKED);
    if (box.check == kToolCheckClear) CheckDlgButton(dialog, box.id, BST_UNCHECKED);
  }
  EnableTallRows(dialog, refresh.tall_rows_enabled != 0);
}

void InvertGridBox(HWND dialog, int id) {
  CheckDlgButton(dialog, id, IsChecked(dialog, id) ? BST_UNCHECKED : BST_CHECKED);
}

LcdToolGrid ReadGrid(HWND dialog) {
  LcdToolGrid grid{};
  for (int row = 0; row < kToolGridRows; ++row) {
    for (int column = 0; column < kToolGridColumns; ++column) {
      if (IsChecked(dialog, kToolGridFirst + kToolGridColumns * row + column)) {
        grid.rows[row] |= static_cast<uint8_t>(kLeftmostDot >> column);
      }
    }
  }
  return grid;
}

void OnAssign(HWND dialog) {
  char number[kToolSymbolFieldChars + 1] = {};
  GetDlgItemTextA(dialog, kToolSymbolField, number, sizeof number);
  const LcdToolAssignResult result =
      SendLcdToolAssign(ReadGrid(dialog), number, *LcdGetController(), *LcdGetLayout(),
                        kReceivePath);
  const char* message = LcdToolAssignMessage(result);
  if (message != nullptr) StatusText("%s", message);
}

// Buttons and boxes that send frames: the portable table decides what.
void OnFrameControl(HWND dialog, int id) {
  char command_text[kToolCommandFieldChars + 1] = {};
  char text[kToolTextFieldChars + 1] = {};
  LcdToolClick click{id, static_cast<uint8_t>(IsChecked(dialog, id) ? 1 : 0),
                     static_cast<uint8_t>(IsChecked(dialog, kToolMoveDisplay) ? 1 : 0), nullptr};
  if (id == kToolSendCommand) {
    GetDlgItemTextA(dialog, kToolCommandField, command_text, sizeof command_text);
    click.text = command_text;
  } else if (id == kToolSendText) {
    GetDlgItemTextA(dialog, kToolTextField, text, sizeof text);
    click.text = text;
  }
  SendLcdToolCommand(click, *LcdGetController(), kReceivePath);
}

void OnToolCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
    case kToolQuit:
      EndDialog(dialog, id);
      return;
    case kToolReset:
      // The controls show the state from before the reset.
      RefreshControls(dialog);
      OnFrameControl(dialog, id);
      return;
    case kToolFont5x11:
    case kToolFont5x8:
      OnFrameControl(dialog, id);
      EnableTallRows(dialog, id == kToolFont5x11);
      return;
    case kToolMoveCursor:
      SetLcdToolMoveMode(kMoveModeCursor);
      return;
    case kToolMoveDisplay:
      SetLcdToolMoveMode(kMoveModeDisplay);
      return;
    case kToolFontTable:
      ToggleFontTableWindow();
      return;
    case kToolAssign:
      OnAssign(dialog);
      return;
    default:
      break;
  }
  if (id >= kToolGridFirst && id <= kToolGridLast) {
    InvertGridBox(dialog, id);
    return;
  }
  OnFrameControl(dialog, id);
}

ScreenRect ScreenRectOf(const RECT& rect) {
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

// Beside the panel window and off the LCD, so the user sees what the buttons do.
void PlaceBesidePanel(HWND dialog) {
  HWND panel = GetPanelWindowState().window;
  RECT panel_frame;
  RECT tool_frame;
  if (!panel || !GetWindowRect(panel, &panel_frame) || !GetWindowRect(dialog, &tool_frame)) return;
  const LcdRect& lcd = LcdGetView()->lcd;
  POINT lcd_corners[2] = {{lcd.left, lcd.top}, {lcd.right, lcd.bottom}};
  MapWindowPoints(panel, nullptr, lcd_corners, 2);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(panel, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const ScreenPoint corner = PlaceToolBesidePanel(
      ScreenRectOf(panel_frame),
      ScreenRect{lcd_corners[0].x, lcd_corners[0].y, lcd_corners[1].x, lcd_corners[1].y},
      tool_frame.right - tool_frame.left, tool_frame.bottom - tool_frame.top,
      ScreenRectOf(monitor.rcWork));
  SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK LcdToolDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      tool_state.dialog = dialog;
      PlaceBesidePanel(dialog);
      RefreshControls(dialog);
      SendLcdToolOpening(kReceivePath);
      return TRUE;
    case WM_COMMAND:
      // Buttons report clicks; the edit fields' notifications have no action.
      if (HIWORD(wparam) == BN_CLICKED) OnToolCommand(dialog, LOWORD(wparam));
      return TRUE;
    case WM_DESTROY:
      tool_state.dialog = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR ShowLcdTestTool(HWND owner) {
  HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  return DialogBoxParamA(module, MAKEINTRESOURCEA(kDialogLcdTestTool), owner, LcdToolDialogProc,
                         0);
}

void OnLcdTestToolCommand(HWND window) {
  const uint32_t options = GetOptions();
  if (options & kOptionLcdTestTool) {
    ShowLcdTestTool(window);
    return;
  }
  HMENU menu = GetMenu(window);
  if (menu) {
    ModifyMenuA(menu, kCmdLcdTestTool, MF_BYCOMMAND | MF_STRING | MF_GRAYED, kCmdLcdTestTool,
                MenuItemTextFor(MenuItemText::kLcdTestToolGreyed, options));
  }
}

HWND GetLcdTestToolDialog() { return tool_state.dialog; }

}  // namespace panel
