// Feeds arbitrary text to siccora-sim's scenario reader, resolved against the dryer's button and
// LED names: it either gives a scenario whose every step has its place in the file, or an error
// with a line and column and a message, and never crashes, hangs or overflows its stack.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/scenario.h"
#include "tools/rk52_layout.h"

namespace {

sim::AreaNames DryerNames() {
  sim::AreaNames names;
  for (const rk52::Button& button : rk52::kButtons) names.buttons.push_back({button.name, button.id});
  for (const rk52::Led& led : rk52::kLeds) names.leds.push_back({led.name, led.id});
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const sim::AreaNames names = DryerNames();
  const std::string text(reinterpret_cast<const char*>(data), size);
  sim::Scenario scenario;
  sim::ScenarioError error;
  if (!sim::ParseScenarioText(text, "fuzz.yaml", names, &scenario, &error)) {
    if (error.line < 1 || error.column < 1 || error.message.empty()) __builtin_trap();
    return 0;
  }
  if (scenario.steps.empty()) __builtin_trap();
  for (const sim::Step& step : scenario.steps) {
    if (step.line < 1 || step.column < 1 || step.text.empty()) __builtin_trap();
  }
  return 0;
}
