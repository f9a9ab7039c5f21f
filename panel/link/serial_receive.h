// The serial receive thread's loop, apart from the port: every 20 ms take everything that has
// arrived (reads of up to a buffer's size, repeated while bytes come), frame it with the target's
// frame assembler and queue each complete frame on the TX list. The port itself is read (and, by
// a thread that ends after its disconnect stopped waiting, closed) through plain functions, so
// the loop runs on a real port and on a fake in the tests alike.
#pragma once

#include <atomic>
#include <cstdint>

namespace panel {

constexpr uint32_t kSerialPollMs = 20;
constexpr int32_t kSerialReadChunk = 256;
// Reads per poll at most, so a port that never runs dry still lets the loop see its stop flag.
constexpr int kSerialReadsPerPoll = 64;
// Polls in a row whose first read failed before the RX monitor hears of it, once per such run.
constexpr int kSerialFailedPollsReported = 3;
constexpr char kSerialReadFailedLine[] = "Fehler beim Lesen der seriellen Schnittstelle\r\n";

struct SerialReader {
  void* context;
  // Reads at most `capacity` bytes that have arrived, without waiting; returns how many (0 when
  // none, negative when the port fails, which counts as none).
  int32_t (*read)(void* context, uint8_t* buffer, int32_t capacity);
  void (*sleep_ms)(void* context, uint32_t milliseconds);
  // Closes the port; called by the loop only when the port was handed over to it.
  void (*close)(void* context) = nullptr;
};

// What `running` holds.
enum SerialThreadRun : int32_t {
  kSerialThreadEnded = 0,
  kSerialThreadRunning = 1,
  kSerialThreadClosesPort = 2,  // the disconnect stopped waiting: the loop closes the port
};

// Shared by the thread that starts the loop (which sets `stop`) and the loop, which sets
// `running` to kSerialThreadEnded as its last step.
struct SerialReceiveThread {
  std::atomic<int32_t> stop;
  std::atomic<int32_t> running;
};

// One poll: reads until a read brings nothing (or kSerialReadsPerPoll reads, or the thread's
// stop flag is set), handing every byte to the target's frame assembler. Returns the bytes taken,
// or -1 when the first read failed.
int32_t SerialPollOnce(const SerialReader& reader, const SerialReceiveThread* thread = nullptr);

// Polls and sleeps kSerialPollMs until the stop flag is set; then closes the port if it was
// handed over and sets `running` to kSerialThreadEnded. A run of kSerialFailedPollsReported
// failing polls writes kSerialReadFailedLine to the RX monitor once; the loop keeps polling.
void RunSerialReceiveLoop(SerialReceiveThread* thread, const SerialReader& reader);

// For a disconnect that gave up waiting for the loop to end: the loop closes the port when it
// ends. False when the loop had ended already: the caller closes the port itself.
bool HandPortToEndingThread(SerialReceiveThread* thread);

}  // namespace panel
