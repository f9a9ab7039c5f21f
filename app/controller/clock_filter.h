// The filter run-time count: ventilator running minutes, with the filter alarm at 250 hours.
#pragma once

namespace controller {

// Counts one minute of ventilator running time; run for every minute and half-hour event.
void CountFilterMinute();

}  // namespace controller
