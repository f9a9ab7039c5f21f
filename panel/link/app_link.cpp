// Application link core: framing of the application's bytes and delivery of the TX list.
#include "panel/link/app_link.h"

#include <cstdlib>

#include "panel/core/data_lists.h"
#include "panel/core/monitor_log.h"
#include "panel/link/frame_assembler.h"
#include "panel/link/panel_answers.h"
#include "panel/link/protocol_settings.h"

namespace {

// Plain variables: SetRxTarget runs at start-up before the polling loop uses them.
RxCallback g_rx_callback = nullptr;
uint8_t* g_rx_cell = nullptr;
FrameForwardHook g_forward = nullptr;
void* g_forward_context = nullptr;
InterpreterRunner g_runner = nullptr;
void* g_runner_context = nullptr;
bool g_delivering = false;  // CheckRx is handing a message to the receive callback

void QueueRxMessage(const uint8_t* bytes, int32_t length) {
  tagLISTHEAD* rx = GetRXListHead();
  if (rx == nullptr) return;
  tagDATA* record = CreateNewEntry(bytes, length);
  if (record == nullptr) return;
  if (ListAppend(rx, record) == 0) {
    // Not linked, so still ours to release (the lists free with free()).
    std::free(record->bytes);
    std::free(record);
  }
}

void OnApplicationFrame(const FramePiece& frame) {
  if (g_forward != nullptr) g_forward(g_forward_context, frame.bytes, frame.length);
  QueueRxMessage(frame.bytes, frame.length);
  MonitorFrameLine(kRxMonitor, frame.bytes, frame.length);
  if (g_runner != nullptr) g_runner(g_runner_context);
}

}  // namespace

void SetFrameForwardHook(FrameForwardHook hook, void* context) {
  g_forward = hook;
  g_forward_context = context;
}

void SetInterpreterRunner(InterpreterRunner runner, void* context) {
  g_runner = runner;
  g_runner_context = context;
}

void AppLinkSetRxTarget(RxCallback callback, uint8_t* cell) {
  g_rx_callback = callback;
  g_rx_cell = cell;
  SetAckHook(AppendAcknowledgement);
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
  if (tx == nullptr || tx->count <= 0) return;
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

void AppLinkResetForTests() {
  g_rx_callback = nullptr;
  g_rx_cell = nullptr;
  g_forward = nullptr;
  g_forward_context = nullptr;
  g_runner = nullptr;
  g_runner_context = nullptr;
  g_delivering = false;
  SetAckHook(nullptr);
  FrameAssemblerReset(AppFrameAssembler());
  FrameAssemblerReset(TargetFrameAssembler());
  FrameAssemblerReset(ToolFrameAssembler());
}
