// Times reading the dryer's data set as the panel window does it: the area file (open, check,
// settings and area list) and the context-help file (open, split into entries), and one help
// lookup. Prints microseconds per operation, the best of several batches.
//   panel_files_bench [data set folder]   (default: the folder the build put it in)
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "panel/core/data_lists.h"
#include "panel/window/area_file.h"
#include "panel/window/context_help_file.h"

using namespace panel;

namespace {

constexpr int kBatches = 7;
constexpr int kRunsPerBatch = 200;

// The data lists write a diagnostic line per record to standard output; they go to /dev/null
// while the clock runs, as they would to a closed console.
class QuietStandardOutput {
 public:
  QuietStandardOutput() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    const int null_device = open("/dev/null", O_WRONLY);
    dup2(null_device, STDOUT_FILENO);
    close(null_device);
  }
  ~QuietStandardOutput() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

// Runs `prepare` (untimed) and `operation` (timed) kRunsPerBatch times per batch; returns the
// best batch's mean.
template <class Prepare, class Operation>
double BestMicroseconds(Prepare prepare, Operation operation) {
  double best = 1e30;
  for (int batch = 0; batch < kBatches; ++batch) {
    double us = 0;
    for (int run = 0; run < kRunsPerBatch; ++run) {
      prepare();
      const auto start = std::chrono::steady_clock::now();
      operation();
      us += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
    }
    if (us / kRunsPerBatch < best) best = us / kRunsPerBatch;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : SICCORA_DATASET_DIR;
  const std::string area_file = folder + "/rk52.opd";
  const std::string help_file = folder + "/rk52.ctx";
  static PanelSettings settings;
  SetRectList(CreateRectList());
  int area_result = 0;
  int help_result = 0;
  const char* help = nullptr;
  double area_us = 0, help_us = 0, lookup_us = 0;
  {
    QuietStandardOutput quiet;
    auto nothing = [] {};
    area_us = BestMicroseconds(nothing,
                               [&] { area_result = ReadAreaFile(area_file.c_str(), &settings); });
    help_us = BestMicroseconds(DeleteContextHelp,
                               [&] { help_result = ReadContextHelpFile(help_file.c_str()); });
    lookup_us = BestMicroseconds(nothing,
                                 [&] { help = FindContextHelp(kRectKindLed, "Filter alarm"); });
  }
  if (area_result != 1 || help_result != 1 || help == nullptr) {
    std::fprintf(stderr, "panel_files_bench: cannot read the data set in %s\n", folder.c_str());
    return 1;
  }
  std::printf("area file %s (%d areas): %.1f us per read\n", area_file.c_str(),
              GetRectList()->count, area_us);
  std::printf("context-help file %s: %.1f us per read\n", help_file.c_str(), help_us);
  std::printf("help lookup (LED \"Filter alarm\"): %.2f us\n", lookup_us);
  QuietStandardOutput quiet;
  DeleteContextHelp();
  DelRectList(GetRectList());
  return 0;
}
