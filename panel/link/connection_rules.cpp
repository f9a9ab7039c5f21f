// Connect command steps and their outcomes.
#include "panel/link/connection_rules.h"

#include "panel/core/option_word.h"
#include "panel/link/protocol_settings.h"

namespace panel {

namespace {
constexpr uint32_t kRepliesOff = 0;
}  // namespace

ConnectStep NextConnectStep(const LinkStatus& status) {
  if (status.iface_type == kInterfaceSerial) {
    return status.serial_open ? ConnectStep::kCloseSerial : ConnectStep::kOpenSerial;
  }
  if (!status.peer_complete) return ConnectStep::kAskForAddress;
  return status.socket_state != 0 ? ConnectStep::kCloseSocket : ConnectStep::kOpenSocket;
}

bool OutcomeOf(ConnectStep step, ConnectOutcome* outcome) {
  switch (step) {
    case ConnectStep::kOpenSerial:
      *outcome = {kSerialOpen, kRepliesOff, true};
      return true;
    case ConnectStep::kCloseSerial:
      *outcome = {kSerialClosed, kRepliesOn, false};
      return true;
    case ConnectStep::kCloseSocket:
      *outcome = {kUdpClosed, kRepliesOn, false};
      return true;
    case ConnectStep::kOpenSocket:
      *outcome = {kUdpOpen, kRepliesOff, true};
      return true;
    case ConnectStep::kAskForAddress:
      break;
  }
  return false;
}

const char* ConnectMenuText(bool connected, uint32_t options) {
  if (options & kOptionEnglish) return connected ? "Disconnect\tCtrl+C" : "Connect\tCtrl+C";
  return connected ? "&Verbindung Trennen\tCtrl+C" : "&Verbinden\tCtrl+C";
}

}  // namespace panel
