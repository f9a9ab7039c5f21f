// Connect steps, forwarding and the close at detach over the serial and UDP transports.
#include "panel/link/transport_win32.h"

#include "panel/core/monitor_log.h"
#include "panel/link/serial_port_win32.h"
#include "panel/link/udp_datagrams.h"
#include "panel/link/udp_socket_win32.h"

namespace panel {

LinkStatus CurrentLinkStatus(const PanelSettings& settings) {
  return LinkStatus{settings.IFaceType, SerialIsOpen(), UdpSocketState(),
                    PeerAddressComplete(GetPeerAddress())};
}

bool CarryOutConnectStep(ConnectStep step, const PanelSettings& settings, HWND window,
                         UINT socket_message) {
  switch (step) {
    case ConnectStep::kOpenSerial:
      if (!ConnectSerial(settings.CommPort, settings.Baud)) {
        MonitorLine(kRxMonitor, "Fehler beim \xF6" "ffnen der seriellen Schnittstelle\r\n");
        return false;
      }
      return true;
    case ConnectStep::kCloseSerial:
      DisconnectSerial();
      return true;
    case ConnectStep::kCloseSocket:
      CloseUdpSocket();
      return true;
    case ConnectStep::kOpenSocket:
      OpenUdpSocket(window, socket_message);
      BindUdpSocket();
      return true;
    case ConnectStep::kAskForAddress:
      break;
  }
  return true;
}

void ForwardFrameToTarget(void*, const uint8_t* bytes, int32_t length) {
  if (bytes == nullptr || length <= 0) return;
  if (WriteSerialFrame(bytes, length)) return;
  SendUdpFrame(bytes, length);
}

void CloseTransportsAtDetach() {
  if (UdpSocketState() != kSocketClosed) CloseUdpSocket();
  DisconnectSerial();
}

}  // namespace panel
