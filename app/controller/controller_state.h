// The dryer controller's one state record and the exchange record with the application shell.
// The controller is written like a small embedded controller: byte fields, fixed-size queues and
// tables, single-byte event codes, time counted in 50 ms ticks, relay fields active low (1 = off).
// The codes live in controller_codes.h, the values of the fields in controller_fields.h.
#pragma once

#include <cstdint>

namespace controller {

// ---- Capacities of the fixed-size structures -------------------------------------------------
constexpr int kEventQueueSize = 10;     // ring of 10 bytes: at most 9 unread events
constexpr int kTimerSlotCount = 7;
constexpr int kMessageQueueSize = 8;    // pending message codes
constexpr int kTxFrameSize = 19;        // '@', command, up to 16 payload bytes, terminator
constexpr int kOutBufferSize = 100;
constexpr int kRxBufferSize = 9;        // a received frame has at most 8 bytes before its CR
constexpr int kSettingsCount = 9;       // bytes of ControllerSettings, download order

// ---- Records ------------------------------------------------------------------------------------

// The nine settings bytes, in download order ("@I" frames, settings list positions 0..8).
struct ControllerSettings {
  uint8_t options;          // bit 0 no heater, bit 1 key beep, bit 2 heater automatic only
  uint8_t standby_time_s;   // ventilator-only start phase, seconds
  uint8_t rh_off_washing;   // % below which the compressor stops, washing program
  uint8_t rh_on_washing;    // % above which the compressor starts, washing program
  uint8_t rh_off_room;
  uint8_t rh_on_room;
  uint8_t defrost_max_c;    // highest temperature at which defrosting is done
  uint8_t defrost_min_c;    // lower clamp of the temperature used for the duration
  uint8_t defrost_s_per_c;  // seconds of defrosting per degree
};

struct TimerSlot {
  uint8_t id;      // 0 = free; the id range selects the class (tick, seconds, alarm)
  uint16_t count;  // ticks or seconds to run; for alarms low byte hour, high byte minute
};

struct ControllerState {
  // Relays, active low (1 = off). Composed into the relay byte at the end of every running tick.
  uint8_t relay_compressor;
  uint8_t relay_heater;
  uint8_t relay_ventilator;
  uint8_t relay_hotgas;  // set to 1 at start-up and whenever all relays go off; never 0

  // Measurements.
  int8_t temperature;       // °C
  uint8_t humidity;         // %, above 100 means sensor error
  int8_t saved_temperature; // as of the last temperature-change event
  uint8_t saved_humidity;   // as of the last humidity-change event

  ControllerSettings settings;

  // Program state.
  uint8_t state;            // kState*
  uint8_t led_bits;         // the panel's LED byte
  uint8_t active_rh_off;    // thresholds of the running program
  uint8_t active_rh_on;
  uint8_t washing_cycles;
  uint8_t defrost_flags;    // bit 0 defrosting, bit 1 defrost armed
  uint8_t heater_mode;      // 0 none fitted, 1 off, 2 manual, 3 automatic
  uint8_t start_steps;      // half-hour steps of a delayed start
  uint8_t start_hour;
  uint8_t start_minute;
  uint8_t blocked;          // inside the blocked period

  // Menus.
  uint8_t menu_mode;        // kMenu*
  uint8_t menu_item;        // 1..N; 0 while the title is shown
  uint8_t key_mask;         // bit 0 minus, bit 1 plus, bit 2 store act
  uint8_t edit_value;       // signed for the compensation item
  uint8_t edit_flags;       // kEdit* bits; bit 4 is `clock_hold`
  uint8_t edit_hour;
  uint8_t edit_minute;
  uint8_t keys_held;        // bit k = key k held, as last reported by the panel
  uint8_t started;          // 1 once the start-up restore has resumed operation; keys wait for it

  // Clock and counters.
  uint8_t hour;
  uint8_t minute;
  uint8_t second;
  uint8_t tick_in_second;        // 0..19
  uint8_t last_platform_second;  // second of the platform clock last seen
  uint8_t second_elapsed;        // flag: the platform second changed since the last clock step
  uint8_t block_start_hour;
  uint8_t block_start_minute;
  uint8_t block_end_hour;
  uint8_t block_end_minute;
  uint8_t filter_minutes;
  uint8_t filter_hours;

  // Event queue: empty when the indexes are equal.
  uint8_t events[kEventQueueSize];
  uint8_t event_read;
  uint8_t event_write;

  TimerSlot timers[kTimerSlotCount];

  // Message queue, oldest first.
  uint8_t messages[kMessageQueueSize];
  uint8_t message_count;

  // Transmitter.
  uint8_t tx_frame[kTxFrameSize];
  uint8_t tx_remaining;  // bytes of tx_frame still to move out
  uint8_t tx_next;       // index of the next byte
  uint8_t awaiting_ack;  // from the last byte of a frame until its acknowledgement or timeout
  uint8_t retry_count;   // transmissions of the head message without acknowledgement

  // Output buffer handed to the shell by the tick.
  uint8_t out_bytes[kOutBufferSize];
  uint8_t out_length;
  uint8_t frame_complete;

  // Receiver.
  uint8_t rx_cell;       // the one-byte cell the panel library writes into
  uint8_t rx_pending;    // a byte waits in rx_cell
  uint8_t rx_buffer[kRxBufferSize];
  uint8_t rx_pos;
  uint8_t rx_length;     // bytes before the CR of the last complete frame
  uint8_t sensor_error_seen;

  // Download sequence of "@I" bytes.
  uint8_t download_pos;          // position in the selected list
  uint8_t download_settings;     // 0: state list (positions 8..19), 1: settings list (0..8)

  // Tick control.
  uint8_t tick_pending;  // set on entry to a running tick, cleared by the timer service
  uint8_t quit;          // ControllerRequestQuit: the tick does no more passes
};

// The one controller instance.
extern ControllerState g_controller;

// The receive callback the panel library calls once per byte written into `rx_cell`.
using ReceiveCallback = void (*)();

// What `data` of ControllerIo carries: the receive callback after the initialising tick, the
// output bytes after a running tick that returned a length above 0.
union ControllerData {
  ReceiveCallback receive_byte;
  const uint8_t* bytes;
};

// The four-word exchange record between the shell and the tick.
struct ControllerIo {
  ControllerData data;
  int8_t* temperature;  // after the initialising tick: the address of `rx_cell`
  uint8_t* humidity;
  uint8_t* relays;      // each running tick writes the relay byte here
};

}  // namespace controller
