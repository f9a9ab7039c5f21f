// Frame assembler: the framing state machine, one instance per input.
#include "panel/link/frame_assembler.h"

#include "panel/core/monitor_log.h"

namespace panel {

namespace {

FrameAssembler g_app_assembler{kFrameIdle, 0, {}};
FrameAssembler g_target_assembler{kFrameIdle, 0, {}};
FrameAssembler g_tool_assembler{kFrameIdle, 0, {}};

bool IsStartOfLine(uint8_t byte) {
  return byte == kFrameStartCommand || byte == kFrameStartGreater || byte == kFrameStartCaret;
}

bool IsLineTerminator(uint8_t byte) {
  return byte == kFrameCr || byte == kFrameLf || byte == kFrameDle;
}

// Callers only store while count < kFrameMaxLength: *continue* resets the assembler as soon as
// the limit is reached, and a piece's end resets count before the next byte.
void Store(FrameAssembler* a, uint8_t byte) {
  a->buffer[a->count] = byte;
  a->count += 1;
}

// A frame that has filled the buffer without its end is dropped without a message.
void Continue(FrameAssembler* a) {
  if (a->count >= kFrameMaxLength) {
    a->state = kFrameIdle;
    a->count = 0;
  }
}

bool Deliver(FrameAssembler* a, FramePiece* piece) {
  piece->bytes = a->buffer;
  piece->length = a->count;
  a->count = 0;
  return true;
}

}  // namespace

void FrameAssemblerReset(FrameAssembler* assembler) {
  assembler->state = kFrameIdle;
  assembler->count = 0;
}

bool FrameAssemblerFeed(FrameAssembler* a, uint8_t byte, FramePiece* piece) {
  if (a == nullptr || piece == nullptr) return false;
  // A corrupted count (it is a plain field) must never index outside the buffer.
  if (a->count < 0 || a->count >= kFrameMaxLength) FrameAssemblerReset(a);

  switch (a->state) {
    case kFrameLine:
      Store(a, byte);
      if (IsLineTerminator(byte)) {
        a->state = kFrameIdle;
        return Deliver(a, piece);
      }
      Continue(a);
      return false;

    case kFrameBlockHeader:
      if (byte == kFrameLf) {
        a->state = kFrameBlockBody;
        return Deliver(a, piece);
      }
      Store(a, byte);
      Continue(a);
      return false;

    case kFrameBlockBody:
      if (byte == kFrameEndBlock) {
        Store(a, byte);
        a->state = kFrameIdle;
        return Deliver(a, piece);
      }
      if (byte == kFrameLf) return Deliver(a, piece);
      if (byte == 0x00) return false;  // NULs inside a block are padding
      Store(a, byte);
      Continue(a);
      return false;

    case kFrameIdle:
    default:
      a->state = kFrameIdle;
      a->count = 0;
      if (IsStartOfLine(byte)) {
        Store(a, byte);
        a->state = kFrameLine;
        Continue(a);
        return false;
      }
      if (byte == kFrameStartBlock) {
        Store(a, byte);
        a->state = kFrameBlockHeader;
        Continue(a);
        return false;
      }
      MonitorLine(kRxMonitor, "Unbekanntes Startzeichen empfangen: 0x%02x\r\n", byte);
      return false;
  }
}

FrameAssembler* AppFrameAssembler() { return &g_app_assembler; }
FrameAssembler* TargetFrameAssembler() { return &g_target_assembler; }
FrameAssembler* ToolFrameAssembler() { return &g_tool_assembler; }

}  // namespace panel
