// The font table window "Font Wnd": a chart of all 256 glyphs of the live glyph table (user
// glyphs included), created hidden with the panel window when option 0x4000 is set and shown or
// hidden by the LCD test tool.
#pragma once

#include <windows.h>

namespace panel {

constexpr char kFontTableWindowClass[] = "Font Wnd";
constexpr char kFontTableWindowTitle[] = "Fonttable";
constexpr int kFontTableWindowLeft = 200;
constexpr int kFontTableWindowTop = 200;
constexpr int kFontTableWindowWidth = 450;
constexpr int kFontTableWindowHeight = 500;

// Registers "Font Wnd" and creates the hidden font table window owned by `owner`; null on
// failure.
HWND CreateFontTableWindow(HINSTANCE module, HWND owner);

// The font table window, or null when none was created.
HWND GetFontTableWindow();

// The LCD test tool's button: shows the window when hidden, hides it when visible.
void ToggleFontTableWindow();

// Called after the LCD changed: repaints the chart when a user glyph differs from what it last
// showed, so a glyph memory write appears at once.
void RefreshFontTableWindow();

LRESULT CALLBACK FontTableWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace panel
