// The seam through which the protocol reaches the panel window: LCD redraw, LED redraw and the
// beeper. The Win32 panel window installs its implementation when it exists; tests install fakes
// that record the calls. Without a host (nullptr) there is no panel window and nothing is drawn.
#pragma once

struct PanelHost {
  void (*redraw_lcd)(void* ctx);   // redraw the LCD area (may be null: no LCD drawing)
  void (*redraw_leds)(void* ctx);  // redraw every LED area (may be null)
  void (*beep)(void* ctx, unsigned frequency_hz, unsigned duration_ms);  // may be null
  void* context;
};

// Installs the host; the record is copied, so the caller's record need not outlive the call.
// nullptr removes the host. Called on the UI thread when the panel window is created/destroyed.
void SetPanelHost(const PanelHost* host);

// Calls used by the protocol; each does nothing while no host (or no such function) is installed.
bool PanelWindowExists();
void PanelRedrawLcd();
void PanelRedrawLeds();
void PanelBeep(unsigned frequency_hz, unsigned duration_ms);
