// Peer address, peer filter and the datagram monitor lines.
#include "panel/link/udp_datagrams.h"

#include <atomic>
#include <cstring>

#include "panel/core/monitor_log.h"
#include "panel/link/panel_answers.h"

namespace panel {

namespace {

constexpr int kIpv4PartMax = 255;
constexpr int kIpv4PartDigits = 3;
constexpr uint8_t kNoAddressByte = 0xFF;

// Packed into one word, so the forwarding thread never sees half of a new address.
std::atomic<uint64_t> g_peer{0};

uint64_t Pack(const PeerAddress& peer) {
  uint64_t word = peer.port;
  for (int i = 0; i < kIpv4Bytes; ++i) word |= static_cast<uint64_t>(peer.ip[i]) << (16 + 8 * i);
  return word;
}

PeerAddress Unpack(uint64_t word) {
  PeerAddress peer{};
  peer.port = static_cast<uint16_t>(word & 0xFFFF);
  for (int i = 0; i < kIpv4Bytes; ++i) peer.ip[i] = static_cast<uint8_t>(word >> (16 + 8 * i));
  return peer;
}

// Exactly four decimal parts of one to three digits, each 0..255, separated by points.
bool ParseDottedDecimal(const char* text, uint8_t ip[kIpv4Bytes]) {
  if (text == nullptr) return false;
  for (int part = 0; part < kIpv4Bytes; ++part) {
    if (part > 0 && *text++ != '.') return false;
    int value = 0;
    int digits = 0;
    while (*text >= '0' && *text <= '9' && digits < kIpv4PartDigits) {
      value = value * 10 + (*text++ - '0');
      ++digits;
    }
    if (digits == 0 || value > kIpv4PartMax) return false;
    ip[part] = static_cast<uint8_t>(value);
  }
  return *text == '\0';
}

// The datagram's bytes as monitor text: a copy that ends with a NUL, since a full datagram has
// none of its own.
struct DatagramText {
  char text[kDatagramCapacity + 1];
};
DatagramText AsText(const uint8_t* bytes, int32_t length) {
  DatagramText copy{};
  if (bytes != nullptr && length > 0) {
    std::memcpy(copy.text, bytes, static_cast<size_t>(length < kDatagramCapacity ? length : kDatagramCapacity));
  }
  return copy;
}

}  // namespace

PeerAddress PeerFromSettings(const char* ip, int32_t port) {
  PeerAddress peer{};
  if (!ParseDottedDecimal(ip, peer.ip)) std::memset(peer.ip, kNoAddressByte, sizeof peer.ip);
  peer.port = static_cast<uint16_t>(port);
  return peer;
}

bool PeerAddressComplete(const PeerAddress& peer) {
  const bool address_set = peer.ip[0] | peer.ip[1] | peer.ip[2] | peer.ip[3];
  return address_set && peer.port != 0;
}

void SetPeerAddress(const PeerAddress& peer) { g_peer.store(Pack(peer)); }

PeerAddress GetPeerAddress() { return Unpack(g_peer.load()); }

bool IsFromPeer(const PeerAddress& peer, const PeerAddress& sender) {
  return PeerAddressComplete(peer) && Pack(peer) == Pack(sender);
}

bool AcceptDatagram(const uint8_t* bytes, int32_t length, const PeerAddress& sender) {
  if (!IsFromPeer(GetPeerAddress(), sender)) {
    MonitorLine(kTxMonitor, "Datagramm von IP %d.%d.%d.%d, Port %d verworfen\r\n", sender.ip[0],
                sender.ip[1], sender.ip[2], sender.ip[3], sender.port);
    return false;
  }
  QueueTxMessage(bytes, length);
  MonitorLine(kTxMonitor, "Daten %s empfangen, von IP %d.%d.%d.%d, Port %d:  \r\n",
              AsText(bytes, length).text, sender.ip[0], sender.ip[1], sender.ip[2], sender.ip[3],
              sender.port);
  return true;
}

void ReportDatagramSent(const uint8_t* bytes, int32_t length, int32_t sent,
                        const PeerAddress& peer) {
  MonitorLine(kTxMonitor, "Daten %s gesendet, an IP %d.%d.%d.%d, Port %d Status: %s \r\n",
              AsText(bytes, length).text, peer.ip[0], peer.ip[1], peer.ip[2], peer.ip[3],
              peer.port, sent == length ? "OK" : "ERROR");
}

}  // namespace panel
