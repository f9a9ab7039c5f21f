// The panel's own messages to the application, appended to the TX list.
#include "panel/link/panel_answers.h"

#include "panel/core/data_lists.h"
#include "panel/link/build_frame.h"
#include "panel/link/frame_assembler.h"
#include "panel/link/protocol_settings.h"

namespace panel {

namespace {
const uint8_t kAcknowledgement[] = {'@', '!', kFrameCr};
}  // namespace

int QueueTxMessage(const uint8_t* bytes, int32_t length) {
  return QueueDataMessage(GetTXListHead(), bytes, length);
}

void Acknowledge() {
  if (GetRepliesFlag() == kRepliesOn && AcknowledgementsEnabled()) {
    QueueTxMessage(kAcknowledgement, sizeof kAcknowledgement);
  }
}

const uint8_t* ComposeKeyFrame(uint32_t key_state, int* length) {
  const uint8_t character = static_cast<uint8_t>(0x41u + key_state);
  return BuildFrame('K', character, nullptr, length, kFrameCr);
}

int QueueKeyFrame(uint32_t key_state) {
  int length = 0;
  const uint8_t* frame = ComposeKeyFrame(key_state, &length);
  return QueueTxMessage(frame, length);
}

}  // namespace panel
