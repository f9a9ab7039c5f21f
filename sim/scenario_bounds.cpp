#include "sim/scenario_bounds.h"

#include <string>

#include "sim/sim_engine.h"

namespace sim {

std::string FormatDurationTicks(uint64_t ticks) {
  const uint64_t seconds = (ticks * kTickMs + kMsPerSecond - 1) / kMsPerSecond;
  std::string text;
  if (seconds >= 86400u) text += std::to_string(seconds / 86400u) + "d";
  if (seconds % 86400u >= 3600u) text += std::to_string(seconds % 86400u / 3600u) + "h";
  if (seconds % 3600u >= 60u) text += std::to_string(seconds % 3600u / 60u) + "m";
  if (seconds % 60u != 0 || text.empty()) text += std::to_string(seconds % 60u) + "s";
  return text;
}

uint64_t StepMaxTicks(const Step& step) {
  if (step.kind == StepKind::kPress) return step.ticks + kTicksAfterRelease;
  if (step.kind == StepKind::kWait || step.kind == StepKind::kWaitLcd) return step.ticks;
  return 0;
}

bool CheckScenarioBound(const Scenario& scenario, uint64_t max_ticks, ScenarioError* error) {
  uint64_t total = 0;
  for (const Step& step : scenario.steps) {
    total += StepMaxTicks(step);  // at most twice the longest duration: no wrap
    if (total <= max_ticks) continue;
    *error = ScenarioError{scenario.file, step.line, step.column,
                           "the scenario may run " + FormatDurationTicks(total) +
                               " of simulated time by this step, more than --max-time " +
                               FormatDurationTicks(max_ticks)};
    return false;
  }
  return true;
}

}  // namespace sim
