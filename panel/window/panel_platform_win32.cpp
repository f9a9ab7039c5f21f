// What the portable panel asks of Windows: drawing on the panel window, the beeper, the RX/TX
// monitor panes, the status line, the list report on standard output, the synchronous hand-over
// of frames to the UI thread, saving the settings in the registry and replacing a saved file in
// one step (the file seam, installed with the record). Each entry finds the window it needs
// itself, so the record is installed once at process attach and stays valid before the panel
// window exists and after it is gone.
#include "panel/window/panel_platform_win32.h"

#include <windows.h>

#include <cstdio>

#include "panel/core/library_state_win32.h"
#include "panel/core/panel_platform.h"
#include "panel/lcd/font_table_window_win32.h"
#include "panel/lcd/lcd_render_win32.h"
#include "panel/link/settings_registry_win32.h"
#include "panel/link/transport_win32.h"
#include "panel/window/file_replace_win32.h"
#include "panel/window/monitor_window_win32.h"
#include "panel/window/panel_paint_win32.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

// The panel window while it exists (set at WM_CREATE, cleared at WM_DESTROY); both redraws run
// on the UI thread, which owns that state. A glyph memory write shows in the font table at once.
void RedrawLcd(void*) {
  LcdDraw(GetPanelWindowState().window);
  RefreshFontTableWindow();
}

void RedrawLeds(void*) {
  HWND window = GetPanelWindowState().window;
  if (!window) return;
  HDC dc = GetDC(window);
  if (dc) {
    DrawPanelLeds(dc);
    ReleaseDC(window, dc);
  }
}

void SoundBeep(void*, unsigned frequency_hz, unsigned duration_ms) { Beep(frequency_hz, duration_ms); }

// The panes of the monitor window once the user has opened it; until then lines are dropped.
int WriteMonitorLine(void*, MonitorTarget target, const char* text) {
  return WriteMonitorPane(target, text);
}

// The status control belongs to the UI thread; from another thread SetWindowText hands the text
// over synchronously and waits until the UI thread has taken it.
void SetStatusLine(void*, const char* text) {
  HWND status_line = GetPanelWindowState().status_line;
  if (status_line) SetWindowTextA(status_line, text);
}

// One fputs per line keeps lines from several threads whole; flushed so they appear in order with
// anything else the process writes.
void WriteListReport(void*, const char* line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

// Message 1036 to the panel window, which runs the interpreter; the caller waits for it. Before
// the window exists the frames stay queued in the RX list.
void SendInterpretMessage(void*) {
  HWND panel_window = GetPanelWindow();
  if (panel_window) SendMessageA(panel_window, kMsgInterpret, 0, 0);
}

// The settings key; a file operation changed a path.
void SaveSettings(void*) { SavePanelSettingsToRegistry(GetPanelSettings()); }

}  // namespace

void InstallWin32PanelPlatform() {
  PanelPlatform platform{};
  platform.redraw_lcd = RedrawLcd;
  platform.redraw_leds = RedrawLeds;
  platform.beep = SoundBeep;
  platform.write_monitor_line = WriteMonitorLine;
  platform.set_status_text = SetStatusLine;
  platform.write_list_report = WriteListReport;
  platform.run_interpreter = SendInterpretMessage;
  platform.save_settings = SaveSettings;
  platform.forward_frame = ForwardFrameToTarget;
  // Lists allocate from the C heap.
  InstallPanelPlatform(platform);
  InstallWin32FileSeam();
}

}  // namespace panel
