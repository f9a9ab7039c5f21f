// The connect command's rules: which step a connect takes from the interface type and what is
// open, and the connection state, replies flag and menu text that step leaves behind. The Win32
// command carries the steps out on the real port and socket.
#pragma once

#include <cstdint>

namespace panel {

constexpr int32_t kInterfaceSerial = 0;
constexpr int32_t kInterfaceEthernet = 1;

// The panel window's connection state; it picks the icon at the window's bottom right.
enum ConnectionState : int32_t {
  kSerialClosed = 0,
  kSerialOpen = 1,
  kUdpClosed = 2,
  kUdpOpen = 3,
};

enum class ConnectStep : uint8_t {
  kOpenSerial,     // serial interface, port closed
  kCloseSerial,    // serial interface, port open
  kAskForAddress,  // Ethernet without a target address: the settings dialog instead
  kCloseSocket,    // Ethernet, socket open
  kOpenSocket,     // Ethernet, socket closed
};

struct LinkStatus {
  int32_t iface_type;     // IFaceType: 0 serial, anything else Ethernet
  bool serial_open;
  int32_t socket_state;   // 0 closed
  bool peer_complete;     // target address and port both set
};

ConnectStep NextConnectStep(const LinkStatus& status);

// What a step that went through leaves: connection state, replies flag (0 while a target
// answers) and whether the menu item now offers to disconnect.
struct ConnectOutcome {
  int32_t connection_state;
  uint32_t replies;
  bool connected;
};
// kAskForAddress leaves everything as it was and has no outcome: false.
bool OutcomeOf(ConnectStep step, ConnectOutcome* outcome);

// The connect item's text: "Connect\tCtrl+C" / "Disconnect\tCtrl+C" with the English option
// (0x0020), else "&Verbinden\tCtrl+C" / "&Verbindung Trennen\tCtrl+C".
const char* ConnectMenuText(bool connected, uint32_t options);

}  // namespace panel
