// UDP socket: open, bind, send, receive, close.
#include "panel/link/udp_socket_win32.h"

#include <atomic>
#include <cstring>

#include "panel/core/monitor_log.h"
#include "panel/link/udp_datagrams.h"

namespace panel {

namespace {

constexpr WORD kSocketsVersion = MAKEWORD(2, 0);
constexpr int kUdpProtocol = 17;  // IPPROTO_UDP
constexpr long kSocketEvents = FD_READ | FD_CONNECT;

// The socket and its state. The lock keeps a send (application thread) and the close (UI
// thread) apart; everything else runs on the UI thread.
struct UdpTransport {
  SOCKET socket;
  std::atomic<int32_t> state;
  bool library_started;
  SRWLOCK lock;
};
UdpTransport g_udp{INVALID_SOCKET, {kSocketClosed}, false, SRWLOCK_INIT};

sockaddr_in SocketAddress(const uint8_t ip[kIpv4Bytes], uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  std::memcpy(&address.sin_addr, ip, kIpv4Bytes);
  return address;
}

PeerAddress SenderOf(const sockaddr_in& address) {
  PeerAddress sender{};
  std::memcpy(sender.ip, &address.sin_addr, kIpv4Bytes);
  sender.port = ntohs(address.sin_port);
  return sender;
}

}  // namespace

void OpenUdpSocket(HWND window, UINT message) {
  WSADATA data;
  const int started = WSAStartup(kSocketsVersion, &data);
  if (started != 0) {
    MonitorLine(kTxMonitor, "Error: Socket startup Failed %i\r\n", started);
    return;
  }
  g_udp.library_started = true;
  SOCKET created = socket(AF_INET, SOCK_DGRAM, kUdpProtocol);
  if (created == INVALID_SOCKET) {
    MonitorLine(kTxMonitor, "Error: Failed to create socket %i\r\n", WSAGetLastError());
    CloseUdpSocket();  // balances the startup: the next connect starts the library again
    return;
  }
  // A target simulator on this machine binds the target's port on its own address beside this
  // socket's any-address binding; Windows allows that as it is, other socket layers only when
  // both sockets ask for it.
  const BOOL reuse = TRUE;
  setsockopt(created, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
  if (WSAAsyncSelect(created, window, message, kSocketEvents) == SOCKET_ERROR) {
    MonitorLine(kTxMonitor, "Error WSAAsyncSelect = %d \r\n", WSAGetLastError());
    closesocket(created);
    CloseUdpSocket();
    return;
  }
  AcquireSRWLockExclusive(&g_udp.lock);
  g_udp.socket = created;
  ReleaseSRWLockExclusive(&g_udp.lock);
  MonitorLine(kTxMonitor, "Socket 0x%04X f\xFCr %02d Protokol erzeugt\r\n",
              static_cast<unsigned>(created), kUdpProtocol);
}

void BindUdpSocket() {
  if (g_udp.socket == INVALID_SOCKET) {
    MonitorLine(kTxMonitor, "Error: Ivalid Socket called\r\n");
    return;
  }
  const uint8_t any[kIpv4Bytes] = {0, 0, 0, 0};
  const sockaddr_in local = SocketAddress(any, GetPeerAddress().port);
  if (bind(g_udp.socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) == SOCKET_ERROR) {
    MonitorLine(kTxMonitor, "Error bind = %d ", WSAGetLastError());
    CloseUdpSocket();
    return;
  }
  g_udp.state.store(kSocketBound);
}

void CloseUdpSocket() {
  AcquireSRWLockExclusive(&g_udp.lock);
  SOCKET closing = g_udp.socket;
  g_udp.socket = INVALID_SOCKET;
  g_udp.state.store(kSocketClosed);
  ReleaseSRWLockExclusive(&g_udp.lock);
  if (closing != INVALID_SOCKET) closesocket(closing);
  if (g_udp.library_started) {
    WSACleanup();
    g_udp.library_started = false;
  }
}

int32_t UdpSocketState() { return g_udp.state.load(); }

bool SendUdpFrame(const uint8_t* bytes, int32_t length) {
  const PeerAddress peer = GetPeerAddress();
  int sent = SOCKET_ERROR;
  int error = 0;
  AcquireSRWLockShared(&g_udp.lock);
  const bool bound = g_udp.state.load() != kSocketClosed && g_udp.socket != INVALID_SOCKET;
  if (bound) {
    const sockaddr_in target = SocketAddress(peer.ip, peer.port);
    sent = sendto(g_udp.socket, reinterpret_cast<const char*>(bytes), length, 0,
                  reinterpret_cast<const sockaddr*>(&target), sizeof target);
    if (sent == SOCKET_ERROR) error = WSAGetLastError();
  }
  ReleaseSRWLockShared(&g_udp.lock);
  // The lines are written outside the lock: the monitor belongs to the UI thread, which may be
  // waiting for the lock to close the socket.
  if (!bound) return false;
  if (sent == SOCKET_ERROR) {
    MonitorLine(kTxMonitor, "Error sendto = %d \r\n", error);
  } else {
    ReportDatagramSent(bytes, length, sent, peer);
  }
  return true;
}

void OnUdpSocketEvent(LPARAM event) {
  if (WSAGETSELECTEVENT(event) != FD_READ) return;
  MonitorLine(kTxMonitor, "\r\n");
  const int error = WSAGETSELECTERROR(event);
  if (error != 0) {
    MonitorLine(kTxMonitor, "FD_READ Fehler #%i.\r\n", error);
    return;
  }
  if (g_udp.socket == INVALID_SOCKET) return;  // an event still queued from a closed socket
  uint8_t datagram[kDatagramCapacity] = {};
  sockaddr_in from{};
  int from_length = sizeof from;
  const int received = recvfrom(g_udp.socket, reinterpret_cast<char*>(datagram), kDatagramCapacity,
                                0, reinterpret_cast<sockaddr*>(&from), &from_length);
  if (received == SOCKET_ERROR) {
    MonitorLine(kTxMonitor, "Empfangs Fehler\n");
    return;
  }
  AcceptDatagram(datagram, received, SenderOf(from));
}

}  // namespace panel
