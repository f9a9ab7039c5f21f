// Scenarios of the clock, the blocked period and the filter run time.
#include <gtest/gtest.h>

#include "app/controller/clock_filter.h"
#include "app/controller/clock_schedule.h"
#include "app/controller/clock_step.h"
#include "core_test_support.h"
#include "scenario_support.h"

using controller::ClockStep;
using controller::CountFilterMinute;
using controller::DelayedStartTime;
using controller::IsOperationAllowed;
using controller::g_controller;
using controller::kEditClockHold;
using controller::kEventHalfHour;
using controller::kEventHour;
using controller::kEventMinute;
using controller::kMenuKeyHeldMode;
using controller::kMenuNone;
using controller::kStateDehumidifying;

namespace {

// A quiet controller with a running clock at the given time.
void ClockAt(uint8_t hour, uint8_t minute, uint8_t second) {
  ResetQuietController();
  g_controller.edit_flags = 0;
  g_controller.hour = hour;
  g_controller.minute = minute;
  g_controller.second = second;
}

TEST(ClockStepTest, HourRolloverPostsMinuteThenHour) {
  ClockAt(10, 59, 59);
  ClockStep();
  EXPECT_EQ(g_controller.hour, 11);
  EXPECT_EQ(g_controller.minute, 0);
  EXPECT_EQ(g_controller.second, 0);
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{kEventMinute, kEventHour}));
}

TEST(ClockStepTest, MinutesOneAndThirtyOneAreHalfHours) {
  ClockAt(10, 0, 59);
  ClockStep();
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{kEventHalfHour});
  ClockAt(10, 30, 59);
  ClockStep();
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{kEventHalfHour});
  ClockAt(10, 29, 59);
  ClockStep();
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{kEventMinute});
}

TEST(ClockStepTest, MidnightWrapsToZero) {
  ClockAt(23, 59, 59);
  ClockStep();
  EXPECT_EQ(g_controller.hour, 0);
  EXPECT_EQ(g_controller.minute, 0);
  EXPECT_EQ(g_controller.second, 0);
}

TEST(ClockStepTest, HeldClockStaysAtSecondZeroWithoutEvents) {
  ClockAt(10, 15, 42);
  g_controller.edit_flags = kEditClockHold;
  ClockStep();
  ClockStep();
  EXPECT_EQ(g_controller.second, 0);
  EXPECT_EQ(g_controller.minute, 15);
  EXPECT_TRUE(PendingEvents().empty());
}

TEST(ClockStepTest, OutOfRangeTimeRollsOverToAValidOne) {
  ClockAt(30, 75, 59);  // only possible through the clock frame
  ClockStep();
  EXPECT_EQ(g_controller.minute, 0);
  EXPECT_EQ(g_controller.hour, 0);
}

TEST(ClockScenario, StalledLoopAdvancesTheClockByOneSecondOnly) {
  PanelHarness panel(10, 0, 0);
  FinishStartUp(panel);
  uint8_t before = g_controller.second;
  panel.AdvanceClock(3000);
  panel.Step(1);
  EXPECT_EQ(g_controller.second, before + 1);
}

void BlockFrom(uint8_t start_hour, uint8_t start_minute, uint8_t end_hour, uint8_t end_minute) {
  g_controller.block_start_hour = start_hour;
  g_controller.block_start_minute = start_minute;
  g_controller.block_end_hour = end_hour;
  g_controller.block_end_minute = end_minute;
}

bool AllowedAt(uint8_t hour, uint8_t minute) {
  g_controller.hour = hour;
  g_controller.minute = minute;
  return IsOperationAllowed();
}

TEST(BlockedPeriodTest, DefaultPeriodIsHalfOpen) {
  ResetQuietController();
  EXPECT_TRUE(AllowedAt(3, 59));
  EXPECT_FALSE(AllowedAt(4, 0));
  EXPECT_FALSE(AllowedAt(4, 29));
  EXPECT_TRUE(AllowedAt(4, 30));
}

TEST(BlockedPeriodTest, PeriodOverMidnight) {
  ResetQuietController();
  BlockFrom(22, 0, 6, 0);
  EXPECT_TRUE(AllowedAt(21, 59));
  EXPECT_FALSE(AllowedAt(22, 0));
  EXPECT_FALSE(AllowedAt(23, 0));
  EXPECT_FALSE(AllowedAt(0, 0));
  EXPECT_FALSE(AllowedAt(5, 59));
  EXPECT_TRUE(AllowedAt(6, 0));
}

TEST(BlockedPeriodTest, EqualStartAndEndNeverBlock) {
  ResetQuietController();
  BlockFrom(4, 0, 4, 0);
  EXPECT_TRUE(AllowedAt(4, 0));
  EXPECT_TRUE(AllowedAt(16, 0));
}

TEST(BlockedPeriodTest, OutOfRangeTimesAreTakenModuloADay) {
  ResetQuietController();
  EXPECT_FALSE(AllowedAt(28, 10));  // 04:10
  BlockFrom(28, 0, 4, 30);          // start 04:00 as well
  EXPECT_FALSE(AllowedAt(4, 0));
  EXPECT_TRUE(AllowedAt(4, 30));
}

TEST(DelayedStartTimeTest, RoundsToHalfHoursAndAddsSteps) {
  struct Case { uint8_t hour, minute, steps, start_hour, start_minute; };
  const Case cases[] = {
      {10, 20, 1, 10, 30}, {10, 20, 2, 11, 0}, {10, 21, 1, 11, 0}, {10, 0, 1, 10, 30},
      {10, 50, 1, 11, 0},  {10, 51, 1, 11, 30}, {23, 55, 1, 0, 30}, {23, 40, 1, 0, 0},
      {10, 20, 48, 10, 0},
  };
  for (const Case& k : cases) {
    ResetQuietController();
    g_controller.hour = k.hour;
    g_controller.minute = k.minute;
    DelayedStartTime(k.steps);
    EXPECT_EQ(g_controller.start_hour, k.start_hour) << int(k.hour) << ":" << int(k.minute) << " +" << int(k.steps);
    EXPECT_EQ(g_controller.start_minute, k.start_minute) << int(k.hour) << ":" << int(k.minute) << " +" << int(k.steps);
  }
}

TEST(FilterCountTest, CountsOnlyWithTheVentilatorRunning) {
  ResetQuietController();
  CountFilterMinute();
  EXPECT_EQ(g_controller.filter_minutes, 59);
  g_controller.relay_ventilator = 0;
  CountFilterMinute();
  EXPECT_EQ(g_controller.filter_minutes, 0);
  EXPECT_EQ(g_controller.filter_hours, 250);
  EXPECT_EQ(g_controller.led_bits, 0x20);
  for (int i = 0; i < 61; ++i) CountFilterMinute();
  EXPECT_EQ(g_controller.filter_hours, 250);  // stays at the alarm value
  EXPECT_EQ(g_controller.filter_minutes, 1);
}

TEST(FilterCountTest, AlarmAndReadyTogetherStopTheCount) {
  ResetQuietController();
  g_controller.relay_ventilator = 0;
  g_controller.led_bits = 0x24;
  g_controller.filter_minutes = 10;
  CountFilterMinute();
  EXPECT_EQ(g_controller.filter_minutes, 10);
}

TEST(FilterCountTest, DownloadedCountAboveTheAlarmDoesNotWrap) {
  ResetQuietController();
  g_controller.relay_ventilator = 0;
  g_controller.filter_hours = 255;
  g_controller.filter_minutes = 59;
  CountFilterMinute();
  EXPECT_EQ(g_controller.filter_hours, 250);
  EXPECT_EQ(g_controller.led_bits & 0x20, 0x20);
}

class ClockProgramScenario : public ::testing::Test {
 protected:
  explicit ClockProgramScenario(uint8_t hour, uint8_t minute) : panel(hour, minute, 0) {
    FinishStartUp(panel);
  }
  void StartRoomProgramAt70() {
    panel.SetHumidity(70);
    panel.TapKeys(kMaskRoom);
    panel.WaitSeconds(5);
    ASSERT_EQ(g_controller.state, kStateDehumidifying);
  }
  PanelHarness panel;
};

class BlockedAt4 : public ClockProgramScenario {
 protected:
  BlockedAt4() : ClockProgramScenario(3, 58) {}
};

TEST_F(BlockedAt4, ProgramPausesFrom0400To0430AndContinues) {
  StartRoomProgramAt70();
  ASSERT_TRUE(RunUntilClock(panel, 3, 59, 59));
  panel.Step(5);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  ASSERT_TRUE(RunUntilClock(panel, 4, 0, 0));
  panel.ClearFrames();
  panel.Step(5);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_TRUE(InOrder(panel.frames(), Line2Text("Operation denied")));
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  panel.SetHumidity(50);  // no regulation while blocked
  panel.Step(10);
  panel.SetHumidity(70);
  panel.Step(10);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  ASSERT_TRUE(RunUntilClock(panel, 4, 29, 59));
  panel.Step(5);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.Line(1), "Operation denied");
  ASSERT_TRUE(RunUntilClock(panel, 4, 30, 0));
  panel.Step(10);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
  EXPECT_EQ(g_controller.blocked, 0);
}

TEST_F(BlockedAt4, IdleDeviceShowsOperationDenied) {
  ASSERT_TRUE(RunUntilClock(panel, 4, 0, 0));
  panel.Step(10);
  EXPECT_EQ(panel.Line(1), "Operation denied");
  ASSERT_TRUE(RunUntilClock(panel, 4, 30, 0));
  panel.Step(10);
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
}

class BlockedOverMidnight : public ClockProgramScenario {
 protected:
  BlockedOverMidnight() : ClockProgramScenario(21, 59) {}
};

TEST_F(BlockedOverMidnight, ProgramPausesFrom2200To0600) {
  BlockFrom(22, 0, 6, 0);
  StartRoomProgramAt70();
  ASSERT_TRUE(RunUntilClock(panel, 22, 0, 0));
  panel.Step(20);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.Line(1), "Operation denied");
  // Jump across midnight with the clock frame of a real target.
  panel.SendClockFrame(23, 59, 58);
  ASSERT_TRUE(RunUntilClock(panel, 0, 0, 1));
  panel.Step(5);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  panel.SendClockFrame(5, 59, 58);
  ASSERT_TRUE(RunUntilClock(panel, 5, 59, 59));
  panel.Step(5);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  ASSERT_TRUE(RunUntilClock(panel, 6, 0, 0));
  panel.Step(20);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
}

class FilterScenario : public ClockProgramScenario {
 protected:
  FilterScenario() : ClockProgramScenario(10, 0) {}
};

TEST_F(FilterScenario, AlarmAfterOneMinuteOfVentilatorAndResetByHoldingKeyMenu) {
  StartRoomProgramAt70();
  ASSERT_TRUE(RunUntilClock(panel, 10, 0, 59));
  panel.Step(5);
  EXPECT_EQ(panel.leds() & 0x20, 0);
  ASSERT_TRUE(RunUntilClock(panel, 10, 1, 0));
  panel.Step(5);
  EXPECT_EQ(panel.leds(), 0x25);
  EXPECT_EQ(g_controller.filter_hours, 250);
  panel.TapKeys(kMaskOff);
  EXPECT_EQ(panel.Line(1), "CLEAN THE FILTER");
  EXPECT_EQ(panel.leds(), 0x24);

  panel.PressKeys(kMaskMenu);
  panel.Step(95);  // 4.75 s
  EXPECT_EQ(g_controller.filter_hours, 250);
  EXPECT_EQ(g_controller.menu_mode, kMenuKeyHeldMode);
  panel.Step(10);
  EXPECT_EQ(g_controller.filter_hours, 0);
  EXPECT_EQ(g_controller.filter_minutes, 0);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  EXPECT_EQ(panel.leds(), 0x04);
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
  panel.ReleaseKeys(kMaskMenu);
  panel.Step(5);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
}

TEST_F(FilterScenario, NoCountWhileTheVentilatorIsOff) {
  ASSERT_TRUE(RunUntilClock(panel, 10, 2, 0));
  panel.Step(5);
  EXPECT_EQ(g_controller.filter_hours, 249);
  EXPECT_EQ(g_controller.filter_minutes, 59);
  EXPECT_EQ(panel.leds(), 0x04);
}

TEST_F(FilterScenario, HoldingKeyMenuWithoutAlarmChangesNothing) {
  panel.PressKeys(kMaskMenu);
  panel.WaitSeconds(6);
  EXPECT_EQ(g_controller.filter_hours, 249);
  EXPECT_EQ(g_controller.filter_minutes, 59);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  panel.ReleaseKeys(kMaskMenu);
  panel.Step(5);
}

}  // namespace
