// `siccora.exe --record FILE`: the session goes into FILE as a siccora-sim scenario
// (session_recorder.h). Without the option none of this does anything.
#pragma once

#include <cstdint>

#include "app/controller/controller_state.h"

namespace shell {

// Reads --record FILE from the command line and starts the recorder. Returns the receive
// callback to hand the panel library: the controller's own one, or, while recording, one that
// shows each delivered byte (stored in `cell`) to the recorder first.
controller::ReceiveCallback StartShellRecording(controller::ReceiveCallback controller_receive,
                                                const unsigned char* cell, int8_t temperature,
                                                uint8_t humidity);

// After each tick: the slider values it read, the relay byte it wrote and its frame.
void RecordShellTick(int8_t temperature, uint8_t humidity, uint8_t relays, const uint8_t* frame,
                     int length);

void StopShellRecording();

}  // namespace shell
