// Messages the panel queues for the application on the TX list: the acknowledgement, the two
// replies and the key frames. CheckRx hands them over one per call.
#pragma once

#include <cstdint>

namespace panel {

// Appends a copy of `length` bytes to the TX list. Returns 1 when queued, 0 when there is no TX
// list, the length is negative, or memory ran out (the list reports that itself).
int QueueTxMessage(const uint8_t* bytes, int32_t length);

// Acknowledges a command: queues "@!\r" when the replies flag is 1 and acknowledgements are on
// (protocol_settings.h).
void Acknowledge();

// Key frame: "@K" + (0x41 + key_state) modulo 256 + CR, composed with BuildFrame, which leaves a
// character of value 0 out (then the frame is "@K" CR). key_state is the OR of the ids of every
// button area held down. ComposeKeyFrame returns BuildFrame's shared buffer and its length;
// QueueKeyFrame appends the frame to the TX list (1 queued, 0 not).
const uint8_t* ComposeKeyFrame(uint32_t key_state, int* length);
int QueueKeyFrame(uint32_t key_state);

}  // namespace panel
