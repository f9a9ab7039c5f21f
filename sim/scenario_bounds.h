// How long a scenario can run in simulated time, so that no scenario keeps a test job busy for
// hours: the steps' durations are added up before the run, and the run itself stops at the limit.
#pragma once

#include <cstdint>
#include <string>

#include "app/controller/controller_codes.h"
#include "sim/scenario.h"

namespace sim {

constexpr uint64_t kTicksAfterRelease = 5;  // a click ends with the key up handled
// The default limit of a scenario's simulated time: 31 days.
constexpr uint64_t kDefaultMaxTicks = 31ull * 24u * 3600u * controller::kTicksPerSecond;

// The most ticks one step can run: a press's hold and key-up, a wait, a wait-lcd's timeout.
uint64_t StepMaxTicks(const Step& step);

// False with `error` at the first step after which the scenario could run longer than
// `max_ticks` (at most the longest duration ParseDurationTicks gives, so the sum never wraps).
bool CheckScenarioBound(const Scenario& scenario, uint64_t max_ticks, ScenarioError* error);

// Ticks as "31d", "1h30m", "2s" (rounded up to whole seconds).
std::string FormatDurationTicks(uint64_t ticks);

}  // namespace sim
