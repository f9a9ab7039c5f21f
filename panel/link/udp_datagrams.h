// The UDP transport's portable half: the target (peer) address, which datagrams count as the
// target's, and the monitor lines of sent, received and dropped datagrams. The Win32 socket only
// moves the bytes.
#pragma once

#include <cstdint>

namespace panel {

constexpr int32_t kDatagramCapacity = 256;  // one received datagram; a longer one is an error
constexpr int kIpv4Bytes = 4;

// IPv4 address bytes in order (a.b.c.d) and UDP port; all zero while no target is set.
struct PeerAddress {
  uint8_t ip[kIpv4Bytes];
  uint16_t port;
};

// The address a confirmed settings dialog gives: Ip parsed as dotted decimal (four numbers
// 0..255; anything else gives 255.255.255.255, which no send reaches) and the port.
PeerAddress PeerFromSettings(const char* ip, int32_t port);
// Both the address and the port are set.
bool PeerAddressComplete(const PeerAddress& peer);

// The target address; unset (all zero) from the library's load until the dialog is confirmed.
// Set on the UI thread, read by the thread that forwards frames.
void SetPeerAddress(const PeerAddress& peer);
PeerAddress GetPeerAddress();

// Only the target's own address and port may reach the application: anyone else who can reach
// the socket's port would otherwise press the device's keys.
bool IsFromPeer(const PeerAddress& peer, const PeerAddress& sender);

// A datagram the socket received from `sender`. From the peer: queued whole on the TX list as
// one message and "Daten %s empfangen, von IP %d.%d.%d.%d, Port %d:  \r\n" written; otherwise
// dropped with "Datagramm von IP %d.%d.%d.%d, Port %d verworfen\r\n". Both lines go to the TX
// monitor. Returns true when queued.
bool AcceptDatagram(const uint8_t* bytes, int32_t length, const PeerAddress& sender);

// The line after a datagram went to the peer: "Daten %s gesendet, an IP %d.%d.%d.%d, Port %d
// Status: %s \r\n" with "OK" when all `length` bytes were sent, else "ERROR".
void ReportDatagramSent(const uint8_t* bytes, int32_t length, int32_t sent,
                        const PeerAddress& peer);

}  // namespace panel
