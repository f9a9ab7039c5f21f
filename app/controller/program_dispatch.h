// The drying programs and the regulation: the second consumer of every event (it sees only the
// events the menus did not consume).
#pragma once

#include <cstdint>

namespace controller {

void ProgramDispatch(uint8_t event);

}  // namespace controller
