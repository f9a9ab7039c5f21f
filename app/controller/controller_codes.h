// The controller's codes: events and timers (one code space), keys, message codes, the LCD text
// codes of lcd_text_table, and the bytes that frame the panel link. The menus, the programs and
// the queues name these instead of writing the numbers.
#pragma once

#include <cstdint>

namespace controller {

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

// An alarm's count: low byte hour, high byte minute.
constexpr uint16_t AlarmCount(uint8_t hour, uint8_t minute) {
  return static_cast<uint16_t>(hour + 256 * minute);
}
constexpr uint8_t AlarmHour(uint16_t count) { return static_cast<uint8_t>(count & 0xFF); }
constexpr uint8_t AlarmMinute(uint16_t count) { return static_cast<uint8_t>(count >> 8); }

// ---- Time --------------------------------------------------------------------------------------
constexpr uint8_t kTicksPerSecond = 20;  // one tick is 50 ms
constexpr uint8_t kSecondsPerMinute = 60;
constexpr uint8_t kMinutesPerHour = 60;
constexpr uint8_t kHoursPerDay = 24;

constexpr uint16_t kAckTimeoutTicks = 4;  // 200 ms
constexpr uint8_t kMaxTransmissions = 4;  // sends of one message before it is given up

// Timers started at power-on.
constexpr uint16_t kDisplayInitTicks = 10;   // 0.5 s
constexpr uint16_t kStartupShowTicks = 30;   // 1.5 s, also the start-up restore
// The defrost check is armed this long after a program starts or resumes.
constexpr uint16_t kDefrostArmSeconds = 1800;

// ---- Keys --------------------------------------------------------------------------------------
// Keys by role; key k released posts 0xF6 + 2k, pressed posts 0xF7 + 2k.
constexpr uint8_t kKeyOff = 0;
constexpr uint8_t kKeyWashing = 1;  // also minus in menus
constexpr uint8_t kKeyMenu = 2;     // also next item
constexpr uint8_t kKeyHeater = 3;   // also store
constexpr uint8_t kKeyRoom = 4;     // also plus
constexpr uint8_t KeyReleasedEvent(uint8_t key) { return static_cast<uint8_t>(0xF6 + 2 * key); }
constexpr uint8_t KeyPressedEvent(uint8_t key) { return static_cast<uint8_t>(0xF7 + 2 * key); }
// Bit of a key in `keys_held` and in the panel's key frame.
constexpr uint8_t KeyBit(uint8_t key) { return static_cast<uint8_t>(1u << key); }
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
static_assert(KeyPressedEvent(kKeyRoom) == kEventKeyRoomPressed, "key events follow the key number");
// The ten events of the five keys, 0xF6..0xFF.
constexpr bool IsKeyEvent(uint8_t event) { return event >= kEventKeyOffReleased; }

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

// ---- LCD text codes: code 100 + n sends slot n of LcdTextTable ----------------------------------
// Line-2 texts.
constexpr uint8_t kTextProductName = 100;
constexpr uint8_t kTextStartWashing = 101;   // "  START IN 5s   "
constexpr uint8_t kTextStartRoom = 102;
constexpr uint8_t kTextCompressorOn = 103;
constexpr uint8_t kTextVentilatorOn = 104;
constexpr uint8_t kTextStandby = 105;
constexpr uint8_t kTextNoHeater = 106;
constexpr uint8_t kTextDefrosting = 107;
constexpr uint8_t kTextOperationDenied = 108;
constexpr uint8_t kTextDryingRoom = 109;
constexpr uint8_t kTextDryingWashing = 110;
constexpr uint8_t kTextSensorError = 111;
constexpr uint8_t kTextReserved4 = 112;
constexpr uint8_t kTextStartAtRoom = 113;    // " START at  ", the time follows at column 11
constexpr uint8_t kTextStartAtWashing = 114;
// Menu titles; from here on the texts belong to the menus.
constexpr uint8_t kTextConfiguration = 115;
constexpr uint8_t kTextTimeMenu = 116;
constexpr uint8_t kTextTestMenu = 117;
// CONFIGURATION item names, items 1..11.
constexpr uint8_t kTextHeaterOption = 118;
constexpr uint8_t kTextKeyBeep = 119;
constexpr uint8_t kTextStandbyTime = 120;
constexpr uint8_t kTextCompensation = 121;
constexpr uint8_t kTextRhOffWashing = 122;
constexpr uint8_t kTextRhOnWashing = 123;
constexpr uint8_t kTextRhOffRoom = 124;
constexpr uint8_t kTextRhOnRoom = 125;
constexpr uint8_t kTextDefrostMax = 126;
constexpr uint8_t kTextDefrostMin = 127;
constexpr uint8_t kTextDefrostSecondsPerDegree = 128;
// TIME MENU item names, items 1..4.
constexpr uint8_t kTextSetClock = 129;
constexpr uint8_t kTextSetStartBlock = 130;
constexpr uint8_t kTextSetEndBlock = 131;
constexpr uint8_t kTextFilter = 132;
// TEST MENU item names, items 1..4, then the choices of the relay test.
constexpr uint8_t kTextSoftwareVersion = 133;
constexpr uint8_t kTextLedTest = 134;
constexpr uint8_t kTextDisplayTest = 135;
constexpr uint8_t kTextRelayTest = 136;
constexpr uint8_t kTextAllRelays = 137;
constexpr uint8_t kTextVentilatorRelay = 138;
constexpr uint8_t kTextCompressorRelay = 139;
constexpr uint8_t kTextHeaterRelay = 140;
constexpr uint8_t kTextReservedMenu2 = 141;
constexpr uint8_t kTextReservedMenu3 = 142;
constexpr uint8_t kTextReservedMenu4 = 143;
constexpr uint8_t kTextReservedMenu5 = 144;
constexpr uint8_t kTextCleanFilter = 145;
// Value fields at line 1, column 0; each starred form ('*': not stored) is one below its plain form.
constexpr uint8_t kFieldOnStarred = 146;
constexpr uint8_t kFieldOn = 147;
constexpr uint8_t kFieldOffStarred = 148;
constexpr uint8_t kFieldOff = 149;
constexpr uint8_t kFieldManStarred = 150;
constexpr uint8_t kFieldMan = 151;
constexpr uint8_t kFieldAutStarred = 152;
constexpr uint8_t kFieldAut = 153;

constexpr uint8_t kMsgFirstText = kTextProductName;  // 100..145: line 2 texts, 146..153: fields
constexpr uint8_t kMsgFirstValueField = kFieldOnStarred;
constexpr uint8_t kMsgLastText = kFieldAut;

// ---- Frame bytes --------------------------------------------------------------------------------
constexpr uint8_t kFrameStart = '@';
constexpr uint8_t kAppTerminator = 0x10;    // DLE ends every frame the controller sends
constexpr uint8_t kPanelTerminator = 0x0D;  // CR ends every frame the panel sends
constexpr uint8_t kDegreeSign = 0xDF;       // degree sign of the LCD character set

}  // namespace controller
