#include "sim/sim_panel.h"

#include <cstdio>

#include "app/controller/controller_fields.h"
#include "app/shell/cp1252_text.h"
#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"
#include "panel/lcd/glyph_table.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/link/command_interpreter.h"
#include "panel/link/panel_settings.h"
#include "panel/link/protocol_settings.h"
#include "panel/window/area_file.h"
#include "panel/window/panel_layout.h"

namespace sim {

namespace {

constexpr size_t kMaxLeds = 32;

// The latest changes of each LED area, by its place in the area list, for blink detection.
struct LedHistory {
  const tagRECTPROP* record;
  int32_t colour;         // colour at the last look
  uint64_t changes[kBlinkChangesNeeded];  // times of the latest changes, newest first
  int change_count;
};

struct SimPanelState {
  std::string data_dir;
  uint64_t now_ms;
  LedHistory leds[kMaxLeds];
  size_t led_count;
  uint64_t lcd_changes;  // LCD frames drawn
};

SimPanelState g_panel;

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string Resolve(const std::string& name) {
  if (IsAbsolute(name) || g_panel.data_dir.empty()) return name;
  return g_panel.data_dir + "/" + name;
}

// The interpreter's "@L" redraw: note which LEDs changed colour and when.
void NoteLedChanges(void*) {
  for (size_t i = 0; i < g_panel.led_count; ++i) {
    LedHistory& led = g_panel.leds[i];
    if (led.record->color == led.colour) continue;
    led.colour = led.record->color;
    for (int k = kBlinkChangesNeeded - 1; k > 0; --k) led.changes[k] = led.changes[k - 1];
    led.changes[0] = g_panel.now_ms;
    if (led.change_count < kBlinkChangesNeeded) ++led.change_count;
  }
}

void InstallSimPlatform() {
  panel::PanelPlatform platform{};
  platform.redraw_leds = NoteLedChanges;
  platform.redraw_lcd = [](void*) { ++g_panel.lcd_changes; };
  // The simulator is its own UI thread: frames are interpreted before ReceiveFromApp returns.
  platform.run_interpreter = [](void*) { panel::RunCommandInterpreter(); };
  panel::InstallPanelPlatform(platform);
}

void CreateLists() {
  ListInitCriticalSection();
  SetListHead(ListCreate());  // TX
  SetListHead(ListCreate());  // RX
  InitCriticalSection();
  SetPanelList(CreatePanelList());
  InitCriticalRectSection();
  SetRectList(CreateRectList());
}

// The panel window's creation steps that matter without a window.
void CreatePanelView() {
  panel::ResetPanelLcdView();
  panel::ResetProtocolSettings();
  if (panel::GetOptions() & (panel::kOptionEndUser | panel::kOptionFixedLayout)) {
    int32_t lcd_rect[4];
    panel::ApplyFixedLcdLayout(lcd_rect);
    panel::ApplyFixedLayoutSettings(&panel::GetPanelSettings(), lcd_rect);
  }
  panel::LcdInit();
}

void RememberLeds() {
  g_panel.led_count = 0;
  for (tagRECTNODE* node = GetRectHead(GetRectList()); node; node = GetNextRectEntry(node)) {
    if (node->record->kind != kRectKindLed || g_panel.led_count == kMaxLeds) continue;
    g_panel.leds[g_panel.led_count++] = LedHistory{node->record, node->record->color, {}, 0};
  }
}

std::vector<PanelArea> AreasOfKind(uint32_t kind) {
  std::vector<PanelArea> areas;
  for (tagRECTNODE* node = GetRectHead(GetRectList()); node; node = GetNextRectEntry(node)) {
    const tagRECTPROP* area = node->record;
    if (area->kind != kind) continue;
    // The area file's names are code page 1252; scenarios and reports are UTF-8.
    areas.push_back(PanelArea{shell::Cp1252ToUtf8(area->name ? area->name : ""), area->id});
  }
  return areas;
}

}  // namespace

bool StartSimPanel(const std::string& data_dir, const std::string& area_file, std::string* error) {
  panel::ResetPanelLibraryForTests();
  g_panel = SimPanelState{};
  g_panel.data_dir = data_dir;
  InstallSimPlatform();
  CreateLists();
  CreatePanelView();
  panel::PanelSettings* settings = &panel::GetPanelSettings();
  const std::string path = Resolve(area_file);
  if (!panel::ReadAreaFile(path.c_str(), settings)) {
    if (error) *error = "cannot read the area file " + path;
    return false;
  }
  panel::RestoreSavedLcdRectangle(settings->LcdRect);
  RememberLeds();
  return true;
}

std::string PanelPicturePath() { return Resolve(panel::GetPanelSettings().FileBmp); }

std::vector<PanelArea> PanelButtons() { return AreasOfKind(kRectKindButton); }

std::vector<PanelArea> PanelLeds() { return AreasOfKind(kRectKindLed); }

std::string LcdRowText(int row) {
  const panel::LcdController* lcd = panel::LcdGetController();
  const panel::LcdLayout* layout = panel::LcdGetLayout();
  const uint8_t* memory = panel::LcdGetDisplayMemory();
  std::string text;
  if (row < 0 || row >= kLcdTextRows || row >= layout->rows_drawn) return text;
  // As the rasteriser: with the display off every dot is background, and with one line only
  // every other display row is drawn.
  if (!lcd->display_on || (lcd->lines == panel::kLcdOneLine && row % 2 == 1)) {
    return std::string(layout->characters_per_row, ' ');
  }
  // The same walk as the rasteriser: the row's start plus the display shift, circularly.
  const uint32_t start = layout->line_start[row % 2];
  const uint32_t length = lcd->line_length;
  uint8_t e = static_cast<uint8_t>(layout->row_start[row] + lcd->display_shift);
  if (e >= start + length) e = static_cast<uint8_t>(e - length);
  for (uint8_t k = 0; k < layout->characters_per_row; ++k) {
    const uint8_t c = memory[e];
    if (c >= panel::kLcdFirstAsciiCode && c <= panel::kLcdLastAsciiCode) {
      text += static_cast<char>(c);
    } else if (c == panel::kLcdDegreeCode) {
      text += "\xC2\xB0";
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      text += code;
    }
    e = static_cast<uint8_t>(uint32_t{e} + 1 >= start + length ? start : e + 1u);
  }
  return text;
}

uint64_t LcdChangeCount() { return g_panel.lcd_changes; }

void SetPanelTimeMs(uint64_t elapsed_ms) { g_panel.now_ms = elapsed_ms; }

namespace {

// True when the LED byte decides this LED's state: an area of the LED run (the panel lights
// those from the byte) on one of the controller's six LED bits.
bool ReadFromLedByte(const tagRECTPROP* led) {
  if ((led->id & ~int32_t{controller::kAllSixLeds}) != 0) return false;
  tagRECTPROP* run[panel::kLedRunMax];
  const int count = panel::FindLedRun(GetRectList(), run);
  for (int i = 0; i < count; ++i) {
    if (run[i] == led) return true;
  }
  return false;
}

bool BlinkFlagSet(int32_t id) {
  uint8_t bits = 0;
  if (!panel::RememberedLedBits(&bits)) return false;
  return (id & controller::BlinkingLeds(bits)) != 0;
}

}  // namespace

LedState PanelLedState(int32_t id) {
  for (size_t i = 0; i < g_panel.led_count; ++i) {
    const LedHistory& history = g_panel.leds[i];
    if (history.record->id != id) continue;
    const bool lit = history.record->color == history.record->active_color;
    if (ReadFromLedByte(history.record)) {
      // Its colour is its bit of the last LED byte.
      if (BlinkFlagSet(id)) return LedState::kBlinking;
      return lit ? LedState::kOn : LedState::kOff;
    }
    bool blinking = history.change_count == kBlinkChangesNeeded &&
                    g_panel.now_ms - history.changes[0] <= kBlinkGapMaxMs;
    for (int k = 1; k < kBlinkChangesNeeded; ++k) {
      blinking = blinking && history.changes[k - 1] - history.changes[k] <= kBlinkGapMaxMs;
    }
    if (blinking) return LedState::kBlinking;
    return lit ? LedState::kOn : LedState::kOff;
  }
  return LedState::kOff;
}

const char* LedStateName(LedState state) {
  switch (state) {
    case LedState::kOn: return "on";
    case LedState::kBlinking: return "blinking";
    case LedState::kOff:
    default: return "off";
  }
}

}  // namespace sim
