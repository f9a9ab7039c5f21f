#include "real_input.h"

#include "wine_host.h"

namespace {

// Under Wine, input injected with SendInput lives only in Wine's own state, which Wine brings
// back in line with the X server now and then: a Ctrl held that way can drop in the middle of a
// test, and the X server never sees a press to tie the release to. So the input is made on the
// X server itself with xdotool when it is there, as a user's would be; each step waits for its
// effect.
const char* XKeyName(WORD virtual_key) {
  switch (virtual_key) {
    case VK_CONTROL: return "Control_L";
    case VK_SHIFT: return "Shift_L";
    case VK_F1: return "F1";
    case VK_F6: return "F6";
    case VK_ESCAPE: return "Escape";
    default: return nullptr;
  }
}

bool IsDown(WORD virtual_key) { return (GetAsyncKeyState(virtual_key) & 0x8000) != 0; }

// The SendInput fallback (no xdotool, or a key xdotool is not told about here).
constexpr int kAbsoluteRange = 65535;  // SendInput's absolute coordinates span the primary screen

void SendOne(INPUT input) { SendInput(1, &input, sizeof(INPUT)); }

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  SendOne(input);
}

void SendKey(WORD virtual_key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtual_key, 0));
  input.ki.dwFlags = flags;
  SendOne(input);
}

void SetLeftButton(bool down) {
  if (RunXdotool(down ? "mousedown 1" : "mouseup 1")) {
    WaitUntil([down] { return IsDown(VK_LBUTTON) == down; });
  } else {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  }
}

void SetRightButton(bool down) {
  if (RunXdotool(down ? "mousedown 3" : "mouseup 3")) {
    WaitUntil([down] { return IsDown(VK_RBUTTON) == down; });
  } else {
    SendMouse(down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
  }
}

void SetKey(WORD virtual_key, bool down) {
  const char* name = XKeyName(virtual_key);
  char arguments[64];
  if (name) wsprintfA(arguments, "%s %s", down ? "keydown" : "keyup", name);
  if (name && RunXdotool(arguments)) {
    WaitUntil([virtual_key, down] { return IsDown(virtual_key) == down; });
  } else {
    SendKey(virtual_key, down ? 0 : KEYEVENTF_KEYUP);
  }
}

}  // namespace

void FocusWindow(HWND window) {
  SetForegroundWindow(window);
  WaitUntil([window] { return GetForegroundWindow() == window; });
}

void MoveMouseTo(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  char arguments[64];
  wsprintfA(arguments, "mousemove %d %d", static_cast<int>(point.x), static_cast<int>(point.y));
  if (!RunXdotool(arguments)) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, MulDiv(point.x, kAbsoluteRange, width - 1),
              MulDiv(point.y, kAbsoluteRange, height - 1));
  }
  WaitUntil([point] {
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor.x == point.x && cursor.y == point.y;
  });
}

void PressLeftButton() { SetLeftButton(true); }
void ReleaseLeftButton() { SetLeftButton(false); }

void ClickAt(HWND window, int x, int y) {
  MoveMouseTo(window, x, y);
  PressLeftButton();
  ReleaseLeftButton();
}

void TapAt(HWND window, int x, int y) {
  MoveMouseTo(window, x, y);
  if (RunXdotool("click 1")) return;
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void RightClickAt(HWND window, int x, int y) {
  MoveMouseTo(window, x, y);
  SetRightButton(true);
  SetRightButton(false);
}

void KeyDown(WORD virtual_key) { SetKey(virtual_key, true); }
void KeyUp(WORD virtual_key) { SetKey(virtual_key, false); }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout_ms) return condition();
    Sleep(10);
  }
  return true;
}
