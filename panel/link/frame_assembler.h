// Cuts a byte stream into protocol frames: line frames that start with "@", ">" or "^" and end
// with the first CR, LF or DLE, and ESC blocks that are delivered in pieces (header line, each
// body line, the last line up to "]"). Every frame or piece is at most kFrameMaxLength bytes;
// one that reaches the limit without its end is discarded.
//
// Each input has its own assembler (the application path and the serial receive thread), so
// bytes from two inputs can never end up in one frame. An assembler holds no lock: exactly one
// thread feeds a given instance.
#pragma once

#include <cstdint>

namespace panel {

constexpr int32_t kFrameMaxLength = 200;

constexpr uint8_t kFrameStartCommand = 0x40;  // "@"
constexpr uint8_t kFrameStartGreater = 0x3E;  // ">"
constexpr uint8_t kFrameStartCaret = 0x5E;    // "^"
constexpr uint8_t kFrameStartBlock = 0x1B;    // ESC
constexpr uint8_t kFrameEndBlock = 0x5D;      // "]"
constexpr uint8_t kFrameCr = 0x0D;
constexpr uint8_t kFrameLf = 0x0A;
constexpr uint8_t kFrameDle = 0x10;

enum FrameAssemblerState : uint8_t {
  kFrameIdle = 0,
  kFrameLine = 1,
  kFrameBlockHeader = 2,
  kFrameBlockBody = 3,
};

struct FrameAssembler {
  uint8_t state;                    // FrameAssemblerState
  int32_t count;                    // bytes stored so far in the current frame or piece
  uint8_t buffer[kFrameMaxLength];  // the frame or piece being assembled
};

// A completed frame or block piece. `bytes` points into the assembler's buffer and stays valid
// only until the next byte is fed to the same assembler: copy it (into a list record) first.
// A block body line may be empty (length 0).
struct FramePiece {
  const uint8_t* bytes;
  int32_t length;
};

// Back to idle with count 0 (the state every assembler starts in).
void FrameAssemblerReset(FrameAssembler* assembler);

// Feeds one byte. Returns true and fills *piece when this byte completes a frame or block piece;
// returns false otherwise. A byte outside a frame writes the RX monitor line
// "Unbekanntes Startzeichen empfangen: 0x%02x\r\n" and is dropped. Null arguments: false.
bool FrameAssemblerFeed(FrameAssembler* assembler, uint8_t byte, FramePiece* piece);

// The library's instances, one per input: bytes from the application (ReceiveFromApp, the
// application thread), bytes from a real target on the serial port (the serial receive thread),
// and frames of the LCD test tool (the UI thread).
FrameAssembler* AppFrameAssembler();
FrameAssembler* TargetFrameAssembler();
FrameAssembler* ToolFrameAssembler();

}  // namespace panel
