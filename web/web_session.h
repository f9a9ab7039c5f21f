// The dryer in the browser page: the simulator's engine and panel (one engine for siccora-sim and
// the page) with the page's own platform record, the device picture drawn with the LCD, LEDs and
// latched button edges into an RGBA frame buffer the page copies to its canvas, the panel
// window's mouse rules, the shell's sliders and relays, and recording through the session
// recorder. Portable; web_exports.cpp hands it to JavaScript.
#pragma once

#include <cstdint>

namespace web {

// What the page does for the platform record's beep and status line.
struct PageHooks {
  void (*beep)(unsigned frequency_hz, unsigned duration_ms);
  void (*set_status)(const char* text);
};

constexpr char kAreaFile[] = "rk52.opd";
constexpr char kContextHelpFile[] = "rk52.ctx";

// Starts (or starts again) the panel and the controller at `clock_ms` time of day with the
// sliders' current values, the data set read from `data_dir`. False when it cannot be read.
bool StartSession(const char* data_dir, uint32_t clock_ms, const PageHooks& hooks);

// Runs `ticks` controller ticks (quiet stretches at once, tick by tick while recording).
void AdvanceTicks(uint32_t ticks);
// How many of the coming ticks are quiet (nothing to run or draw unless input comes), at most
// a second's worth; 0 while recording, which runs every tick.
uint32_t QuietTicksAhead();

// The frame buffer, RGBA rows top first, redrawn when something changed since the last call;
// null when nothing changed.
const uint8_t* TakeFrame();
int32_t FrameWidth();
int32_t FrameHeight();

// Mouse and touch on the canvas, in picture pixels; `hold` is Ctrl or the page's hold switch.
void PointerDown(int32_t x, int32_t y, bool hold);
void PointerUp(bool hold);
// A key released (not F1): the latched buttons go.
void KeyReleased();
// The tooltip of the area at the point in the status line; false when there is none.
bool HoverAt(int32_t x, int32_t y);
// The next rotating hint in the status line.
void ShowHint();
// The context help text of the area at the point; null when there is no area, "" when the area
// has no text.
const char* HelpAt(int32_t x, int32_t y);

// Slider row 0 (temperature) or 1 (humidity): set to `value`, clamped to the row's range.
void SetSlider(int row, int32_t value);

// Recording to `path`, from a power-on at the time of day reached (the controller starts again,
// as siccora.exe --record records from its start), so the recording replays from its first
// step; false when it cannot be started.
bool StartPageRecording(const char* path);
void StopPageRecording();

}  // namespace web
