// The LCD pixels the browser tests expect: the controller started against the native panel (as
// siccora-sim runs it) so the LCD is set up as the controller sets it up, then the given texts
// written into display memory and each row drawn by the LCD rasteriser into its row rectangle.
//
//   lcd_expect DATA_DIR ROW TEXT [ROW TEXT ...]
//
// prints one JSON line per row: {"row":R,"left":..,"top":..,"width":..,"height":..,"pixels":[..]}
// with 0xRRGGBB pixels. TEXT is UTF-8; "°" is the LCD's degree sign. Exit 2 on bad arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "sim/sim_engine.h"
#include "sim/sim_panel.h"

namespace {

constexpr uint64_t kSetUpTicks = 40;  // the controller's LCD set-up is done well before 2 s
constexpr size_t kRowCharacters = 16;

std::string LcdBytes(const char* text) {
  std::string bytes;
  for (const char* p = text; *p; ++p) {
    if (std::strncmp(p, "\xC2\xB0", 2) == 0) {
      bytes += static_cast<char>(panel::kLcdDegreeCode);
      ++p;
    } else {
      bytes += *p;
    }
  }
  bytes.resize(kRowCharacters, ' ');
  return bytes;
}

void PrintRow(int row) {
  const panel::LcdRect rect = panel::LcdGetView()->rows[row];
  const int32_t width = rect.right - rect.left, height = rect.bottom - rect.top;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height),
                               panel::ColourPixel(panel::LcdGetView()->background_colour));
  panel::LcdPixelBuffer buffer{rect.left, rect.top, width, height, pixels.data()};
  panel::LcdRasterise(&buffer);
  std::printf("{\"row\":%d,\"left\":%d,\"top\":%d,\"width\":%d,\"height\":%d,\"pixels\":[", row,
              rect.left, rect.top, width, height);
  for (size_t i = 0; i < pixels.size(); ++i) std::printf(i ? ",%u" : "%u", pixels[i]);
  std::printf("]}\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: lcd_expect DATA_DIR ROW TEXT [ROW TEXT ...]\n");
    return 2;
  }
  std::string error;
  if (!sim::StartSimPanel(argv[1], "rk52.opd", &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  sim::StartEngine(sim::EngineStart{0, 15, 58});
  sim::RunTicks(kSetUpTicks);
  std::vector<int> rows;
  for (int i = 2; i + 1 < argc; i += 2) {
    const int row = std::atoi(argv[i]);
    if (row < 0 || row >= sim::kLcdTextRows) return 2;
    const std::string bytes = LcdBytes(argv[i + 1]);
    std::memcpy(panel::LcdGetDisplayMemory() + panel::LcdGetLayout()->row_start[row],
                bytes.data(), kRowCharacters);
    rows.push_back(row);
  }
  for (int row : rows) PrintRow(row);
  return 0;
}
