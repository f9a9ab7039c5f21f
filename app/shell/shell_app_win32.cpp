#include "app/shell/shell_app_win32.h"

#include "app/controller/controller_tick.h"
#include "app/controller/wall_clock.h"
#include "app/shell/shell_clock_win32.h"
#include "app/shell/shell_panel_end_win32.h"
#include "app/shell/shell_record_win32.h"
#include "app/shell/shell_relays.h"
#include "app/shell/shell_resource_ids.h"
#include "app/shell/shell_sliders.h"
#include "app/shell/shell_window_win32.h"
#include "panel/core/library_interface.h"

namespace shell {

namespace {

constexpr DWORD kLoopPeriodMs = 50;
constexpr DWORD kQuitGraceMs = 100;

// The shell's variables, alive for the program's lifetime.
struct ShellState {
  controller::ControllerIo io;
  int8_t sim_temperature;
  uint8_t sim_humidity;
  uint8_t relay_out;
  uint8_t last_relays;
  HWND main_window;
  WPARAM last_wparam;
  ShellFrameTap frame_tap;
  bool panel_ended;  // the library's end notice has come: its UI thread ends by itself
  ULONGLONG tick_due_ms;  // GetTickCount64 time of the next tick
};

ShellState g_shell = {{},      controller::kStartTemperature, controller::kStartHumidity,
                      kRelaysAllOff, 0, nullptr, 0, nullptr, false, 0};

// The panel library's end notice: WM_DESTROY posted to the thread (no window).
bool IsEndNotice(const MSG& message) {
  return message.message == WM_DESTROY && message.hwnd == nullptr;
}

// WM_QUIT, or the panel library's end notice.
bool IsLoopEnd(const MSG& message) { return message.message == WM_QUIT || IsEndNotice(message); }

// Handles every message waiting now. Returns false when one of them was the loop's end.
bool TakeWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    g_shell.last_wparam = message.wParam;
    if (IsLoopEnd(message)) {
      g_shell.panel_ended = IsEndNotice(message);
      controller::ControllerRequestQuit();
      Sleep(kQuitGraceMs);
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

// Handles messages as they come until the next tick is due; a message never waits for a tick.
// Returns false at the loop's end. A message that asked the controller to stop (the main
// window's destruction) ends the wait at once: the tick then only writes the relays.
bool HandleMessagesUntilTick() {
  for (;;) {
    if (!TakeWaitingMessages()) return false;
    if (controller::ControllerQuitRequested()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= g_shell.tick_due_ms) return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(g_shell.tick_due_ms - now),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

// The tick after this one is due one period after this one was. When the loop has fallen a
// whole period behind (a modal loop, a stalled machine), the lost time is dropped rather than
// made up with ticks in a row.
void ScheduleNextTick() {
  g_shell.tick_due_ms += kLoopPeriodMs;
  const ULONGLONG now = GetTickCount64();
  if (now >= g_shell.tick_due_ms) g_shell.tick_due_ms = now + kLoopPeriodMs;
}

void RunTickAndSend() {
  const int length = controller::ControllerTick(controller::kTickModeRun, &g_shell.io);
  RecordShellTick(g_shell.sim_temperature, g_shell.sim_humidity, g_shell.relay_out,
                  length > 0 ? g_shell.io.data.bytes : nullptr, length);
  if (length <= 0) return;
  const uint8_t* bytes = g_shell.io.data.bytes;
  if (g_shell.frame_tap) g_shell.frame_tap(bytes, static_cast<uint32_t>(length));
  ReceiveFromApp(bytes, static_cast<uint32_t>(length));
}

void ReportRelays() {
  const RelayChange change = TakeRelayChange(g_shell.relay_out, &g_shell.last_relays);
  if (change.changed)
    SendMessageA(g_shell.main_window, WM_SHELL_RELAYS_CHANGED, change.changed_bits,
                 change.relay_byte);
}

}  // namespace

HWND ShellStart(HINSTANCE instance, int show_command) {
  char class_name[100];
  char title[100];
  LoadStringA(instance, IDS_APP_NAME, class_name, sizeof class_name);
  LoadStringA(instance, IDS_APP_NAME, title, sizeof title);
  RegisterShellWindowClass(instance, class_name);
  g_shell.main_window = CreateShellWindow(instance, class_name, title);
  if (!g_shell.main_window) return nullptr;
  ShowWindow(g_shell.main_window, show_command);
  UpdateWindow(g_shell.main_window);

  BindLcdDll();
  controller::SetWallClockSource(LocalWallClock);
  controller::ControllerTick(controller::kTickModeInitialise, &g_shell.io);
  // After the initialising tick io carries the receive callback and the receive cell.
  unsigned char* cell = reinterpret_cast<unsigned char*>(g_shell.io.temperature);
  SetRxTarget(StartShellRecording(g_shell.io.data.receive_byte, cell, g_shell.sim_temperature,
                                  g_shell.sim_humidity),
              cell);

  g_shell.io.temperature = &g_shell.sim_temperature;
  g_shell.io.humidity = &g_shell.sim_humidity;
  g_shell.io.relays = &g_shell.relay_out;
  g_shell.tick_due_ms = GetTickCount64() + kLoopPeriodMs;
  return g_shell.main_window;
}

bool ShellLoopStep() {
  if (controller::ControllerQuitRequested()) return false;
  if (!HandleMessagesUntilTick()) return false;
  // The panel's oldest message goes in just before the tick that interprets it (the controller
  // takes one frame per tick), so neither a key frame nor an acknowledgement waits a whole
  // period in the receiver.
  CheckRx();
  const SliderTable& sliders = ShellSliders();
  g_shell.sim_temperature = SliderTemperatureByte(sliders);
  g_shell.sim_humidity = SliderHumidityByte(sliders);
  RunTickAndSend();
  ReportRelays();
  ScheduleNextTick();
  return !controller::ControllerQuitRequested();
}

int ShellExitCode() { return static_cast<int>(g_shell.last_wparam); }

int ShellRun(HINSTANCE instance, int show_command) {
  if (!ShellStart(instance, show_command)) return 0;
  while (ShellLoopStep()) {
  }
  // The process ends when the entry returns: end the panel's UI thread in order first.
  EndPanelUiThread(FindPanelUiThread(g_shell.panel_ended ? 0 : kPanelWindowWaitMs),
                   kPanelThreadEndWaitMs);
  StopShellRecording();
  return ShellExitCode();
}

void SetShellFrameTap(ShellFrameTap tap) { g_shell.frame_tap = tap; }

uint8_t ShellRelayByte() { return g_shell.relay_out; }

}  // namespace shell
