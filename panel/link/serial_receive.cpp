// Serial receive polling: everything that arrived, every 20 ms.
#include "panel/link/serial_receive.h"

#include "panel/core/monitor_log.h"
#include "panel/link/app_link.h"

namespace panel {

int32_t SerialPollOnce(const SerialReader& reader, const SerialReceiveThread* thread) {
  uint8_t buffer[kSerialReadChunk];
  int32_t taken = 0;
  for (int i = 0; i < kSerialReadsPerPoll; ++i) {
    if (thread != nullptr && thread->stop.load() != 0) break;
    int32_t count = reader.read(reader.context, buffer, kSerialReadChunk);
    if (count < 0 && i == 0) return -1;
    if (count <= 0) break;
    if (count > kSerialReadChunk) count = kSerialReadChunk;
    TargetReceiveBytes(buffer, static_cast<uint32_t>(count));
    taken += count;
  }
  return taken;
}

void RunSerialReceiveLoop(SerialReceiveThread* thread, const SerialReader& reader) {
  int failed_polls = 0;
  while (thread->stop.load() == 0) {
    if (SerialPollOnce(reader, thread) >= 0) {
      failed_polls = 0;
    } else if (failed_polls < kSerialFailedPollsReported &&
               ++failed_polls == kSerialFailedPollsReported) {
      MonitorLine(kRxMonitor, "%s", kSerialReadFailedLine);
    }
    if (thread->stop.load() != 0) break;
    reader.sleep_ms(reader.context, kSerialPollMs);
  }
  int32_t expected = kSerialThreadRunning;
  if (!thread->running.compare_exchange_strong(expected, kSerialThreadEnded)) {
    // Handed over: the port is closed before the loop counts as ended, so a reconnect that
    // waited for the end finds the port free.
    if (reader.close != nullptr) reader.close(reader.context);
    thread->running.store(kSerialThreadEnded);
  }
}

bool HandPortToEndingThread(SerialReceiveThread* thread) {
  int32_t expected = kSerialThreadRunning;
  return thread->running.compare_exchange_strong(expected, kSerialThreadClosesPort);
}

}  // namespace panel
