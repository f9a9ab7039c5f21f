#include <gtest/gtest.h>

#include "core_test_support.h"

using controller::PostEvent;
using controller::RelayByte;
using controller::ResetController;
using controller::ServiceTimers;
using controller::StartTimer;
using controller::StartUp;
using controller::StopTimer;
using controller::TimerRunning;
using controller::g_controller;

namespace {

class EventTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetQuietController(); }
};

TEST_F(EventTimerTest, EventQueueHoldsNineAndDropsTheTenth) {
  for (uint8_t i = 0; i < 9; ++i) EXPECT_EQ(PostEvent(static_cast<uint8_t>(0x60 + i)), 1);
  EXPECT_EQ(PostEvent(0x70), 0);
  std::vector<uint8_t> expected = {0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68};
  EXPECT_EQ(PendingEvents(), expected);
}

TEST_F(EventTimerTest, EventQueueWrapsAroundItsEnd) {
  g_controller.event_read = g_controller.event_write = 8;
  PostEvent(1);
  PostEvent(2);
  PostEvent(3);
  EXPECT_EQ(g_controller.event_write, 1);
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(EventTimerTest, RestartingATimerKeepsItsSlotAndTakesTheNewCount) {
  StartTimer(0x43, 100);
  StartTimer(0x44, 40);
  StartTimer(0x43, 7);
  EXPECT_EQ(g_controller.timers[0].id, 0x43);
  EXPECT_EQ(g_controller.timers[0].count, 7);
  EXPECT_EQ(g_controller.timers[1].id, 0x44);
  EXPECT_EQ(g_controller.timers[2].id, 0);
}

TEST_F(EventTimerTest, EighthTimerIsNotStarted) {
  for (uint8_t id = 0x40; id < 0x47; ++id) StartTimer(id, 10);
  StartTimer(0x48, 10);
  EXPECT_FALSE(TimerRunning(0x48));
  StopTimer(0x42);
  StartTimer(0x48, 10);
  EXPECT_EQ(g_controller.timers[2].id, 0x48);  // the lowest free slot
}

TEST_F(EventTimerTest, CountZeroStopsTickAndSecondsTimersButStartsAMidnightAlarm) {
  StartTimer(0x43, 0);
  EXPECT_FALSE(TimerRunning(0x43));
  StartTimer(0x43, 100);
  StartTimer(0x43, 0);
  EXPECT_FALSE(TimerRunning(0x43));
  StartTimer(0x4B, 1800);
  StartTimer(0x4B, 0);
  EXPECT_FALSE(TimerRunning(0x4B));
  StartTimer(0x55, 0);  // 00:00
  EXPECT_TRUE(TimerRunning(0x55));
}

TEST_F(EventTimerTest, AlarmAtAnImpossibleTimeIsNotKept) {
  StartTimer(0x55, static_cast<uint16_t>(10 + 256 * 30));
  StartTimer(0x55, static_cast<uint16_t>(24 + 256 * 0));
  EXPECT_FALSE(TimerRunning(0x55));
  StartTimer(0x55, static_cast<uint16_t>(23 + 256 * 60));
  EXPECT_FALSE(TimerRunning(0x55));
  StartTimer(0x55, static_cast<uint16_t>(23 + 256 * 59));
  EXPECT_TRUE(TimerRunning(0x55));
}

TEST_F(EventTimerTest, TickTimerExpiresAfterItsCountAndPostsItsId) {
  StartTimer(0x43, 3);
  ServiceTimers();
  ServiceTimers();
  EXPECT_TRUE(PendingEvents().empty());
  ServiceTimers();
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x43});
  EXPECT_FALSE(TimerRunning(0x43));
}

// Decrements come at each wrap of tick_in_second, so N seconds take N-1 to N seconds of ticks.
TEST_F(EventTimerTest, SecondsTimerRunsBetweenNMinusOneAndNSeconds) {
  for (uint8_t phase : {0, 1, 10, 19}) {
    ResetQuietController();
    g_controller.tick_in_second = phase;
    StartTimer(0x4B, 3);
    int ticks = 0;
    while (PendingEvents().empty() && ticks < 1000) {
      ServiceTimers();
      ++ticks;
    }
    EXPECT_GE(ticks, 2 * 20) << "phase " << int(phase);
    EXPECT_LE(ticks, 3 * 20) << "phase " << int(phase);
    EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x4B});
  }
}

TEST_F(EventTimerTest, AlarmFiresWhenHourAndMinuteMatchLowAndHighByte) {
  StartTimer(0x55, static_cast<uint16_t>(10 + 256 * 30));
  g_controller.hour = 10;
  g_controller.minute = 29;
  ServiceTimers();
  g_controller.hour = 30;  // the bytes must not be swapped
  g_controller.minute = 10;
  ServiceTimers();
  EXPECT_TRUE(TimerRunning(0x55));
  g_controller.hour = 10;
  g_controller.minute = 30;
  ServiceTimers();
  EXPECT_FALSE(TimerRunning(0x55));
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x55});
}

TEST_F(EventTimerTest, TimersExpiringInOneTickPostInSlotOrder) {
  StartTimer(0x45, 1);
  StartTimer(0x44, 1);
  ServiceTimers();
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{0x45, 0x44}));
}

TEST_F(EventTimerTest, StartUpSchedulesDisplayInitAndTheTwoStartUpEvents) {
  ResetController();
  StartUp();
  EXPECT_EQ(g_controller.timers[0].id, 0x42);
  EXPECT_EQ(g_controller.timers[0].count, 10);
  EXPECT_EQ(g_controller.timers[1].id, 0x3F);
  EXPECT_EQ(g_controller.timers[1].count, 30);
  EXPECT_EQ(g_controller.timers[2].id, 0x3E);
  EXPECT_EQ(g_controller.timers[2].count, 30);
  EXPECT_EQ(RelayByte(), 15);
  EXPECT_EQ(g_controller.edit_flags, 0x10);
  EXPECT_EQ(g_controller.humidity, 255);
  EXPECT_EQ(static_cast<uint8_t>(g_controller.temperature), 200);
  EXPECT_EQ(g_controller.filter_hours, 249);
  EXPECT_EQ(g_controller.filter_minutes, 59);
}

TEST_F(EventTimerTest, RelayByteComposesActiveLowBits) {
  g_controller.relay_compressor = 0;
  EXPECT_EQ(RelayByte(), 14);
  g_controller.relay_ventilator = 0;
  EXPECT_EQ(RelayByte(), 10);
  g_controller.relay_heater = 0;
  EXPECT_EQ(RelayByte(), 8);
}

// A slider change while the event queue is full is not taken without its event: it waits and is
// taken, with its event, by the first tick that finds room.
TEST_F(EventTimerTest, AMeasurementChangeWaitsForRoomInTheEventQueue) {
  controller::ControllerIo io{};
  controller::ControllerTick(controller::kTickModeInitialise, &io);
  controller::StopAllTimers();
  int8_t temperature = 15;
  uint8_t humidity = 58;
  uint8_t relays = 0;
  io.temperature = &temperature;
  io.humidity = &humidity;
  io.relays = &relays;
  controller::QueueMessage(controller::kMsgClearDisplay);
  g_controller.awaiting_ack = 1;  // a frame out without its acknowledgement: nothing drains
  for (uint8_t i = 0; i < 9; ++i) PostEvent(controller::kEventRefresh);
  humidity = 70;
  temperature = 20;
  controller::ControllerTick(controller::kTickModeRun, &io);
  EXPECT_EQ(g_controller.humidity, 58);
  EXPECT_EQ(g_controller.temperature, 15);
  g_controller.event_read = g_controller.event_write;  // room again
  controller::ControllerTick(controller::kTickModeRun, &io);
  EXPECT_EQ(g_controller.humidity, 70);
  EXPECT_EQ(g_controller.temperature, 20);
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{controller::kEventTemperatureChanged,
                                                    controller::kEventHumidityChanged}));
}

}  // namespace
