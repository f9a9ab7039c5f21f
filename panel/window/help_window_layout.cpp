// The help note's size-and-place rule.
#include "panel/window/help_window_layout.h"

#include <algorithm>

namespace panel {

namespace {

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t HelpNoteCapitalWidth(int32_t average_width, bool variable_pitch) {
  return average_width * (variable_pitch ? 3 : 2) / 2;
}

HelpNotePlacement PlaceHelpNote(const HelpNoteMetrics& metrics, int32_t text_length, int32_t x,
                                int32_t y) {
  const int64_t n = std::max<int32_t>(text_length, 0);
  const int64_t w = metrics.average_width;
  const int64_t lh = std::max<int32_t>(metrics.line_height, 1);
  const int64_t cap = metrics.capital_width;

  const int64_t width = std::min<int64_t>(n, kHelpNoteMaxLineChars) * w + cap;
  // n x 0.0125 x lh in integers (0.0125 = 1/80), so no rounding of the factor creeps in.
  int64_t height = n * lh / kHelpNoteCharsPerLine + 1;
  // Always up to the next multiple: a height that is one already grows by a whole line.
  height = height + lh - height % lh;

  int64_t left = x;
  int64_t top = y;
  if (left + w + width > metrics.screen_width) {
    left = metrics.screen_width - 2 * cap - width;
  }
  if (top + height > metrics.screen_height - lh) {
    top = metrics.screen_height - 2 * lh - height;
  }
  return HelpNotePlacement{ClampToInt32(left), ClampToInt32(top),
                           ClampToInt32(width + kHelpNoteFrame),
                           ClampToInt32(height + kHelpNoteFrame)};
}

}  // namespace panel
