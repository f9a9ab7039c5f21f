// The panel window's commands: one handler per menu command, dispatched in OnPanelCommand.
#include "panel/window/panel_commands_win32.h"

#include <shellapi.h>

#include "panel/core/monitor_log.h"
#include "panel/core/option_word.h"
#include "panel/link/panel_settings.h"
#include "panel/link/settings_registry_win32.h"
#include "panel/window/about_dialog_win32.h"
#include "panel/window/edit_mode_win32.h"
#include "panel/window/connect_command_win32.h"
#include "panel/window/file_dialogs_win32.h"
#include "panel/window/lcd_test_tool_win32.h"
#include "panel/window/lcd_types_file.h"
#include "panel/window/monitor_window_win32.h"
#include "panel/window/panel_keys.h"
#include "panel/window/panel_files.h"
#include "panel/window/panel_input_win32.h"
#include "panel/window/panel_menu_logic.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

constexpr char kQuestionTitle[] = "rk52 Projekt";
constexpr char kNoHelpFileQuestion[] =
    "Es wurde keine Hilfedatei gefunden! M\xF6" "chten Sie nach ihr suchen?";
constexpr char kOpenVerb[] = "open";
constexpr int kHintChars = 256;

// Moves a menu's check mark from the item `*checked` to `command` and remembers it. Without a
// menu only the remembered item changes.
void MoveCheckMark(HWND window, UINT* checked, UINT command) {
  HMENU menu = GetMenu(window);
  if (menu) {
    CheckMenuItem(menu, *checked, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(menu, command, MF_BYCOMMAND | MF_CHECKED);
  }
  *checked = command;
}

// ---- Command handlers -------------------------------------------------------------------------

void OnColourTarget(HWND window, UINT command) {
  MoveCheckMark(window, &GetPanelWindowState().colour_target, command);
}

void OnColour(HWND window, UINT command) {
  PanelWindowState& state = GetPanelWindowState();
  MoveCheckMark(window, &state.chosen_colour, command);
  int32_t* slot = ColourSlotOfTarget(state.colour_target);
  if (slot) {
    *slot = ColourIndexOfCommand(command);
  }
  InvalidateRect(window, nullptr, TRUE);
}

void OnDrawingMode(HWND window, UINT command) {
  MoveCheckMark(window, &GetPanelWindowState().drawing_mode, command);
}

// The monitor: the first use clears the key state and latch mask and creates the monitor window;
// afterwards it is shown when hidden and hidden when visible.
void OnMonitor(HWND window) {
  if (!GetMonitorWindow()) {
    PanelKeys& keys = GetPanelKeys();
    keys.key_state = 0;
    keys.latch_mask = 0;
  }
  GetPanelWindowState().monitor_window = ToggleMonitorWindow(window);
}

void OnAbout(HWND window) { ShowAboutDialog(window); }

// Exit asks the window to close, which it refuses: the panel lives as long as the library.
void OnExit(HWND window) { SendMessageA(window, WM_CLOSE, 0, 0); }

// Open (option 0x1000 only): the chosen file is opened by its kind, and the window is told what
// to do next (1038 reload the panel, 1037 rebuild the LCD menu, 0 nothing).
void OnOpenFile(HWND window) {
  if (!(GetOptions() & kOptionFileCommands) || !ShowOpenPanelFileDialog(window)) {
    return;
  }
  const int next = OpenPanelFile(ChosenFileName(), &GetPanelSettings());
  if (next != kOpenedNothing) {
    SendMessageA(window, static_cast<UINT>(next), 0, 0);
  }
}

// Save (option 0x1000 only).
void OnSaveFile(HWND window) {
  if (!(GetOptions() & kOptionFileCommands) || !ShowSavePanelFileDialog(window)) {
    return;
  }
  SavePanelFile(ChosenFileName(), &GetPanelSettings());
}

void OnSwapOptions(HWND window) {
  // A button held down now would never see its release once designer mode takes the mouse.
  ReleaseHeldButtonAtSwap(window);
  PrepareFileDialogs();
  SwapOptionWords();
}

// Takes a previous LCD menu off the menu bar (destroying it), so that reading another LCD types
// file replaces the menu instead of adding a second one.
void RemoveLcdMenu(HMENU bar, PanelWindowState* state) {
  if (!state->lcd_menu) {
    return;
  }
  for (int i = GetMenuItemCount(bar) - 1; i >= 0; --i) {
    if (GetSubMenu(bar, i) == state->lcd_menu) {
      DeleteMenu(bar, i, MF_BYPOSITION);
      break;
    }
  }
  state->lcd_menu = nullptr;
}

void OpenWithShell(HWND window, const char* file) {
  ShellExecuteA(window, kOpenVerb, file, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void ResetPanelCommandState() {
  PanelWindowState& state = GetPanelWindowState();
  state.drawing_mode = kCmdDrawNone;
  state.selected_lcd_type = kCmdInitialLcdType;
  state.colour_target = kCmdColourTargetPanel;
  state.chosen_colour = kCmdFirstColour;
  state.lcd_menu = nullptr;
}

void RunHelpCommand(HWND window) {
  const PanelSettings& settings = GetPanelSettings();
  if (settings.HelpFile[0] != '\0') {
    OpenWithShell(window, settings.HelpFile);
    return;
  }
  if (MessageBoxA(window, kNoHelpFileQuestion, kQuestionTitle, MB_ICONINFORMATION | MB_YESNO) !=
          IDYES ||
      !ShowOpenPanelFileDialog(window)) {
    return;
  }
  PanelSettings& chosen = GetPanelSettings();
  StoreSettingsText(chosen.HelpFile, kSettingsPathChars, ChosenFileName());
  OpenWithShell(window, chosen.HelpFile);
  SavePanelSettingsToRegistry(chosen);
}

void OnPanelCommand(HWND window, UINT command) {
  if (IsColourCommand(command)) {
    OnColour(window, command);
    return;
  }
  if (IsColourTargetCommand(command)) {
    OnColourTarget(window, command);
    return;
  }
  if (IsDrawingModeCommand(command)) {
    OnDrawingMode(window, command);
    return;
  }
  if (IsLcdTypeCommand(command)) {
    OnChooseLcdType(window, command);
    return;
  }
  switch (command) {
    case kCmdOpenFile:
      OnOpenFile(window);
      break;
    case kCmdSaveFile:
      OnSaveFile(window);
      break;
    case kCmdMonitor:
      OnMonitor(window);
      break;
    case kCmdAbout:
      OnAbout(window);
      break;
    case kCmdExit:
      OnExit(window);
      break;
    case kCmdSwapOptions:
      OnSwapOptions(window);
      break;
    case kCmdLcdTestTool:
      OnLcdTestToolCommand(window);
      break;
    case kCmdConnect:
      RunConnectCommand(window);
      break;
    case kCmdCommSettings:
      RunCommSettingsCommand(window);
      break;
    default:
      // 32772 and 32777 have no action as menu commands.
      break;
  }
}

bool OnPanelSysCommand(HWND window, WPARAM command) {
  switch (command) {
    case kCmdExit:
      OnExit(window);
      return true;
    case kCmdAbout:
      OnAbout(window);
      return true;
    case kCmdHelpTopics:
      RunHelpCommand(window);
      return true;
    default:
      return false;
  }
}

void OnPanelMenuSelect(UINT item) {
  if (HasMenuHintString(item)) {
    char hint[kHintChars] = {};
    LoadStringA(GetPanelWindowState().module, item, hint, sizeof(hint));
    StatusText("%s", hint);
    return;
  }
  const char* tooltip = LcdMenuTooltip(GetLcdTypes(), item, GetOptions());
  if (tooltip) {
    StatusText("%s", tooltip);
  }
}

void OnBuildLcdMenu(HWND window) {
  tagLCDLISTHEAD* types = GetLcdTypes();
  if (!(GetOptions() & kOptionLcdList) || !types) {
    return;
  }
  PanelWindowState& state = GetPanelWindowState();
  LcdMenuPlan plan{};
  PlanLcdMenu(types, GetPanelSettings().LcdTypeName, &plan);
  const UINT previous = state.selected_lcd_type;
  if (plan.saved_type) {
    state.selected_lcd_type = static_cast<UINT>(plan.saved_type->menu_id);
    ApplyLcdTypeWithoutPosition(*plan.saved_type);
    InvalidateRect(window, nullptr, TRUE);
  }
  HMENU bar = GetMenu(window);
  if (!bar) {
    return;
  }
  HMENU popup = CreatePopupMenu();
  for (int i = 0; i < plan.count; ++i) {
    AppendMenuA(popup, MF_STRING, plan.items[i].command, plan.items[i].name);
  }
  RemoveLcdMenu(bar, &state);
  if (!InsertMenuA(bar, kLcdMenuBarPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                   reinterpret_cast<UINT_PTR>(popup), kLcdMenuTitle)) {
    DestroyMenu(popup);
    return;
  }
  state.lcd_menu = popup;
  DrawMenuBar(window);
  CheckMenuItem(bar, previous, MF_BYCOMMAND | MF_UNCHECKED);
  CheckMenuItem(bar, state.selected_lcd_type, MF_BYCOMMAND | MF_CHECKED);
}

}  // namespace panel
