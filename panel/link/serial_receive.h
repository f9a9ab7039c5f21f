// The serial receive thread's loop, apart from the port: every 20 ms take everything that has
// arrived (reads of up to a buffer's size, repeated while bytes come), frame it with the target's
// frame assembler and queue each complete frame on the TX list. The port itself is read through
// a plain function, so the loop runs on a real port and on a fake in the tests alike.
#pragma once

#include <atomic>
#include <cstdint>

namespace panel {

constexpr uint32_t kSerialPollMs = 20;
constexpr int32_t kSerialReadChunk = 256;
// Reads per poll at most, so a port that never runs dry still lets the loop see its stop flag.
constexpr int kSerialReadsPerPoll = 64;

struct SerialReader {
  void* context;
  // Reads at most `capacity` bytes that have arrived, without waiting; returns how many (0 when
  // none, negative when the port fails, which counts as none).
  int32_t (*read)(void* context, uint8_t* buffer, int32_t capacity);
  void (*sleep_ms)(void* context, uint32_t milliseconds);
};

// One poll: reads until a read brings nothing (or kSerialReadsPerPoll reads), handing every byte
// to the target's frame assembler. Returns the bytes taken.
int32_t SerialPollOnce(const SerialReader& reader);

// Shared by the thread that starts the loop (which sets `stop`) and the loop, which clears
// `running` as its last step.
struct SerialReceiveThread {
  std::atomic<int32_t> stop;
  std::atomic<int32_t> running;
};

// Polls and sleeps kSerialPollMs until the stop flag is set; then clears `running`.
void RunSerialReceiveLoop(SerialReceiveThread* thread, const SerialReader& reader);

}  // namespace panel
