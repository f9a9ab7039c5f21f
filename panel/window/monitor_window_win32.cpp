// The monitor window's class, creation, panes and procedure. Lines reach the panes on the UI
// thread only, each in one piece, through kMsgWriteMonitorLine.
#include "panel/window/monitor_window_win32.h"

#include <atomic>

#include "panel/window/panel_resources_win32.h"
#include "panel/window/window_class_win32.h"

namespace panel {

namespace {

static_assert(sizeof(kMonitorWindowTitle) - 1 == 98, "the labels must stand above the panes");

constexpr DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                             ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY;
constexpr char kPaneFontFace[] = "Courier New";
// A writer on another thread waits at most this long for the UI thread to take its line, so a
// UI thread that is itself waiting (for the loader lock, say) cannot hang the writer for good.
constexpr UINT kHandOverTimeoutMs = 5000;

struct MonitorWindowState {
  std::atomic<HWND> window;  // read by writers on any thread
  HWND panes[2];             // indexed by MonitorTarget: RX, TX
  HFONT font;
};

MonitorWindowState monitor_state;

HWND PaneOf(MonitorTarget target) {
  return (target == kRxMonitor || target == kTxMonitor) ? monitor_state.panes[target] : nullptr;
}

void SelectWholeText(HWND pane) { SendMessageA(pane, EM_SETSEL, 0, -1); }

HWND CreatePane(HWND window, int id, HINSTANCE module) {
  HWND pane = CreateWindowExA(0, "edit", "", kPaneStyle, 0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
  if (pane) {
    SendMessageA(pane, EM_SETLIMITTEXT, kMonitorCapacityChars, 0);
    if (monitor_state.font) {
      SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(monitor_state.font), FALSE);
    }
  }
  return pane;
}

LRESULT OnCreateMonitor(HWND window, const CREATESTRUCTA* create) {
  LOGFONTA description{};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof(description), &description);
  lstrcpynA(description.lfFaceName, kPaneFontFace, LF_FACESIZE);
  monitor_state.font = CreateFontIndirectA(&description);
  monitor_state.panes[kRxMonitor] = CreatePane(window, kRxPaneId, create->hInstance);
  monitor_state.panes[kTxMonitor] = CreatePane(window, kTxPaneId, create->hInstance);
  return 0;
}

void OnSizeMonitor(int width, int height) {
  const int half = width / 2;
  if (monitor_state.panes[kRxMonitor]) {
    MoveWindow(monitor_state.panes[kRxMonitor], 0, 0, half, height, TRUE);
  }
  if (monitor_state.panes[kTxMonitor]) {
    MoveWindow(monitor_state.panes[kTxMonitor], half, 0, half, height, TRUE);
  }
}

// A pane that is full (its limit or its memory) gets its whole text selected: the next line
// replaces it, so the log starts over instead of stopping.
void OnCommandMonitor(WPARAM wparam, LPARAM lparam) {
  const UINT notification = HIWORD(wparam);
  if (notification == EN_ERRSPACE || notification == EN_MAXTEXT) {
    SelectWholeText(reinterpret_cast<HWND>(lparam));
  }
}

// The line replaces the pane's selection (normally the caret at the end: it is appended).
int OnWriteLine(WPARAM target, const char* text) {
  HWND pane = PaneOf(static_cast<MonitorTarget>(target));
  if (pane == nullptr || text == nullptr) return 0;
  DWORD selection_start = 0;
  DWORD selection_end = 0;
  SendMessageA(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&selection_start),
               reinterpret_cast<LPARAM>(&selection_end));
  const int kept = GetWindowTextLengthA(pane) - static_cast<int>(selection_end - selection_start);
  SendMessageA(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
  SendMessageA(pane, EM_SCROLLCARET, 0, 0);
  const int length = GetWindowTextLengthA(pane);
  // The control reports a full pane only when an insertion was cut; a line that fills it to the
  // last character must start the log over just the same.
  if (length >= kMonitorCapacityChars) SelectWholeText(pane);
  return length > kept ? length - kept : 0;
}

void OnDestroyMonitor() {
  monitor_state.window = nullptr;
  monitor_state.panes[kRxMonitor] = nullptr;
  monitor_state.panes[kTxMonitor] = nullptr;
  if (monitor_state.font) {
    DeleteObject(monitor_state.font);
    monitor_state.font = nullptr;
  }
}

void RegisterMonitorWindowClass(HINSTANCE module) {
  WNDCLASSEXA window_class = LibraryWindowClass(module, kMonitorWindowClass, MonitorWindowProc);
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.hIcon = LoadIconA(module, MAKEINTRESOURCEA(kIconPanel));
  window_class.hIconSm = LoadIconA(module, MAKEINTRESOURCEA(kIconPanelSmall));
  RegisterClassExA(&window_class);
}

}  // namespace

HWND ToggleMonitorWindow(HWND panel_window) {
  HWND window = monitor_state.window;
  if (window) {
    ShowWindow(window, IsWindowVisible(window) ? SW_HIDE : SW_SHOW);
    return window;
  }
  HINSTANCE module =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(panel_window, GWLP_HINSTANCE));
  RegisterMonitorWindowClass(module);
  window = CreateWindowExA(0, kMonitorWindowClass, kMonitorWindowTitle, WS_CAPTION,
                           kMonitorWindowLeft, kMonitorWindowTop, kMonitorWindowWidth,
                           kMonitorWindowHeight, panel_window, nullptr, module, nullptr);
  if (window == nullptr) return nullptr;
  monitor_state.window = window;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

HWND GetMonitorWindow() { return monitor_state.window; }

int WriteMonitorPane(MonitorTarget target, const char* text) {
  HWND window = monitor_state.window;
  if (window == nullptr || text == nullptr) return 0;  // no monitor yet: the line is dropped
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    return static_cast<int>(SendMessageA(window, kMsgWriteMonitorLine,
                                         static_cast<WPARAM>(target),
                                         reinterpret_cast<LPARAM>(text)));
  }
  DWORD_PTR written = 0;
  if (!SendMessageTimeoutA(window, kMsgWriteMonitorLine, static_cast<WPARAM>(target),
                           reinterpret_cast<LPARAM>(text), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                           kHandOverTimeoutMs, &written)) {
    return 0;
  }
  return static_cast<int>(written);
}

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreateMonitor(window, reinterpret_cast<const CREATESTRUCTA*>(lparam));
    case WM_SIZE:
      OnSizeMonitor(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_SETFOCUS:
      if (monitor_state.panes[kRxMonitor]) SetFocus(monitor_state.panes[kRxMonitor]);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;  // nothing of its own to draw: the panes cover the client area
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_COMMAND:
      OnCommandMonitor(wparam, lparam);
      return 0;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);
      return 0;
    case WM_DESTROY:
      OnDestroyMonitor();
      return 0;
    case kMsgWriteMonitorLine:
      return OnWriteLine(wparam, reinterpret_cast<const char*>(lparam));
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace panel
