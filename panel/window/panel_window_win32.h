// The panel window "LcdWnd": the virtual front panel that the UI thread creates and drives.
// Its procedure is a flat switch over named handlers; every handler runs on the UI thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/window/panel_resources_win32.h"

namespace panel {

// Private messages of the panel window.
constexpr UINT kMsgUdpEvent = WM_USER + 11;      // 1035: an event of the UDP socket
constexpr UINT kMsgInterpret = WM_USER + 12;     // 1036: run the command interpreter over the RX list
constexpr UINT kMsgBuildLcdMenu = WM_USER + 13;  // 1037: build the LCD menu
constexpr UINT kMsgLoadPanel = WM_USER + 14;     // 1038: load bitmap and configuration

// Timers of the panel window.
constexpr UINT_PTR kTimerLoadPanel = 1;  // fires once, 500 ms after creation
constexpr UINT_PTR kTimerBlink = 2;      // cursor blink step every 500 ms
constexpr UINT_PTR kTimerHint = 3;       // next hint text in the status line
constexpr UINT kLoadPanelDelayMs = 500;
constexpr UINT kBlinkPeriodMs = 500;
constexpr UINT kHintPeriodMs = 7000;
constexpr UINT kHintRestPeriodMs = 4000;

constexpr char kPanelWindowClass[] = "LcdWnd";
constexpr char kPanelWindowTitle[] = "Orvane";
constexpr int kPanelWindowLeft = 500;
constexpr int kPanelWindowTop = 100;
constexpr int kPanelWindowWidth = 780;
constexpr int kPanelWindowHeight = 450;

// Everything the panel window keeps; one instance, plain fields of the UI thread.
struct PanelWindowState {
  HINSTANCE module;
  HWND window;                // the panel window from WM_CREATE to WM_DESTROY, else null
  HBITMAP panel_bitmap;       // the device picture named by FileBmp, or null
  HDC memory_dc;              // holds the panel bitmap for painting
  HGDIOBJ memory_dc_default_bitmap;  // the bitmap the memory DC came with, restored before deleting
  HWND status_line;           // "static" child along the bottom of the client area
  HFONT status_font;
  HWND help_window;           // context help pop-up (class "Help Wnd")
  HWND monitor_window;        // RX/TX monitor, created on first use
  HICON connection_icons[4];  // states 0..3: serial closed/open, UDP closed/open
  int connection_state;
  int icon_width;
  int icon_height;
  int line_height;            // height + external leading of the system font
  int old_client_width;
  int old_client_height;
  int hint_index;             // next hint text, 0..8
  bool hint_timer_running;    // timer 3 re-armed by a mouse move over no area
  UINT drawing_mode;          // 32860 button rectangle, 32861 LED ellipse, 32862 none
  UINT selected_lcd_type;     // the checked entry of the LCD menu
  UINT colour_target;         // the checked entry of the colour target menu: the slot it sets
  UINT chosen_colour;         // the checked entry of the Color menu
  HMENU lcd_menu;             // the LCD menu's pop-up while it is on the menu bar
};

// The panel window's state record (valid while the window exists).
PanelWindowState& GetPanelWindowState();

// The class menu for an option word: none (0x0400), English 122 (0x0020), reduced German 121
// (0x0010) or full German 120, tested in that order.
LPCSTR PanelClassMenu(uint32_t options);
// WS_CAPTION alone in reduced end-user mode (0x0010), else WS_OVERLAPPEDWINDOW.
DWORD PanelWindowStyle(uint32_t options);

// Registers "LcdWnd" with the class menu chosen by the option word; returns the class atom or 0.
ATOM RegisterPanelWindowClass(HINSTANCE module, uint32_t options);

// Creates and shows the panel window with the style chosen by the option word; null on failure.
HWND CreatePanelWindow(HINSTANCE module, uint32_t options);

// Process detach: delete the memory device context and stop timers 3 and 2.
void ReleasePanelWindowAtDetach();

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace panel
