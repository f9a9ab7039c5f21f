// Running parsed scenarios against the simulated dryer: one output line per step, and on a
// failed step a report of what the panel showed at that moment.
#pragma once

#include <cstdio>
#include <string>

#include "sim/scenario.h"
#include "sim/scenario_bounds.h"

namespace sim {

struct RunSetup {
  std::string data_dir;   // the data set's folder
  std::string area_file;  // its area file, relative to data_dir
  bool fast_forward = true;
  uint64_t max_ticks = kDefaultMaxTicks;  // the run fails when it reaches this simulated time
  std::FILE* out = nullptr;  // step lines and reports; null: silent
};

struct ScenarioResult {
  bool passed = false;
  size_t steps_run = 0;
  std::string failure;   // the report of the failed step, several lines
  double wall_seconds = 0;
  uint64_t simulated_ms = 0;
};

// Starts panel and controller afresh with the scenario's start conditions and runs its steps
// until the first failure.
ScenarioResult RunScenario(const Scenario& scenario, const RunSetup& setup);

// How often an LCD row has been compared with an expectation since the program started.
uint64_t LcdComparisons();

// The panel's state as a failure report shows it: both LCD rows, the relays and every LED.
std::string DescribePanelState();

// "HH:MM:SS.mmm" of a time of day in milliseconds.
std::string FormatClock(uint32_t clock_ms);

}  // namespace sim
