// The controller's time of day: the clock step run by the timer service once per platform second.
// It posts exactly one of the second, minute or half-hour events per step (plus the hour event at
// an hour rollover), which drive the clock display, the defrost checks and the filter count.
#pragma once

namespace controller {

void ClockStep();

}  // namespace controller
