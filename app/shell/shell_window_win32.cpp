#include "app/shell/shell_window_win32.h"

#include "app/controller/controller_tick.h"
#include "app/shell/shell_about_win32.h"
#include "app/shell/shell_font_win32.h"
#include "app/shell/shell_layout.h"
#include "app/shell/shell_relays.h"
#include "app/shell/shell_resource_ids.h"
#include "app/shell/shell_sliders.h"

namespace shell {

namespace {

constexpr int kLabelChars = 64;
constexpr int kHelpChars = 512;
constexpr int kRelayTextCount = 4;  // 211..214; the hot-gas text has no indicator
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kWindowX = 0, kWindowY = 100, kWindowWidth = 500, kWindowHeight = 450;

// Everything the window keeps; one window per process.
struct ShellWindowState {
  HINSTANCE instance;
  char slider_labels[kSliderRowCount][kLabelChars];
  char relay_texts[kRelayTextCount][kLabelChars];
  char help_text[kHelpChars];
  HFONT help_font;
  int base_cx, base_cy;  // dialog base units
  HWND bars[kSliderRowCount];
  WNDPROC bar_procs[kSliderRowCount];  // the bars' own procedures, called after ours
};

ShellWindowState g_window;

HWND CreateChild(HWND parent, const char* window_class, const char* text, DWORD style, int id) {
  return CreateWindowExA(0, window_class, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_window.instance,
                         nullptr);
}

int SliderRowOfBar(HWND bar) {
  for (int row = 0; row < kSliderRowCount; ++row)
    if (g_window.bars[row] && g_window.bars[row] == bar) return row;
  return -1;
}

void ShowSliderValue(HWND window, int row) {
  const SliderRow& slider = ShellSliders().rows[row];
  char text[32];
  FormatSliderValue(slider, text, sizeof text);
  SetWindowTextA(GetDlgItem(window, IDC_TEMPERATURE_VALUE + row), text);
}

// Tab (with or without Shift) moves the focus to the other bar; every message then goes on to
// the bar's own procedure, which turns the arrow, page and Home/End keys into WM_VSCROLL.
LRESULT CALLBACK SliderBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam) {
  const int row = SliderRowOfBar(bar);
  if (row < 0) return DefWindowProcA(bar, message, wparam, lparam);
  if (message == WM_KEYDOWN && wparam == VK_TAB) {
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    const int next = (row + (backwards ? kSliderRowCount - 1 : 1)) % kSliderRowCount;
    SetFocus(g_window.bars[next]);
  }
  return CallWindowProcA(g_window.bar_procs[row], bar, message, wparam, lparam);
}

void LoadWindowTexts() {
  HINSTANCE instance = g_window.instance;
  for (int row = 0; row < kSliderRowCount; ++row)
    LoadStringA(instance, ShellSliders().rows[row].label_string, g_window.slider_labels[row],
                kLabelChars);
  for (int i = 0; i < kRelayTextCount; ++i)
    LoadStringA(instance, IDS_VENTILATOR + i, g_window.relay_texts[i], kLabelChars);
  LoadStringA(instance, IDS_HELP_TEXT, g_window.help_text, kHelpChars);
}

void CreateSlider(HWND window, int row) {
  const SliderRow& slider = ShellSliders().rows[row];
  HWND bar = CreateChild(window, "scrollbar", nullptr, WS_TABSTOP | SBS_VERT | SBS_LEFTALIGN,
                         IDC_TEMPERATURE_BAR + row);
  SetScrollRange(bar, SB_CTL, 0, SliderBarRange(slider), FALSE);
  SetScrollPos(bar, SB_CTL, SliderBarPosition(slider), TRUE);
  CreateChild(window, "static", g_window.slider_labels[row], WS_BORDER | SS_CENTER,
              IDC_TEMPERATURE_LABEL + row);
  CreateChild(window, "static", "", WS_BORDER | SS_CENTER, IDC_TEMPERATURE_VALUE + row);
  ShowSliderValue(window, row);
  g_window.bars[row] = bar;
  g_window.bar_procs[row] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SliderBarProc)));
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create) {
  g_window.instance = create->hInstance;
  LoadWindowTexts();
  g_window.help_font = CreateShellFont(kFontWeightThin);

  CreateChild(window, "static", nullptr, WS_BORDER | SS_GRAYRECT, IDC_LEFT_BACKGROUND);
  CreateChild(window, "static", nullptr, WS_BORDER | SS_BLACKFRAME, IDC_RIGHT_FRAME);
  HWND help = CreateChild(window, "static", g_window.help_text, WS_BORDER, IDC_HELP_TEXT);
  if (help && g_window.help_font)
    SendMessageA(help, WM_SETFONT, reinterpret_cast<WPARAM>(g_window.help_font), FALSE);
  for (int row = 0; row < kSliderRowCount; ++row) CreateSlider(window, row);
  for (int k = 0; k < kRelayIndicatorCount; ++k) {
    const RelayIndicator& indicator = kRelayIndicators[k];
    CreateChild(window, "button", g_window.relay_texts[indicator.text_string - IDS_VENTILATOR],
                WS_TABSTOP | BS_CHECKBOX, indicator.control_id);
  }

  const LONG units = GetDialogBaseUnits();
  g_window.base_cx = LOWORD(units);
  g_window.base_cy = HIWORD(units);
  return 0;
}

void ShowAllChildren(HWND window, int show_command) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ShowWindow(child, show_command);
}

LRESULT OnSize(HWND window, int width, int height) {
  ControlPlace places[kShellControlCount];
  const int count =
      ComputeShellLayout(width, height, g_window.base_cx, g_window.base_cy, places);
  ShowAllChildren(window, SW_HIDE);
  for (int i = 0; i < count; ++i) {
    HWND child = GetDlgItem(window, places[i].control_id);
    if (child)
      MoveWindow(child, places[i].x, places[i].y, places[i].width, places[i].height, TRUE);
  }
  ShowAllChildren(window, SW_SHOW);
  return 0;
}

SliderAction ActionOfScrollCode(int code) {
  switch (code) {
    case SB_LINEUP: return SliderAction::kLineUp;
    case SB_LINEDOWN: return SliderAction::kLineDown;
    case SB_PAGEUP: return SliderAction::kPageUp;
    case SB_PAGEDOWN: return SliderAction::kPageDown;
    case SB_TOP: return SliderAction::kTop;
    case SB_BOTTOM: return SliderAction::kBottom;
    default: return SliderAction::kIgnore;  // thumb tracking, thumb position, end of scroll
  }
}

LRESULT OnVScroll(HWND window, int code, HWND bar) {
  const int row = SliderRowOfBar(bar);
  if (row < 0) return 0;
  SliderRow& slider = ShellSliders().rows[row];
  ApplySliderAction(&slider, ActionOfScrollCode(code));
  // Also after an ignored code: a dragged thumb goes back to the value.
  SetScrollPos(bar, SB_CTL, SliderBarPosition(slider), TRUE);
  ShowSliderValue(window, row);
  return 0;
}

LRESULT OnRelaysChanged(HWND window, uint8_t relay_byte) {
  for (const RelayIndicator& indicator : kRelayIndicators) {
    const WPARAM state = RelayIndicatorChecked(indicator, relay_byte) ? BST_CHECKED : BST_UNCHECKED;
    SendMessageA(GetDlgItem(window, indicator.control_id), BM_SETCHECK, state, 0);
  }
  return 0;
}

// A click on an indicator: put back the state the relays gave it.
void ReapplyIndicator(HWND window, int control_id) {
  HWND box = GetDlgItem(window, control_id);
  const LRESULT state = SendMessageA(box, BM_GETCHECK, 0, 0);
  SendMessageA(box, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

LRESULT OnCommand(HWND window, int command) {
  switch (command) {
    case IDC_VENTILATOR_BOX:
    case IDC_COMPRESSOR_BOX:
    case IDC_HEATING_BOX:
      ReapplyIndicator(window, command);
      break;
    case IDM_ABOUT:
      ShowAboutBox(g_window.instance, window);
      break;
    case IDM_QUIT:
      DestroyWindow(window);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  return 0;
}

LRESULT OnDestroy() {
  controller::ControllerRequestQuit();
  if (g_window.help_font) {
    DeleteObject(g_window.help_font);
    g_window.help_font = nullptr;
  }
  PostQuitMessage(0);
  return 0;
}

}  // namespace

void RegisterShellWindowClass(HINSTANCE instance, const char* class_name) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = ShellWindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_ICON));
  window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  window_class.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN_MENU);
  window_class.lpszClassName = class_name;
  RegisterClassExA(&window_class);
}

HWND CreateShellWindow(HINSTANCE instance, const char* class_name, const char* title) {
  return CreateWindowExA(0, class_name, title, kWindowStyle, kWindowX, kWindowY, kWindowWidth,
                         kWindowHeight, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK ShellWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lparam));
    case WM_SIZE:
      return OnSize(window, LOWORD(lparam), HIWORD(lparam));
    case WM_VSCROLL:
      return OnVScroll(window, LOWORD(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SHELL_RELAYS_CHANGED:
      return OnRelaysChanged(window, static_cast<uint8_t>(lparam));
    case WM_COMMAND:
      return OnCommand(window, LOWORD(wparam));
    case WM_PAINT:
      return OnPaint(window);
    case WM_SETFOCUS:
      return 0;
    case WM_DESTROY:
      return OnDestroy();
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace shell
