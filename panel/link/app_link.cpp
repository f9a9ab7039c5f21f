// Application link core: framing of the application's bytes and delivery of the TX list.
#include "panel/link/app_link.h"

#include "panel/core/data_lists.h"
#include "panel/core/monitor_log.h"
#include "panel/core/panel_platform.h"
#include "panel/link/frame_assembler.h"
#include "panel/link/panel_answers.h"
#include "panel/link/protocol_settings.h"

namespace panel {

namespace {

// Plain variables: SetRxTarget runs at start-up before the polling loop uses them.
RxCallback g_rx_callback = nullptr;
uint8_t* g_rx_cell = nullptr;
bool g_delivering = false;  // CheckRx is handing a message to the receive callback

void OnApplicationFrame(const FramePiece& frame) {
  PlatformForwardFrame(frame.bytes, frame.length);
  QueueDataMessage(GetRXListHead(), frame.bytes, frame.length);
  MonitorFrameLine(kRxMonitor, frame.bytes, frame.length);
  PlatformRunInterpreter();
}

}  // namespace

void AppLinkSetRxTarget(RxCallback callback, uint8_t* cell) {
  g_rx_callback = callback;
  g_rx_cell = cell;
  EnableAcknowledgements(true);
}

void AppLinkReceive(const uint8_t* data, uint32_t length) {
  AppLinkReceiveFrom(AppFrameAssembler(), data, length);
}

void AppLinkReceiveFrom(FrameAssembler* assembler, const uint8_t* data, uint32_t length) {
  if (assembler == nullptr || data == nullptr) return;
  for (uint32_t i = 0; i < length; ++i) {
    FramePiece frame{};
    if (FrameAssemblerFeed(assembler, data[i], &frame)) OnApplicationFrame(frame);
  }
}

void AppLinkCheckRx() {
  tagLISTHEAD* tx = GetTXListHead();
  // Other threads append to the TX list meanwhile: its count is read under the list lock.
  if (tx == nullptr || QueuedCount(tx) <= 0) return;
  if (g_rx_callback == nullptr || g_rx_cell == nullptr || g_delivering) return;
  // The attach thread is the TX list's only consumer; producers only append, so the head stays.
  tagNODE* node = GetHead(tx);
  if (node == nullptr || node->record == nullptr) return;
  tagDATA* message = node->record;
  // The whole message goes to the target it started with, even if the callback sets a new one.
  RxCallback callback = g_rx_callback;
  uint8_t* cell = g_rx_cell;
  g_delivering = true;
  for (int32_t i = 0; i < message->length; ++i) {
    *cell = message->bytes[i];
    callback();
  }
  g_delivering = false;
  MonitorFrameLine(kTxMonitor, message->bytes, message->length);
  RemoveEntry(tx, message);
}

void TargetReceiveBytes(const uint8_t* data, uint32_t length) {
  if (data == nullptr) return;
  FrameAssembler* assembler = TargetFrameAssembler();
  for (uint32_t i = 0; i < length; ++i) {
    FramePiece frame{};
    if (FrameAssemblerFeed(assembler, data[i], &frame)) QueueTxMessage(frame.bytes, frame.length);
  }
}

void ResetAppLink() {
  g_rx_callback = nullptr;
  g_rx_cell = nullptr;
  g_delivering = false;
  EnableAcknowledgements(false);
  FrameAssemblerReset(AppFrameAssembler());
  FrameAssemblerReset(TargetFrameAssembler());
  FrameAssemblerReset(ToolFrameAssembler());
}

}  // namespace panel
