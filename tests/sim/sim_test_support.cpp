#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace sim_test {

sim::AreaNames DatasetNames() {
  std::string error;
  EXPECT_TRUE(sim::StartSimPanel(SICCORA_DATASET_DIR, "rk52.opd", &error)) << error;
  return sim::AreaNames{sim::PanelButtons(), sim::PanelLeds()};
}

sim::Scenario ScenarioFromText(const std::string& text) {
  sim::Scenario scenario;
  sim::ScenarioError error;
  EXPECT_TRUE(sim::ParseScenarioText(text, "test.yaml", DatasetNames(), &scenario, &error))
      << sim::FormatScenarioError(error);
  return scenario;
}

void TraceCollector::Observe(void* context, uint64_t elapsed_ms, sim::FrameDirection direction,
                             const uint8_t* bytes, size_t length) {
  std::string& text = static_cast<TraceCollector*>(context)->text;
  text += std::to_string(elapsed_ms) + (direction == sim::FrameDirection::kToPanel ? " > " : " < ");
  text.append(reinterpret_cast<const char*>(bytes), length);
  text += '\n';
}

TracedRun RunTraced(const sim::Scenario& scenario, bool fast_forward) {
  TraceCollector trace;
  sim::SetFrameObserver(TraceCollector::Observe, &trace);
  TracedRun run{sim::RunScenario(scenario, DatasetSetup(fast_forward)), "", 0};
  sim::SetFrameObserver(nullptr, nullptr);
  run.trace = trace.text;
  run.executed_ticks = sim::ExecutedTicks();
  return run;
}

}  // namespace sim_test
