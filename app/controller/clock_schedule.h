// Time-of-day rules: the daily blocked period in which the dryer must not run, and the start time
// of a delayed program start.
#pragma once

#include <cstdint>

namespace controller {

// False inside the blocked period [block start, block end), which may run across midnight.
// A period whose start equals its end blocks nothing.
bool IsOperationAllowed();

// Sets `start_hour` and `start_minute`: the current time rounded to a half hour (minutes 0..20 to
// :00, 21..50 to :30, 51..59 to the next :00), plus `steps` half hours.
void DelayedStartTime(uint8_t steps);

}  // namespace controller
