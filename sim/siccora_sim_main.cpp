// siccora-sim: runs the dryer's controller and its panel headless on a simulated clock and plays
// YAML scenarios against them.
//
//   siccora-sim [options] SCENARIO.yaml...
//     --data DIR          the data set's folder (default: the program's own folder)
//     --area FILE         the area file in it (default rk52.opd)
//     --junit FILE        JUnit XML report
//     --trace FILE        every frame with its simulated time
//     --picture FILE      PNG of the panel at the end (without scenarios: after --run)
//     --run DURATION      without scenarios: how long to run before the picture (default 5s)
//     --tick-by-tick      no fast-forward over quiet ticks
//     --max-time DURATION the most simulated time one scenario may take (default 31d)
//
// Every scenario is read and checked before the first one runs, its steps' durations included.
// Exit code 0 when all passed, 1 when one failed, 2 for a usage, file or scenario error.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/controller/controller_tick.h"
#include "sim/panel_picture.h"
#include "sim/scenario.h"
#include "sim/scenario_bounds.h"
#include "sim/scenario_run.h"
#include "sim/sim_engine.h"
#include "sim/sim_reports.h"

namespace {

constexpr int kExitPassed = 0;
constexpr int kExitFailed = 1;
constexpr int kExitError = 2;
constexpr char kDefaultAreaFile[] = "rk52.opd";
constexpr char kDefaultPictureRun[] = "5s";
constexpr size_t kPathMax = 4096;
constexpr uint32_t kPictureClockMs = 10u * 3600u * 1000u;  // 10:00, as a scenario's default

struct Options {
  sim::RunSetup setup;
  std::string junit;
  std::string trace;
  std::string picture;
  std::string run = kDefaultPictureRun;
  std::vector<std::string> scenarios;
};

std::string ProgramFolder() {
  char path[kPathMax] = {};
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  std::string text(path, static_cast<size_t>(length));
  const size_t slash = text.rfind('/');
  return slash == std::string::npos ? "." : text.substr(0, slash);
}

int Usage() {
  std::fprintf(stderr,
               "usage: siccora-sim [--data DIR] [--area FILE] [--junit FILE] [--trace FILE]\n"
               "                   [--picture FILE] [--run DURATION] [--tick-by-tick] "
               "[--max-time DURATION]\n"
               "                   SCENARIO.yaml...\n");
  return kExitError;
}

bool ParseOptions(int argc, char** argv, Options* options) {
  options->setup.data_dir = ProgramFolder();
  options->setup.area_file = kDefaultAreaFile;
  options->setup.out = stdout;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--tick-by-tick") {
      options->setup.fast_forward = false;
    } else if (arg == "--data" && has_value) {
      options->setup.data_dir = argv[++i];
    } else if (arg == "--area" && has_value) {
      options->setup.area_file = argv[++i];
    } else if (arg == "--junit" && has_value) {
      options->junit = argv[++i];
    } else if (arg == "--trace" && has_value) {
      options->trace = argv[++i];
    } else if (arg == "--picture" && has_value) {
      options->picture = argv[++i];
    } else if (arg == "--run" && has_value) {
      options->run = argv[++i];
    } else if (arg == "--max-time" && has_value) {
      if (!sim::ParseDurationTicks(argv[++i], &options->setup.max_ticks)) return false;
    } else if (arg.rfind("--", 0) == 0) {
      return false;
    } else {
      options->scenarios.push_back(arg);
    }
  }
  return !options->scenarios.empty() || !options->picture.empty();
}

// Without scenarios: start the dryer, let it run, and keep the picture.
int PictureOnly(const Options& options) {
  uint64_t ticks = 0;
  if (!sim::ParseDurationTicks(options.run, &ticks)) return Usage();
  if (ticks > options.setup.max_ticks) {
    std::fprintf(stderr, "siccora-sim: --run %s is longer than --max-time %s\n",
                 options.run.c_str(), sim::FormatDurationTicks(options.setup.max_ticks).c_str());
    return kExitError;
  }
  sim::Scenario idle;
  idle.file = "--run";
  idle.name = "idle";
  idle.clock_ms = kPictureClockMs;
  idle.temperature = controller::kStartTemperature;
  idle.humidity = controller::kStartHumidity;
  sim::Step wait{};
  wait.kind = sim::StepKind::kWait;
  wait.ticks = ticks;
  wait.text = "wait: " + options.run;
  idle.steps.push_back(wait);
  sim::RunSetup quiet = options.setup;
  quiet.out = nullptr;
  const sim::ScenarioResult result = sim::RunScenario(idle, quiet);
  if (!result.passed) {
    std::fprintf(stderr, "siccora-sim: %s\n", result.failure.c_str());
    return kExitError;
  }
  return kExitPassed;
}

bool WritePicture(const std::string& path) {
  sim::Picture picture;
  std::string error;
  if (sim::RenderPanelPicture(&picture, &error) && sim::WritePicturePng(path, picture, &error)) {
    return true;
  }
  std::fprintf(stderr, "siccora-sim: %s\n", error.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) return Usage();

  std::string error;
  if (!sim::StartSimPanel(options.setup.data_dir, options.setup.area_file, &error)) {
    std::fprintf(stderr, "siccora-sim: %s\n", error.c_str());
    return kExitError;
  }
  const sim::AreaNames names{sim::PanelButtons(), sim::PanelLeds()};
  std::vector<sim::Scenario> scenarios(options.scenarios.size());
  bool all_read = true;
  for (size_t i = 0; i < options.scenarios.size(); ++i) {
    sim::ScenarioError parse_error;
    if (!sim::ParseScenarioFile(options.scenarios[i], names, &scenarios[i], &parse_error) ||
        !sim::CheckScenarioBound(scenarios[i], options.setup.max_ticks, &parse_error)) {
      std::fprintf(stderr, "%s\n", sim::FormatScenarioError(parse_error).c_str());
      all_read = false;
    }
  }
  if (!all_read) return kExitError;

  std::FILE* trace = nullptr;
  if (!options.trace.empty()) {
    trace = std::fopen(options.trace.c_str(), "wb");
    if (!trace) {
      std::fprintf(stderr, "siccora-sim: cannot write %s\n", options.trace.c_str());
      return kExitError;
    }
    sim::SetFrameObserver(sim::TraceFrame, trace);
  }

  int exit_code = kExitPassed;
  std::vector<sim::ReportedScenario> reported;
  if (scenarios.empty()) {
    exit_code = PictureOnly(options);
  }
  for (const sim::Scenario& scenario : scenarios) {
    if (trace) std::fprintf(trace, "# scenario %s (%s)\n", scenario.name.c_str(), scenario.file.c_str());
    const sim::ScenarioResult result = sim::RunScenario(scenario, options.setup);
    if (!result.passed) exit_code = kExitFailed;
    reported.push_back(sim::ReportedScenario{scenario.name, scenario.file, result});
  }
  if (trace) std::fclose(trace);
  if (!options.picture.empty() && !WritePicture(options.picture)) exit_code = kExitError;
  if (!options.junit.empty() && !sim::WriteJunitReport(options.junit, reported)) {
    std::fprintf(stderr, "siccora-sim: cannot write %s\n", options.junit.c_str());
    exit_code = kExitError;
  }
  if (scenarios.size() > 1) {
    size_t passed = 0;
    for (const sim::ReportedScenario& s : reported) passed += s.result.passed ? 1 : 0;
    std::printf("%zu of %zu scenarios passed\n", passed, reported.size());
  }
  return exit_code;
}
