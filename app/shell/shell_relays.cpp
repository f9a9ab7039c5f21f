#include "app/shell/shell_relays.h"

#include "app/controller/controller_fields.h"
#include "app/shell/shell_resource_ids.h"

namespace shell {

namespace {
constexpr uint8_t RelayMask(int shift) { return static_cast<uint8_t>(1u << shift); }
}  // namespace

const RelayIndicator kRelayIndicators[kRelayIndicatorCount] = {
    {IDC_VENTILATOR_BOX, IDS_VENTILATOR, RelayMask(controller::kRelayShiftVentilator)},
    {IDC_COMPRESSOR_BOX, IDS_COMPRESSOR, RelayMask(controller::kRelayShiftCompressor)},
    {IDC_HEATING_BOX, IDS_HEATING, RelayMask(controller::kRelayShiftHeater)},
};

bool RelayIndicatorChecked(const RelayIndicator& indicator, uint8_t relay_byte) {
  return (relay_byte & indicator.mask) == 0;
}

RelayChange TakeRelayChange(uint8_t relay_out, uint8_t* last_relays) {
  RelayChange change{relay_out != *last_relays, static_cast<uint8_t>(relay_out ^ *last_relays),
                     relay_out};
  *last_relays = relay_out;
  return change;
}

}  // namespace shell
