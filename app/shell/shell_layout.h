// Where the children of the application window go for a given client size: the two slider
// columns on the left, the relay boxes on the right and the help text along the bottom.
#pragma once

namespace shell {

struct ControlPlace {
  int control_id;
  int x, y, width, height;
};

constexpr int kShellControlCount = 12;

// Fills places[] for client width w and height h and the dialog base units cx, cy (integer
// division throughout, as the window has always laid itself out). Returns kShellControlCount.
int ComputeShellLayout(int w, int h, int cx, int cy, ControlPlace places[kShellControlCount]);

}  // namespace shell
