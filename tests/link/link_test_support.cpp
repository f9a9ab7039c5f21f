// Test doubles and fixture for the protocol tests.
#include "link_test_support.h"

#include "panel/lcd/lcd_controller.h"
#include "panel/link/app_link.h"
#include "panel/link/command_interpreter.h"

namespace {

int TxCountNow() {
  tagLISTHEAD* tx = GetTXListHead();
  return tx == nullptr ? -1 : tx->count;
}

}  // namespace

PanelPlatform LinkTest::Platform() {
  PanelPlatform platform{};
  platform.context = this;
  platform.redraw_lcd = [](void* ctx) {
    static_cast<LinkTest*>(ctx)->panel_.lcd_redraw_tx_counts.push_back(TxCountNow());
  };
  platform.redraw_leds = [](void* ctx) {
    static_cast<LinkTest*>(ctx)->panel_.led_redraw_tx_counts.push_back(TxCountNow());
  };
  platform.beep = [](void* ctx, unsigned frequency_hz, unsigned duration_ms) {
    static_cast<LinkTest*>(ctx)->panel_.beeps.push_back({frequency_hz, duration_ms});
  };
  platform.write_monitor_line = [](void* ctx, MonitorTarget target, const char* text) {
    static_cast<LinkTest*>(ctx)->monitor_.lines.push_back({target, text});
    return static_cast<int>(std::string(text).size());
  };
  platform.forward_frame = [](void* ctx, const uint8_t* bytes, int32_t length) {
    static_cast<LinkTest*>(ctx)->forwarded_.push_back(Bytes(bytes, length));
  };
  platform.run_interpreter = [](void*) { RunCommandInterpreter(); };
  return platform;
}

void LinkTest::UseRunner(void (*runner)(void* context)) {
  PanelPlatform platform = Platform();
  platform.run_interpreter = runner;
  InstallPanelPlatform(platform);
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
  ResetPanelLibraryForTests();
  LcdInit();

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
  InstallPanelPlatform(Platform());
}

void LinkTest::TearDown() {
  // The fixture's lists, also those a test has replaced, then everything else.
  InstallPanelPlatform(PanelPlatform{});
  DelRectList(areas_);
  DelList(tx_);
  DelList(rx_);
  ResetPanelLibraryForTests();
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
