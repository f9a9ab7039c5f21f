// The panel window's class, creation and procedure. The procedure only dispatches; each message
// has a named handler here or in the window's other files (painting, panel loading, timers).
#include "panel/window/panel_window_win32.h"

#include "panel/core/library_state_win32.h"
#include "panel/core/monitor_log.h"
#include "panel/core/option_word.h"
#include "panel/lcd/font_table_window_win32.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/link/command_interpreter.h"
#include "panel/link/protocol_settings.h"
#include "panel/link/settings_registry_win32.h"
#include "panel/link/udp_socket_win32.h"
#include "panel/window/connect_command_win32.h"
#include "panel/window/edit_mode.h"
#include "panel/window/edit_mode_win32.h"
#include "panel/window/file_dialogs_win32.h"
#include "panel/window/help_window_win32.h"
#include "panel/window/panel_commands_win32.h"
#include "panel/window/panel_hints.h"
#include "panel/window/panel_input_win32.h"
#include "panel/window/panel_keys.h"
#include "panel/window/panel_layout.h"
#include "panel/window/panel_load_win32.h"
#include "panel/window/panel_menu_logic.h"
#include "panel/window/panel_paint_win32.h"
#include "panel/window/panel_resources_win32.h"
#include "panel/link/panel_settings.h"
#include "panel/window/sans_serif_font_win32.h"
#include "panel/window/window_class_win32.h"

namespace panel {

namespace {

PanelWindowState panel_state;

constexpr int kInitialIconHeight = 32;
constexpr LONG kStatusFontWeight = 300;
// Ctrl+C arrives as this character: the connect command, as its menu text says (the accelerator
// table has no entry for it), while the window shows that menu item. Without a menu it does
// nothing, so a stray Ctrl+C cannot open a port and silence the panel's own answers.
constexpr WPARAM kCtrlCCharacter = 0x03;

// ---- Creation ---------------------------------------------------------------------------------

void ReadSystemMetrics(PanelWindowState* state, HWND window, uint32_t options) {
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  state->line_height = metrics.tmHeight + metrics.tmExternalLeading;
  state->icon_width = 0;
  state->icon_height = kInitialIconHeight;
  if (options & kOptionInterface) {
    static const int kIconForState[4] = {kIconSerialClosed, kIconSerialOpen, kIconUdpClosed,
                                         kIconUdpOpen};
    for (int i = 0; i < 4; ++i) {
      state->connection_icons[i] = LoadIconA(state->module, MAKEINTRESOURCEA(kIconForState[i]));
    }
    state->icon_width = GetSystemMetrics(SM_CXICON);
    state->icon_height = GetSystemMetrics(SM_CYICON);
  }
}

void GreyMenuItem(HMENU menu, UINT command, const char* text) {
  ModifyMenuA(menu, command, MF_BYCOMMAND | MF_STRING | MF_GRAYED, command, text);
}

void PrepareMenuItems(HWND window, uint32_t options) {
  HMENU menu = GetMenu(window);
  if (!menu) {
    return;
  }
  GreyMenuItem(menu, kCmdSendFile, MenuItemTextFor(MenuItemText::kSendFileGreyed, options));
  GreyMenuItem(menu, kCmdHelpTopics, MenuItemTextFor(MenuItemText::kHelpTopicsGreyed, options));
  if (!(options & kOptionLcdTestTool)) {
    GreyMenuItem(menu, kCmdLcdTestTool,
                 MenuItemTextFor(MenuItemText::kLcdTestToolGreyed, options));
  }
}

void CreateStatusLine(PanelWindowState* state, HWND window) {
  state->status_line = CreateWindowExA(0, "static", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0,
                                       0, 0, window, nullptr, state->module, nullptr);
  state->status_font = CreateSansSerifFont(kStatusFontWeight);
  if (state->status_line && state->status_font) {
    SendMessageA(state->status_line, WM_SETFONT, reinterpret_cast<WPARAM>(state->status_font),
                 FALSE);
  }
}

void ApplyCreationLayout(HWND window, uint32_t options) {
  if (options & (kOptionEndUser | kOptionFixedLayout)) {
    int32_t lcd_rect[4];
    ApplyFixedLcdLayout(lcd_rect);
    panel::ApplyFixedLayoutSettings(&panel::GetPanelSettings(), lcd_rect);
  } else if (options & kOptionLcdList) {
    HMENU menu = GetMenu(window);
    if (menu) {
      ModifyMenuA(menu, kCmdDrawNone, MF_BYCOMMAND | MF_STRING, kCmdDrawNone,
                  MenuItemTextFor(MenuItemText::kDrawNoneChecked, options));
      CheckMenuItem(menu, kCmdDrawNone, MF_BYCOMMAND | MF_CHECKED);
    }
  }
}

LRESULT OnCreatePanel(HWND window, const CREATESTRUCTA* create) {
  PanelWindowState* state = &panel_state;
  const uint32_t options = GetOptions();
  *state = PanelWindowState{};
  state->window = window;
  state->module = create->hInstance;
  ResetPanelCommandState();
  ResetPanelKeys();
  ResetEditState();
  ReadSystemMetrics(state, window, options);
  RECT client;
  GetClientRect(window, &client);
  state->old_client_width = client.right;
  state->old_client_height = client.bottom;
  PrepareMenuItems(window, options);
  LoadPanelSettingsFromRegistry(&GetPanelSettings());
  if (options & kOptionFileCommands) {
    PrepareFileDialogs();
  }
  CreateStatusLine(state, window);
  ResetPanelLcdView();
  ResetProtocolSettings();
  ApplyCreationLayout(window, options);
  LcdInit();
  state->memory_dc = CreateCompatibleDC(nullptr);
  state->memory_dc_default_bitmap =
      state->memory_dc ? GetCurrentObject(state->memory_dc, OBJ_BITMAP) : nullptr;
  if (options & kOptionFontTable) {
    CreateFontTableWindow(state->module, window);
  }
  state->help_window = CreateHelpWindow(state->module, window);
  SetTimer(window, kTimerLoadPanel, kLoadPanelDelayMs, nullptr);
  SetTimer(window, kTimerHint, kHintPeriodMs, nullptr);
  return 0;
}

// ---- Timers -------------------------------------------------------------------------------------

void OnTimerPanel(HWND window, UINT_PTR timer) {
  switch (timer) {
    case kTimerLoadPanel:
      KillTimer(window, kTimerLoadPanel);
      SendMessageA(window, kMsgLoadPanel, 0, 0);
      SetTimer(window, kTimerBlink, kBlinkPeriodMs, nullptr);
      break;
    case kTimerBlink:
      LcdBlinkTick();
      break;
    case kTimerHint:
      ShowNextHint(&panel_state.hint_index);
      break;
    default:
      break;
  }
}

// ---- Keys -------------------------------------------------------------------------------------

void OnCharTyped(HWND window, WPARAM character) {
  OnCharPanel(window, character);
  if (character == kCtrlCCharacter && MenuOffersConnect(window)) RunConnectCommand(window);
}

// ---- Size and destruction -----------------------------------------------------------------------

void OnSizePanel(HWND window, int width, int height) {
  PanelWindowState* state = &panel_state;
  if (state->status_line) {
    MoveWindow(state->status_line, 0, height - 2 * state->line_height - 3,
               width - state->icon_width, height - state->icon_height, TRUE);
  }
  if (GetOptions() & kOptionEndUser) {
    return;
  }
  MovePanelLcd(width - state->old_client_width, height - state->old_client_height);
  StatusText("x:%d : y%d", width, height);
  state->old_client_width = width;
  state->old_client_height = height;
}

void DeleteMemoryDc(PanelWindowState* state) {
  if (state->memory_dc) {
    if (state->memory_dc_default_bitmap) {
      SelectObject(state->memory_dc, state->memory_dc_default_bitmap);
    }
    DeleteDC(state->memory_dc);
    state->memory_dc = nullptr;
  }
}

void OnDestroyPanel() {
  DeleteMemoryDc(&panel_state);
  // From now on the platform's redraws find no window and draw nothing.
  panel_state.window = nullptr;
}

}  // namespace

PanelWindowState& GetPanelWindowState() { return panel_state; }

ATOM RegisterPanelWindowClass(HINSTANCE module, uint32_t options) {
  WNDCLASSEXA window_class = LibraryWindowClass(module, kPanelWindowClass, PanelWindowProc);
  // Redraw on resizing; a private device context, because every LCD frame redraws the LCD and
  // fetching a shared context each time would cost more than drawing it.
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  window_class.hIcon = LoadIconA(module, MAKEINTRESOURCEA(kIconPanel));
  window_class.hIconSm = LoadIconA(module, MAKEINTRESOURCEA(kIconPanelSmall));
  window_class.lpszMenuName = PanelClassMenu(options);
  return RegisterClassExA(&window_class);
}

LPCSTR PanelClassMenu(uint32_t options) {
  if (options & kOptionNoMenu) {
    return nullptr;
  }
  if (options & kOptionEnglish) {
    return MAKEINTRESOURCEA(kMenuEnglish);
  }
  if (options & kOptionEndUser) {
    return MAKEINTRESOURCEA(kMenuReducedGerman);
  }
  return MAKEINTRESOURCEA(kMenuGerman);
}

DWORD PanelWindowStyle(uint32_t options) {
  return (options & kOptionEndUser) ? WS_CAPTION : WS_OVERLAPPEDWINDOW;
}

HWND CreatePanelWindow(HINSTANCE module, uint32_t options) {
  HWND window = CreateWindowExA(0, kPanelWindowClass, kPanelWindowTitle, PanelWindowStyle(options),
                                kPanelWindowLeft, kPanelWindowTop, kPanelWindowWidth,
                                kPanelWindowHeight, nullptr, nullptr, module, nullptr);
  if (!window) {
    return nullptr;
  }
  // From now on ReceiveFromApp hands its frames to this window; the UI thread takes them as
  // soon as its loop runs.
  SetPanelWindow(window);
  ShowWindow(window, SW_SHOWNORMAL);
  BringWindowToTop(window);
  UpdateWindow(window);
  return window;
}

void ReleasePanelWindowAtDetach() {
  PanelWindowState* state = &panel_state;
  DeleteMemoryDc(state);
  if (state->window) {
    KillTimer(state->window, kTimerHint);
    KillTimer(state->window, kTimerBlink);
  }
}

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreatePanel(window, reinterpret_cast<const CREATESTRUCTA*>(lparam));
    case WM_TIMER:
      OnTimerPanel(window, static_cast<UINT_PTR>(wparam));
      return 0;
    case WM_PAINT:
      OnPaintPanel(window);
      return 0;
    case WM_SIZE:
      OnSizePanel(window, LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDownPanel(window, wparam, lparam);
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUpPanel(window, wparam, lparam);
      return 0;
    case WM_RBUTTONUP:
      OnRButtonUpPanel(window, lparam);
      return 0;
    case WM_KEYUP:
      OnKeyUpPanel(window, wparam);
      return 0;
    case WM_CHAR:
      OnCharTyped(window, wparam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMovePanel(window, lparam);
      return 0;
    case WM_CLOSE:
      return 0;  // the panel lives as long as the library: closing is refused
    case WM_DESTROY:
      OnDestroyPanel();
      return 0;
    case kMsgUdpEvent:
      OnUdpSocketEvent(lparam);
      return 0;
    case kMsgInterpret:
      RunCommandInterpreter();
      return 0;
    case kMsgLoadPanel:
      OnLoadPanel(window);
      return 0;
    case kMsgBuildLcdMenu:
      OnBuildLcdMenu(window);
      return 0;
    case WM_COMMAND:
      OnPanelCommand(window, LOWORD(wparam));
      return 0;
    case WM_SYSCOMMAND:
      if (OnPanelSysCommand(window, wparam)) {
        return 0;
      }
      return DefWindowProcA(window, message, wparam, lparam);
    case WM_MENUSELECT:
      OnPanelMenuSelect(LOWORD(wparam));
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace panel
