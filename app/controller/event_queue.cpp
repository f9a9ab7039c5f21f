#include "app/controller/controller_core.h"

namespace controller {

static_assert(kEventQueueSize >= 2, "the event ring needs one unused slot");

int PostEvent(uint8_t code) {
  ControllerState& c = g_controller;
  uint8_t next = static_cast<uint8_t>(c.event_write + 1 == kEventQueueSize ? 0 : c.event_write + 1);
  // Writing into the last free slot would make the indexes meet and read as an empty queue,
  // losing nine events; the new event is dropped instead.
  if (next == c.event_read) return 0;
  c.events[c.event_write] = code;
  c.event_write = next;
  return 1;
}

}  // namespace controller
