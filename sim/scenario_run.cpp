#include "sim/scenario_run.h"

#include <chrono>

#include "app/controller/controller_fields.h"
#include "sim/panel_picture.h"
#include "sim/sim_engine.h"

namespace sim {

namespace {

struct RelayLabel {
  const char* name;
  int shift;
};
constexpr RelayLabel kReportedRelays[] = {
    {"ventilator", controller::kRelayShiftVentilator},
    {"compressor", controller::kRelayShiftCompressor},
    {"heater", controller::kRelayShiftHeater},
};

bool RelayOn(int shift) { return ((RelayByte() >> shift) & 1) == 0; }  // active low

std::string TrimEnd(const std::string& text) {
  size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

uint64_t g_lcd_comparisons = 0;

bool RowMatches(const LcdExpectation& expectation) {
  ++g_lcd_comparisons;
  const std::string row = LcdRowText(expectation.row);
  if (expectation.is_pattern) return std::regex_search(row, expectation.pattern);
  return TrimEnd(row) == TrimEnd(expectation.text);
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string LcdMismatch(const LcdExpectation& expectation) {
  return "LCD line " + std::to_string(expectation.row + 1) + ": expected " +
         (expectation.is_pattern ? "a match of /" + expectation.text + "/"
                                 : Quote(expectation.text)) +
         ", shows " + Quote(LcdRowText(expectation.row));
}

// A wait-lcd compares its row only when the LCD has drawn a frame since the last look.
struct LcdWait {
  const LcdExpectation* expectation;
  bool looked;
  uint64_t seen_changes;
  bool matched;
};

bool WaitLcdDone(void* context) {
  LcdWait* wait = static_cast<LcdWait*>(context);
  if (wait->looked && wait->seen_changes == LcdChangeCount()) return false;
  wait->looked = true;
  wait->seen_changes = LcdChangeCount();
  wait->matched = RowMatches(*wait->expectation);
  return wait->matched;
}

// Ctrl clicks: one key frame per button, each with the buttons held so far. With key frames at
// once (a recording) the step is one recorded key frame: one frame with all its buttons.
void HoldButtons(int32_t keys, bool one_frame) {
  if (one_frame) {
    SetKeyState(KeyState() | keys);
    return;
  }
  const uint32_t wanted = static_cast<uint32_t>(keys);
  for (uint32_t bit = 1; bit != 0; bit <<= 1) {
    if (wanted & bit) SetKeyState(static_cast<int32_t>(static_cast<uint32_t>(KeyState()) | bit));
  }
}

// Runs one step; false with `why` when it failed.
bool RunStep(const Step& step, bool one_frame_per_step, std::string* why) {
  switch (step.kind) {
    case StepKind::kPress:
      SetKeyState(KeyState() | step.keys);
      RunTicks(step.ticks);
      SetKeyState(KeyState() & ~step.keys);
      RunTicks(kTicksAfterRelease);
      return true;
    case StepKind::kHold:
      HoldButtons(step.keys, one_frame_per_step);
      return true;
    case StepKind::kRelease:
      SetKeyState(step.keys == kReleaseAllButtons ? 0 : KeyState() & ~step.keys);
      return true;
    case StepKind::kSet:
      SetInputs(step.set_temperature ? step.temperature : InputTemperature(),
                step.set_humidity ? step.humidity : InputHumidity());
      return true;
    case StepKind::kWait:
      RunTicks(step.ticks);
      return true;
    case StepKind::kWaitLcd: {
      const LcdExpectation& expectation = step.lcd.front();
      LcdWait wait{&expectation, false, 0, false};
      RunTicks(step.ticks, WaitLcdDone, &wait);
      if (wait.matched) return true;
      *why = "timed out: " + LcdMismatch(expectation);
      return false;
    }
    case StepKind::kExpectLcd:
      for (const LcdExpectation& expectation : step.lcd) {
        if (!RowMatches(expectation)) {
          *why = LcdMismatch(expectation);
          return false;
        }
      }
      return true;
    case StepKind::kExpectRelays:
      for (const RelayExpectation& relay : step.relays) {
        if (RelayOn(relay.shift) != relay.on) {
          *why = "relay " + relay.name + ": expected " + (relay.on ? "on" : "off") + ", is " +
                 (relay.on ? "off" : "on");
          return false;
        }
      }
      return true;
    case StepKind::kExpectLeds:
      for (const LedExpectation& led : step.leds) {
        const LedState state = PanelLedState(led.led.id);
        if (state != led.state) {
          *why = "LED " + led.led.name + ": expected " + LedStateName(led.state) + ", is " +
                 LedStateName(state);
          return false;
        }
      }
      return true;
    case StepKind::kScreenshot: {
      Picture picture;
      return RenderPanelPicture(&picture, why) && WritePicturePng(step.path, picture, why);
    }
    case StepKind::kPanel:
      SetPanelAnswers(step.answers);
      return true;
    case StepKind::kSend:
      SendTargetFrame(step.frame);
      return true;
  }
  return false;
}

// Runs a step within the simulated time left; false with `why` when it failed or reached the end
// of that time first.
bool RunStepWithin(const Step& step, bool one_frame_per_step, uint64_t ticks_left,
                   std::string* why) {
  if (StepMaxTicks(step) <= ticks_left) return RunStep(step, one_frame_per_step, why);
  Step bounded = step;
  const uint64_t after = step.kind == StepKind::kPress ? kTicksAfterRelease : 0;
  bounded.ticks = ticks_left > after ? ticks_left - after : 0;
  if (bounded.kind == StepKind::kWaitLcd && RunStep(bounded, one_frame_per_step, why)) return true;
  if (bounded.kind != StepKind::kWaitLcd) RunStep(bounded, one_frame_per_step, why);
  *why = "reached the limit of " + FormatDurationTicks(ElapsedTicks()) +
         " of simulated time (--max-time)";
  return false;
}

}  // namespace

uint64_t LcdComparisons() { return g_lcd_comparisons; }

std::string FormatClock(uint32_t clock_ms) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", clock_ms / 3600000u,
                clock_ms / 60000u % 60u, clock_ms / 1000u % 60u, clock_ms % 1000u);
  return text;
}

std::string DescribePanelState() {
  std::string text;
  for (int row = 0; row < kLcdTextRows; ++row) {
    text += "    LCD " + std::to_string(row + 1) + ": |" + LcdRowText(row) + "|\n";
  }
  text += "    relays:";
  for (const RelayLabel& relay : kReportedRelays) {
    text += std::string(" ") + relay.name + (RelayOn(relay.shift) ? " on" : " off");
  }
  text += "\n    LEDs:";
  bool first = true;
  for (const PanelArea& led : PanelLeds()) {
    text += std::string(first ? " " : ", ") + led.name + " " + LedStateName(PanelLedState(led.id));
    first = false;
  }
  return text + "\n";
}

ScenarioResult RunScenario(const Scenario& scenario, const RunSetup& setup) {
  ScenarioResult result;
  const auto started = std::chrono::steady_clock::now();
  std::string error;
  if (!StartSimPanel(setup.data_dir, setup.area_file, &error)) {
    result.failure = error;
    return result;
  }
  SetFastForward(setup.fast_forward);
  StartEngine(EngineStart{scenario.clock_ms, scenario.temperature, scenario.humidity});
  SetKeyFramesAtOnce(scenario.key_frames_at_once);
  if (setup.out) std::fprintf(setup.out, "scenario %s (%s)\n", scenario.name.c_str(), scenario.file.c_str());
  result.passed = true;
  for (const Step& step : scenario.steps) {
    std::string why;
    const uint64_t elapsed = ElapsedTicks();
    const bool ok = RunStepWithin(step, scenario.key_frames_at_once,
                                  setup.max_ticks > elapsed ? setup.max_ticks - elapsed : 0, &why);
    ++result.steps_run;
    if (setup.out) {
      std::fprintf(setup.out, "  [%s] %-4s line %-4d %s\n", FormatClock(ClockMs()).c_str(),
                   ok ? "ok" : "FAIL", step.line, step.text.c_str());
    }
    if (!ok) {
      result.passed = false;
      result.failure = "    " + why + "\n" + DescribePanelState() + "    at " + scenario.file +
                       ":" + std::to_string(step.line) + ":" + std::to_string(step.column) +
                       "\n";
      if (setup.out) std::fputs(result.failure.c_str(), setup.out);
      break;
    }
  }
  result.simulated_ms = ElapsedMs();
  result.wall_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  if (setup.out) {
    std::fprintf(setup.out, "%s %s: %zu of %zu steps, %.1f simulated s in %.1f ms\n",
                 result.passed ? "PASS" : "FAIL", scenario.name.c_str(), result.steps_run,
                 scenario.steps.size(), result.simulated_ms / 1000.0, result.wall_seconds * 1000.0);
  }
  return result;
}

}  // namespace sim
