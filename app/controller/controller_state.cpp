#include "app/controller/controller_core.h"

namespace controller {

ControllerState g_controller;

void LoadDefaults() {
  ControllerSettings& s = g_controller.settings;
  s.standby_time_s = 120;
  s.rh_off_washing = 45;
  s.rh_on_washing = 52;
  s.rh_off_room = 60;
  s.rh_on_room = 65;
  s.defrost_max_c = 20;
  s.defrost_min_c = 8;
  s.defrost_s_per_c = 45;
}

// Named fields instead of a byte view of the record, so the download order does not depend on
// the record's layout.
static uint8_t* SettingField(uint8_t position) {
  ControllerSettings& s = g_controller.settings;
  switch (position) {
    case 0: return &s.options;
    case 1: return &s.standby_time_s;
    case 2: return &s.rh_off_washing;
    case 3: return &s.rh_on_washing;
    case 4: return &s.rh_off_room;
    case 5: return &s.rh_on_room;
    case 6: return &s.defrost_max_c;
    case 7: return &s.defrost_min_c;
    case 8: return &s.defrost_s_per_c;
    default: return nullptr;
  }
}

void SetSettingByte(uint8_t position, uint8_t value) {
  if (uint8_t* field = SettingField(position)) *field = value;
}

uint8_t GetSettingByte(uint8_t position) {
  const uint8_t* field = SettingField(position);
  return field ? *field : 0;
}

}  // namespace controller
