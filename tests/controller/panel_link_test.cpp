#include <gtest/gtest.h>

#include "core_test_support.h"
#include "panel_harness.h"

using controller::ControllerIo;
using controller::ControllerState;
using controller::ControllerTick;
using controller::PostEvent;
using controller::QueueMessage;
using controller::ReceiveByte;
using controller::StartTimer;
using controller::StopAllTimers;
using controller::TimerRunning;
using controller::g_controller;
using controller::kEditValueShown;
using controller::kTickModeInitialise;
using controller::kTimerAckTimeout;

namespace {

// A running controller whose start-up timers are cancelled and whose clock is held, so the only
// traffic is what the test queues.
class PanelLinkTest : public ::testing::Test {
 protected:
  PanelLinkTest() { StopAllTimers(); }
  PanelHarness panel;
};

TEST(PanelStartTest, FirstRunningTickPostsNoChangeEvents) {
  PanelHarness panel;
  panel.Step();
  EXPECT_EQ(g_controller.event_write, 0);  // nothing was ever posted
  EXPECT_EQ(g_controller.temperature, 15);
  EXPECT_EQ(g_controller.humidity, 58);
  EXPECT_EQ(panel.relays(), 15);
}

TEST(PanelStartTest, SliderChangesPostChangeEvents) {
  PanelHarness panel;
  StopAllTimers();
  g_controller.menu_mode = 0xFF;  // park the consumers' input: look at the queue only
  panel.SetHumidity(70);
  panel.SetTemperature(-3);
  g_controller.message_count = 0;
  QueueMessage(2);  // a pending message keeps the events in the queue
  g_controller.awaiting_ack = 1;
  panel.Step();
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{0x30, 0x32}));
  EXPECT_EQ(g_controller.temperature, -3);
  EXPECT_EQ(g_controller.humidity, 70);
}

TEST(PanelStartTest, InitialisingTickHandsOutCallbackAndCell) {
  ControllerIo io{};
  EXPECT_EQ(ControllerTick(kTickModeInitialise, &io), 0);
  EXPECT_EQ(io.data.receive_byte, &ReceiveByte);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(io.temperature), &g_controller.rx_cell);
}

TEST_F(PanelLinkTest, SixteenCharacterTextLeavesInOneTickAndWaitsForItsAcknowledgement) {
  QueueMessage(100);
  panel.Step();
  panel.Step();
  ASSERT_EQ(panel.frames().size(), 2u);
  EXPECT_EQ(panel.frames()[0], AppFrame("DC0"));
  EXPECT_EQ(panel.frames()[1], AppFrame("W SICCORA-superb "));
  EXPECT_EQ(panel.frame_ticks()[0], 1u);
  EXPECT_EQ(panel.frame_ticks()[1], 2u);  // the "@!" came in before tick 2
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
}

TEST_F(PanelLinkTest, NextFrameOnlyAfterTheAcknowledgement) {
  panel.set_auto_ack(false);
  QueueMessage(2);
  QueueMessage(20);
  panel.Step(3);
  ASSERT_EQ(panel.frames().size(), 1u);
  panel.Send("@!");
  panel.Step();
  ASSERT_EQ(panel.frames().size(), 2u);
  EXPECT_EQ(panel.frames()[1], AppFrame("D01"));
}

TEST_F(PanelLinkTest, MissingAcknowledgementRetransmitsAfterFourTicks) {
  panel.set_auto_ack(false);
  QueueMessage(1);
  panel.Step(12);
  // Sent at tick 1; the timeout expires in the first pass of tick 5, which sends it again.
  ASSERT_EQ(panel.frames().size(), 3u);
  EXPECT_EQ(panel.frame_ticks()[0], 1u);
  EXPECT_EQ(panel.frame_ticks()[1], 5u);
  EXPECT_EQ(panel.frame_ticks()[2], 9u);
  EXPECT_EQ(panel.frames()[1], panel.frames()[0]);
  EXPECT_EQ(g_controller.retry_count, 3);
}

TEST_F(PanelLinkTest, GivesUpAfterFourUnansweredSendsAndGoesOn) {
  panel.set_auto_ack(false);
  QueueMessage(39);  // "@s" is never acknowledged by the panel library
  QueueMessage(2);
  panel.Step(40);
  std::vector<std::string> frames = panel.TakeFrames();
  ASSERT_GE(frames.size(), 5u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(frames[i], AppFrame("s"));
  EXPECT_EQ(frames[4], AppFrame("B0"));
}

TEST_F(PanelLinkTest, SensorAlarmFrameDoesNotFreezeTheDisplay) {
  QueueMessage(39);
  QueueMessage(104);
  panel.Step(40);
  std::vector<std::string> frames = panel.TakeFrames();
  ASSERT_EQ(frames.size(), 6u);
  EXPECT_EQ(frames[4], AppFrame("DC0"));
  EXPECT_EQ(frames[5], AppFrame("W Ventilator On  "));
  EXPECT_EQ(g_controller.message_count, 0);
}

TEST_F(PanelLinkTest, StoppingAllTimersDoesNotLeaveAFrameWaitingForever) {
  panel.set_auto_ack(false);
  QueueMessage(39);
  QueueMessage(2);
  panel.Step();
  StopAllTimers();  // as the off function does
  panel.Step(40);
  std::vector<std::string> frames = panel.TakeFrames();
  ASSERT_GE(frames.size(), 5u);
  EXPECT_EQ(frames[4], AppFrame("B0"));
}

TEST_F(PanelLinkTest, AcknowledgementTimeoutWaitsForAFreeSlotWhenTheTableIsFull) {
  panel.set_auto_ack(false);
  for (uint8_t id = 0x40; id < 0x46; ++id) StartTimer(id, 1000);
  StartTimer(0x46, 10);
  QueueMessage(39);
  panel.Step();
  EXPECT_EQ(g_controller.awaiting_ack, 1);
  EXPECT_FALSE(TimerRunning(kTimerAckTimeout));
  panel.Step(10);  // 0x46 expires and frees its slot
  EXPECT_TRUE(TimerRunning(kTimerAckTimeout));
  panel.Step(4);
  EXPECT_EQ(panel.frames().size(), 2u);  // sent again
}

TEST_F(PanelLinkTest, AcknowledgementRemovesAnUnsentHeadMessage) {
  panel.set_auto_ack(false);
  g_controller.awaiting_ack = 1;  // hold the transmitter while the queue fills
  QueueMessage(2);
  QueueMessage(20);
  g_controller.awaiting_ack = 0;
  panel.Send("@!");
  panel.Step();
  ASSERT_EQ(panel.frames().size(), 1u);
  EXPECT_EQ(panel.frames()[0], AppFrame("D01"));
}

TEST_F(PanelLinkTest, ClockDroppedWhileEditingButItsCursorIsSent) {
  g_controller.edit_flags |= kEditValueShown;
  QueueMessage(6);
  QueueMessage(15);
  QueueMessage(2);
  panel.Step(6);
  std::vector<std::string> expected = {AppFrame("D80"), AppFrame("B0")};
  EXPECT_EQ(panel.frames(), expected);
}

TEST_F(PanelLinkTest, DisplayModelFollowsCursorAndText) {
  panel.SetTemperature(-5);
  panel.Step();
  QueueMessage(19);
  QueueMessage(17);
  QueueMessage(18);
  QueueMessage(16);
  panel.Step(20);
  EXPECT_EQ(panel.Line(0), std::string("      - 5\xDF" "C  58%"));
}

TEST_F(PanelLinkTest, EventsWaitWhileAMessageIsPending) {
  panel.set_auto_ack(false);
  QueueMessage(2);
  panel.Step();
  PostEvent(0x01);  // a code no consumer handles
  panel.Step(2);
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x01});
  panel.Send("@!");
  panel.Step();
  EXPECT_TRUE(PendingEvents().empty());
}

TEST_F(PanelLinkTest, OneFramePerTick) {
  for (int i = 0; i < 8; ++i) QueueMessage(1);
  panel.Step(8);
  ASSERT_EQ(panel.frames().size(), 8u);
  for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(panel.frame_ticks()[i], i + 1);
}

// Download: twelve state bytes from position 8, then nine settings bytes.
TEST_F(PanelLinkTest, DownloadSequenceFillsStateThenSettings) {
  const uint8_t state_bytes[12] = {0x3F, 16, 2, 99, 7, 30, 22, 0, 6, 15, 12, 100};
  for (uint8_t b : state_bytes) {
    panel.SendDownloadByte(b);
    panel.Step();
  }
  const ControllerState& c = g_controller;
  EXPECT_EQ(c.led_bits, 0x04);  // 0x3F reads as 0, ready LED forced on
  EXPECT_EQ(c.state, 16);
  EXPECT_EQ(c.washing_cycles, 2);
  EXPECT_EQ(c.start_hour, 7);
  EXPECT_EQ(c.start_minute, 30);
  EXPECT_EQ(c.block_start_hour, 22);
  EXPECT_EQ(c.block_start_minute, 0);
  EXPECT_EQ(c.block_end_hour, 6);
  EXPECT_EQ(c.block_end_minute, 15);
  EXPECT_EQ(c.filter_minutes, 12);
  EXPECT_EQ(c.filter_hours, 100);
  EXPECT_EQ(c.download_settings, 1);
  EXPECT_EQ(c.download_pos, 0);

  panel.SendDownloadByte(0x06);  // options
  panel.Step();
  EXPECT_EQ(c.settings.options, 0x06);
  for (uint8_t i = 1; i < 9; ++i) {
    panel.SendDownloadByte(static_cast<uint8_t>(200 + i));
    panel.Step();
  }
  // After the last settings byte the defaults are loaded again; options stays.
  EXPECT_EQ(c.settings.options, 0x06);
  EXPECT_EQ(c.settings.standby_time_s, 120);
  EXPECT_EQ(c.settings.defrost_s_per_c, 45);
  panel.SendDownloadByte(0x01);  // beyond the end of the settings list
  panel.Step();
  EXPECT_EQ(c.settings.options, 0x06);
}

TEST_F(PanelLinkTest, DownloadNeverStoresAnInvalidTime) {
  const uint8_t state_bytes[12] = {0x20, 0, 0, 0, 24, 60, 25, 99, 255, 60, 60, 251};
  for (uint8_t b : state_bytes) {
    panel.SendDownloadByte(b);
    panel.Step();
  }
  const ControllerState& c = g_controller;
  EXPECT_EQ(c.led_bits, 0x04);
  EXPECT_EQ(c.start_hour, 0);
  EXPECT_EQ(c.start_minute, 0);
  EXPECT_EQ(c.block_start_hour, 4);  // the previous, valid block is kept
  EXPECT_EQ(c.block_start_minute, 0);
  EXPECT_EQ(c.block_end_hour, 4);
  EXPECT_EQ(c.block_end_minute, 30);
  EXPECT_EQ(c.filter_minutes, 59);
  EXPECT_EQ(c.filter_hours, 250);  // clamped to the alarm level
  EXPECT_EQ(c.download_settings, 1);  // the sequence still advanced
}

TEST_F(PanelLinkTest, InitialisationMessageSetsTheClockFromTheWallClock) {
  panel.SetClock(13, 45, 27);
  panel.Step();  // the platform second changes here; the next tick is in the same second
  QueueMessage(26);
  panel.Step();
  EXPECT_EQ(g_controller.hour, 13);
  EXPECT_EQ(g_controller.minute, 45);
  EXPECT_EQ(g_controller.second, 27);
  EXPECT_EQ(g_controller.last_platform_second, 27);
  EXPECT_TRUE(panel.frames().empty());
}

TEST_F(PanelLinkTest, StalledLoopSeesOnlyOneElapsedSecond) {
  panel.Step();  // 10:00:00.000
  g_controller.edit_flags = 0;  // the clock runs
  g_controller.second = 0;
  panel.AdvanceClock(2950);
  panel.Step();  // 10:00:03.000
  EXPECT_EQ(g_controller.last_platform_second, 3);
  EXPECT_EQ(g_controller.second, 1);
  panel.Step();  // same platform second: no further step
  EXPECT_EQ(g_controller.second, 1);
}

TEST_F(PanelLinkTest, QuitEndsTheTickButStillWritesRelays) {
  g_controller.relay_ventilator = 0;
  g_controller.quit = 1;
  QueueMessage(2);
  panel.Step();
  EXPECT_TRUE(panel.frames().empty());
  EXPECT_EQ(panel.relays(), 11);
}

}  // namespace
