// Scenarios of the drying programs: selection and delayed start, regulation through standby,
// the end of the washing program, defrosting and the heater modes, seen through the panel.
#include <gtest/gtest.h>

#include "app/controller/controller_tick.h"
#include "app/controller/program_control.h"
#include "scenario_support.h"

using controller::DefrostDuration;
using controller::DefrostMaxC;
using controller::LoadDefaults;
using controller::QueueMessage;
using controller::ResetController;
using controller::Stop;
using controller::TimerRunning;
using controller::g_controller;
using controller::kEditClockHold;
using controller::kEventDefrostArm;
using controller::kEventHalfHour;
using controller::kEventStartDelay;
using controller::kEventStartTime;
using controller::kMenuConfiguration;
using controller::kMsgSensorAlarm;
using controller::kStateDehumidifying;
using controller::kStateIdle;
using controller::kStateRoomSelected;
using controller::kStateStandby;
using controller::kStateStartPhase;
using controller::kStateWashingSelected;
using controller::kTimerAckTimeout;

namespace {

class ProgramScenario : public ::testing::Test {
 protected:
  explicit ProgramScenario(uint8_t hour = 10, uint8_t minute = 0) : panel(hour, minute, 0) {
    FinishStartUp(panel);
  }
  // Starts a program with its key and waits out the 5 s start delay.
  void StartProgramWithKey(uint8_t key) {
    panel.TapKeys(key);
    panel.WaitSeconds(5);
  }
  PanelHarness panel;
};

TEST_F(ProgramScenario, StartUpEndsReadyWithTheProductName) {
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
  EXPECT_EQ(panel.Line(0), "10:00  15\xDF" "C  58%");
  EXPECT_EQ(panel.leds(), 0x04);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(g_controller.settings.standby_time_s, 120);
}

TEST_F(ProgramScenario, RoomProgramAt70PercentGoesThroughStandbyAndBack) {
  panel.SetHumidity(70);
  panel.PressKeys(kMaskRoom);
  panel.Step(5);
  EXPECT_EQ(g_controller.state, kStateRoomSelected);
  EXPECT_TRUE(InOrder(panel.frames(), Line2Text("  START IN 5s   ")));
  EXPECT_EQ(panel.leds() & 0xFE, 0x84);  // room LED blinking, ready LED kept
  panel.ReleaseKeys(kMaskRoom);
  panel.Step(90);  // 4.75 s after the press
  EXPECT_EQ(g_controller.state, kStateRoomSelected);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  panel.Step(20);
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
  EXPECT_EQ(panel.leds(), 0x05);

  panel.ClearFrames();
  panel.SetHumidity(59);
  panel.Step(10);
  EXPECT_EQ(g_controller.state, kStateStandby);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  std::vector<std::string> standby = Line2Text("    Standby     ");
  standby.push_back(AppFrame("D8C"));
  standby.push_back(AppFrame("W 59%"));
  EXPECT_TRUE(InOrder(panel.frames(), standby));

  panel.SetHumidity(65);  // not above the ON threshold
  panel.Step(10);
  EXPECT_EQ(g_controller.state, kStateStandby);
  panel.SetHumidity(66);
  panel.Step(10);
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
}

TEST_F(ProgramScenario, StartAt62PercentRunsTheVentilatorAloneFor120Seconds) {
  panel.SetHumidity(62);
  panel.TapKeys(kMaskRoom, 5);
  panel.Step(95);
  ASSERT_EQ(g_controller.state, kStateStartPhase);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
  EXPECT_EQ(panel.Line(1), " Ventilator On  ");
  panel.WaitSeconds(118);
  EXPECT_EQ(g_controller.state, kStateStartPhase);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
  panel.WaitSeconds(3);
  EXPECT_EQ(g_controller.state, kStateStandby);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.Line(1), "    Standby     ");
}

TEST_F(ProgramScenario, StartPhaseEndsInDehumidifyingWhenTheHumidityRose) {
  panel.SetHumidity(62);
  StartProgramWithKey(kMaskRoom);
  panel.SetHumidity(66);  // Standby reacts to this, the start phase waits for its end
  panel.Step(10);
  EXPECT_EQ(g_controller.state, kStateStartPhase);
  panel.WaitSeconds(120);
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
}

TEST_F(ProgramScenario, WashingProgramEndsAtTheEndOfItsFourthRun) {
  panel.SetHumidity(60);
  StartProgramWithKey(kMaskWashing);
  ASSERT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.Line(1), " Drying Washing ");
  EXPECT_EQ(panel.leds(), 0x06);
  for (int run = 1; run <= 3; ++run) {
    panel.SetHumidity(44);
    panel.Step(10);
    EXPECT_EQ(g_controller.state, kStateStandby) << "run " << run;
    EXPECT_EQ(panel.relays(), kRelaysAllOff);
    panel.SetHumidity(53);
    panel.Step(10);
    EXPECT_EQ(g_controller.state, kStateDehumidifying) << "run " << run;
    EXPECT_EQ(g_controller.washing_cycles, run + 1);
  }
  panel.ClearFrames();
  panel.SetHumidity(44);
  panel.Step(10);
  EXPECT_EQ(g_controller.state, kStateIdle);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.leds(), 0x04);
  EXPECT_TRUE(InOrder(panel.frames(), Line2Text(" SICCORA-superb ")));
}

TEST_F(ProgramScenario, WashingProgramEndsEvenWithTheRoomOffThresholdSetEqual) {
  g_controller.settings.rh_off_room = g_controller.settings.rh_off_washing;
  panel.SetHumidity(60);
  StartProgramWithKey(kMaskWashing);
  for (int run = 1; run <= 4; ++run) {
    panel.SetHumidity(44);
    panel.Step(10);
    panel.SetHumidity(53);
    panel.Step(10);
  }
  EXPECT_EQ(g_controller.state, kStateIdle);
}

TEST_F(ProgramScenario, RoomProgramKeepsRunningAfterItsOffThresholdWasChanged) {
  panel.SetHumidity(70);
  StartProgramWithKey(kMaskRoom);
  g_controller.settings.rh_off_room = 58;  // as if changed in CONFIGURATION during the run
  for (int run = 1; run <= 5; ++run) {
    panel.SetHumidity(50);
    panel.Step(10);
    panel.SetHumidity(70);
    panel.Step(10);
  }
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
}

TEST_F(ProgramScenario, OtherProgramKeyInTheStartWindowSwitchesTheSelection) {
  panel.SetHumidity(70);
  panel.TapKeys(kMaskWashing, 5);
  EXPECT_EQ(g_controller.state, kStateWashingSelected);
  panel.Step(30);
  panel.ClearFrames();
  panel.TapKeys(kMaskRoom, 5);
  EXPECT_EQ(g_controller.state, kStateRoomSelected);
  EXPECT_TRUE(InOrder(panel.frames(), Line2Text("  START IN 5s   ")));
  EXPECT_EQ(g_controller.led_bits & 0xC3, 0x81);
  panel.Step(75);  // 5.5 s after the washing key, 4.5 s after the room key
  EXPECT_EQ(g_controller.state, kStateRoomSelected);
  panel.Step(25);
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
  EXPECT_EQ(panel.leds(), 0x05);
}

TEST_F(ProgramScenario, OwnKeyAfterTheStartWindowDoesNothing) {
  panel.SetHumidity(40);
  StartProgramWithKey(kMaskWashing);
  ASSERT_EQ(g_controller.state, kStateStartPhase);
  panel.TapKeys(kMaskWashing);
  EXPECT_EQ(g_controller.state, kStateStartPhase);
  EXPECT_EQ(g_controller.start_steps, 0);
}

TEST_F(ProgramScenario, KeyOffEndsTheProgram) {
  panel.SetHumidity(70);
  StartProgramWithKey(kMaskRoom);
  panel.TapKeys(kMaskOff);
  EXPECT_EQ(g_controller.state, kStateIdle);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.leds(), 0x04);
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
  EXPECT_FALSE(TimerRunning(kEventDefrostArm));
}

// Delayed start: every further press of the own key within 5 s adds half an hour.
class DelayedStartScenario : public ProgramScenario {
 protected:
  DelayedStartScenario(uint8_t hour, uint8_t minute) : ProgramScenario(hour, minute) {}
  void PressWashing(int times) {
    for (int i = 0; i < times; ++i) panel.TapKeys(kMaskWashing, 5);
  }
};

class DelayedStartAt1020 : public DelayedStartScenario {
 protected:
  DelayedStartAt1020() : DelayedStartScenario(10, 20) {}
};
class DelayedStartAt1021 : public DelayedStartScenario {
 protected:
  DelayedStartAt1021() : DelayedStartScenario(10, 21) {}
};
class DelayedStartAt2355 : public DelayedStartScenario {
 protected:
  DelayedStartAt2355() : DelayedStartScenario(23, 55) {}
};

TEST_F(DelayedStartAt1020, TwoPressesStartAt1030) {
  panel.SetHumidity(70);
  PressWashing(2);
  std::vector<std::string> shown = Line2Text(" START at  ");
  shown.push_back(AppFrame("DCB"));
  shown.push_back(AppFrame("W10:30"));
  EXPECT_TRUE(InOrder(panel.frames(), shown));
  EXPECT_EQ(panel.Line(1), " START at  10:30");
  panel.WaitSeconds(6);
  EXPECT_EQ(g_controller.state, kStateWashingSelected);  // waits for its start time
  EXPECT_EQ(panel.leds(), 0x06);                         // washing LED steady
  ASSERT_TRUE(RunUntilClock(panel, 10, 29, 59));
  panel.Step(10);
  EXPECT_EQ(g_controller.state, kStateWashingSelected);
  ASSERT_TRUE(RunUntilClock(panel, 10, 30, 0));
  panel.Step(5);
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
}

TEST_F(DelayedStartAt1020, ThreePressesStartAt1100) {
  PressWashing(3);
  EXPECT_EQ(panel.Line(1), " START at  11:00");
  EXPECT_EQ(g_controller.start_steps, 2);
}

TEST_F(DelayedStartAt1021, TwoPressesStartAt1100) {
  PressWashing(2);
  EXPECT_EQ(panel.Line(1), " START at  11:00");
}

TEST_F(DelayedStartAt2355, TwoPressesStartAtHalfPastMidnight) {
  PressWashing(2);
  EXPECT_EQ(panel.Line(1), " START at   0:30");
  EXPECT_EQ(g_controller.start_hour, 0);
  EXPECT_EQ(g_controller.start_minute, 30);
}

TEST_F(DelayedStartAt1020, OtherKeyCancelsTheDelayedStart) {
  PressWashing(2);
  panel.SetHumidity(70);
  panel.TapKeys(kMaskRoom, 5);
  EXPECT_FALSE(TimerRunning(kEventStartTime));
  panel.WaitSeconds(6);
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
}

// Defrost: armed 30 minutes after the start, done at the next half-hour event (minute 1 or 31).
TEST_F(ProgramScenario, DefrostAt15DegreesStopsTheCompressorFor270Seconds) {
  panel.SetHumidity(70);
  StartProgramWithKey(kMaskRoom);
  ASSERT_TRUE(RunUntilClock(panel, 10, 1, 5));  // the half hour at 10:01 comes before the arming
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  ASSERT_TRUE(RunUntilClock(panel, 10, 30, 59));
  EXPECT_EQ(g_controller.defrost_flags, 0x02);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  ASSERT_TRUE(RunUntilClock(panel, 10, 31, 0));
  panel.Step(5);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
  EXPECT_EQ(panel.Line(1), "   Defrosting   ");
  panel.SetHumidity(71);  // regulation keeps the compressor off while defrosting
  ASSERT_TRUE(RunUntilClock(panel, 10, 35, 28));
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
  ASSERT_TRUE(RunUntilClock(panel, 10, 35, 31));
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
  EXPECT_EQ(g_controller.defrost_flags, 0x02);  // stays armed: next check at 11:01
}

TEST_F(ProgramScenario, NoDefrostAboveTheMaximumTemperature) {
  panel.SetHumidity(70);
  panel.SetTemperature(21);
  StartProgramWithKey(kMaskRoom);
  ASSERT_TRUE(RunUntilClock(panel, 10, 31, 5));
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(g_controller.defrost_flags, 0x02);
}

TEST_F(ProgramScenario, DefrostOfZeroDurationLeavesTheCompressorRunning) {
  g_controller.settings.defrost_min_c = 25;  // above the maximum: the duration computes to 0
  panel.SetHumidity(70);
  StartProgramWithKey(kMaskRoom);
  ASSERT_TRUE(RunUntilClock(panel, 10, 31, 5));
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(g_controller.defrost_flags & 0x01, 0);
}

TEST(DefrostDurationTest, DefaultsGiveTheDocumentedDurations) {
  ResetController();
  LoadDefaults();
  EXPECT_EQ(DefrostDuration(5), 11700);
  EXPECT_EQ(DefrostDuration(8), 11700);
  EXPECT_EQ(DefrostDuration(15), 5400);
  EXPECT_EQ(DefrostDuration(20), 900);
  EXPECT_EQ(DefrostDuration(21), 0);
  EXPECT_EQ(DefrostDuration(-40), 11700);
}

TEST(DefrostDurationTest, LargeSettingsSaturateInsteadOfWrapping) {
  ResetController();
  LoadDefaults();
  g_controller.settings.defrost_s_per_c = 255;  // 13 * 255 s = 66300 ticks, would wrap to 764
  EXPECT_EQ(DefrostDuration(8), 0xFFFF);
  g_controller.settings.defrost_max_c = 200;    // read as 127
  EXPECT_EQ(DefrostMaxC(), 127);
  g_controller.settings.defrost_s_per_c = 1;
  EXPECT_EQ(DefrostDuration(100), (127 - 100 + 1) * 20);
  EXPECT_EQ(DefrostDuration(127), 20);
  g_controller.settings.defrost_s_per_c = 0;
  EXPECT_EQ(DefrostDuration(15), 0);
}

TEST_F(ProgramScenario, DefrostMaximumAbove127DefrostsAtAnyTemperature) {
  g_controller.settings.defrost_max_c = 200;
  panel.SetHumidity(70);
  panel.SetTemperature(30);
  StartProgramWithKey(kMaskRoom);
  ASSERT_TRUE(RunUntilClock(panel, 10, 31, 2));
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
  // The clock's next half hour ends it.
  ASSERT_TRUE(RunUntilClock(panel, 11, 1, 2));
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_FALSE(TimerRunning(kEventHalfHour));
}

TEST_F(ProgramScenario, HeaterKeyCyclesOffManualAutomatic) {
  panel.SetHumidity(70);
  StartProgramWithKey(kMaskRoom);
  EXPECT_EQ(panel.relays() & kRelayBitHeater, kRelayBitHeater);
  panel.TapKeys(kMaskHeater);
  EXPECT_EQ(g_controller.heater_mode, 2);
  EXPECT_EQ(panel.leds(), 0x0D);
  EXPECT_EQ(panel.relays() & kRelayBitHeater, 0);
  panel.TapKeys(kMaskHeater);
  EXPECT_EQ(g_controller.heater_mode, 3);
  EXPECT_EQ(panel.leds(), 0x15);
  panel.TapKeys(kMaskHeater);
  EXPECT_EQ(g_controller.heater_mode, 1);
  EXPECT_EQ(panel.leds(), 0x05);
  EXPECT_EQ(panel.relays() & kRelayBitHeater, kRelayBitHeater);
}

TEST_F(ProgramScenario, AutomaticHeaterOnBelow18DegreesAndNeverWithoutVentilator) {
  panel.SetHumidity(70);
  StartProgramWithKey(kMaskRoom);
  panel.TapKeys(kMaskHeater);
  panel.TapKeys(kMaskHeater);
  ASSERT_EQ(g_controller.heater_mode, 3);
  panel.SetTemperature(17);
  panel.Step(10);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor & ~kRelayBitHeater);
  panel.SetTemperature(18);
  panel.Step(10);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  panel.SetTemperature(17);
  panel.Step(10);
  EXPECT_EQ(panel.relays() & kRelayBitHeater, 0);
  panel.SetHumidity(50);  // standby: ventilator off
  panel.Step(10);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  panel.SetTemperature(10);
  panel.Step(10);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
}

TEST_F(ProgramScenario, StandbyTimeZeroDecidesAtOnce) {
  g_controller.settings.standby_time_s = 0;
  panel.SetHumidity(62);
  StartProgramWithKey(kMaskRoom);
  EXPECT_EQ(g_controller.state, kStateStandby);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.Line(1), "    Standby     ");
}

TEST_F(ProgramScenario, HumidityBeforeTheFirstMeasurementIgnoresProgramKeys) {
  panel.SetHumidity(255);
  panel.Step(5);
  panel.TapKeys(kMaskRoom);
  EXPECT_EQ(g_controller.state, kStateIdle);
  EXPECT_FALSE(TimerRunning(kEventStartDelay));
}

// A frame in flight when the program stops keeps its acknowledgement timeout: the panel that
// never answers it gets the frame again, and the display goes on afterwards.
TEST_F(ProgramScenario, StopKeepsTheAcknowledgementTimeoutOfAFrameInFlight) {
  panel.set_auto_ack(false);
  QueueMessage(kMsgSensorAlarm);
  panel.Step(1);
  ASSERT_TRUE(TimerRunning(kTimerAckTimeout));
  Stop();
  EXPECT_TRUE(TimerRunning(kTimerAckTimeout));
  panel.ClearFrames();
  panel.Step(30);
  EXPECT_GE(std::count(panel.frames().begin(), panel.frames().end(), AppFrame("s")), 3);
  panel.set_auto_ack(true);
  panel.Step(20);
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
  EXPECT_EQ(g_controller.message_count, 0);
}

TEST(ProgramStartUpScenario, KeyOffDuringStartUpStillSetsClockAndDefaults) {
  PanelHarness panel(9, 15, 0);
  panel.PressKeys(kMaskOff);
  panel.Step(4);
  EXPECT_EQ(g_controller.state, kStateIdle);
  panel.ReleaseKeys(kMaskOff);
  panel.Step(60);
  EXPECT_EQ(g_controller.settings.rh_on_room, 65);
  EXPECT_EQ(g_controller.edit_flags & kEditClockHold, 0);
  EXPECT_EQ(g_controller.hour, 9);
  EXPECT_EQ(g_controller.minute, 15);
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
  EXPECT_EQ(panel.leds(), 0x04);
}

}  // namespace

namespace {

class DelayedStartAt1040 : public DelayedStartScenario {
 protected:
  DelayedStartAt1040() : DelayedStartScenario(10, 40) {}
};

// The hour's redraw clears the display; the start time must come back with its text.
TEST_F(DelayedStartAt1040, HourRedrawKeepsTheStartTime) {
  PressWashing(3);
  ASSERT_EQ(panel.Line(1), " START at  11:30");
  ASSERT_TRUE(RunUntilClock(panel, 11, 0, 0));
  panel.Step(40);
  EXPECT_EQ(panel.Line(1), " START at  11:30");
  EXPECT_EQ(panel.Line(0).substr(5), "  15\xDF" "C  58%");
}

// A status redraw inside a menu must not write the start time over the menu's line 2.
TEST_F(DelayedStartAt1040, StartTimeIsNotDrawnIntoAMenu) {
  PressWashing(2);
  panel.PressKeys(kMaskMenu);
  panel.Step(5);
  panel.PressKeys(kMaskHeater);
  panel.Step(5);
  panel.PressKeys(kMaskWashing);
  panel.Step(5);
  panel.SetKeys(0);
  panel.Step(5);
  ASSERT_EQ(g_controller.menu_mode, kMenuConfiguration);
  panel.SendClockFrame(4, 0, 58);  // into the blocked period and out again: the end resumes
  ASSERT_TRUE(RunUntilClock(panel, 4, 1, 1));
  ASSERT_EQ(g_controller.blocked, 1);
  panel.SendClockFrame(4, 29, 58);
  ASSERT_TRUE(RunUntilClock(panel, 4, 30, 1));
  panel.Step(20);
  EXPECT_EQ(g_controller.blocked, 0);
  EXPECT_EQ(panel.Line(1), " CONFIGURATION  ");
}

// Every key before the start-up's resume (1.5 s) is ignored, in both windows: before the
// display is set up (0.5 s) and after it; the state, LEDs and menus stay those of a power-on.
TEST(StartUpKeys, KeysBeforeTheStartUpHasFinishedAreIgnored) {
  struct Case {
    int ticks_before_key;
    uint8_t mask;
  };
  const Case cases[] = {{4, kMaskRoom}, {4, kMaskWashing}, {4, kMaskMenu}, {20, kMaskRoom},
                        {20, kMaskHeater}, {28, kMaskOff}};
  for (const Case& c : cases) {
    PanelHarness panel;
    panel.Step(c.ticks_before_key);
    panel.TapKeys(c.mask, 2);
    panel.Step(60);
    EXPECT_EQ(g_controller.state, kStateIdle) << c.ticks_before_key << " " << int{c.mask};
    EXPECT_EQ(g_controller.menu_mode, 0) << c.ticks_before_key;
    EXPECT_EQ(panel.leds(), controller::kLedReady) << c.ticks_before_key;
    EXPECT_EQ(g_controller.settings.rh_on_room, 65) << c.ticks_before_key;  // the defaults were loaded
    panel.TapKeys(kMaskRoom);  // once ready, a key acts
    EXPECT_EQ(g_controller.state, kStateRoomSelected) << c.ticks_before_key;
  }
}

}  // namespace
