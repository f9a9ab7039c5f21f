// The UDP transport on Windows: one datagram socket bound to the target's port number on any
// local address, its read events posted to the panel window as message 1035, a datagram to the
// target for every application frame, and one received datagram per read event.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <cstdint>

namespace panel {

constexpr int32_t kSocketClosed = 0;
constexpr int32_t kSocketBound = 2;

// Starts the sockets library and creates the socket whose read events go to `window` as
// `message`. Failures are written to the TX monitor and leave no socket.
void OpenUdpSocket(HWND window, UINT message);
// Binds the socket to any local address and the target's port; socket state 2 on success.
void BindUdpSocket();
// Closes the socket and ends the use of the sockets library; socket state 0.
void CloseUdpSocket();
int32_t UdpSocketState();

// Sends a frame as one datagram to the target; false when the socket is not bound.
bool SendUdpFrame(const uint8_t* bytes, int32_t length);

// The panel window's message 1035: its lParam (event in the low word, error in the high word).
void OnUdpSocketEvent(LPARAM event);

}  // namespace panel
