// Switching of the regulated relays (ventilator, compressor, heater) and the heater modes.
#pragma once

#include <cstdint>

namespace controller {

// Compressor on, unless the evaporator is being defrosted.
void CompressorOn();
// All four relays off, the hot-gas relay included.
void AllRelaysOff();
// Ventilator, compressor and heater off (the relay test and the TEST MENU's item change).
void RegulatedRelaysOff();
// Heater relay from `heater_mode`: never without the ventilator; automatic mode below 18 °C.
void ApplyHeater();
// Step 1 advances the heater mode (off -> manual -> automatic -> off, manual skipped when the
// heater option is limited to automatic); step 0 only brings the heater LEDs in line.
void StepHeaterMode(uint8_t step);
// The heater mode as the options and the heater LEDs say it is.
uint8_t HeaterModeFromSettings();

}  // namespace controller
