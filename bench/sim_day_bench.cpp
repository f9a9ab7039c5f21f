// How fast siccora-sim runs the dryer: a simulated day of the room program (damp mornings, dry
// afternoons, the heater, the blocked period) with fast-forward over quiet ticks and tick by tick
// in the same run, the replay of a recorded one-hour session, and every scenario of scenarios/
// read and run in this one process, as the test command runs them. Prints wall times.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/shell/session_recorder.h"
#include "sim/scenario.h"
#include "sim/scenario_run.h"
#include "sim/sim_engine.h"

namespace {

constexpr char kDatasetDir[] = SICCORA_DATASET_DIR;
constexpr char kScenarioDir[] = SICCORA_SCENARIO_DIR;
constexpr char kSessionFile[] = "sim_day_bench_session.yaml";
constexpr int kRuns = 3;  // the best of three: the machine is shared

const char kRoomDay[] =
    "name: Room program day\nclock: \"06:00\"\nhumidity: 70\nsteps:\n"
    "  - wait: 3s\n"
    "  - press: Room\n"
    "  - press: Heater\n"
    "  - wait: 4h\n"
    "  - set: {humidity: 55, temperature: 21}\n"
    "  - wait: 6h\n"
    "  - set: {humidity: 68, temperature: 17}\n"
    "  - wait: 8h\n"
    "  - set: {humidity: 75, temperature: 12}\n"
    "  - wait: 5h59m57s\n";

sim::RunSetup Setup(bool fast_forward) {
  sim::RunSetup setup;
  setup.data_dir = kDatasetDir;
  setup.area_file = "rk52.opd";
  setup.fast_forward = fast_forward;
  return setup;
}

sim::AreaNames Names() {
  std::string error;
  if (!sim::StartSimPanel(kDatasetDir, "rk52.opd", &error)) std::fprintf(stderr, "%s\n", error.c_str());
  return sim::AreaNames{sim::PanelButtons(), sim::PanelLeds()};
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct DayFigures {
  double best_ms = 1e9;
  uint64_t executed_ticks = 0;
  bool passed = false;
};

DayFigures RunDay(const sim::Scenario& day, bool fast_forward) {
  DayFigures figures;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const sim::ScenarioResult result = sim::RunScenario(day, Setup(fast_forward));
    const double ms = Seconds(start) * 1000.0;
    if (ms < figures.best_ms) figures.best_ms = ms;
    figures.executed_ticks = sim::ExecutedTicks();
    figures.passed = result.passed;
  }
  return figures;
}

// The recorder's side of the session: the panel's messages before each tick, the frame after.
struct RecordingShell {
  std::string frame;
  static void Observe(void* context, uint64_t, sim::FrameDirection direction,
                      const uint8_t* bytes, size_t length) {
    if (direction == sim::FrameDirection::kToController) {
      for (size_t i = 0; i < length; ++i) shell::RecordPanelByte(bytes[i]);
    } else {
      static_cast<RecordingShell*>(context)->frame.assign(reinterpret_cast<const char*>(bytes), length);
    }
  }
  void Run(uint64_t ticks) {
    for (uint64_t i = 0; i < ticks; ++i) {
      frame.clear();
      sim::RunTicks(1);
      shell::RecordRelayByte(sim::RelayByte());
      shell::RecordTick(sim::InputTemperature(), sim::InputHumidity(),
                        reinterpret_cast<const uint8_t*>(frame.data()), static_cast<int>(frame.size()));
    }
  }
  void Tap(int32_t id) {
    sim::SetKeyState(id);
    Run(4);
    sim::SetKeyState(0);
  }
};

const char* ButtonName(int32_t id) {
  static const char* const kNames[] = {"Off", "Clothes washing", "Filter reset", "Heater", "Room"};
  for (int bit = 0; bit < 5; ++bit) {
    if (id == (1 << bit)) return kNames[bit];
  }
  return nullptr;
}

const char* LedName(int32_t bit) {
  static const char* const kNames[] = {"Room program", "Washing program", "Ready",
                                       "Heater manual", "Heater automatic", "Filter alarm"};
  for (int k = 0; k < 6; ++k) {
    if (bit == (1 << k)) return kNames[k];
  }
  return nullptr;
}

// An hour of somebody using the prototype: programs, the heater, the menus, the sliders.
void RecordOneHour() {
  Names();
  sim::SetFastForward(false);
  sim::StartEngine(sim::EngineStart{8u * 3600u * 1000u, 15, 58});
  RecordingShell shell_side;
  sim::SetFrameObserver(RecordingShell::Observe, &shell_side);
  shell::StartRecording(kSessionFile, shell::RecorderStart{8, 0, 0, 15, 58, ButtonName, 0, LedName});
  const uint64_t hour_ticks = 3600u * 20u;
  uint64_t done = 0;
  int round = 0;
  while (done + 6000 < hour_ticks) {
    sim::SetInputs(static_cast<int8_t>(10 + round % 8), static_cast<uint8_t>(62 + (round * 7) % 20));
    shell_side.Tap(round % 2 ? 16 : 2);           // room or washing
    shell_side.Run(600);
    shell_side.Tap(8);                            // heater
    shell_side.Run(1200);
    sim::SetInputs(static_cast<int8_t>(10 + round % 8), 45);
    shell_side.Run(1800);
    sim::SetKeyState(4);                          // the time menu and out again
    shell_side.Run(6);
    sim::SetKeyState(4 | 2);
    shell_side.Run(6);
    sim::SetKeyState(0);
    shell_side.Run(200);
    shell_side.Tap(1);
    shell_side.Run(2000);
    done = sim::ElapsedTicks();
    ++round;
  }
  shell_side.Run(hour_ticks - sim::ElapsedTicks());
  shell::StopRecording();
  sim::SetFrameObserver(nullptr, nullptr);
}

struct ScenarioFigures {
  size_t count = 0;
  size_t passed = 0;
  double best_ms = 1e9;
};

// Every scenario of scenarios/, read and run one after the other, best of kRuns; in a folder of
// its own, which takes their screenshots and is removed afterwards.
ScenarioFigures RunAllScenarios() {
  ScenarioFigures figures;
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(kScenarioDir)) {
    if (entry.path().extension() == ".yaml") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  const std::filesystem::path home = std::filesystem::current_path();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("sim_day_bench_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const sim::AreaNames names = Names();
    figures.count = files.size();
    figures.passed = 0;
    for (const std::string& file : files) {
      sim::Scenario scenario;
      sim::ScenarioError error;
      if (!sim::ParseScenarioFile(file, names, &scenario, &error)) {
        std::fprintf(stderr, "%s\n", sim::FormatScenarioError(error).c_str());
        continue;
      }
      figures.passed += sim::RunScenario(scenario, Setup(true)).passed ? 1 : 0;
    }
    figures.best_ms = std::min(figures.best_ms, Seconds(start) * 1000.0);
  }
  std::filesystem::current_path(home);
  std::filesystem::remove_all(folder);
  return figures;
}

}  // namespace

int main() {
  const sim::AreaNames names = Names();
  sim::Scenario day;
  sim::ScenarioError error;
  if (!sim::ParseScenarioText(kRoomDay, "room_day.yaml", names, &day, &error)) {
    std::fprintf(stderr, "%s\n", sim::FormatScenarioError(error).c_str());
    return 1;
  }
  const DayFigures slow = RunDay(day, false);
  const DayFigures fast = RunDay(day, true);
  std::printf("room program, 24 simulated hours, tick by tick:  %8.1f ms wall, %9llu ticks run%s\n",
              slow.best_ms, static_cast<unsigned long long>(slow.executed_ticks),
              slow.passed ? "" : " (FAILED)");
  std::printf("room program, 24 simulated hours, fast-forward:  %8.1f ms wall, %9llu ticks run%s\n",
              fast.best_ms, static_cast<unsigned long long>(fast.executed_ticks),
              fast.passed ? "" : " (FAILED)");
  std::printf("fast-forward is %.1f times faster (goal for the day: under 100 ms)\n",
              slow.best_ms / fast.best_ms);

  RecordOneHour();
  const auto start = std::chrono::steady_clock::now();
  sim::Scenario session;
  const bool parsed = sim::ParseScenarioFile(kSessionFile, Names(), &session, &error);
  const sim::ScenarioResult replay = parsed ? sim::RunScenario(session, Setup(true)) : sim::ScenarioResult{};
  const double replay_ms = Seconds(start) * 1000.0;
  size_t lcd = 0;
  size_t relays = 0;
  size_t leds = 0;
  for (const sim::Step& step : session.steps) {
    lcd += step.kind == sim::StepKind::kExpectLcd;
    relays += step.kind == sim::StepKind::kExpectRelays;
    leds += step.kind == sim::StepKind::kExpectLeds;
  }
  std::printf("recorded one-hour session: %zu steps, checkpoints %zu LCD, %zu relays, %zu LEDs, "
              "read and replayed in %.1f ms wall (goal: under 1 s)%s\n",
              session.steps.size(), lcd, relays, leds, replay_ms,
              replay.passed ? "" : (" FAILED: " + replay.failure).c_str());
  std::remove(kSessionFile);

  const ScenarioFigures all = RunAllScenarios();
  std::printf("all %zu scenarios of scenarios/ in one process: %zu passed, read and run in %.1f ms "
              "wall (goal: under 0.5 s)\n",
              all.count, all.passed, all.best_ms);
  const bool scenarios_passed = all.count > 0 && all.passed == all.count;
  return fast.passed && slow.passed && replay.passed && scenarios_passed ? 0 : 1;
}
