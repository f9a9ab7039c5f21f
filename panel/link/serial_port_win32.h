// The serial transport on Windows: the port "\\.\COM%d" at the settings' baud rate with 8 data
// bits, no parity, one stop bit, no flow control and reads that return at once; its receive
// thread; and the synchronous write of every application frame while it is open.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/link/comm_settings.h"

namespace panel {

// Opens and configures the port and starts the receive thread; a receive thread of the last
// connection that is still ending is waited for first. False (nothing open) when that thread
// does not end, the port cannot be opened, refuses its configuration, or the thread cannot start.
bool ConnectSerial(int32_t port_number, int32_t baud);
// Sets the receive thread's stop flag and waits on the thread (at most a few polls); then closes
// the port, or leaves that to a thread that has not ended yet. The port counts as closed at once.
// Nothing happens when no port is open.
void DisconnectSerial();
bool SerialIsOpen();

// Writes a frame to the open port; false when no port is open.
bool WriteSerialFrame(const uint8_t* bytes, int32_t length);

// The line configuration of the open port, or of port `port_number` opened just to read it and
// closed again (the port is left as it was). False when neither can be read.
bool ReadSerialLineConfig(int32_t port_number, PortLineConfig* config);

}  // namespace panel
