#include "app/controller/program_relays.h"

#include "app/controller/controller_core.h"

namespace controller {

namespace {
constexpr int8_t kAutomaticHeaterBelowC = 18;
}

void CompressorOn() {
  ControllerState& c = g_controller;
  if (!(c.defrost_flags & kDefrostRunning)) c.relay_compressor = kRelayOn;
}

void AllRelaysOff() {
  ControllerState& c = g_controller;
  c.relay_compressor = kRelayOff;
  c.relay_heater = kRelayOff;
  c.relay_ventilator = kRelayOff;
  c.relay_hotgas = kRelayOff;
}

void RegulatedRelaysOff() {
  ControllerState& c = g_controller;
  c.relay_ventilator = kRelayOff;
  c.relay_compressor = kRelayOff;
  c.relay_heater = kRelayOff;
}

void ApplyHeater() {
  ControllerState& c = g_controller;
  bool on = false;
  if (c.relay_ventilator == kRelayOn) {
    // Other values only occur while the heater option is being edited (codes 0, 1, 5): off.
    if (c.heater_mode == kHeaterManual) on = true;
    if (c.heater_mode == kHeaterAutomatic) on = c.temperature < kAutomaticHeaterBelowC;
  }
  c.relay_heater = on ? kRelayOn : kRelayOff;
}

void StepHeaterMode(uint8_t step) {
  ControllerState& c = g_controller;
  int mode = c.heater_mode + step;
  if (mode == kHeaterManual) {
    if (!(c.settings.options & kOptionHeaterAutomaticOnly)) {
      c.heater_mode = kHeaterManual;
      c.led_bits |= kLedHeaterManual;
      return;
    }
    mode = kHeaterAutomatic;
  }
  if (mode == kHeaterAutomatic) {
    c.heater_mode = kHeaterAutomatic;
    c.led_bits = static_cast<uint8_t>((c.led_bits & ~kLedHeaterManual) | kLedHeaterAutomatic);
    return;
  }
  c.heater_mode = mode == 0 ? kHeaterNone : kHeaterOff;
  c.led_bits &= static_cast<uint8_t>(~(kLedHeaterManual | kLedHeaterAutomatic));
}

uint8_t HeaterModeFromSettings() {
  const ControllerState& c = g_controller;
  if (c.settings.options & kOptionNoHeater) return kHeaterNone;
  if (c.led_bits & kLedHeaterManual) return kHeaterManual;
  if (c.led_bits & kLedHeaterAutomatic) return kHeaterAutomatic;
  return kHeaterOff;
}

}  // namespace controller
