// The runner's files for other tools: a JUnit XML report for CI systems and a trace of every
// frame with its simulated time.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "sim/scenario_run.h"
#include "sim/sim_engine.h"

namespace sim {

struct ReportedScenario {
  std::string name;
  std::string file;
  ScenarioResult result;
};

bool WriteJunitReport(const std::string& path, const std::vector<ReportedScenario>& scenarios);

// A frame observer (SetFrameObserver) that writes one line per frame to the FILE* context:
// elapsed ms, time of day, "C>P" (controller to panel) or "P>C", and the bytes, each byte
// outside printable ASCII as <0xNN>.
void TraceFrame(void* file, uint64_t elapsed_ms, FrameDirection direction, const uint8_t* bytes,
                size_t length);

}  // namespace sim
