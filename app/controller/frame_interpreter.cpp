// Interprets a frame from the panel: acknowledgements, keys, measurements, the clock and the "@I"
// download of state and settings bytes.
#include "app/controller/controller_core.h"
#include "app/controller/panel_link.h"

namespace controller {

namespace {

constexpr uint8_t kSettingsListLast = kSettingsCount - 1;

// Positions of the state list.
constexpr uint8_t kStateLeds = 8;
constexpr uint8_t kStateProgram = 9;
constexpr uint8_t kStateWashingCycles = 10;
constexpr uint8_t kStateUnused = 11;
constexpr uint8_t kStateStartHour = 12;
constexpr uint8_t kStateStartMinute = 13;
constexpr uint8_t kStateBlockStartHour = 14;
constexpr uint8_t kStateBlockStartMinute = 15;
constexpr uint8_t kStateBlockEndHour = 16;
constexpr uint8_t kStateBlockEndMinute = 17;
constexpr uint8_t kStateFilterMinutes = 18;
constexpr uint8_t kStateFilterHours = 19;
static_assert(kStateListFirst == kStateLeds, "the state list starts with the LEDs");
constexpr uint8_t kStateListLast = kStateFilterHours;

// A humidity reading above this is taken as 0, one between kHumidityMax and it as kHumidityMax.
constexpr uint8_t kHumidityReadingMax = 150;
// The key frame's mask byte is 'A' plus the bits of the keys held.
constexpr uint8_t kKeyMaskBase = 'A';
constexpr int kKeyFrameBits = 8;

uint8_t HexByte(uint8_t high, uint8_t low) {
  return static_cast<uint8_t>(HexValue(static_cast<char>(high)) * 16 +
                              HexValue(static_cast<char>(low)));
}

void Acknowledge() {
  DropHeadMessage();
  ComposeFrame();
}

// Posts one press or release per changed key bit, lowest bit first.
void KeyFrame(uint8_t mask_char) {
  ControllerState& c = g_controller;
  uint8_t mask = static_cast<uint8_t>(mask_char - kKeyMaskBase);
  for (uint8_t k = 0; k < kKeyFrameBits && c.keys_held != mask; ++k) {
    uint8_t bit = KeyBit(k);
    if ((c.keys_held ^ mask) & bit) {
      c.keys_held ^= bit;
      // The codes wrap for bits 5..7, which are no keys.
      PostEvent((c.keys_held & bit) ? KeyPressedEvent(k) : KeyReleasedEvent(k));
    }
  }
}

void HumidityFrame(uint8_t high, uint8_t low) {
  ControllerState& c = g_controller;
  if (c.humidity > kHumidityMax) PostEvent(kEventSensorBack);
  uint8_t value = HexByte(high, low);
  if (value > kHumidityReadingMax) {
    value = 0;
  } else if (value > kHumidityMax) {
    value = kHumidityMax;
  }
  c.humidity = value;
  PostEvent(kEventHumidityChanged);
  if (c.sensor_error_seen) {
    c.sensor_error_seen = 0;
    PostEvent(kEventRefresh);
  }
}

void TemperatureFrame(uint8_t channel, uint8_t high, uint8_t low) {
  if (channel != '1') return;
  g_controller.temperature = static_cast<int8_t>(HexByte(high, low));
  PostEvent(kEventTemperatureChanged);
}

bool DecimalPair(const uint8_t* digits, uint8_t limit, uint8_t* value) {
  if (digits[0] < '0' || digits[0] > '9' || digits[1] < '0' || digits[1] > '9') return false;
  uint8_t v = static_cast<uint8_t>((digits[0] - '0') * 10 + (digits[1] - '0'));
  if (v >= limit) return false;
  *value = v;
  return true;
}

// A clock frame with anything but a valid time of day is ignored as a whole: the clock, and the
// blocked-period test and alarms that compare against it, only ever see valid times.
void ClockFrame(const uint8_t* digits) {
  ControllerState& c = g_controller;
  uint8_t hour, minute, second;
  if (!DecimalPair(digits, kHoursPerDay, &hour) || !DecimalPair(digits + 2, kMinutesPerHour, &minute) ||
      !DecimalPair(digits + 4, kSecondsPerMinute, &second)) {
    return;
  }
  c.hour = hour;
  c.minute = minute;
  c.second = second;
  PostEvent(kEventDisplayInit);
}

// Stores `value` in `field` when it is below `limit`; an out-of-range value keeps the old one.
void StoreBelow(uint8_t* field, uint8_t value, uint8_t limit) {
  if (value < limit) *field = value;
}

void StoreStateByte(uint8_t position, uint8_t value) {
  ControllerState& c = g_controller;
  switch (position) {
    case kStateLeds:
      // All LEDs (the LED test) or the filter alarm alone are not taken over.
      if (value == kAllSixLeds || value == kLedFilterAlarm) value = 0;
      c.led_bits = static_cast<uint8_t>(value | kLedReady);
      break;
    case kStateProgram: c.state = value; break;
    case kStateWashingCycles: c.washing_cycles = value; break;
    case kStateUnused: break;  // not used by this controller
    case kStateStartHour: StoreBelow(&c.start_hour, value, kHoursPerDay); break;
    case kStateStartMinute: StoreBelow(&c.start_minute, value, kMinutesPerHour); break;
    case kStateBlockStartHour: StoreBelow(&c.block_start_hour, value, kHoursPerDay); break;
    case kStateBlockStartMinute: StoreBelow(&c.block_start_minute, value, kMinutesPerHour); break;
    case kStateBlockEndHour: StoreBelow(&c.block_end_hour, value, kHoursPerDay); break;
    case kStateBlockEndMinute: StoreBelow(&c.block_end_minute, value, kMinutesPerHour); break;
    case kStateFilterMinutes: StoreBelow(&c.filter_minutes, value, kMinutesPerHour); break;
    case kStateFilterHours:
      c.filter_hours = value > kFilterAlarmHours ? kFilterAlarmHours : value;
      break;
    default: break;
  }
}

void DownloadByte(uint8_t value) {
  ControllerState& c = g_controller;
  if (!c.download_settings) {
    if (c.download_pos < kStateListFirst || c.download_pos > kStateListLast) return;
    StoreStateByte(c.download_pos, value);
    if (c.download_pos == kStateListLast) {
      c.download_pos = 0;
      c.download_settings = 1;
    } else {
      ++c.download_pos;
    }
    QueueMessage(kMsgInitialise);
    return;
  }
  if (c.download_pos > kSettingsListLast) return;  // beyond the end of the settings list
  SetSettingByte(c.download_pos, value);
  if (c.download_pos == kSettingsListLast) {
    LoadDefaults();
  } else {
    QueueMessage(kMsgInitialise);
  }
  ++c.download_pos;
}

}  // namespace

void InterpretFrame() {
  ControllerState& c = g_controller;
  const uint8_t* f = c.rx_buffer;
  uint8_t length = c.rx_length;  // bytes before the CR; shorter frames than a command needs are ignored
  if (length < 2) return;
  switch (f[1]) {
    case '!':
    case '?':
      Acknowledge();
      break;
    case 'K':
      if (length >= 3) KeyFrame(f[2]);
      break;
    case 'H':
      if (length >= 5) HumidityFrame(f[3], f[4]);
      break;
    case 'T':
      if (length >= 5) TemperatureFrame(f[2], f[3], f[4]);
      break;
    case 'R':
      if (length >= 8) ClockFrame(f + 2);
      break;
    case 'S':
      PostEvent(kEventSensorError);
      c.sensor_error_seen = 1;
      break;
    case 'I':
      if (length >= 4) {
        DropHeadMessage();
        DownloadByte(HexByte(f[2], f[3]));
        ComposeFrame();
      }
      break;
    default:
      break;  // unknown command letters are ignored
  }
}

}  // namespace controller
