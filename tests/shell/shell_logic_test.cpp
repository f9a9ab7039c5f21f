// The application window's own arithmetic: slider steps and limits, the bar position, the value
// texts, the relay indicators and the layout of the children.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/shell/shell_layout.h"
#include "app/shell/shell_relays.h"
#include "app/shell/shell_resource_ids.h"
#include "app/shell/shell_sliders.h"

using shell::ApplySliderAction;
using shell::ComputeShellLayout;
using shell::ControlPlace;
using shell::FormatSliderValue;
using shell::kHumidityRow;
using shell::kRelayIndicators;
using shell::kRelaysAllOff;
using shell::kShellControlCount;
using shell::kTemperatureRow;
using shell::RelayChange;
using shell::RelayIndicator;
using shell::RelayIndicatorChecked;
using shell::ResetShellSliders;
using shell::ShellSliders;
using shell::SliderAction;
using shell::SliderBarPosition;
using shell::SliderBarRange;
using shell::SliderHumidityByte;
using shell::SliderRow;
using shell::SliderTemperatureByte;
using shell::TakeRelayChange;

namespace {

SliderRow Temperature(int32_t value) {
  ResetShellSliders();
  SliderRow row = ShellSliders().rows[kTemperatureRow];
  row.value = value;
  return row;
}

SliderRow Humidity(int32_t value) {
  ResetShellSliders();
  SliderRow row = ShellSliders().rows[kHumidityRow];
  row.value = value;
  return row;
}

std::string Format(const SliderRow& row) {
  char text[32];
  FormatSliderValue(row, text, sizeof text);
  return text;
}

TEST(ShellSliders, StartAtTheControllersStartValues) {
  ResetShellSliders();
  EXPECT_EQ(15, ShellSliders().rows[kTemperatureRow].value);
  EXPECT_EQ(58, ShellSliders().rows[kHumidityRow].value);
  EXPECT_EQ(15, SliderTemperatureByte(ShellSliders()));
  EXPECT_EQ(58, SliderHumidityByte(ShellSliders()));
}

TEST(ShellSliders, LineAndPageStepsMoveByOneAndTen) {
  SliderRow row = Humidity(58);
  EXPECT_EQ(59, ApplySliderAction(&row, SliderAction::kLineUp));
  EXPECT_EQ(58, ApplySliderAction(&row, SliderAction::kLineDown));
  EXPECT_EQ(68, ApplySliderAction(&row, SliderAction::kPageUp));
  EXPECT_EQ(58, ApplySliderAction(&row, SliderAction::kPageDown));
}

TEST(ShellSliders, StepsStopAtTheLimits) {
  SliderRow row = Temperature(45);
  EXPECT_EQ(50, ApplySliderAction(&row, SliderAction::kPageUp));
  EXPECT_EQ(50, ApplySliderAction(&row, SliderAction::kLineUp));
  row.value = -5;
  EXPECT_EQ(-10, ApplySliderAction(&row, SliderAction::kPageDown));
  EXPECT_EQ(-10, ApplySliderAction(&row, SliderAction::kLineDown));
  row = Humidity(1);
  EXPECT_EQ(0, ApplySliderAction(&row, SliderAction::kPageDown));
  row.value = 100;
  EXPECT_EQ(100, ApplySliderAction(&row, SliderAction::kLineUp));  // never a sensor error
}

TEST(ShellSliders, TopAndBottomJumpToTheLimits) {
  SliderRow row = Temperature(15);
  EXPECT_EQ(50, ApplySliderAction(&row, SliderAction::kTop));
  EXPECT_EQ(-10, ApplySliderAction(&row, SliderAction::kBottom));
}

TEST(ShellSliders, ThumbDraggingChangesNothing) {
  SliderRow row = Humidity(58);
  EXPECT_EQ(58, ApplySliderAction(&row, SliderAction::kIgnore));
  EXPECT_EQ(58, row.value);
}

TEST(ShellSliders, StepsFromExtremeValuesDoNotOverflow) {
  SliderRow row{INT32_MIN, INT32_MAX, INT32_MAX - 3, IDS_HUMIDITY, "%d"};
  EXPECT_EQ(INT32_MAX, ApplySliderAction(&row, SliderAction::kPageUp));
  row.value = INT32_MIN + 3;
  EXPECT_EQ(INT32_MIN, ApplySliderAction(&row, SliderAction::kPageDown));
}

TEST(ShellSliders, BarRunsUpsideDownFromZero) {
  SliderRow row = Temperature(15);
  EXPECT_EQ(60, SliderBarRange(row));
  EXPECT_EQ(35, SliderBarPosition(row));
  row.value = 50;
  EXPECT_EQ(0, SliderBarPosition(row));  // maximum at the top
  row.value = -10;
  EXPECT_EQ(60, SliderBarPosition(row));
}

TEST(ShellSliders, ValueTextsUseDegreeSignAndPercent) {
  EXPECT_EQ("15\xB0" "C", Format(Temperature(15)));
  EXPECT_EQ("-10\xB0" "C", Format(Temperature(-10)));
  EXPECT_EQ("100%", Format(Humidity(100)));
  EXPECT_EQ("0%", Format(Humidity(0)));
}

TEST(ShellSliders, ValueTextIsCutToTheBuffer) {
  char text[3] = {'x', 'x', 'x'};
  EXPECT_EQ(2u, FormatSliderValue(Humidity(100), text, sizeof text));
  EXPECT_STREQ("10", text);
  EXPECT_EQ(0u, FormatSliderValue(Humidity(100), text, 0));
}

TEST(ShellSliders, NegativeTemperatureReachesTheControllerAsSignedByte) {
  ResetShellSliders();
  ShellSliders().rows[kTemperatureRow].value = -10;
  EXPECT_EQ(-10, SliderTemperatureByte(ShellSliders()));
  ResetShellSliders();
}

TEST(ShellRelays, BoxIsCheckedWhileItsActiveLowBitIsClear) {
  // Ventilator (bit 2) and compressor (bit 0) on, heater (bit 1) off, hot gas off.
  const uint8_t relays = 0x0A;
  EXPECT_EQ(IDC_VENTILATOR_BOX, kRelayIndicators[0].control_id);
  EXPECT_TRUE(RelayIndicatorChecked(kRelayIndicators[0], relays));
  EXPECT_EQ(IDC_COMPRESSOR_BOX, kRelayIndicators[1].control_id);
  EXPECT_TRUE(RelayIndicatorChecked(kRelayIndicators[1], relays));
  EXPECT_EQ(IDC_HEATING_BOX, kRelayIndicators[2].control_id);
  EXPECT_FALSE(RelayIndicatorChecked(kRelayIndicators[2], relays));
  for (const RelayIndicator& indicator : kRelayIndicators)
    EXPECT_FALSE(RelayIndicatorChecked(indicator, kRelaysAllOff));
}

TEST(ShellRelays, FirstReportAlwaysHappensAndNamesTheChangedBits) {
  uint8_t last = 0;
  RelayChange change = TakeRelayChange(kRelaysAllOff, &last);
  EXPECT_TRUE(change.changed);
  EXPECT_EQ(0x0F, change.changed_bits);
  EXPECT_EQ(kRelaysAllOff, change.relay_byte);
  EXPECT_EQ(kRelaysAllOff, last);

  EXPECT_FALSE(TakeRelayChange(kRelaysAllOff, &last).changed);

  change = TakeRelayChange(0x0A, &last);
  EXPECT_TRUE(change.changed);
  EXPECT_EQ(0x05, change.changed_bits);
  EXPECT_EQ(0x0A, change.relay_byte);
}

const ControlPlace* FindPlace(const ControlPlace* places, int count, int id) {
  for (int i = 0; i < count; ++i)
    if (places[i].control_id == id) return &places[i];
  return nullptr;
}

void ExpectPlace(const ControlPlace* place, int x, int y, int width, int height) {
  ASSERT_NE(nullptr, place);
  EXPECT_EQ(x, place->x);
  EXPECT_EQ(y, place->y);
  EXPECT_EQ(width, place->width);
  EXPECT_EQ(height, place->height);
}

TEST(ShellLayout, PlacesEveryChildWithIntegerDivision) {
  ControlPlace places[kShellControlCount];
  // A client area of 494 x 405 with dialog base units 8 x 16.
  const int count = ComputeShellLayout(494, 405, 8, 16, places);
  ASSERT_EQ(kShellControlCount, count);
  ExpectPlace(FindPlace(places, count, IDC_LEFT_BACKGROUND), 0, 0, 247, 325);
  ExpectPlace(FindPlace(places, count, IDC_RIGHT_FRAME), 247, 0, 247, 325);
  ExpectPlace(FindPlace(places, count, IDC_TEMPERATURE_BAR), 35, 32, 17, 261);
  ExpectPlace(FindPlace(places, count, IDC_HUMIDITY_BAR), 105, 32, 17, 261);
  ExpectPlace(FindPlace(places, count, IDC_TEMPERATURE_LABEL), 17, 8, 70, 16);
  ExpectPlace(FindPlace(places, count, IDC_HUMIDITY_LABEL), 88, 8, 70, 16);
  ExpectPlace(FindPlace(places, count, IDC_TEMPERATURE_VALUE), 17, 301, 70, 16);
  ExpectPlace(FindPlace(places, count, IDC_HUMIDITY_VALUE), 88, 301, 70, 16);
  ExpectPlace(FindPlace(places, count, IDC_VENTILATOR_BOX), 257, 81, 120, 32);
  ExpectPlace(FindPlace(places, count, IDC_COMPRESSOR_BOX), 257, 162, 120, 32);
  ExpectPlace(FindPlace(places, count, IDC_HEATING_BOX), 257, 243, 120, 32);
  ExpectPlace(FindPlace(places, count, IDC_HELP_TEXT), 0, 325, 494, 325);
}

}  // namespace
