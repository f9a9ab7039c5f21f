#include "app/shell/shell_sliders.h"

#include <cstdio>

#include "app/controller/controller_tick.h"
#include "app/shell/shell_resource_ids.h"

namespace shell {

namespace {

// The rows start at the measurements the controller assumes after its initialising tick.
constexpr int32_t kTemperatureMinimum = -10, kTemperatureMaximum = 50;
constexpr int32_t kHumidityMinimum = 0, kHumidityMaximum = 100;

// The degree sign is byte 0xB0 in the Windows code page 1252 the window texts use.
constexpr const char* kTemperatureFormat = "%d\xB0" "C";
constexpr const char* kHumidityFormat = "%d%%";

constexpr SliderTable kInitialSliders = {{
    {kTemperatureMinimum, kTemperatureMaximum, controller::kStartTemperature, IDS_TEMPERATURE,
     kTemperatureFormat},
    {kHumidityMinimum, kHumidityMaximum, controller::kStartHumidity, IDS_HUMIDITY, kHumidityFormat},
}};

SliderTable g_sliders = kInitialSliders;

}  // namespace

SliderTable& ShellSliders() { return g_sliders; }

void ResetShellSliders() { g_sliders = kInitialSliders; }

int32_t ApplySliderAction(SliderRow* row, SliderAction action) {
  // 64-bit arithmetic: a step from an extreme 32-bit value must not overflow before clamping.
  int64_t value = row->value;
  switch (action) {
    case SliderAction::kLineUp: value += kSliderLineStep; break;
    case SliderAction::kLineDown: value -= kSliderLineStep; break;
    case SliderAction::kPageUp: value += kSliderPageStep; break;
    case SliderAction::kPageDown: value -= kSliderPageStep; break;
    case SliderAction::kTop: value = row->maximum; break;
    case SliderAction::kBottom: value = row->minimum; break;
    case SliderAction::kIgnore: return row->value;
  }
  if (value > row->maximum) value = row->maximum;
  if (value < row->minimum) value = row->minimum;
  row->value = static_cast<int32_t>(value);
  return row->value;
}

int32_t SliderBarRange(const SliderRow& row) { return row.maximum - row.minimum; }

int32_t SliderBarPosition(const SliderRow& row) { return row.maximum - row.value; }

size_t FormatSliderValue(const SliderRow& row, char* out, size_t out_size) {
  if (out_size == 0) return 0;
  const int written = std::snprintf(out, out_size, row.format, static_cast<int>(row.value));
  if (written < 0) {
    out[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(written) < out_size ? static_cast<size_t>(written) : out_size - 1;
}

int8_t SliderTemperatureByte(const SliderTable& table) {
  return static_cast<int8_t>(static_cast<uint8_t>(table.rows[kTemperatureRow].value & 0xFF));
}

uint8_t SliderHumidityByte(const SliderTable& table) {
  return static_cast<uint8_t>(table.rows[kHumidityRow].value & 0xFF);
}

}  // namespace shell
