// The help note's window procedure: keeps the text and the font metrics, places itself by the
// portable rule and paints a pale yellow note with the text wrapped inside.
#include "panel/window/help_window_win32.h"

#include "panel/window/help_window_layout.h"
#include "panel/window/window_class_win32.h"

namespace panel {

namespace {

// Help texts longer than this are cut; the context-help file's texts are a few lines.
constexpr int kHelpTextMaxChars = 4096;
constexpr COLORREF kNoteColour = RGB(255, 255, 160);
constexpr int kNoteTextInset = 3;
constexpr WPARAM kEscapeCharacter = 27;

struct HelpWindowState {
  HelpNoteMetrics metrics;
  char text[kHelpTextMaxChars + 1];  // the text last given, NUL-terminated
  int text_length;
};

HelpWindowState help_state;

void OnCreateHelp(HWND window) {
  HDC dc = GetDC(window);
  TEXTMETRICA font{};
  if (dc) {
    GetTextMetricsA(dc, &font);  // the default font of a fresh device context
    ReleaseDC(window, dc);
  }
  // TMPF_FIXED_PITCH set means a variable-pitch font (the flag's name says the opposite).
  const bool variable_pitch = (font.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
  help_state.metrics.average_width = font.tmAveCharWidth;
  help_state.metrics.line_height = font.tmHeight + font.tmExternalLeading;
  help_state.metrics.capital_width = HelpNoteCapitalWidth(font.tmAveCharWidth, variable_pitch);
  help_state.metrics.screen_width = GetSystemMetrics(SM_CXSCREEN);
  help_state.metrics.screen_height = GetSystemMetrics(SM_CYSCREEN);
  help_state.text[0] = '\0';
  help_state.text_length = 0;
}

LRESULT OnSetTextHelp(HWND window, WPARAM position, const char* text) {
  if (text == nullptr) text = "";
  lstrcpynA(help_state.text, text, kHelpTextMaxChars + 1);
  help_state.text_length = lstrlenA(help_state.text);
  // Screen coordinates may be negative on a second monitor left of the first: signed halves.
  const int32_t x = static_cast<int16_t>(LOWORD(position));
  const int32_t y = static_cast<int16_t>(HIWORD(position));
  const HelpNotePlacement place = PlaceHelpNote(help_state.metrics, help_state.text_length, x, y);
  MoveWindow(window, place.x, place.y, place.width, place.height, TRUE);
  InvalidateRect(window, nullptr, TRUE);
  ShowWindow(window, SW_SHOW);
  return TRUE;
}

void OnPaintHelp(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!dc) return;
  RECT client;
  GetClientRect(window, &client);
  HBRUSH fill = CreateSolidBrush(kNoteColour);
  HGDIOBJ previous_brush = SelectObject(dc, fill);
  Rectangle(dc, client.left, client.top, client.right, client.bottom);  // default black pen
  SelectObject(dc, previous_brush);
  DeleteObject(fill);
  RECT text_area = client;
  InflateRect(&text_area, -kNoteTextInset, -kNoteTextInset);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, help_state.text, help_state.text_length, &text_area, DT_WORDBREAK);
  EndPaint(window, &paint);
}

void HideIfVisible(HWND window) {
  if (IsWindowVisible(window)) ShowWindow(window, SW_HIDE);
}

}  // namespace

HWND CreateHelpWindow(HINSTANCE module, HWND owner) {
  const WNDCLASSEXA window_class = LibraryWindowClass(module, kHelpWindowClass, HelpWindowProc);
  RegisterClassExA(&window_class);
  return CreateWindowExA(0, kHelpWindowClass, kHelpWindowTitle, WS_POPUP, 0, 0, 0, 0, owner,
                         nullptr, module, nullptr);
}

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreateHelp(window);
      return 0;
    case WM_SETTEXT:
      return OnSetTextHelp(window, wparam, reinterpret_cast<const char*>(lparam));
    case WM_PAINT:
      OnPaintHelp(window);
      return 0;
    case WM_CHAR:
      if (wparam == kEscapeCharacter) HideIfVisible(window);
      return 0;
    case WM_LBUTTONDOWN:
      HideIfVisible(window);
      return 0;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace panel
