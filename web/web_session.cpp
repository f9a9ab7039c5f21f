#include "web/web_session.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "app/shell/session_recorder.h"
#include "app/shell/shell_sliders.h"
#include "panel/core/data_lists.h"
#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"
#include "panel/link/command_interpreter.h"
#include "panel/window/panel_area_help.h"
#include "panel/window/panel_hints.h"
#include "panel/window/panel_hover.h"
#include "panel/window/panel_keys.h"
#include "panel/window/whole_file.h"
#include "sim/panel_picture.h"
#include "sim/sim_engine.h"
#include "sim/sim_panel.h"
#include "web/bmp_picture.h"
#include "web/png_picture.h"

namespace web {

namespace {

constexpr int kSunkenEdgeInset = 2;  // as the panel window draws a latched button
// DrawEdge(EDGE_SUNKEN) in the classic system colours: outer and inner lines.
constexpr uint32_t kEdgeShadow = 0x808080;
constexpr uint32_t kEdgeDarkShadow = 0x404040;
constexpr uint32_t kEdgeLight = 0xD4D0C8;
constexpr uint32_t kEdgeHighlight = 0xFFFFFF;
constexpr uint8_t kOpaque = 0xFF;

struct Session {
  PageHooks hooks;
  std::string data_dir;
  std::string help_path;
  sim::Picture device;   // the device picture as read
  sim::Picture panel;    // device + LCD + LEDs + edges
  std::vector<uint8_t> rgba;
  bool dirty;
  int hint_index;
  // Recording: the frame of the tick being run.
  std::vector<uint8_t> tick_frame;
};

Session g_session;

void MarkDirty(void*) { g_session.dirty = true; }

void InstallPagePlatform() {
  panel::PanelPlatform platform{};
  platform.redraw_lcd = MarkDirty;
  platform.redraw_leds = MarkDirty;
  platform.beep = [](void*, unsigned frequency_hz, unsigned duration_ms) {
    if (g_session.hooks.beep) g_session.hooks.beep(frequency_hz, duration_ms);
  };
  platform.set_status_text = [](void*, const char* text) {
    if (g_session.hooks.set_status) g_session.hooks.set_status(text);
  };
  // The page is its own UI thread: frames are interpreted before ReceiveFromApp returns.
  platform.run_interpreter = [](void*) { panel::RunCommandInterpreter(); };
  panel::InstallPanelPlatform(platform);
}

// The PNG the page carries beside the named bitmap's place ("rk52.png" for "rk52.bmp"), or else
// the bitmap itself.
bool ReadDevicePicture() {
  const std::string bitmap = sim::PanelPicturePath();
  const size_t dot = bitmap.find_last_of('.');
  const std::string png = bitmap.substr(0, dot == std::string::npos ? bitmap.size() : dot) + ".png";
  size_t size = 0;
  if (char* bytes = panel::ReadWholeFile(png.c_str(), &size)) {
    const bool read = DecodePng(reinterpret_cast<const uint8_t*>(bytes), size, &g_session.device);
    std::free(bytes);
    return read;
  }
  char* bytes = panel::ReadWholeFile(bitmap.c_str(), &size);
  if (!bytes) return false;
  const bool read = DecodeBmp(reinterpret_cast<const uint8_t*>(bytes), size, &g_session.device);
  std::free(bytes);
  return read;
}

void SetPixel(int32_t x, int32_t y, uint32_t pixel) {
  sim::Picture& p = g_session.panel;
  if (x < 0 || y < 0 || x >= p.width || y >= p.height) return;
  p.pixels[static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)] = pixel;
}

// One ring of a sunken edge: `top_left` along the top and left, `bottom_right` the rest.
void EdgeRing(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t top_left,
              uint32_t bottom_right) {
  for (int32_t x = left; x < right; ++x) {
    SetPixel(x, top, top_left);
    SetPixel(x, bottom - 1, bottom_right);
  }
  for (int32_t y = top; y < bottom; ++y) {
    SetPixel(left, y, top_left);
    SetPixel(right - 1, y, bottom_right);
  }
}

void DrawLatchedEdges() {
  const uint16_t latched = panel::GetPanelKeys().latch_mask;
  tagRLISTHEAD* areas = GetRectList();
  if (latched == 0 || !areas) return;
  for (tagRECTNODE* node = areas->first; node; node = node->next) {
    const tagRECTPROP* area = node->record;
    if (!area || area->kind != kRectKindButton || (area->id & latched) == 0) continue;
    const int32_t l = area->rect.left + kSunkenEdgeInset, t = area->rect.top + kSunkenEdgeInset;
    const int32_t r = area->rect.right - kSunkenEdgeInset, b = area->rect.bottom - kSunkenEdgeInset;
    EdgeRing(l, t, r, b, kEdgeShadow, kEdgeHighlight);
    EdgeRing(l + 1, t + 1, r - 1, b - 1, kEdgeDarkShadow, kEdgeLight);
  }
}

void Redraw() {
  g_session.panel = g_session.device;
  sim::DrawPanelState(&g_session.panel);
  DrawLatchedEdges();
  const std::vector<uint32_t>& pixels = g_session.panel.pixels;
  g_session.rgba.resize(pixels.size() * 4);
  for (size_t i = 0; i < pixels.size(); ++i) {
    g_session.rgba[i * 4 + 0] = static_cast<uint8_t>(pixels[i] >> 16);
    g_session.rgba[i * 4 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
    g_session.rgba[i * 4 + 2] = static_cast<uint8_t>(pixels[i]);
    g_session.rgba[i * 4 + 3] = kOpaque;
  }
}

// The recorder's view of the frames: the panel's bytes before the tick, the tick's own frame.
void ObserveFrame(void*, uint64_t, sim::FrameDirection direction, const uint8_t* bytes,
                  size_t length) {
  if (!shell::Recording()) return;
  if (direction == sim::FrameDirection::kToController) {
    for (size_t i = 0; i < length; ++i) shell::RecordPanelByte(bytes[i]);
  } else {
    g_session.tick_frame.assign(bytes, bytes + length);
  }
}

// The recorder's names, as the area file holds them (code page 1252; the recorder writes UTF-8).
// The page has one thread, so the area list's own records serve.
const char* ButtonName(int32_t id) {
  const tagRECTPROP* area = FindRectById(GetRectList(), id);
  return area ? area->name : nullptr;
}

const char* LedName(int32_t id) {
  const tagRECTPROP* area = FindEllipseById(GetRectList(), id);
  return area ? area->name : nullptr;
}

void ApplySliders() {
  const shell::SliderTable& table = shell::ShellSliders();
  sim::SetInputs(shell::SliderTemperatureByte(table), shell::SliderHumidityByte(table));
}

tagLISTPOINT Point(int32_t x, int32_t y) { return tagLISTPOINT{x, y}; }

}  // namespace

bool StartSession(const char* data_dir, uint32_t clock_ms, const PageHooks& hooks) {
  if (shell::Recording()) shell::StopRecording();
  g_session.hooks = hooks;
  g_session.data_dir = data_dir;
  g_session.help_path = std::string(data_dir) + "/" + kContextHelpFile;
  std::string error;
  if (!sim::StartSimPanel(data_dir, kAreaFile, &error)) return false;
  InstallPagePlatform();
  if (!ReadDevicePicture()) return false;
  const shell::SliderTable& table = shell::ShellSliders();
  sim::SetFrameObserver(ObserveFrame, nullptr);
  sim::SetFastForward(true);
  sim::StartEngine(sim::EngineStart{clock_ms, shell::SliderTemperatureByte(table),
                                    shell::SliderHumidityByte(table)});
  g_session.dirty = true;
  return true;
}

void AdvanceTicks(uint32_t ticks) {
  if (!shell::Recording()) {
    sim::RunTicks(ticks);
    return;
  }
  for (uint32_t i = 0; i < ticks; ++i) {
    g_session.tick_frame.clear();
    sim::RunTicks(1);
    shell::RecordRelayByte(sim::RelayByte());
    shell::RecordTick(sim::InputTemperature(), sim::InputHumidity(),
                      g_session.tick_frame.empty() ? nullptr : g_session.tick_frame.data(),
                      static_cast<int>(g_session.tick_frame.size()));
  }
}

uint32_t QuietTicksAhead() {
  if (shell::Recording()) return 0;
  return static_cast<uint32_t>(sim::QuietTicksAhead());
}

const uint8_t* TakeFrame() {
  if (!g_session.dirty || g_session.device.pixels.empty()) return nullptr;
  g_session.dirty = false;
  Redraw();
  return g_session.rgba.data();
}

int32_t FrameWidth() { return g_session.device.width; }
int32_t FrameHeight() { return g_session.device.height; }

void PointerDown(int32_t x, int32_t y, bool hold) {
  panel::RememberPressPoint(Point(x, y));
  const panel::ButtonPress press = panel::PressButton(Point(x, y), hold);
  if (press.on_button && press.edge != panel::LatchEdge::kNone) g_session.dirty = true;
}

void PointerUp(bool hold) { panel::ReleaseButton(hold); }

void KeyReleased() {
  if (panel::ReleaseLatchedButtons([](void*, const tagAREARECT&) { g_session.dirty = true; },
                                   nullptr)) {
    g_session.dirty = true;
  }
}

bool HoverAt(int32_t x, int32_t y) {
  return panel::ShowAreaTooltip(Point(x, y), (panel::GetOptions() & panel::kOptionEndUser) != 0);
}

void ShowHint() { panel::ShowNextHint(&g_session.hint_index); }

const char* HelpAt(int32_t x, int32_t y) {
  const panel::AreaHelp help = panel::LookUpAreaHelp(Point(x, y), g_session.help_path.c_str());
  if (!help.on_area) return nullptr;
  return help.text ? help.text : "";
}

void SetSlider(int row, int32_t value) {
  if (row < 0 || row >= shell::kSliderRowCount) return;
  shell::SliderRow& slider = shell::ShellSliders().rows[row];
  if (value < slider.minimum) value = slider.minimum;
  if (value > slider.maximum) value = slider.maximum;
  slider.value = value;
  ApplySliders();
}

bool StartPageRecording(const char* path) {
  // A scenario starts with a power-on: so does the recording, at the time of day reached.
  const std::string data_dir = g_session.data_dir;
  if (!StartSession(data_dir.c_str(), sim::ClockMs(), g_session.hooks)) return false;
  const uint32_t clock_ms = sim::ClockMs();
  const uint32_t seconds = clock_ms / sim::kMsPerSecond;
  const shell::RecorderStart start{static_cast<uint8_t>(seconds / 3600u),
                                   static_cast<uint8_t>(seconds / 60u % 60u),
                                   static_cast<uint8_t>(seconds % 60u),
                                   sim::InputTemperature(),
                                   sim::InputHumidity(),
                                   ButtonName,
                                   static_cast<uint16_t>(clock_ms % sim::kMsPerSecond),
                                   LedName};
  return shell::StartRecording(path, start);
}

void StopPageRecording() {
  if (shell::Recording()) shell::StopRecording();
}

}  // namespace web
