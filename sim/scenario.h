// A scenario: the start conditions and the steps of one YAML scenario file, checked and resolved
// (button and LED names to the data set's areas, durations to ticks) before anything runs.
#pragma once

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "sim/sim_panel.h"

namespace sim {

enum class StepKind : uint8_t {
  kPress,         // click a button (key frame down, hold, key frame up)
  kHold,          // Ctrl click: buttons stay pressed
  kRelease,       // release held buttons
  kSet,           // move the sliders
  kWait,
  kWaitLcd,       // run until an LCD row matches, or fail at the timeout
  kExpectLcd,
  kExpectRelays,
  kExpectLeds,
  kScreenshot,
  kPanel,         // the panel's own answers off or on
  kSend,          // a frame from a target, to the controller
};

// One LCD row compared with a text (trailing blanks of both ignored) or searched with a pattern.
struct LcdExpectation {
  int row;  // 0 or 1
  bool is_pattern;
  std::string text;
  std::regex pattern;
};

// Relay bits of the controller's relay byte (active low).
struct RelayExpectation {
  std::string name;
  int shift;
  bool on;
};

struct LedExpectation {
  PanelArea led;
  LedState state;
};

constexpr int32_t kReleaseAllButtons = -1;

struct Step {
  StepKind kind;
  int line;
  int column;
  std::string text;       // the step as written, for the output
  int32_t keys;           // kPress, kHold, kRelease: button ids (kRelease: kReleaseAllButtons)
  uint64_t ticks;         // kPress: how long held; kWait: duration; kWaitLcd: timeout
  bool answers;           // kPanel: whether the panel acknowledges
  std::string frame;      // kSend: the frame's bytes without its CR
  bool set_temperature;
  bool set_humidity;
  int8_t temperature;
  uint8_t humidity;
  std::vector<LcdExpectation> lcd;
  std::vector<RelayExpectation> relays;
  std::vector<LedExpectation> leds;
  std::string path;       // kScreenshot
};

struct Scenario {
  std::string file;
  std::string name;
  uint32_t clock_ms;
  int8_t temperature;
  uint8_t humidity;
  std::vector<Step> steps;
  bool key_frames_at_once;  // "keys: at-once" (recordings): key frames ahead of the panel's answers
};

struct ScenarioError {
  std::string file;
  int line;    // 1-based; 0 when the file could not be read at all
  int column;
  std::string message;
};

// "file:line:column: error: message"
std::string FormatScenarioError(const ScenarioError& error);

// What the names in a scenario are resolved against: the loaded data set's areas.
struct AreaNames {
  std::vector<PanelArea> buttons;
  std::vector<PanelArea> leds;
};

// Parses the YAML text of a scenario file named `file`. False with `error` set at the first
// problem: YAML syntax, a missing or unknown key, a wrong type or range, an unknown or ambiguous
// button or LED name, a bad duration or pattern.
bool ParseScenarioText(const std::string& text, const std::string& file, const AreaNames& names,
                       Scenario* scenario, ScenarioError* error);
bool ParseScenarioFile(const std::string& file, const AreaNames& names, Scenario* scenario,
                       ScenarioError* error);

// "2m", "10s", "500ms", "1h30m", "31d", a bare number of seconds; rounded up to whole ticks.
bool ParseDurationTicks(const std::string& text, uint64_t* ticks);

// The area whose name is `wanted` (any case), or else the only one with `wanted` as a whole
// word or words of its name ("Filter" for "Filter reset"). Null when none or several match.
const PanelArea* FindAreaByName(const std::vector<PanelArea>& areas, const std::string& wanted,
                                bool* ambiguous);

}  // namespace sim
