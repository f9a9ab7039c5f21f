// Reading a scenario file with yaml-cpp. Every node keeps its place in the file, so each
// complaint names the line and column of the value that caused it.
#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "app/controller/controller_fields.h"
#include "app/controller/controller_tick.h"
#include "app/shell/shell_sliders.h"
#include "sim/scenario.h"
#include "sim/sim_engine.h"

namespace sim {

namespace {

constexpr uint32_t kDefaultClockMs = 10u * 3600u * kMsPerSecond;
constexpr uint64_t kDefaultClickTicks = 5;         // 250 ms between key down and key up
constexpr uint64_t kDefaultWaitLcdTimeoutTicks = 200;  // 10 s
// The longest single term ("1000000000h"); a longer sum names no duration, so adding up the
// terms never wraps.
constexpr uint64_t kLargestDurationNumber = 1000000000ull;
constexpr uint64_t kLongestDurationMs = kLargestDurationNumber * 3600u * kMsPerSecond;
// A scenario nests five levels at most (file, steps, step, value, list); deeper is a mistake; the
// checks below walk the nodes recursively. The node budget stops aliases that repeat a subtree
// over and over from making the walk endless.
constexpr int kMaxNesting = 16;
constexpr size_t kMaxNodes = 100000;
// The regex library builds a counted repetition as that many copies, nested ones multiplied: a
// pattern's counts are kept to what an LCD row (at most 40 characters) can need.
constexpr size_t kMaxPatternLength = 256;
constexpr unsigned long kMaxRepetitionCount = 64;
constexpr unsigned long kMaxRepetitionProduct = 4096;

// True when the counted repetitions ("{n}", "{n,}", "{n,m}") of `pattern` stay within the
// limits; their product stands in for the nesting, which it never underestimates.
bool RepetitionsWithinLimits(const std::string& pattern) {
  unsigned long product = 1;
  for (size_t at = 0; at < pattern.size(); ++at) {
    if (pattern[at] == '\\') {
      ++at;  // an escaped character, "\{" included
      continue;
    }
    if (pattern[at] != '{') continue;
    unsigned long largest = 0;
    for (size_t k = at + 1; k < pattern.size() && pattern[k] != '}'; ++k) {
      if (!std::isdigit(static_cast<unsigned char>(pattern[k]))) {
        if (pattern[k] != ',') break;
        continue;
      }
      unsigned long count = 0;
      while (k < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[k]))) {
        count = count * 10 + static_cast<unsigned long>(pattern[k++] - '0');
        if (count > kMaxRepetitionCount) return false;
      }
      --k;
      if (count > largest) largest = count;
    }
    product *= largest > 0 ? largest : 1;
    if (product > kMaxRepetitionProduct) return false;
  }
  return true;
}

struct RelayName {
  const char* name;
  int shift;
};
constexpr RelayName kRelayNames[] = {
    {"compressor", controller::kRelayShiftCompressor},
    {"heater", controller::kRelayShiftHeater},
    {"ventilator", controller::kRelayShiftVentilator},
    {"hotgas", controller::kRelayShiftHotgas},
};

// The frames a target sends that the controller understands, and the form of their payload: one
// character per place, 'h' an upper-case hexadecimal digit, 'd' a decimal digit, 'x' any byte.
struct TargetFrameForm {
  char command;
  const char* payload;
  const char* description;
};
constexpr TargetFrameForm kTargetFrames[] = {
    {'H', "xhh", "\"@H\" x h l: humidity, two hexadecimal digits"},
    {'T', "xhh", "\"@T\" n h l: temperature (n = 1), two hexadecimal digits"},
    {'R', "dddddd", "\"@R\" hhmmss: clock, six decimal digits"},
    {'S', "", "\"@S\": sensor error"},
    {'I', "hh", "\"@I\" h l: acknowledgement with a downloaded byte, two hexadecimal digits"},
    {'K', "x", "\"@K\" c: key frame, c = 0x41 + key state"},
    {'!', "", "\"@!\": acknowledgement"},
    {'?', "", "\"@?\": acknowledgement"},
};

bool IsUpperHex(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Bytes that end a frame in the panel's frame assembler; none may stand inside one.
bool EndsFrame(unsigned char c) { return c == 0x0D || c == 0x0A || c == 0x10; }

bool PayloadFits(const char* form, const std::string& payload) {
  if (payload.size() != std::char_traits<char>::length(form)) return false;
  for (size_t i = 0; i < payload.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(payload[i]);
    if (EndsFrame(c)) return false;
    if (form[i] == 'h' && !IsUpperHex(c)) return false;
    if (form[i] == 'd' && !std::isdigit(c)) return false;
  }
  return true;
}

// The YAML text (UTF-8) as bytes, one per character: characters up to U+00FF only, as "\xNN"
// escapes give them.
bool Utf8ToBytes(const std::string& text, std::string* bytes) {
  bytes->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      *bytes += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size() &&
               (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
      const unsigned char next = static_cast<unsigned char>(text[++i]);
      *bytes += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
    } else {
      return false;
    }
  }
  return true;
}

struct Parser {
  std::string file;
  const AreaNames* names;
  ScenarioError* error;

  size_t nodes_seen = 0;

  bool Fail(const YAML::Node& node, const std::string& message) {
    const YAML::Mark mark = node.Mark();
    // A node made from nothing (an empty document) has no place: the file's start stands for it.
    *error = mark.is_null() ? ScenarioError{file, 1, 1, message}
                            : ScenarioError{file, mark.line + 1, mark.column + 1, message};
    return false;
  }

  bool Scalar(const YAML::Node& node, const char* what, std::string* out) {
    if (!node.IsScalar()) return Fail(node, std::string(what) + " must be a single value");
    *out = node.Scalar();
    return true;
  }

  bool Integer(const YAML::Node& node, const char* what, long minimum, long maximum, long* out) {
    std::string text;
    if (!Scalar(node, what, &text)) return false;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') return Fail(node, std::string(what) + " must be a whole number");
    if (value < minimum || value > maximum) {
      return Fail(node, std::string(what) + " must lie between " + std::to_string(minimum) +
                            " and " + std::to_string(maximum));
    }
    *out = value;
    return true;
  }

  bool Duration(const YAML::Node& node, const char* what, uint64_t* ticks) {
    std::string text;
    if (!Scalar(node, what, &text)) return false;
    if (!ParseDurationTicks(text, ticks)) {
      return Fail(node, std::string(what) + " \"" + text +
                            "\" is not a duration (like 500ms, 10s, 2m, 1h30m)");
    }
    return true;
  }

  bool OnOff(const YAML::Node& node, bool* on) {
    std::string text;
    if (!Scalar(node, "a relay state", &text)) return false;
    if (text == "on" || text == "true") {
      *on = true;
    } else if (text == "off" || text == "false") {
      *on = false;
    } else {
      return Fail(node, "a relay is \"on\" or \"off\", not \"" + text + "\"");
    }
    return true;
  }

  // Map keys must come from `allowed`; the first other one is an error.
  bool OnlyKeys(const YAML::Node& map, std::initializer_list<const char*> allowed) {
    for (const auto& entry : map) {
      bool known = false;
      for (const char* key : allowed) known = known || entry.first.Scalar() == key;
      if (!known) {
        std::string list;
        for (const char* key : allowed) list += std::string(list.empty() ? "" : ", ") + key;
        return Fail(entry.first, "unknown key \"" + entry.first.Scalar() + "\" (known: " + list + ")");
      }
    }
    return true;
  }

  bool Area(const std::vector<PanelArea>& areas, const YAML::Node& node, const char* kind,
            const PanelArea** out) {
    std::string name;
    if (!Scalar(node, kind, &name)) return false;
    bool ambiguous = false;
    *out = FindAreaByName(areas, name, &ambiguous);
    if (*out) return true;
    std::string list;
    for (const PanelArea& area : areas) list += std::string(list.empty() ? "" : ", ") + area.name;
    return Fail(node, std::string(ambiguous ? "ambiguous " : "unknown ") + kind + " \"" + name +
                          "\" (the data set has: " + list + ")");
  }

  // {id: 4}: a button by its area id, for areas without a name (any id of 32 bits).
  bool ButtonId(const YAML::Node& node, int32_t* id) {
    if (!OnlyKeys(node, {"id"})) return false;
    if (!node["id"]) return Fail(node, "a button is a name or {id: N}");
    std::string text;
    if (!Scalar(node["id"], "id", &text)) return false;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) || *end != '\0' ||
        value == 0 || value > 0xFFFFFFFFull) {
      return Fail(node["id"], "a button id is a whole number from 1 to 4294967295");
    }
    *id = static_cast<int32_t>(static_cast<uint32_t>(value));
    return true;
  }

  // One name or a list of names: the OR of their ids.
  bool Buttons(const YAML::Node& node, int32_t* ids) {
    *ids = 0;
    if (node.IsMap()) return ButtonId(node, ids);
    if (node.IsSequence()) {
      if (node.size() == 0) return Fail(node, "name at least one button");
      for (const YAML::Node& item : node) {
        if (item.IsMap()) {
          int32_t id = 0;
          if (!ButtonId(item, &id)) return false;
          *ids |= id;
          continue;
        }
        const PanelArea* button = nullptr;
        if (!Area(names->buttons, item, "button", &button)) return false;
        *ids |= button->id;
      }
      return true;
    }
    const PanelArea* button = nullptr;
    if (!Area(names->buttons, node, "button", &button)) return false;
    *ids = button->id;
    return true;
  }

  bool Press(const YAML::Node& node, Step* step) {
    step->ticks = kDefaultClickTicks;
    if (!node.IsMap()) return Buttons(node, &step->keys);
    if (!OnlyKeys(node, {"button", "for"})) return false;
    if (!node["button"]) return Fail(node, "press needs \"button\"");
    if (!Buttons(node["button"], &step->keys)) return false;
    return !node["for"] || Duration(node["for"], "\"for\"", &step->ticks);
  }

  bool Release(const YAML::Node& node, Step* step) {
    if (node.IsScalar() && node.Scalar() == "all") {
      step->keys = kReleaseAllButtons;
      return true;
    }
    return Buttons(node, &step->keys);
  }

  bool Set(const YAML::Node& node, Step* step) {
    if (!node.IsMap() || node.size() == 0) {
      return Fail(node, "set takes a map: {temperature: 15, humidity: 70}");
    }
    if (!OnlyKeys(node, {"temperature", "humidity"})) return false;
    const shell::SliderTable& sliders = shell::ShellSliders();
    long value = 0;
    if (node["temperature"]) {
      const shell::SliderRow& row = sliders.rows[shell::kTemperatureRow];
      if (!Integer(node["temperature"], "temperature", row.minimum, row.maximum, &value)) return false;
      step->set_temperature = true;
      step->temperature = static_cast<int8_t>(value);
    }
    if (node["humidity"]) {
      const shell::SliderRow& row = sliders.rows[shell::kHumidityRow];
      if (!Integer(node["humidity"], "humidity", row.minimum, row.maximum, &value)) return false;
      step->set_humidity = true;
      step->humidity = static_cast<uint8_t>(value);
    }
    return true;
  }

  bool Pattern(const YAML::Node& node, LcdExpectation* expectation) {
    if (!Scalar(node, "pattern", &expectation->text)) return false;
    if (expectation->text.size() > kMaxPatternLength ||
        !RepetitionsWithinLimits(expectation->text)) {
      return Fail(node, "pattern longer than " + std::to_string(kMaxPatternLength) +
                            " characters or repeating more than an LCD row holds (counts up to " +
                            std::to_string(kMaxRepetitionCount) + ", " +
                            std::to_string(kMaxRepetitionProduct) + " together)");
    }
    expectation->is_pattern = true;
    try {
      expectation->pattern = std::regex(expectation->text, std::regex::ECMAScript);
    } catch (const std::regex_error& e) {
      return Fail(node, std::string("pattern is not a regular expression: ") + e.what());
    }
    return true;
  }

  // {line: 1, text: "..."} or {line: 2, pattern: "..."}
  bool LcdLine(const YAML::Node& node, bool with_timeout, Step* step) {
    if (with_timeout) {
      if (!OnlyKeys(node, {"line", "text", "pattern", "timeout"})) return false;
    } else if (!OnlyKeys(node, {"line", "text", "pattern"})) {
      return false;
    }
    if (!node["line"]) return Fail(node, "name the LCD \"line\" (1 or 2)");
    long line = 0;
    if (!Integer(node["line"], "line", 1, kLcdTextRows, &line)) return false;
    LcdExpectation expectation{static_cast<int>(line - 1), false, "", std::regex()};
    if (node["text"] && node["pattern"]) return Fail(node, "give \"text\" or \"pattern\", not both");
    if (node["text"]) {
      if (!Scalar(node["text"], "text", &expectation.text)) return false;
    } else if (node["pattern"]) {
      if (!Pattern(node["pattern"], &expectation)) return false;
    } else {
      return Fail(node, "give the expected \"text\" or a \"pattern\"");
    }
    step->lcd.push_back(expectation);
    return true;
  }

  // A map for one line, or a list of one or two rows, each a text or {pattern: ...}.
  bool ExpectLcd(const YAML::Node& node, Step* step) {
    if (node.IsMap()) return LcdLine(node, false, step);
    if (!node.IsSequence() || node.size() == 0 || node.size() > kLcdTextRows) {
      return Fail(node, "expect-lcd takes {line: N, text: ...} or a list of the rows' texts");
    }
    int row = 0;
    for (const YAML::Node& item : node) {
      LcdExpectation expectation{row++, false, "", std::regex()};
      if (item.IsMap()) {
        if (!OnlyKeys(item, {"pattern"}) || !item["pattern"]) {
          return Fail(item, "a row is a text or {pattern: ...}");
        }
        if (!Pattern(item["pattern"], &expectation)) return false;
      } else if (!Scalar(item, "an LCD row", &expectation.text)) {
        return false;
      }
      step->lcd.push_back(expectation);
    }
    return true;
  }

  bool WaitLcd(const YAML::Node& node, Step* step) {
    if (!node.IsMap()) return Fail(node, "wait-lcd takes {line: N, text: ..., timeout: 10s}");
    step->ticks = kDefaultWaitLcdTimeoutTicks;
    if (!LcdLine(node, true, step)) return false;
    return !node["timeout"] || Duration(node["timeout"], "timeout", &step->ticks);
  }

  bool ExpectRelays(const YAML::Node& node, Step* step) {
    if (!node.IsMap() || node.size() == 0) {
      return Fail(node, "expect-relays takes a map: {ventilator: on, compressor: off}");
    }
    if (!OnlyKeys(node, {"compressor", "heater", "ventilator", "hotgas"})) return false;
    for (const RelayName& relay : kRelayNames) {
      if (!node[relay.name]) continue;
      RelayExpectation expectation{relay.name, relay.shift, false};
      if (!OnOff(node[relay.name], &expectation.on)) return false;
      step->relays.push_back(expectation);
    }
    return true;
  }

  bool ExpectLeds(const YAML::Node& node, Step* step) {
    if (!node.IsMap() || node.size() == 0) {
      return Fail(node, "expect-leds takes a map: {Ready: on, Room: blinking}");
    }
    for (const auto& entry : node) {
      const PanelArea* led = nullptr;
      if (!Area(names->leds, entry.first, "LED", &led)) return false;
      std::string state;
      if (!Scalar(entry.second, "an LED state", &state)) return false;
      LedExpectation expectation{*led, LedState::kOff};
      if (state == "on") {
        expectation.state = LedState::kOn;
      } else if (state == "blinking") {
        expectation.state = LedState::kBlinking;
      } else if (state != "off") {
        return Fail(entry.second, "an LED is \"off\", \"on\" or \"blinking\", not \"" + state + "\"");
      }
      step->leds.push_back(expectation);
    }
    return true;
  }

  // panel: {answers: off} / {answers: on}
  bool PanelStep(const YAML::Node& node, Step* step) {
    step->kind = StepKind::kPanel;
    if (!node.IsMap()) return Fail(node, "panel takes {answers: off} or {answers: on}");
    if (!OnlyKeys(node, {"answers"})) return false;
    if (!node["answers"]) return Fail(node, "panel takes {answers: off} or {answers: on}");
    std::string text;
    if (!Scalar(node["answers"], "answers", &text)) return false;
    if (text != "on" && text != "off" && text != "true" && text != "false") {
      return Fail(node["answers"], "answers are \"on\" or \"off\", not \"" + text + "\"");
    }
    step->answers = text == "on" || text == "true";
    return true;
  }

  // send: "@H058" -- one frame of a target, without its CR.
  bool Send(const YAML::Node& node, Step* step) {
    step->kind = StepKind::kSend;
    std::string text;
    if (!Scalar(node, "send", &text)) return false;
    if (!Utf8ToBytes(text, &step->frame)) {
      return Fail(node, "a frame holds characters up to \\xFF only");
    }
    const std::string& frame = step->frame;
    std::string known;
    for (const TargetFrameForm& form : kTargetFrames) {
      if (frame.size() >= 2 && frame[0] == '@' && frame[1] == form.command) {
        if (PayloadFits(form.payload, frame.substr(2))) return true;
        return Fail(node, std::string("the frame does not have the form ") + form.description);
      }
      known += std::string(known.empty() ? "" : ", ") + "\"@" + form.command + "\"";
    }
    return Fail(node, "a target's frame starts with one of " + known);
  }

  // keys: at-once | queued
  bool KeyOrder(const YAML::Node& node, Scenario* scenario) {
    std::string text;
    if (!Scalar(node, "keys", &text)) return false;
    if (text != "at-once" && text != "queued") {
      return Fail(node, "keys are \"at-once\" or \"queued\", not \"" + text + "\"");
    }
    scenario->key_frames_at_once = text == "at-once";
    return true;
  }

  bool StepBody(const std::string& key, const YAML::Node& value, Step* step) {
    if (key == "press") {
      step->kind = StepKind::kPress;
      return Press(value, step);
    }
    if (key == "hold") {
      step->kind = StepKind::kHold;
      return Buttons(value, &step->keys);
    }
    if (key == "release") {
      step->kind = StepKind::kRelease;
      return Release(value, step);
    }
    if (key == "set") {
      step->kind = StepKind::kSet;
      return Set(value, step);
    }
    if (key == "wait") {
      step->kind = StepKind::kWait;
      return Duration(value, "wait", &step->ticks);
    }
    if (key == "wait-lcd") {
      step->kind = StepKind::kWaitLcd;
      return WaitLcd(value, step);
    }
    if (key == "expect-lcd") {
      step->kind = StepKind::kExpectLcd;
      return ExpectLcd(value, step);
    }
    if (key == "expect-relays") {
      step->kind = StepKind::kExpectRelays;
      return ExpectRelays(value, step);
    }
    if (key == "expect-leds") {
      step->kind = StepKind::kExpectLeds;
      return ExpectLeds(value, step);
    }
    if (key == "screenshot") {
      step->kind = StepKind::kScreenshot;
      return Scalar(value, "screenshot", &step->path);
    }
    if (key == "panel") return PanelStep(value, step);
    if (key == "send") return Send(value, step);
    return false;
  }

  bool ParseStep(const YAML::Node& node, Step* step) {
    static const char* const kSteps =
        "press, hold, release, set, wait, wait-lcd, expect-lcd, expect-relays, expect-leds, "
        "screenshot, panel, send";
    if (!node.IsMap() || node.size() != 1) {
      return Fail(node, std::string("a step is one of: ") + kSteps);
    }
    const auto entry = *node.begin();
    const std::string key = entry.first.Scalar();
    const YAML::Mark mark = entry.first.Mark();
    *step = Step{};
    step->line = mark.line + 1;
    step->column = mark.column + 1;
    YAML::Emitter emitter;
    emitter << YAML::Flow << entry.second;
    step->text = key + ": " + emitter.c_str();
    const bool known = key == "press" || key == "hold" || key == "release" || key == "set" ||
                       key == "wait" || key == "wait-lcd" || key == "expect-lcd" ||
                       key == "expect-relays" || key == "expect-leds" || key == "screenshot" ||
                       key == "panel" || key == "send";
    if (!known) return Fail(entry.first, "unknown step \"" + key + "\" (known: " + kSteps + ")");
    return StepBody(key, entry.second, step);
  }

  bool Clock(const YAML::Node& node, uint32_t* clock_ms) {
    std::string text;
    if (!Scalar(node, "clock", &text)) return false;
    static const std::regex kClockForm("([0-9]{1,2}):([0-9]{2})(:([0-9]{2})(\\.([0-9]{3}))?)?");
    std::smatch match;
    const bool matched = std::regex_match(text, match, kClockForm);
    const unsigned hour = matched ? static_cast<unsigned>(std::stoul(match[1])) : 0;
    const unsigned minute = matched ? static_cast<unsigned>(std::stoul(match[2])) : 0;
    const unsigned second =
        matched && match[4].matched ? static_cast<unsigned>(std::stoul(match[4])) : 0;
    if (!matched || hour > 23 || minute > 59 || second > 59) {
      return Fail(node, "clock is a time of day \"HH:MM\", \"HH:MM:SS\" or \"HH:MM:SS.mmm\"");
    }
    const unsigned millisecond =
        matched && match[6].matched ? static_cast<unsigned>(std::stoul(match[6])) : 0;
    *clock_ms = ((hour * 60u + minute) * 60u + second) * kMsPerSecond + millisecond;
    return true;
  }

  bool ParseDocument(const YAML::Node& root, Scenario* scenario) {
    if (!root.IsMap()) return Fail(root, "a scenario is a map with \"name\" and \"steps\"");
    if (!OnlyKeys(root, {"name", "clock", "temperature", "humidity", "steps", "keys"})) return false;
    if (root["keys"] && !KeyOrder(root["keys"], scenario)) return false;
    if (!root["name"]) return Fail(root, "the scenario needs a \"name\"");
    if (!Scalar(root["name"], "name", &scenario->name)) return false;
    scenario->clock_ms = kDefaultClockMs;
    if (root["clock"] && !Clock(root["clock"], &scenario->clock_ms)) return false;
    scenario->temperature = controller::kStartTemperature;
    scenario->humidity = controller::kStartHumidity;
    const shell::SliderTable& table = shell::ShellSliders();
    long value = 0;
    if (root["temperature"]) {
      const shell::SliderRow& row = table.rows[shell::kTemperatureRow];
      if (!Integer(root["temperature"], "temperature", row.minimum, row.maximum, &value)) return false;
      scenario->temperature = static_cast<int8_t>(value);
    }
    if (root["humidity"]) {
      const shell::SliderRow& row = table.rows[shell::kHumidityRow];
      if (!Integer(root["humidity"], "humidity", row.minimum, row.maximum, &value)) return false;
      scenario->humidity = static_cast<uint8_t>(value);
    }
    const YAML::Node steps = root["steps"];
    if (!steps) return Fail(root, "the scenario needs \"steps\"");
    if (!steps.IsSequence() || steps.size() == 0) return Fail(steps, "\"steps\" is a list of steps");
    for (const YAML::Node& node : steps) {
      Step step;
      if (!ParseStep(node, &step)) return false;
      scenario->steps.push_back(step);
    }
    return true;
  }

  // yaml-cpp keeps both of two equal keys and a lookup finds only the first, so a repeated key
  // would pass unnoticed: refused, as are nesting deeper than a scenario has and endless aliases.
  bool CheckNode(const YAML::Node& node, int depth) {
    if (depth > kMaxNesting) {
      return Fail(node, "values nested deeper than " + std::to_string(kMaxNesting) + " levels");
    }
    if (++nodes_seen > kMaxNodes) {
      return Fail(node, "more than " + std::to_string(kMaxNodes) + " values in one file");
    }
    if (node.IsSequence()) {
      for (const YAML::Node& item : node) {
        if (!CheckNode(item, depth + 1)) return false;
      }
    }
    if (!node.IsMap()) return true;
    std::map<std::string, int> first_line;
    for (const auto& entry : node) {
      if (!CheckNode(entry.first, depth + 1) || !CheckNode(entry.second, depth + 1)) return false;
      if (!entry.first.IsScalar()) continue;
      const auto seen = first_line.emplace(entry.first.Scalar(), entry.first.Mark().line + 1);
      if (!seen.second) {
        return Fail(entry.first, "duplicate key \"" + entry.first.Scalar() + "\" (first on line " +
                                     std::to_string(seen.first->second) + ")");
      }
    }
    return true;
  }
};

// Notes where a document's first event lies. yaml-cpp's LoadAll can go on yielding empty
// documents for some broken input, so documents are counted with the event parser instead, and
// never more than two are asked for.
struct DocumentStart : YAML::EventHandler {
  bool seen = false;
  YAML::Mark mark = YAML::Mark::null_mark();
  void Note(const YAML::Mark& at) {
    if (!seen) mark = at;
    seen = true;
  }
  void OnDocumentStart(const YAML::Mark& at) override { Note(at); }
  void OnDocumentEnd() override {}
  void OnNull(const YAML::Mark& at, YAML::anchor_t) override { Note(at); }
  void OnAlias(const YAML::Mark& at, YAML::anchor_t) override { Note(at); }
  void OnScalar(const YAML::Mark& at, const std::string&, YAML::anchor_t,
                const std::string&) override {
    Note(at);
  }
  void OnSequenceStart(const YAML::Mark& at, const std::string&, YAML::anchor_t,
                       YAML::EmitterStyle::value) override {
    Note(at);
  }
  void OnSequenceEnd() override {}
  void OnMapStart(const YAML::Mark& at, const std::string&, YAML::anchor_t,
                  YAML::EmitterStyle::value) override {
    Note(at);
  }
  void OnMapEnd() override {}
};

// How many documents the text holds, zero, one or two (two standing for more); `second` is where
// the second one starts.
int CountDocuments(const std::string& text, YAML::Mark* second) {
  std::istringstream in(text);
  YAML::Parser parser(in);
  DocumentStart first_start, second_start;
  if (!parser.HandleNextDocument(first_start)) return 0;
  if (!parser.HandleNextDocument(second_start)) return 1;
  *second = second_start.mark;
  return 2;
}

bool IsWordStart(const std::string& name, size_t at) { return at == 0 || name[at - 1] == ' '; }
bool IsWordEnd(const std::string& name, size_t at) { return at == name.size() || name[at] == ' '; }

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string FormatScenarioError(const ScenarioError& error) {
  std::ostringstream out;
  out << error.file << ":" << error.line << ":" << error.column << ": error: " << error.message;
  return out.str();
}

bool ParseDurationTicks(const std::string& text, uint64_t* ticks) {
  if (text.empty()) return false;
  uint64_t total_ms = 0;
  size_t at = 0;
  bool bare = true;
  while (at < text.size()) {
    if (!std::isdigit(static_cast<unsigned char>(text[at]))) return false;
    uint64_t number = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      number = number * 10 + static_cast<uint64_t>(text[at++] - '0');
      if (number > kLargestDurationNumber) return false;
    }
    uint64_t unit_ms = kMsPerSecond;
    if (text.compare(at, 2, "ms") == 0) {
      unit_ms = 1;
      at += 2;
    } else if (at < text.size() && text[at] == 'd') {
      unit_ms = kMsPerDay;
      ++at;
    } else if (at < text.size() && (text[at] == 'h' || text[at] == 'm' || text[at] == 's')) {
      unit_ms = text[at] == 'h' ? 3600u * kMsPerSecond : text[at] == 'm' ? 60u * kMsPerSecond
                                                                           : kMsPerSecond;
      ++at;
    } else if (at < text.size() || !bare) {
      return false;  // a bare number only alone
    }
    bare = false;
    total_ms += number * unit_ms;
    if (total_ms > kLongestDurationMs) return false;
  }
  *ticks = (total_ms + kTickMs - 1) / kTickMs;
  return true;
}

const PanelArea* FindAreaByName(const std::vector<PanelArea>& areas, const std::string& wanted,
                                bool* ambiguous) {
  *ambiguous = false;
  const std::string key = Lower(wanted);
  if (key.empty()) return nullptr;
  for (const PanelArea& area : areas) {
    if (Lower(area.name) == key) return &area;
  }
  const PanelArea* found = nullptr;
  for (const PanelArea& area : areas) {
    const std::string name = Lower(area.name);
    for (size_t at = name.find(key); at != std::string::npos; at = name.find(key, at + 1)) {
      if (!IsWordStart(name, at) || !IsWordEnd(name, at + key.size())) continue;
      if (found && found != &area) {
        *ambiguous = true;
        return nullptr;
      }
      found = &area;
    }
  }
  return found;
}

bool ParseScenarioText(const std::string& text, const std::string& file, const AreaNames& names,
                       Scenario* scenario, ScenarioError* error) {
  *scenario = Scenario{};
  scenario->file = file;
  Parser parser{file, &names, error};
  YAML::Node root;
  int documents = 0;
  YAML::Mark second = YAML::Mark::null_mark();
  try {
    documents = CountDocuments(text, &second);
    if (documents == 1) root = YAML::Load(text);
  } catch (const YAML::DeepRecursion& e) {
    *error = ScenarioError{file, e.mark.line + 1, e.mark.column + 1, "values nested too deeply"};
    return false;
  } catch (const YAML::ParserException& e) {
    *error = ScenarioError{file, e.mark.line + 1, e.mark.column + 1, e.msg};
    return false;
  }
  if (documents == 0) {
    *error = ScenarioError{file, 1, 1, "the file is empty: a scenario is a map with \"name\" and \"steps\""};
    return false;
  }
  if (documents > 1) {
    *error = second.is_null() ? ScenarioError{file, 1, 1, ""}
                              : ScenarioError{file, second.line + 1, second.column + 1, ""};
    error->message = "a second YAML document: a file holds one scenario";
    return false;
  }
  try {
    return parser.CheckNode(root, 0) && parser.ParseDocument(root, scenario);
  } catch (const YAML::Exception& e) {
    *error = ScenarioError{file, e.mark.line + 1, e.mark.column + 1, e.msg};
    return false;
  }
}

bool ParseScenarioFile(const std::string& file, const AreaNames& names, Scenario* scenario,
                       ScenarioError* error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    *error = ScenarioError{file, 0, 0, "cannot read the file"};
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseScenarioText(text.str(), file, names, scenario, error);
}

}  // namespace sim
