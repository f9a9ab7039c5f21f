// Serial receive polling: everything that arrived, every 20 ms.
#include "panel/link/serial_receive.h"

#include "panel/link/app_link.h"

namespace panel {

int32_t SerialPollOnce(const SerialReader& reader) {
  uint8_t buffer[kSerialReadChunk];
  int32_t taken = 0;
  for (int i = 0; i < kSerialReadsPerPoll; ++i) {
    int32_t count = reader.read(reader.context, buffer, kSerialReadChunk);
    if (count <= 0) break;
    if (count > kSerialReadChunk) count = kSerialReadChunk;
    TargetReceiveBytes(buffer, static_cast<uint32_t>(count));
    taken += count;
  }
  return taken;
}

void RunSerialReceiveLoop(SerialReceiveThread* thread, const SerialReader& reader) {
  while (thread->stop.load() == 0) {
    SerialPollOnce(reader);
    reader.sleep_ms(reader.context, kSerialPollMs);
  }
  thread->running.store(0);
}

}  // namespace panel
