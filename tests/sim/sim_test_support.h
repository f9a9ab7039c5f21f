// Helpers of the runner tests: the build's dryer data set, scenarios from text, and a frame
// observer that keeps the trace in memory.
#pragma once

#include <string>

#include "sim/scenario.h"
#include "sim/scenario_run.h"
#include "sim/sim_engine.h"

namespace sim_test {

inline sim::RunSetup DatasetSetup(bool fast_forward = true) {
  sim::RunSetup setup;
  setup.data_dir = SICCORA_DATASET_DIR;
  setup.area_file = "rk52.opd";
  setup.fast_forward = fast_forward;
  return setup;
}

// The data set's names; starts the panel once for them.
sim::AreaNames DatasetNames();

// Parses `text` as the file "test.yaml"; failures are reported through GoogleTest.
sim::Scenario ScenarioFromText(const std::string& text);

// Every frame as the trace file shows it, in one string.
struct TraceCollector {
  std::string text;
  static void Observe(void* context, uint64_t elapsed_ms, sim::FrameDirection direction,
                      const uint8_t* bytes, size_t length);
};

// A scenario run with its trace, for comparing fast-forward with tick by tick.
struct TracedRun {
  sim::ScenarioResult result;
  std::string trace;
  uint64_t executed_ticks;
};
TracedRun RunTraced(const sim::Scenario& scenario, bool fast_forward);

}  // namespace sim_test
