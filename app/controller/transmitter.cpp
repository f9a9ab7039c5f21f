// Moves the composed frame out one byte per pass and arms the acknowledgement timeout.
#include "app/controller/controller_core.h"
#include "app/controller/panel_link.h"

namespace controller {

void TransmitStep() {
  ControllerState& c = g_controller;
  if (c.tx_remaining == 0) {
    ComposeFrame();
    return;
  }
  uint8_t byte = c.tx_frame[c.tx_next < kTxFrameSize ? c.tx_next : kTxFrameSize - 1];
  if (c.out_length < kOutBufferSize) c.out_bytes[c.out_length++] = byte;
  if (byte == kAppTerminator) c.frame_complete = 1;
  ++c.tx_next;
  --c.tx_remaining;
  if (c.tx_remaining == 0) {
    c.tx_next = 0;
    c.awaiting_ack = 1;
    StartTimer(kTimerAckTimeout, kAckTimeoutTicks);
  }
}

}  // namespace controller
