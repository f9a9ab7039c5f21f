// The controller's wall clock on Windows: the local time of the machine.
#pragma once

#include "app/controller/wall_clock.h"

namespace shell {

controller::WallClockTime LocalWallClock();

}  // namespace shell
