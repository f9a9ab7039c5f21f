// Test doubles and fixture for the protocol tests.
#include "link_test_support.h"

#include "panel/core/option_word.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/link/app_link.h"
#include "panel/link/command_interpreter.h"
#include "panel/link/protocol_settings.h"

namespace {

int TxCountNow() {
  tagLISTHEAD* tx = GetTXListHead();
  return tx == nullptr ? -1 : tx->count;
}

void RunInterpreterDirectly(void*) { RunCommandInterpreter(); }

}  // namespace

PanelHost RecordingPanel::Host() {
  PanelHost host{};
  host.redraw_lcd = [](void* ctx) {
    static_cast<RecordingPanel*>(ctx)->lcd_redraw_tx_counts.push_back(TxCountNow());
  };
  host.redraw_leds = [](void* ctx) {
    static_cast<RecordingPanel*>(ctx)->led_redraw_tx_counts.push_back(TxCountNow());
  };
  host.beep = [](void* ctx, unsigned frequency_hz, unsigned duration_ms) {
    static_cast<RecordingPanel*>(ctx)->beeps.push_back({frequency_hz, duration_ms});
  };
  host.context = this;
  return host;
}

MonitorSink RecordingMonitor::Sink() {
  MonitorSink sink{};
  sink.write_line = [](void* ctx, MonitorTarget target, const char* text) {
    static_cast<RecordingMonitor*>(ctx)->lines.push_back({target, text});
    return static_cast<int>(std::string(text).size());
  };
  sink.set_status = nullptr;
  sink.context = this;
  return sink;
}

std::vector<std::string> RecordingMonitor::Lines(MonitorTarget target) const {
  std::vector<std::string> result;
  for (const MonitorEntry& entry : lines) {
    if (entry.target == target) result.push_back(entry.text);
  }
  return result;
}

std::string Bytes(const uint8_t* bytes, int length) {
  return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
}

void LinkTest::SetUp() {
  ResetOptionWord();
  LcdResetForTests();
  LcdInit();
  ResetProtocolSettings();
  AppLinkResetForTests();

  tx_ = ListCreate();
  rx_ = ListCreate();
  ASSERT_EQ(GetTXListHead(), nullptr) << "a previous test left the TX list set";
  SetListHead(tx_);
  SetListHead(rx_);
  ASSERT_EQ(GetTXListHead(), tx_);
  ASSERT_EQ(GetRXListHead(), rx_);
  areas_ = CreateRectList();
  SetRectList(areas_);

  static uint8_t cell = 0;
  AppLinkSetRxTarget([] {}, &cell);
  SetInterpreterRunner(RunInterpreterDirectly, nullptr);
  PanelHost host = panel_.Host();
  SetPanelHost(&host);
  MonitorSink sink = monitor_.Sink();
  SetMonitorSink(&sink);
}

void LinkTest::TearDown() {
  SetMonitorSink(nullptr);
  SetPanelHost(nullptr);
  AppLinkResetForTests();
  DelRectList(areas_);
  DelList(tx_);
  DelList(rx_);
}

void LinkTest::Send(const std::string& bytes) {
  AppLinkReceive(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()));
}

std::vector<std::string> LinkTest::TxMessages() const {
  std::vector<std::string> result;
  for (tagNODE* node = tx_->first; node != nullptr; node = node->next) {
    result.push_back(Bytes(node->record->bytes, node->record->length));
  }
  return result;
}

int LinkTest::RxCount() const { return rx_->count; }

tagRECTPROP* LinkTest::AddLed(int32_t id) {
  tagRECTPROP led{};
  led.id = id;
  led.kind = kRectKindLed;
  led.rect = {10 * id, 0, 10 * id + 8, 8};
  led.color = -1;
  led.active_color = 100 + id;
  led.inactive_color = 200 + id;
  tagRECTPROP* record = CreateRectEntry(&led);
  AppendRect(areas_, record);
  return record;
}
