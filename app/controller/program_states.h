// The handlers of the program states (Idle, the two selected states, start phase, standby,
// dehumidifying); called by the program dispatcher outside the blocked period.
#pragma once

#include <cstdint>

namespace controller {

void HandleProgramState(uint8_t event);

}  // namespace controller
