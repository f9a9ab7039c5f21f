// The two transports seen as one: which is open, carrying out a connect step, forwarding the
// application's frames to whichever is open, and closing at process detach.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/link/connection_rules.h"
#include "panel/link/panel_settings.h"

namespace panel {

LinkStatus CurrentLinkStatus(const PanelSettings& settings);

// Opens or closes the serial port or the socket as the step says; a socket's read events go to
// `window` as `socket_message`. False only when the serial port cannot be opened (nothing else
// changes then, and "Fehler beim öffnen der seriellen Schnittstelle\r\n" goes to the RX monitor).
// kAskForAddress does nothing here.
bool CarryOutConnectStep(ConnectStep step, const PanelSettings& settings, HWND window,
                         UINT socket_message);

// The platform's forward_frame: the open serial port, else the bound socket, else nowhere.
void ForwardFrameToTarget(void* context, const uint8_t* bytes, int32_t length);

// Process detach: the socket, or the serial port with its receive thread, is closed.
void CloseTransportsAtDetach();

}  // namespace panel
