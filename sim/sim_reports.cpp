#include "sim/sim_reports.h"

namespace sim {

namespace {

constexpr uint8_t kFirstPrintable = 0x20;
constexpr uint8_t kLastPrintable = 0x7E;

std::string XmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

bool WriteJunitReport(const std::string& path, const std::vector<ReportedScenario>& scenarios) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  size_t failures = 0;
  double total = 0;
  for (const ReportedScenario& s : scenarios) {
    failures += s.result.passed ? 0 : 1;
    total += s.result.wall_seconds;
  }
  std::fprintf(file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  std::fprintf(file, "<testsuites tests=\"%zu\" failures=\"%zu\" time=\"%.3f\">\n",
               scenarios.size(), failures, total);
  std::fprintf(file, "  <testsuite name=\"siccora-sim\" tests=\"%zu\" failures=\"%zu\" time=\"%.3f\">\n",
               scenarios.size(), failures, total);
  for (const ReportedScenario& s : scenarios) {
    std::fprintf(file, "    <testcase name=\"%s\" classname=\"%s\" time=\"%.3f\"",
                 XmlEscape(s.name).c_str(), XmlEscape(s.file).c_str(), s.result.wall_seconds);
    if (s.result.passed) {
      std::fprintf(file, "/>\n");
      continue;
    }
    const std::string& failure = s.result.failure;
    const size_t from = failure.find_first_not_of(' ');
    const std::string first_line =
        from == std::string::npos ? "" : failure.substr(from, failure.find('\n', from) - from);
    std::fprintf(file, ">\n      <failure message=\"%s\">%s</failure>\n    </testcase>\n",
                 XmlEscape(first_line).c_str(), XmlEscape(s.result.failure).c_str());
  }
  std::fprintf(file, "  </testsuite>\n</testsuites>\n");
  return std::fclose(file) == 0;
}

void TraceFrame(void* file, uint64_t elapsed_ms, FrameDirection direction, const uint8_t* bytes,
                size_t length) {
  std::FILE* out = static_cast<std::FILE*>(file);
  std::fprintf(out, "%10llu %s %s ", static_cast<unsigned long long>(elapsed_ms),
               FormatClock(ClockMs()).c_str(), direction == FrameDirection::kToPanel ? "C>P" : "P>C");
  for (size_t i = 0; i < length; ++i) {
    if (bytes[i] >= kFirstPrintable && bytes[i] <= kLastPrintable) {
      std::fputc(bytes[i], out);
    } else {
      std::fprintf(out, "<0x%02X>", bytes[i]);
    }
  }
  std::fputc('\n', out);
}

}  // namespace sim
