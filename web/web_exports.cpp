// The page's entry points: the session's operations as C functions JavaScript calls, and the
// platform services (key click, status line) the page provides through Web Audio and the DOM.
#include <emscripten.h>

#include <string>
#include <vector>

#include "app/shell/shell_relays.h"
#include "app/shell/shell_sliders.h"
#include "panel/lcd/lcd_render.h"
#include "sim/sim_engine.h"
#include "sim/sim_panel.h"
#include "web/web_session.h"

EM_JS(void, page_beep, (unsigned frequency_hz, unsigned duration_ms), {
  if (Module.onBeep) Module.onBeep(frequency_hz, duration_ms);
});

EM_JS(void, page_status, (const char* text), {
  if (Module.onStatus) Module.onStatus(Module.latin1(text));
});

namespace {

constexpr char kDataDir[] = "/data";  // where the page's data set is embedded
constexpr char kRecordingPath[] = "/tmp/siccora-recording.yaml";

std::string g_text;  // the last string handed out

const char* Hand(const std::string& text) {
  g_text = text;
  return g_text.c_str();
}

bool ValidRow(int row) { return row >= 0 && row < shell::kSliderRowCount; }

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int web_start(uint32_t clock_ms) {
  return web::StartSession(kDataDir, clock_ms, web::PageHooks{page_beep, page_status}) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void web_advance(uint32_t ticks) { web::AdvanceTicks(ticks); }
EMSCRIPTEN_KEEPALIVE uint32_t web_quiet_ticks() { return web::QuietTicksAhead(); }
EMSCRIPTEN_KEEPALIVE const uint8_t* web_frame() { return web::TakeFrame(); }
EMSCRIPTEN_KEEPALIVE int32_t web_width() { return web::FrameWidth(); }
EMSCRIPTEN_KEEPALIVE int32_t web_height() { return web::FrameHeight(); }

EMSCRIPTEN_KEEPALIVE void web_pointer_down(int32_t x, int32_t y, int hold) {
  web::PointerDown(x, y, hold != 0);
}
EMSCRIPTEN_KEEPALIVE void web_pointer_up(int hold) { web::PointerUp(hold != 0); }
EMSCRIPTEN_KEEPALIVE void web_key_released() { web::KeyReleased(); }
EMSCRIPTEN_KEEPALIVE int web_hover(int32_t x, int32_t y) { return web::HoverAt(x, y) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void web_hint() { web::ShowHint(); }
EMSCRIPTEN_KEEPALIVE const char* web_help(int32_t x, int32_t y) { return web::HelpAt(x, y); }

EMSCRIPTEN_KEEPALIVE int32_t web_slider_minimum(int row) {
  return ValidRow(row) ? shell::ShellSliders().rows[row].minimum : 0;
}
EMSCRIPTEN_KEEPALIVE int32_t web_slider_maximum(int row) {
  return ValidRow(row) ? shell::ShellSliders().rows[row].maximum : 0;
}
EMSCRIPTEN_KEEPALIVE int32_t web_slider_value(int row) {
  return ValidRow(row) ? shell::ShellSliders().rows[row].value : 0;
}
EMSCRIPTEN_KEEPALIVE const char* web_slider_text(int row) {
  if (!ValidRow(row)) return "";
  char text[32];
  shell::FormatSliderValue(shell::ShellSliders().rows[row], text, sizeof text);
  return Hand(text);
}
EMSCRIPTEN_KEEPALIVE int web_slider_label(int row) {
  return ValidRow(row) ? shell::ShellSliders().rows[row].label_string : 0;
}
EMSCRIPTEN_KEEPALIVE void web_set_slider(int row, int32_t value) { web::SetSlider(row, value); }

EMSCRIPTEN_KEEPALIVE int web_relay_count() { return shell::kRelayIndicatorCount; }
EMSCRIPTEN_KEEPALIVE int web_relay_label(int index) {
  return index >= 0 && index < shell::kRelayIndicatorCount
             ? shell::kRelayIndicators[index].text_string : 0;
}
EMSCRIPTEN_KEEPALIVE int web_relay_on(int index) {
  if (index < 0 || index >= shell::kRelayIndicatorCount) return 0;
  return shell::RelayIndicatorChecked(shell::kRelayIndicators[index], sim::RelayByte()) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int web_led_count() { return static_cast<int>(sim::PanelLeds().size()); }
EMSCRIPTEN_KEEPALIVE const char* web_led_name(int index) {
  const std::vector<sim::PanelArea> leds = sim::PanelLeds();
  return index >= 0 && static_cast<size_t>(index) < leds.size() ? Hand(leds[index].name) : "";
}
EMSCRIPTEN_KEEPALIVE int web_led_on(int index) {
  const std::vector<sim::PanelArea> leds = sim::PanelLeds();
  if (index < 0 || static_cast<size_t>(index) >= leds.size()) return 0;
  return sim::PanelLedState(leds[index].id) != sim::LedState::kOff ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* web_lcd_row(int row) { return Hand(sim::LcdRowText(row)); }
EMSCRIPTEN_KEEPALIVE int32_t web_lcd_bound(int side) {
  const panel::LcdRect bounds = panel::LcdDrawBounds();
  const int32_t sides[4] = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  return side >= 0 && side < 4 ? sides[side] : 0;
}
EMSCRIPTEN_KEEPALIVE uint32_t web_clock_ms() { return sim::ClockMs(); }
EMSCRIPTEN_KEEPALIVE double web_elapsed_ms() { return static_cast<double>(sim::ElapsedMs()); }

EMSCRIPTEN_KEEPALIVE int web_record_start() {
  return web::StartPageRecording(kRecordingPath) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void web_record_stop() { web::StopPageRecording(); }

}  // extern "C"
