// Scenarios of the service menus: the key combinations, the CONFIGURATION items with their limits
// and starred values, the time editor of the TIME MENU, and the tests of the TEST MENU.
#include <gtest/gtest.h>

#include "scenario_support.h"

using controller::TimerRunning;
using controller::g_controller;
using controller::kEditValueShown;
using controller::kEventAllRelaysTestEnd;
using controller::kEventMenuKeyHeld;
using controller::kEventRelayTestEnd;
using controller::kEventRepeatUp;
using controller::kMenuConfiguration;
using controller::kMenuKeyHeldMode;
using controller::kMenuNone;
using controller::kMenuTest;
using controller::kMenuTime;
using controller::kStateDehumidifying;
using controller::kStateIdle;
using controller::kStateRoomSelected;
using controller::kStateStandby;

namespace {

class MenuScenario : public ::testing::Test {
 protected:
  MenuScenario() : panel(10, 0, 0) { FinishStartUp(panel); }

  // Holds `KeyMenu`, adds the other keys one after the other, then lets everything go.
  void Combination(std::initializer_list<uint8_t> keys) {
    panel.PressKeys(kMaskMenu);
    panel.Step(5);
    for (uint8_t key : keys) {
      panel.PressKeys(key);
      panel.Step(5);
    }
    panel.SetKeys(0);
    panel.Step(5);
  }
  void EnterTimeMenu() { Combination({kMaskWashing}); }
  void EnterConfiguration() { Combination({kMaskHeater, kMaskWashing}); }
  void EnterTestMenu() { Combination({kMaskHeater, kMaskRoom}); }
  void Next(int times = 1) {
    for (int i = 0; i < times; ++i) panel.TapKeys(kMaskMenu, 5);
  }
  void Plus(int times = 1) {
    for (int i = 0; i < times; ++i) panel.TapKeys(kMaskRoom, 5);
  }
  void Minus(int times = 1) {
    for (int i = 0; i < times; ++i) panel.TapKeys(kMaskWashing, 5);
  }
  void Store() { panel.TapKeys(kMaskHeater, 5); }
  void StartRoomProgramAt70() {
    panel.SetHumidity(70);
    panel.TapKeys(kMaskRoom);
    panel.WaitSeconds(5);
  }
  // The value field on line 1 as the frames left it.
  std::string Value() const { return panel.Line(0).substr(0, 5); }

  PanelHarness panel;
};

TEST_F(MenuScenario, KeyMenuThenWashingOpensTheTimeMenu) {
  EnterTimeMenu();
  EXPECT_EQ(g_controller.menu_mode, kMenuTime);
  EXPECT_TRUE(InOrder(panel.frames(), Line2Text("   TIME MENU    ")));
  EXPECT_EQ(panel.Line(1), "   TIME MENU    ");
  EXPECT_EQ(g_controller.state, kStateIdle);  // the washing key did not select a program
}

TEST_F(MenuScenario, KeyMenuHeaterWashingOpensTheConfiguration) {
  EnterConfiguration();
  EXPECT_EQ(g_controller.menu_mode, kMenuConfiguration);
  EXPECT_EQ(panel.Line(1), " CONFIGURATION  ");
}

TEST_F(MenuScenario, KeyMenuHeaterRoomOpensTheTestMenuAndStopsTheProgram) {
  StartRoomProgramAt70();
  ASSERT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EnterTestMenu();
  EXPECT_EQ(g_controller.menu_mode, kMenuTest);
  EXPECT_EQ(g_controller.state, kStateIdle);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.leds(), 0x00);
  EXPECT_EQ(panel.Line(1), "   TEST MENU    ");
}

TEST_F(MenuScenario, KeyMenuThenRoomWithoutHeaterActsAsRoomKey) {
  panel.SetHumidity(70);
  Combination({kMaskRoom});
  EXPECT_EQ(g_controller.state, kStateRoomSelected);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);  // the release of KeyMenu ended the waiting
}

TEST_F(MenuScenario, KeyMenuWhileAnotherKeyIsHeldDoesNothing) {
  panel.PressKeys(kMaskOff);
  panel.Step(5);
  panel.PressKeys(kMaskMenu);
  panel.Step(5);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  EXPECT_FALSE(TimerRunning(kEventMenuKeyHeld));
  panel.SetKeys(0);
  panel.Step(5);
}

TEST_F(MenuScenario, KeyMenuReleasedEarlyReturnsToNormalOperation) {
  panel.PressKeys(kMaskMenu);
  panel.Step(40);
  EXPECT_EQ(g_controller.menu_mode, kMenuKeyHeldMode);
  panel.ReleaseKeys(kMaskMenu);
  panel.Step(5);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  EXPECT_FALSE(TimerRunning(kEventMenuKeyHeld));
  panel.WaitSeconds(5);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
}

TEST_F(MenuScenario, ProgramsKeepRunningInTheTimeMenuWithoutStatusTexts) {
  StartRoomProgramAt70();
  EnterTimeMenu();
  panel.ClearFrames();
  panel.SetHumidity(59);
  panel.Step(10);
  EXPECT_EQ(g_controller.state, kStateStandby);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_FALSE(HasFrame(panel.frames(), AppFrame("W    Standby     ")));
  EXPECT_EQ(panel.Line(1), "   TIME MENU    ");
  panel.TapKeys(kMaskOff);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  EXPECT_EQ(g_controller.state, kStateStandby);  // only the menu was left
  EXPECT_EQ(panel.Line(1), "    Standby     ");
}

TEST_F(MenuScenario, ConfigurationItemsAreNamedInTurnAndWrapAround) {
  EnterConfiguration();
  const char* names[] = {" Heater Option  ", "   Key Beep     ", "Standby-Time (s)",
                         " Compensation % ", " RH COMP OFF (W)", " RH COMP ON  (W)",
                         " RH COMP OFF (R)", " RH COMP ON  (R)", " DEFROST \xDF C MAX",
                         " DEFROST \xDF C MIN", " DEFROST s/\xDF C  ", " Heater Option  "};
  for (const char* name : names) {
    Next();
    EXPECT_EQ(panel.Line(1), name);
  }
  EXPECT_EQ(g_controller.menu_item, 1);
}

TEST_F(MenuScenario, OffThresholdStopsAtTheOnThresholdAndOnAtTheOff) {
  EnterConfiguration();
  Next(5);
  EXPECT_EQ(panel.Line(1), " RH COMP OFF (W)");
  EXPECT_EQ(Value(), "  45 ");
  Plus(7);
  EXPECT_EQ(Value(), "* 52 ");
  panel.ClearFrames();
  Plus();
  EXPECT_EQ(Value(), "* 52 ");
  EXPECT_TRUE(Texts(panel.frames()).empty());  // plus does nothing at the ON threshold
  Store();
  EXPECT_EQ(Value(), "  52 ");
  EXPECT_EQ(g_controller.settings.rh_off_washing, 52);

  Next();
  EXPECT_EQ(Value(), "  52 ");
  panel.ClearFrames();
  Minus();
  EXPECT_TRUE(Texts(panel.frames()).empty());
  EXPECT_EQ(g_controller.settings.rh_on_washing, 52);
  Plus();
  EXPECT_EQ(Value(), "* 53 ");

  Next();  // room OFF 60, raised at most to 65
  Plus(6);
  EXPECT_EQ(Value(), "* 65 ");
  Next();  // room ON 65, lowered at most to 60; the unstored 65 above was not kept
  EXPECT_EQ(g_controller.settings.rh_off_room, 60);
  Minus(6);
  EXPECT_EQ(Value(), "* 60 ");
}

TEST_F(MenuScenario, StandbyTimeZeroWithMinusGives255) {
  g_controller.settings.standby_time_s = 0;
  EnterConfiguration();
  Next(3);
  EXPECT_EQ(Value(), "   0 ");
  Minus();
  EXPECT_EQ(Value(), "*255 ");
  Store();
  EXPECT_EQ(Value(), " 255 ");
  EXPECT_EQ(g_controller.settings.standby_time_s, 255);
}

TEST_F(MenuScenario, KeyBeepIsStarredUntilStored) {
  EnterConfiguration();
  Next(2);
  EXPECT_EQ(Value(), "  OFF");
  Plus();
  EXPECT_EQ(Value(), " *ON ");
  Minus();
  EXPECT_EQ(Value(), "  OFF");
  Plus();
  panel.ClearFrames();
  Store();
  EXPECT_EQ(Value(), "  ON ");
  EXPECT_TRUE(HasFrame(panel.frames(), AppFrame("Z4")));
  EXPECT_EQ(g_controller.settings.options, 0x02);
}

TEST_F(MenuScenario, CompensationRunsFromMinus9ToPlus9AndIsNotKept) {
  EnterConfiguration();
  Next(4);
  EXPECT_EQ(Value(), "  0% ");
  Plus(10);
  EXPECT_EQ(Value(), "*+9% ");
  Minus(19);
  EXPECT_EQ(Value(), "*-9% ");
  Store();
  EXPECT_EQ(Value(), "  0% ");
}

TEST_F(MenuScenario, HeaterOptionAutomaticSkipsManualOnTheHeaterKey) {
  EnterConfiguration();
  Next();
  EXPECT_EQ(Value(), "  MAN");
  Minus();
  EXPECT_EQ(Value(), " *AUT");
  Store();
  EXPECT_EQ(Value(), "  AUT");
  EXPECT_EQ(g_controller.settings.options, 0x04);
  panel.TapKeys(kMaskOff);
  EXPECT_EQ(g_controller.heater_mode, 1);
  StartRoomProgramAt70();
  panel.TapKeys(kMaskHeater);
  EXPECT_EQ(g_controller.heater_mode, 3);
  EXPECT_EQ(panel.leds(), 0x15);
}

TEST_F(MenuScenario, HeaterOptionOffShowsNoHeaterOnTheHeaterKey) {
  EnterConfiguration();
  Next();
  Minus(2);
  EXPECT_EQ(Value(), " *OFF");
  Minus();
  EXPECT_EQ(Value(), " *OFF");
  Store();
  EXPECT_EQ(Value(), "  OFF");
  EXPECT_EQ(g_controller.settings.options, 0x05);
  panel.TapKeys(kMaskOff);
  EXPECT_EQ(g_controller.heater_mode, 0);
  panel.PressKeys(kMaskHeater);
  panel.Step(5);
  EXPECT_EQ(panel.Line(1), "   No heater    ");
  panel.ReleaseKeys(kMaskHeater);
  panel.Step(30);
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
  EXPECT_EQ(panel.leds(), 0x04);
}

TEST_F(MenuScenario, UnstoredHeaterOptionKeepsTheManualHeaterRunning) {
  StartRoomProgramAt70();
  panel.TapKeys(kMaskHeater);
  ASSERT_EQ(g_controller.heater_mode, 2);
  EnterConfiguration();
  Next();
  Minus();
  EXPECT_EQ(Value(), " *AUT");
  panel.SetTemperature(16);  // a temperature change while the option is open
  panel.Step(10);
  panel.TapKeys(kMaskOff);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  EXPECT_EQ(g_controller.heater_mode, 2);
  EXPECT_EQ(panel.leds(), 0x0D);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor & ~kRelayBitHeater);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
}

TEST_F(MenuScenario, SetClockHoldsTheSecondsUntilTheMinuteIsStored) {
  EnterTimeMenu();
  Next();
  EXPECT_EQ(panel.Line(1), "  Set clock     ");
  EXPECT_EQ(Value(), "10<00");
  panel.ClearFrames();
  panel.WaitSeconds(3);
  EXPECT_EQ(g_controller.second, 0);
  EXPECT_EQ(g_controller.minute, 0);
  EXPECT_TRUE(Texts(panel.frames()).empty());  // no clock drawn over the value
  Plus();
  EXPECT_EQ(Value(), "11<00");
  Store();
  EXPECT_EQ(Value(), "11>00");
  Minus();
  EXPECT_EQ(Value(), "11>59");
  Plus(2);
  EXPECT_EQ(Value(), "11>01");
  EXPECT_EQ(g_controller.hour, 10);
  Store();
  EXPECT_EQ(g_controller.hour, 11);
  EXPECT_EQ(g_controller.minute, 1);
  EXPECT_LE(g_controller.second, 1);
  EXPECT_EQ(g_controller.edit_flags, 0);
  panel.WaitSeconds(3);
  EXPECT_GE(g_controller.second, 3);
  EXPECT_EQ(panel.Line(0).substr(0, 2), "11");
}

TEST_F(MenuScenario, StoringAgainDoesNotSetTheClockBack) {
  EnterTimeMenu();
  Next();
  Store();
  Store();
  ASSERT_EQ(g_controller.edit_flags, 0);
  panel.WaitSeconds(65);
  uint8_t minute = g_controller.minute;
  Store();
  EXPECT_EQ(g_controller.minute, minute);
}

TEST_F(MenuScenario, HoldingPlusRepeatsAfterTwoSeconds) {
  EnterTimeMenu();
  Next();
  panel.PressKeys(kMaskRoom);
  panel.Step(35);  // the first step comes with the press, the repeat only after 2 s
  EXPECT_EQ(g_controller.edit_hour, 11);
  panel.Step(25);
  uint8_t hour = g_controller.edit_hour;
  EXPECT_GE(hour, 13);
  EXPECT_LE(hour, 15);
  panel.Step(20);  // one every 5 ticks
  EXPECT_EQ(g_controller.edit_hour, hour + 4);
  panel.ReleaseKeys(kMaskRoom);
  panel.Step(5);
  hour = g_controller.edit_hour;
  panel.Step(60);
  EXPECT_EQ(g_controller.edit_hour, hour);
  EXPECT_FALSE(TimerRunning(kEventRepeatUp));
}

TEST_F(MenuScenario, HoldingMinusRepeatsDownwardsThroughMidnight) {
  g_controller.hour = 1;
  EnterTimeMenu();
  Next();
  panel.PressKeys(kMaskWashing);
  panel.Step(60);
  panel.ReleaseKeys(kMaskWashing);
  panel.Step(5);
  EXPECT_GE(g_controller.edit_hour, 19);  // 1, 0, 23 after 2 s, then one every 5 ticks
  EXPECT_LE(g_controller.edit_hour, 21);
}

TEST_F(MenuScenario, BlockTimesAreEditedHourFirst) {
  EnterTimeMenu();
  Next();
  Store();  // "Set clock" left in its minute stage
  Next();
  EXPECT_EQ(panel.Line(1), "Set start block ");
  EXPECT_EQ(Value(), "04<00");
  Plus();
  EXPECT_EQ(Value(), "05<00");
  Store();
  Plus(2);
  EXPECT_EQ(Value(), "05>02");
  Store();
  EXPECT_EQ(Value(), "05:02");
  EXPECT_EQ(g_controller.block_start_hour, 5);
  EXPECT_EQ(g_controller.block_start_minute, 2);
  EXPECT_EQ(g_controller.edit_flags, kEditValueShown);
  Next();
  EXPECT_EQ(panel.Line(1), " Set end block  ");
  EXPECT_EQ(Value(), "04<30");
}

TEST_F(MenuScenario, FilterItemShowsTheRunTime) {
  EnterTimeMenu();
  Next(4);
  EXPECT_EQ(panel.Line(1), "Filter    249:59");
  g_controller.filter_hours = 7;
  g_controller.filter_minutes = 5;
  Plus();
  EXPECT_EQ(panel.Line(1), "Filter      7:05");
  g_controller.filter_hours = 250;
  Store();
  EXPECT_EQ(panel.Line(1), "CLEAN THE FILTER");
}

TEST_F(MenuScenario, LedTestTogglesAllSixLeds) {
  EnterTestMenu();
  Next(2);
  EXPECT_EQ(panel.Line(1), " LED Test       ");
  Store();
  EXPECT_EQ(panel.leds(), 0x3F);
  Store();
  EXPECT_EQ(panel.leds(), 0x00);
}

TEST_F(MenuScenario, DisplayTestLightsAllDotsUntilTheMenuIsLeft) {
  EnterTestMenu();
  Next(3);
  panel.ClearFrames();
  Store();
  EXPECT_TRUE(HasFrame(panel.frames(), std::string("@Q\xFF\x10", 4)));
  panel.ClearFrames();
  panel.WaitSeconds(2);
  EXPECT_TRUE(Texts(panel.frames()).empty());  // neither clock nor measurements redrawn
  panel.TapKeys(kMaskOff);
  panel.Step(20);
  EXPECT_TRUE(HasFrame(panel.frames(), AppFrame("D01")));
  EXPECT_EQ(panel.Line(0).substr(5), "  15\xDF" "C  58%");
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
}

TEST_F(MenuScenario, VentilatorRelayTestSwitchesOffByItselfAfter60Seconds) {
  EnterTestMenu();
  Next(4);
  EXPECT_EQ(panel.Line(1), "  RELAY Test    ");
  Store();  // no relay chosen yet: store does not act
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  Plus();
  EXPECT_EQ(panel.Line(1), "  All Relays    ");
  Plus();
  EXPECT_EQ(panel.Line(1), "  Vent. Relay   ");
  Store();
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
  EXPECT_EQ(panel.leds(), 0x20);
  panel.WaitSeconds(58);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
  panel.WaitSeconds(2);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.leds(), 0x00);
  EXPECT_FALSE(TimerRunning(kEventRelayTestEnd));
}

TEST_F(MenuScenario, RelayTestChoicesWrapAndSkipTheHeaterWithoutOne) {
  EnterTestMenu();
  Next(4);
  Minus();
  EXPECT_EQ(panel.Line(1), "  Heater Relay  ");
  Plus();
  EXPECT_EQ(panel.Line(1), "  All Relays    ");
  Store();
  EXPECT_EQ(panel.relays(), 0x08);  // ventilator, compressor and heater on
  EXPECT_TRUE(TimerRunning(kEventAllRelaysTestEnd));
  Store();
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_FALSE(TimerRunning(kEventAllRelaysTestEnd));
  g_controller.heater_mode = 0;
  Minus();
  EXPECT_EQ(panel.Line(1), "  Comp. Relay   ");
  Plus();
  EXPECT_EQ(panel.Line(1), "  All Relays    ");
  Store();
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
}

TEST_F(MenuScenario, TemperatureChangeLeavesTheRelayTestAlone) {
  StartRoomProgramAt70();
  panel.TapKeys(kMaskHeater);  // heater manual
  EnterTestMenu();
  Next(4);
  Plus(2);
  Store();
  ASSERT_EQ(panel.relays(), kRelaysVentilatorOnly);
  panel.SetTemperature(12);
  panel.Step(10);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorOnly);
}

TEST_F(MenuScenario, KeyOffInTheTestMenuStopsEverything) {
  EnterTestMenu();
  Next(4);
  Plus(2);
  Store();
  ASSERT_EQ(panel.relays(), kRelaysVentilatorOnly);
  panel.TapKeys(kMaskOff);
  panel.Step(10);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_EQ(panel.leds(), 0x04);
  EXPECT_FALSE(TimerRunning(kEventRelayTestEnd));
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
}

TEST_F(MenuScenario, KeyOffInTheConfigurationOnlyLeavesTheMenu) {
  StartRoomProgramAt70();
  EnterConfiguration();
  Next(3);
  panel.TapKeys(kMaskOff);
  panel.Step(10);
  EXPECT_EQ(g_controller.menu_mode, kMenuNone);
  EXPECT_EQ(g_controller.state, kStateDehumidifying);
  EXPECT_EQ(panel.relays(), kRelaysVentilatorCompressor);
  EXPECT_EQ(panel.Line(1), "  Drying Room   ");
}

TEST_F(MenuScenario, NextItemInTheTestMenuSwitchesTheRelaysOff) {
  EnterTestMenu();
  Next(4);
  Plus(2);
  Store();
  ASSERT_EQ(panel.relays(), kRelaysVentilatorOnly);
  Next();
  EXPECT_EQ(panel.Line(1), "Software V1.3.E ");
  EXPECT_EQ(panel.relays(), kRelaysAllOff);
  EXPECT_FALSE(TimerRunning(kEventRelayTestEnd));
}

TEST_F(MenuScenario, SensorErrorIsShownAndReportedAfterFourSeconds) {
  panel.SendSensorError();
  panel.Step(5);
  EXPECT_EQ(panel.Line(1), "  SENSOR ERROR  ");
  panel.ClearFrames();
  panel.WaitSeconds(5);
  EXPECT_TRUE(HasFrame(panel.frames(), AppFrame("s")));
  panel.SendHumidityFrame(58);
  panel.Step(20);
  EXPECT_EQ(panel.Line(1), " SICCORA-superb ");
}

}  // namespace
