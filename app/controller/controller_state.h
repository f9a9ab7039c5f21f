// The dryer controller's one state record and the exchange record with the application shell.
// The controller is written like a small embedded controller: byte fields, fixed-size queues and
// tables, single-byte event codes, time counted in 50 ms ticks, relay fields active low (1 = off).
#pragma once

#include <cstdint>

// ---- Capacities of the fixed-size structures -------------------------------------------------
constexpr int kEventQueueSize = 10;     // ring of 10 bytes: at most 9 unread events
constexpr int kTimerSlotCount = 7;
constexpr int kMessageQueueSize = 8;    // pending message codes
constexpr int kTxFrameSize = 19;        // '@', command, up to 16 payload bytes, terminator
constexpr int kOutBufferSize = 100;
constexpr int kRxBufferSize = 9;        // a received frame has at most 8 bytes before its CR
constexpr int kSettingsCount = 9;       // bytes of ControllerSettings, download order

constexpr uint8_t kFrameStart = '@';
constexpr uint8_t kAppTerminator = 0x10;    // DLE ends every frame the controller sends
constexpr uint8_t kPanelTerminator = 0x0D;  // CR ends every frame the panel sends
constexpr uint8_t kDegreeSign = 0xDF;       // degree sign of the LCD character set

// ---- Event and timer codes (one code space: an expired timer posts its own id) ---------------
constexpr uint8_t kEventRefresh = 0x28;           // '(' re-check blocked time, redraw status
constexpr uint8_t kEventMinute = 0x29;            // ')'
constexpr uint8_t kEventSecond = 0x2A;            // '*'
constexpr uint8_t kEventResume = 0x2B;            // '+'
constexpr uint8_t kEventSensorBack = 0x2E;        // '.'
constexpr uint8_t kEventHalfHour = 0x2F;          // '/' also the defrost timer
constexpr uint8_t kEventTemperatureChanged = 0x30;
constexpr uint8_t kEventHumidityChanged = 0x32;
constexpr uint8_t kEventHour = 0x34;
constexpr uint8_t kEventSensorError = 0x35;
constexpr uint8_t kTimerAckTimeout = 0x3B;        // handled inside the timer service, never posted
constexpr uint8_t kEventStartupRestore = 0x3E;
constexpr uint8_t kEventStartupShow = 0x3F;
constexpr uint8_t kEventStandbyElapsed = 0x40;
constexpr uint8_t kEventDisplayInit = 0x42;
constexpr uint8_t kEventStartDelay = 0x43;
constexpr uint8_t kEventRepeatUp = 0x44;
constexpr uint8_t kEventRepeatDown = 0x45;
constexpr uint8_t kEventRelayTestEnd = 0x46;
constexpr uint8_t kEventSensorErrorFollowUp = 0x47;
constexpr uint8_t kEventMenuKeyHeld = 0x48;
constexpr uint8_t kEventDefrostArm = 0x4B;        // seconds timer
constexpr uint8_t kEventAllRelaysTestEnd = 0x4C;  // seconds timer
constexpr uint8_t kEventStartTime = 0x55;         // alarm

// Timer classes by id range.
constexpr uint8_t kFirstTickTimerId = 0x01;
constexpr uint8_t kLastTickTimerId = 0x48;
constexpr uint8_t kFirstSecondsTimerId = 0x49;
constexpr uint8_t kLastSecondsTimerId = 0x50;
constexpr uint8_t kFirstAlarmId = 0x51;

constexpr uint16_t kAckTimeoutTicks = 4;  // 200 ms
constexpr uint8_t kMaxTransmissions = 4;  // sends of one message before it is given up

// Keys by role; key k released posts 0xF6 + 2k, pressed posts 0xF7 + 2k.
constexpr uint8_t kKeyOff = 0;
constexpr uint8_t kKeyWashing = 1;  // also minus in menus
constexpr uint8_t kKeyMenu = 2;     // also next item
constexpr uint8_t kKeyHeater = 3;   // also store
constexpr uint8_t kKeyRoom = 4;     // also plus
constexpr uint8_t KeyReleasedEvent(uint8_t key) { return static_cast<uint8_t>(0xF6 + 2 * key); }
constexpr uint8_t KeyPressedEvent(uint8_t key) { return static_cast<uint8_t>(0xF7 + 2 * key); }
constexpr uint8_t kEventKeyOffPressed = 0xF7;
constexpr uint8_t kEventKeyOffReleased = 0xF6;
constexpr uint8_t kEventKeyWashingPressed = 0xF9;
constexpr uint8_t kEventKeyWashingReleased = 0xF8;
constexpr uint8_t kEventKeyMenuPressed = 0xFB;
constexpr uint8_t kEventKeyMenuReleased = 0xFA;
constexpr uint8_t kEventKeyHeaterPressed = 0xFD;
constexpr uint8_t kEventKeyHeaterReleased = 0xFC;
constexpr uint8_t kEventKeyRoomPressed = 0xFF;
constexpr uint8_t kEventKeyRoomReleased = 0xFE;

// ---- Message codes: each becomes one frame (or one action) at the head of the queue ----------
constexpr uint8_t kMsgLeds = 1;             // "@L" + two hex digits of led_bits
constexpr uint8_t kMsgBacklight = 2;        // "@B0"
constexpr uint8_t kMsgCursorLine1 = 6;      // "@D80"
constexpr uint8_t kMsgCursorLine2 = 7;      // "@DC0"
constexpr uint8_t kMsgEditTime = 8;         // "@W" hh<mm / hh>mm / hh:mm
constexpr uint8_t kMsgFilterTime = 10;      // "@W" hhh:mm
constexpr uint8_t kMsgCursorLine2Col10 = 11;  // "@DCA"
constexpr uint8_t kMsgCursorLine2Col11 = 12;  // "@DCB"
constexpr uint8_t kMsgEditValue = 13;       // "@W" *nnn_
constexpr uint8_t kMsgStartTime = 14;       // "@W" hh:mm
constexpr uint8_t kMsgClock = 15;           // "@W" hh:mm, dropped while editing
constexpr uint8_t kMsgHumidity = 16;        // "@W" nnn%
constexpr uint8_t kMsgTemperature = 17;     // "@W" -nn<deg>C
constexpr uint8_t kMsgCursorLine1Col12 = 18;  // "@D8C"
constexpr uint8_t kMsgCursorLine1Col6 = 19;   // "@D86"
constexpr uint8_t kMsgClearDisplay = 20;    // "@D01"
constexpr uint8_t kMsgBeepOn = 22;          // "@Z4"
constexpr uint8_t kMsgBeepOff = 23;         // "@Z0"
constexpr uint8_t kMsgInitialise = 26;      // no frame: clock from local time, default settings
constexpr uint8_t kMsgPercentValue = 32;    // "@W" *+n%_
constexpr uint8_t kMsgDisplayTest = 38;     // "@Q" 0xFF
constexpr uint8_t kMsgSensorAlarm = 39;     // "@s" (never acknowledged by the panel library)
constexpr uint8_t kMsgFirstText = 100;      // 100..145: line 2 texts, 146..153: value fields
constexpr uint8_t kMsgFirstValueField = 146;
constexpr uint8_t kMsgLastText = 153;

// ---- Bits ---------------------------------------------------------------------------------------
constexpr uint8_t kEditLine1Taken = 0x01;    // temperature, humidity and clock not drawn
constexpr uint8_t kEditValueShown = 0x02;    // clock not drawn
constexpr uint8_t kEditChanged = 0x08;       // shown value differs from the stored one ('*')
constexpr uint8_t kEditClockHold = 0x10;     // `clock_hold`: seconds stay at 0
constexpr uint8_t kEditMinuteStage = 0x20;
constexpr uint8_t kEditHourStage = 0x40;

// Program states (`state`).
constexpr uint8_t kStateIdle = 0;
constexpr uint8_t kStateWashingSelected = 1;
constexpr uint8_t kStateRoomSelected = 2;
constexpr uint8_t kStateStartPhase = 4;
constexpr uint8_t kStateStandby = 8;
constexpr uint8_t kStateDehumidifying = 16;

// Menu modes (`menu_mode`).
constexpr uint8_t kMenuNone = 0;
constexpr uint8_t kMenuKeyHeldMode = 1;
constexpr uint8_t kMenuConfiguration = 2;
constexpr uint8_t kMenuTime = 4;
constexpr uint8_t kMenuTest = 8;

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
  uint8_t quit;          // set by the shell when its window is destroyed
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
