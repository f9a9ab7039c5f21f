#include "app/shell/shell_layout.h"

#include "app/shell/shell_relays.h"
#include "app/shell/shell_resource_ids.h"
#include "app/shell/shell_sliders.h"

namespace shell {

int ComputeShellLayout(int w, int h, int cx, int cy, ControlPlace places[kShellControlCount]) {
  int n = 0;
  places[n++] = {IDC_LEFT_BACKGROUND, 0, 0, w / 2, h - 5 * cy};
  places[n++] = {IDC_RIGHT_FRAME, w / 2, 0, w / 2, h - 5 * cy};
  for (int row = 0; row < kSliderRowCount; ++row) {
    places[n++] = {IDC_TEMPERATURE_BAR + row, (1 + 2 * row) * w / 14, 2 * cy, w / 28, h - 9 * cy};
    places[n++] = {IDC_TEMPERATURE_LABEL + row, (1 + 4 * row) * w / 28, cy / 2, w / 7, cy};
    places[n++] = {IDC_TEMPERATURE_VALUE + row, (1 + 4 * row) * w / 28, h - 6 * cy - cy / 2,
                   w / 7, cy};
  }
  for (int k = 0; k < kRelayIndicatorCount; ++k)
    places[n++] = {kRelayIndicators[k].control_id, w / 2 + 10, (k + 1) * h / 5, 15 * cx, 2 * cy};
  places[n++] = {IDC_HELP_TEXT, 0, h - 5 * cy, w, h - 5 * cy};
  return n;
}

}  // namespace shell
