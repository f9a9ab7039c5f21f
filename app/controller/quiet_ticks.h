// Skipping ticks that would do nothing. A running tick in which no event, message, frame byte,
// received byte or clock step is pending only advances the tick counters: the tick-in-second
// count and the counts of the tick timers. A simulation that knows its inputs and its platform
// second stay unchanged may replace such ticks by SkipQuietTicks and get the same state as if it
// had run them one by one.
#pragma once

#include <cstdint>

namespace controller {

// How many of the next running ticks are quiet, provided the measurements and the platform
// second do not change during them: 0 when the next tick has work to do, also when
// `platform_second`, the second the next tick will read, is not the one the controller saw
// last. A quiet stretch ends before the first tick at which a timer expires or the
// tick-in-second count wraps (the seconds timers count there). At most kTicksPerSecond - 1.
uint32_t QuietTicksAhead(uint8_t platform_second);

// Applies `ticks` quiet ticks at once; more than QuietTicksAhead() is cut to it.
void SkipQuietTicks(uint32_t ticks, uint8_t platform_second);

}  // namespace controller
