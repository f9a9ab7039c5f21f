// Everything the portable panel library asks of its platform, in one record of function pointers.
// The Win32 layer installs its record once, at process attach, before any other thread of the
// library runs; the tests install a fake that records what happened. The record is not changed
// while other threads use the library, so it is read without a lock.
//
// Every entry gets the record's `context` first. A null entry means the platform does not offer
// that service; the behaviour without it is given per entry and is what the Platform* calls below
// do. No entry is called with a lock of the library held, except `write_monitor_line`,
// `write_list_report` and `allocate`, which the lists call while holding their own lock (a line
// must stay in order with the change it reports): those three must not call back into the lists.
#pragma once

#include <cstddef>
#include <cstdint>

namespace panel {

enum MonitorTarget { kRxMonitor = 0, kTxMonitor = 1 };

struct PanelPlatform {
  void* context;

  // Redraw the LCD from the LCD model onto the panel window. UI thread (command interpreter,
  // blink timer). Null, or no panel window: nothing is drawn.
  void (*redraw_lcd)(void* context);

  // Redraw every LED area in its current colour. UI thread (command "@L"). Null: nothing drawn.
  void (*redraw_leds)(void* context);

  // Sound the beeper. UI thread (command "@z", key click of a button press). Null: silence.
  void (*beep)(void* context, unsigned frequency_hz, unsigned duration_ms);

  // Show one finished line (line end included) in the RX or TX monitor; returns the characters
  // the monitor took, 0 while it does not exist. Any thread, also during process detach after the
  // UI thread has ended: a line that cannot be shown at once is dropped, never waited for.
  // Null: every line is dropped and counts 0.
  int (*write_monitor_line)(void* context, MonitorTarget target, const char* text);

  // Replace the whole status line text. Any thread (mostly the UI thread). Null: no status line.
  void (*set_status_text)(void* context, const char* text);

  // One diagnostic line of the data lists (line end included), for the process's standard
  // output. Any thread that changes a data list; lines of several threads must stay whole.
  // Null: the line is dropped.
  void (*write_list_report)(void* context, const char* line);

  // Write a complete application frame to the connected transport (serial port or UDP). The
  // thread that called ReceiveFromApp (the application's, or the UI thread for the LCD test
  // tool). Null, or nothing connected: the frame is sent nowhere.
  void (*forward_frame)(void* context, const uint8_t* bytes, int32_t length);

  // Run the command interpreter (RunCommandInterpreter) on the UI thread and return only when it
  // has finished. The thread that called ReceiveFromApp. Null, or no panel window yet: the frames
  // stay queued in the RX list and are interpreted with the first frame after a runner exists.
  void (*run_interpreter)(void* context);

  // Memory for list heads, nodes, records and their strings; the lists release it with free().
  // Any thread. Null: the C heap (malloc). Tests use it to make an allocation fail.
  void* (*allocate)(void* context, size_t size);

  // Save the settings record (GetPanelSettings) where the platform keeps it, the registry key on
  // Windows; called by the file operations after they changed a path. UI thread. Null: nothing
  // is saved.
  void (*save_settings)(void* context);
};

// Installs a copy of `platform` (the caller's record need not outlive the call).
void InstallPanelPlatform(const PanelPlatform& platform);
// The installed record; all entries null before the first installation.
const PanelPlatform& InstalledPanelPlatform();

// The entries as the library calls them, each with the null behaviour given above.
void PlatformRedrawLcd();
void PlatformRedrawLeds();
void PlatformBeep(unsigned frequency_hz, unsigned duration_ms);
int PlatformWriteMonitorLine(MonitorTarget target, const char* text);
void PlatformSetStatusText(const char* text);
void PlatformWriteListReport(const char* line);
void PlatformForwardFrame(const uint8_t* bytes, int32_t length);
void PlatformRunInterpreter();
void* PlatformAllocate(size_t size);
void PlatformSaveSettings();

// Tests: the whole portable library back to its load-time state, as if just loaded: an empty
// platform record (installed first, so nothing is reported), the library's TX, RX, panel and area
// lists deleted and forgotten, the option words, the LCD model, layout, glyphs and view, the
// protocol settings, the receive target, acknowledgements off, every frame assembler, and the
// panel window's LCD geometry, settings record, key state and file seam. Defined by the top
// portable library (panel_window_logic), so a program that calls it links panel_portable.
void ResetPanelLibraryForTests();

}  // namespace panel
