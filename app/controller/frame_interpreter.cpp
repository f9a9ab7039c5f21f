// Interprets a frame from the panel (or a real target): acknowledgements, keys, measurements,
// the clock and the "@I" download of state and settings bytes.
#include "app/controller/controller_core.h"
#include "app/controller/panel_link.h"

namespace {

constexpr uint8_t kStateListFirst = 8;
constexpr uint8_t kStateListLast = 19;
constexpr uint8_t kSettingsListLast = kSettingsCount - 1;
constexpr uint8_t kMaxFilterHours = 250;

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
  uint8_t mask = static_cast<uint8_t>(mask_char - 0x41);
  for (int k = 0; k < 8 && c.keys_held != mask; ++k) {
    uint8_t bit = static_cast<uint8_t>(1u << k);
    if ((c.keys_held ^ mask) & bit) {
      c.keys_held ^= bit;
      uint8_t release = static_cast<uint8_t>(0xF6 + 2 * k);  // wraps for bits 5..7
      PostEvent((c.keys_held & bit) ? static_cast<uint8_t>(release + 1) : release);
    }
  }
}

void HumidityFrame(uint8_t high, uint8_t low) {
  ControllerState& c = g_controller;
  if (c.humidity > 100) PostEvent(kEventSensorBack);
  uint8_t value = HexByte(high, low);
  if (value > 150) {
    value = 0;
  } else if (value > 100) {
    value = 100;
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
  if (!DecimalPair(digits, 24, &hour) || !DecimalPair(digits + 2, 60, &minute) ||
      !DecimalPair(digits + 4, 60, &second)) {
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
    case 8:
      if (value == 0x3F || value == 0x20) value = 0;
      c.led_bits = static_cast<uint8_t>(value | 0x04);
      break;
    case 9: c.state = value; break;
    case 10: c.washing_cycles = value; break;
    case 11: break;  // not used by this controller
    case 12: StoreBelow(&c.start_hour, value, 24); break;
    case 13: StoreBelow(&c.start_minute, value, 60); break;
    case 14: StoreBelow(&c.block_start_hour, value, 24); break;
    case 15: StoreBelow(&c.block_start_minute, value, 60); break;
    case 16: StoreBelow(&c.block_end_hour, value, 24); break;
    case 17: StoreBelow(&c.block_end_minute, value, 60); break;
    case 18: StoreBelow(&c.filter_minutes, value, 60); break;
    case 19: c.filter_hours = value > kMaxFilterHours ? kMaxFilterHours : value; break;
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
