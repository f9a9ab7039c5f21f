// The one-frame receiver. Bytes are taken from rx_cell as the panel library delivers them; a CR
// waits for the next tick so frames are interpreted only from within the tick.
#include "app/controller/controller_codes.h"
#include "app/controller/controller_state.h"
#include "app/controller/panel_link.h"

namespace controller {

void ReceiveByte() {
  ControllerState& c = g_controller;
  c.rx_pending = 1;
  if (c.rx_cell != kPanelTerminator) ReceiveStep();
}

bool ReceiveStep() {
  ControllerState& c = g_controller;
  if (!c.rx_pending) return false;
  c.rx_pending = 0;
  uint8_t byte = c.rx_cell;
  if (c.rx_pos == 0 && byte != kFrameStart) return false;  // resynchronise on '@'
  if (byte == kPanelTerminator) {
    // The buffer is not cleared between frames; the length says which bytes are this frame's.
    c.rx_length = c.rx_pos;
    c.rx_pos = 0;
    return true;
  }
  c.rx_buffer[c.rx_pos++] = byte;
  if (c.rx_pos >= kRxBufferSize) c.rx_pos = 0;  // too long without CR: discard and restart
  return false;
}

}  // namespace controller
