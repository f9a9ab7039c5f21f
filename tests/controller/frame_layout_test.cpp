#include <gtest/gtest.h>

#include <cstring>

#include "app/controller/lcd_text_table.h"
#include "core_test_support.h"
#include "panel_harness.h"

using controller::ComposeFrame;
using controller::ControllerState;
using controller::DigitChar;
using controller::HexDigit;
using controller::HexValue;
using controller::LcdTextTable;
using controller::g_controller;
using controller::kEditChanged;
using controller::kEditHourStage;
using controller::kEditLine1Taken;
using controller::kEditMinuteStage;
using controller::kEditValueShown;
using controller::kLcdTextCount;

namespace {

class FrameLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetQuietController(); }

  // The frame ComposeFrame builds for one code at the head of the queue ("" when none).
  static std::string Compose(uint8_t code) {
    ControllerState& c = g_controller;
    c.messages[0] = code;
    c.message_count = 1;
    c.awaiting_ack = 0;
    c.retry_count = 0;
    c.tx_remaining = 0;
    ComposeFrame();
    return std::string(reinterpret_cast<const char*>(c.tx_frame), c.tx_remaining);
  }
};

TEST_F(FrameLayoutTest, FixedFrames) {
  EXPECT_EQ(Compose(2), AppFrame("B0"));
  EXPECT_EQ(Compose(6), AppFrame("D80"));
  EXPECT_EQ(Compose(7), AppFrame("DC0"));
  EXPECT_EQ(Compose(11), AppFrame("DCA"));
  EXPECT_EQ(Compose(12), AppFrame("DCB"));
  EXPECT_EQ(Compose(18), AppFrame("D8C"));
  EXPECT_EQ(Compose(19), AppFrame("D86"));
  EXPECT_EQ(Compose(20), AppFrame("D01"));
  EXPECT_EQ(Compose(22), AppFrame("Z4"));
  EXPECT_EQ(Compose(23), AppFrame("Z0"));
  EXPECT_EQ(Compose(38), AppFrame("Q\xFF"));
  EXPECT_EQ(Compose(39), AppFrame("s"));
  EXPECT_EQ(Compose(39).size(), 3u);
  EXPECT_EQ(Compose(38).size(), 4u);
}

TEST_F(FrameLayoutTest, LedFrameIsTwoUpperCaseHexDigits) {
  g_controller.led_bits = 0xA5;
  EXPECT_EQ(Compose(1), AppFrame("LA5"));
  g_controller.led_bits = 0x04;
  EXPECT_EQ(Compose(1), AppFrame("L04"));
}

TEST_F(FrameLayoutTest, EditTimeShowsTheStageInItsSeparator) {
  g_controller.edit_hour = 7;
  g_controller.edit_minute = 5;
  g_controller.edit_flags = kEditHourStage | kEditValueShown;
  EXPECT_EQ(Compose(8), AppFrame("W07<05"));
  g_controller.edit_flags = kEditMinuteStage;
  EXPECT_EQ(Compose(8), AppFrame("W07>05"));
  g_controller.edit_flags = 0;
  g_controller.edit_hour = 23;
  g_controller.edit_minute = 59;
  EXPECT_EQ(Compose(8), AppFrame("W23:59"));
}

TEST_F(FrameLayoutTest, FilterTimeHoursBlankedMinutesPadded) {
  g_controller.filter_hours = 5;
  g_controller.filter_minutes = 7;
  EXPECT_EQ(Compose(10), AppFrame("W  5:07"));
  g_controller.filter_hours = 249;
  g_controller.filter_minutes = 59;
  EXPECT_EQ(Compose(10), AppFrame("W249:59"));
  EXPECT_EQ(Compose(10).size(), 9u);
}

TEST_F(FrameLayoutTest, SettingValueStarredWhenChanged) {
  g_controller.edit_value = 5;
  g_controller.edit_flags = kEditChanged;
  EXPECT_EQ(Compose(13), AppFrame("W*  5 "));
  g_controller.edit_value = 120;
  g_controller.edit_flags = 0;
  EXPECT_EQ(Compose(13), AppFrame("W 120 "));
  g_controller.edit_value = 105;  // tens digit 0 is shown when there are hundreds
  EXPECT_EQ(Compose(13), AppFrame("W 105 "));
}

TEST_F(FrameLayoutTest, StartTimeHourTensBlanked) {
  g_controller.start_hour = 9;
  g_controller.start_minute = 0;
  EXPECT_EQ(Compose(14), AppFrame("W 9:00"));
  g_controller.start_hour = 0;
  g_controller.start_minute = 30;
  EXPECT_EQ(Compose(14), AppFrame("W 0:30"));
  g_controller.start_hour = 23;
  EXPECT_EQ(Compose(14), AppFrame("W23:30"));
}

TEST_F(FrameLayoutTest, ClockColonBlinksWithTheSecondAndIsDroppedWhileEditing) {
  g_controller.hour = 9;
  g_controller.minute = 5;
  g_controller.second = 2;
  EXPECT_EQ(Compose(15), AppFrame("W09:05"));
  g_controller.second = 3;
  EXPECT_EQ(Compose(15), AppFrame("W09 05"));
  for (uint8_t flags : {kEditLine1Taken, kEditValueShown}) {
    g_controller.edit_flags = flags;
    EXPECT_EQ(Compose(15), "");
    EXPECT_EQ(g_controller.message_count, 0);  // removed, not left at the head
  }
}

TEST_F(FrameLayoutTest, HumidityThreeDigitsBlanked) {
  g_controller.humidity = 5;
  EXPECT_EQ(Compose(16), AppFrame("W  5%"));
  g_controller.humidity = 100;
  EXPECT_EQ(Compose(16), AppFrame("W100%"));
  EXPECT_EQ(Compose(16).size(), 7u);
  g_controller.edit_flags = kEditValueShown;  // only line-1-taken hides the humidity
  g_controller.humidity = 58;
  EXPECT_EQ(Compose(16), AppFrame("W 58%"));
  g_controller.edit_flags = kEditLine1Taken;
  EXPECT_EQ(Compose(16), "");
}

TEST_F(FrameLayoutTest, TemperatureWithSignAndDegreeSign) {
  g_controller.temperature = -5;
  EXPECT_EQ(Compose(17), AppFrame("W- 5\xDF" "C"));
  g_controller.temperature = -12;
  EXPECT_EQ(Compose(17), AppFrame("W-12\xDF" "C"));
  g_controller.temperature = 15;
  EXPECT_EQ(Compose(17), AppFrame("W 15\xDF" "C"));
  g_controller.temperature = 0;
  EXPECT_EQ(Compose(17), AppFrame("W  0\xDF" "C"));
  g_controller.edit_flags = kEditLine1Taken;
  EXPECT_EQ(Compose(17), "");
}

TEST_F(FrameLayoutTest, PercentValueSignedOneDigit) {
  g_controller.edit_value = static_cast<uint8_t>(-3);
  g_controller.edit_flags = kEditChanged;
  EXPECT_EQ(Compose(32), AppFrame("W*-3% "));
  g_controller.edit_value = 9;
  g_controller.edit_flags = 0;
  EXPECT_EQ(Compose(32), AppFrame("W +9% "));
  g_controller.edit_value = 0;
  EXPECT_EQ(Compose(32), AppFrame("W  0% "));
}

TEST_F(FrameLayoutTest, TextFramesCarryTheTableSlotUpToItsZero) {
  EXPECT_EQ(Compose(100), AppFrame("W SICCORA-superb "));
  EXPECT_EQ(Compose(100).size(), 19u);
  EXPECT_EQ(Compose(113), AppFrame("W START at  "));
  EXPECT_EQ(Compose(126), AppFrame("W DEFROST \xDF" " C MAX"));
  EXPECT_EQ(Compose(145), AppFrame("WCLEAN THE FILTER"));
  EXPECT_EQ(Compose(146), AppFrame("W *ON "));
  EXPECT_EQ(Compose(153), AppFrame("W  AUT"));
}

TEST_F(FrameLayoutTest, TextTableSlotLengths) {
  for (int slot = 0; slot < kLcdTextCount; ++slot) {
    size_t length = std::strlen(reinterpret_cast<const char*>(LcdTextTable[slot]));
    size_t expected = slot >= 46 ? 5 : (slot == 13 || slot == 14 ? 11 : 16);
    EXPECT_EQ(length, expected) << "code " << 100 + slot;
  }
  EXPECT_EQ(Compose(141), AppFrame("W RES Menu  2    "));
  EXPECT_EQ(Compose(144), AppFrame("W RES Menu  5    "));
}

TEST_F(FrameLayoutTest, InitialisationSendsNothingAndSetsClockAndDefaults) {
  g_controller.settings.rh_on_room = 1;
  Compose(26);
  EXPECT_EQ(g_controller.tx_remaining, 0);
  EXPECT_EQ(g_controller.message_count, 0);
  EXPECT_EQ(g_controller.retry_count, 0);
  EXPECT_EQ(g_controller.settings.rh_on_room, 65);
  EXPECT_EQ(g_controller.settings.standby_time_s, 120);
  EXPECT_EQ(g_controller.settings.options, 0);
}

TEST(DigitsTest, DigitCharModes) {
  EXPECT_EQ(std::string({DigitChar(5, 4), DigitChar(5, 2), DigitChar(5, 1)}), "  5");
  EXPECT_EQ(std::string({DigitChar(45, 4), DigitChar(45, 2), DigitChar(45, 1)}), " 45");
  EXPECT_EQ(std::string({DigitChar(120, 4), DigitChar(120, 2), DigitChar(120, 1)}), "120");
  EXPECT_EQ(std::string({DigitChar(5, 130), DigitChar(5, 1)}), "05");
  EXPECT_EQ(DigitChar(255, 4), '2');
}

TEST(DigitsTest, HexDigitAndValue) {
  EXPECT_EQ(HexDigit(0), '0');
  EXPECT_EQ(HexDigit(10), 'A');
  EXPECT_EQ(HexDigit(15), 'F');
  EXPECT_EQ(HexValue('9'), 9);
  EXPECT_EQ(HexValue('A'), 10);
  EXPECT_EQ(HexValue('F'), 15);
  EXPECT_EQ(HexValue('a'), 42);  // lower case is not a hex digit here
  EXPECT_EQ(HexValue('!'), static_cast<uint8_t>('!' - 55));
}

}  // namespace
