// The two simulation sliders of the application window (temperature and relative humidity):
// their table and the value arithmetic, kept free of window calls so it can be tested alone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace shell {

// What a scroll bar asks for; the window maps its scroll codes onto these.
enum class SliderAction { kLineUp, kLineDown, kPageUp, kPageDown, kTop, kBottom, kIgnore };

struct SliderRow {
  int32_t minimum;
  int32_t maximum;
  int32_t value;
  int label_string;    // string id of the label above the bar
  const char* format;  // value format, one %d
};

constexpr int kSliderRowCount = 2;
constexpr int kTemperatureRow = 0;
constexpr int kHumidityRow = 1;
constexpr int32_t kSliderLineStep = 1;
constexpr int32_t kSliderPageStep = 10;

struct SliderTable {
  SliderRow rows[kSliderRowCount];
};

// The one table of the application: rows at their start values (15 degrees, 58 %).
SliderTable& ShellSliders();
void ResetShellSliders();

// Applies one scroll request to the row, clamped to [minimum, maximum]; returns the new value.
// kIgnore (thumb dragging and everything else) leaves the value alone.
int32_t ApplySliderAction(SliderRow* row, SliderAction action);

// The bar runs 0 .. maximum - minimum with the maximum at the top.
int32_t SliderBarRange(const SliderRow& row);
int32_t SliderBarPosition(const SliderRow& row);

// The value as the row's format shows it ("15\xB0C", "58%"); always terminated, truncated to
// the buffer. Returns the number of characters written.
size_t FormatSliderValue(const SliderRow& row, char* out, size_t out_size);

// What the loop hands to the controller: the low byte of each row's value.
int8_t SliderTemperatureByte(const SliderTable& table);
uint8_t SliderHumidityByte(const SliderTable& table);

}  // namespace shell
