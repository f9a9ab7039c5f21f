// The relay indicators of the application window and the loop's relay bookkeeping: which
// box shows which relay, and when the window has to hear about a new relay byte.
#pragma once

#include <cstdint>

namespace shell {

struct RelayIndicator {
  int control_id;   // check box
  int text_string;  // string id of its text
  uint8_t mask;     // bit of the relay byte (active low: 0 = relay on)
};

constexpr int kRelayIndicatorCount = 3;
extern const RelayIndicator kRelayIndicators[kRelayIndicatorCount];

constexpr uint8_t kRelaysAllOff = 15;

// A box is checked while its relay is on, i.e. while its bit is 0.
bool RelayIndicatorChecked(const RelayIndicator& indicator, uint8_t relay_byte);

struct RelayChange {
  bool changed;
  uint8_t changed_bits;  // new XOR previous: the wParam of the window message
  uint8_t relay_byte;    // the new byte: the lParam
};

// Compares the tick's relay byte with the one last sent to the window and, when they differ,
// remembers the new one. last_relays starts at 0, so the first call always reports a change.
RelayChange TakeRelayChange(uint8_t relay_out, uint8_t* last_relays);

}  // namespace shell
