// The panel's own messages to the application, appended to the TX list.
#include "panel/link/panel_answers.h"

#include <cstdlib>

#include "panel/core/data_lists.h"
#include "panel/link/build_frame.h"
#include "panel/link/frame_assembler.h"

namespace {
const uint8_t kAcknowledgement[] = {'@', '!', kFrameCr};
}  // namespace

int QueueTxMessage(const uint8_t* bytes, int32_t length) {
  tagLISTHEAD* tx = GetTXListHead();
  if (tx == nullptr || length < 0 || (bytes == nullptr && length > 0)) return 0;
  tagDATA* record = CreateNewEntry(bytes, length);
  if (record == nullptr) return 0;
  if (ListAppend(tx, record) == 0) {
    // Not linked, so still ours to release (the lists free with free()).
    std::free(record->bytes);
    std::free(record);
    return 0;
  }
  return 1;
}

void AppendAcknowledgement() { QueueTxMessage(kAcknowledgement, sizeof kAcknowledgement); }

const uint8_t* ComposeKeyFrame(uint32_t key_state, int* length) {
  const uint8_t character = static_cast<uint8_t>(0x41u + key_state);
  return BuildFrame('K', character, nullptr, length, kFrameCr);
}

int QueueKeyFrame(uint32_t key_state) {
  int length = 0;
  const uint8_t* frame = ComposeKeyFrame(key_state, &length);
  return QueueTxMessage(frame, length);
}
