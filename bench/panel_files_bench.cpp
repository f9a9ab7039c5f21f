// Times reading the dryer's data set as the panel window does it: the area file (open, check,
// settings and area list) and the context-help file (open, split into entries), and one help
// lookup; then a 2 MB context-help file whose one text runs over the whole file, as a hostile or
// careless help file would be read at the first F1. Prints the time per operation, the best of
// several batches.
//   panel_files_bench [data set folder]   (default: the folder the build put it in)
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "panel/core/data_lists.h"
#include "panel/window/area_file.h"
#include "panel/window/context_help_file.h"

using namespace panel;

namespace {

constexpr int kBatches = 7;
constexpr int kRunsPerBatch = 200;
// The large help file: fewer runs, each takes milliseconds.
constexpr size_t kLargeHelpBytes = 2u << 20;
constexpr int kLargeHelpBatches = 3;
constexpr int kLargeHelpRuns = 3;

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

// Runs `prepare` (untimed) and `operation` (timed) `runs` times per batch; returns the best
// batch's mean.
template <class Prepare, class Operation>
double BestMicroseconds(Prepare prepare, Operation operation, int batches = kBatches,
                        int runs = kRunsPerBatch) {
  double best = 1e30;
  for (int batch = 0; batch < batches; ++batch) {
    double us = 0;
    for (int run = 0; run < runs; ++run) {
      prepare();
      const auto start = std::chrono::steady_clock::now();
      operation();
      us += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
    }
    if (us / runs < best) best = us / runs;
  }
  return best;
}

// A help file of about `bytes` bytes: one LED text of CR LF lines that fills it, closed by an
// empty line, and a short text after it that the lookup must still find.
std::string LargeHelpFile(size_t bytes) {
  std::string file = "[KontextHilfe 1.0]\r\n[Led]\r\nName=Big\r\nText=";
  const std::string line = "A help line of a text that never seems to end, 64 chars long.\r\n";
  while (file.size() + line.size() < bytes) file += line;
  file += "\r\nName=After\r\nText=found after the long text\r\n\r\n";
  return file;
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

  const std::string large_help =
      (std::filesystem::temp_directory_path() / "siccora_bench_large.ctx").string();
  std::ofstream(large_help, std::ios::binary) << LargeHelpFile(kLargeHelpBytes);
  int large_result = 0;
  const char* after = nullptr;
  double large_us = 0;
  {
    QuietStandardOutput quiet;
    large_us = BestMicroseconds(
        DeleteContextHelp, [&] { large_result = ReadContextHelpFile(large_help.c_str()); },
        kLargeHelpBatches, kLargeHelpRuns);
    after = FindContextHelp(kRectKindLed, "After");
  }
  std::filesystem::remove(large_help);
  if (large_result != 1 || after == nullptr) {
    std::fprintf(stderr, "panel_files_bench: the large help file was not read\n");
    return 1;
  }
  std::printf("area file %s (%d areas): %.1f us per read\n", area_file.c_str(),
              GetRectList()->count, area_us);
  std::printf("context-help file %s: %.1f us per read\n", help_file.c_str(), help_us);
  std::printf("help lookup (LED \"Filter alarm\"): %.2f us\n", lookup_us);
  std::printf("context-help file of %zu bytes, one long text: %.2f ms per read\n",
              kLargeHelpBytes, large_us / 1000.0);
  QuietStandardOutput quiet;
  DeleteContextHelp();
  DelRectList(GetRectList());
  return 0;
}
