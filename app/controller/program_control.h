// Starting, stopping and resuming the drying programs, and the blocked-period reaction.
#pragma once

#include <cstdint>

namespace controller {

// The selected program (state 1 washing, 2 room) starts: ventilator on, thresholds, defrost arm
// timer, then dehumidifying or the ventilator-only start phase.
void StartProgram();
// The off function: ends any program, all relays off.
void Stop();
// Re-evaluates after start-up, after a blocked period and when the sensor is back.
void Resume();
// True when operation is allowed; enters or leaves the blocked state on the way.
bool CheckBlocked();
// Ticks of defrosting at temperature t (°C); 0 means no defrost.
uint16_t DefrostDuration(int8_t t);
// The highest temperature at which defrosting is done, as a signed degree value.
int DefrostMaxC();
// Frees every timer slot that belongs to the programs and menus. The acknowledgement timeout and
// the start-up timers keep running: the first would leave an unacknowledged frame waiting for
// good, the others would leave the clock unset and the settings at zero.
void StopProgramTimers();
// Ventilator decision after the program start or a resume: dehumidify at once above the ON
// threshold, otherwise the ventilator-only start phase.
void EnterRegulation();

}  // namespace controller
