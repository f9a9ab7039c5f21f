// The serial transport on Windows: the port "\\.\COM%d" at the settings' baud rate with 8 data
// bits, no parity, one stop bit, no flow control and reads that return at once; its receive
// thread; and the synchronous write of every application frame while it is open.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/link/comm_settings.h"

namespace panel {

// Opens and configures the port and starts the receive thread. False (nothing open) when the
// port cannot be opened or the thread cannot start.
bool ConnectSerial(int32_t port_number, int32_t baud);
// Sets the receive thread's stop flag, waits for it to end (at most a few polls), then closes
// the port. Nothing happens when no port is open.
void DisconnectSerial();
bool SerialIsOpen();

// Writes a frame to the open port; false when no port is open.
bool WriteSerialFrame(const uint8_t* bytes, int32_t length);

// The line configuration of the open port, or of port `port_number` opened just to read it and
// closed again (the port is left as it was). False when neither can be read.
bool ReadSerialLineConfig(int32_t port_number, PortLineConfig* config);

}  // namespace panel
