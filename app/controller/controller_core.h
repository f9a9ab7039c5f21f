// Operations of the controller core that the program, menu and clock logic use: the event queue,
// the timer table, the message queue and the settings defaults. All work on g_controller.
#pragma once

#include <cstdint>

#include "app/controller/controller_codes.h"
#include "app/controller/controller_fields.h"
#include "app/controller/controller_state.h"

namespace controller {

// Event queue. A full queue (9 unread events) keeps its contents and drops the new event;
// PostEvent reports 1 when the event was stored, 0 when it was dropped.
int PostEvent(uint8_t code);

// Timer table. A count of 0 means "no timer" for tick and seconds timers: a running one is
// stopped, a new one is not started. For alarms 0 is a valid time (00:00) and is started; an
// alarm for an hour above 23 or a minute above 59 is treated like count 0.
void StartTimer(uint8_t id, uint16_t count);
void StopTimer(uint8_t id);
void StopAllTimers();
bool TimerRunning(uint8_t id);
void ServiceTimers();

// Message queue. A text (100..153) takes two places: its cursor code and itself; when both do not
// fit, neither is queued. QueueMessage reports 1 when queued (or deliberately suppressed inside a
// menu), 0 when dropped for lack of room or an unknown code.
int QueueMessage(uint8_t code);
void DropHeadMessage();

// Writes the defaults of settings fields 2 to 9 (`options` is left alone).
void LoadDefaults();

// Settings byte by download position 0..8 (`options` first). Out-of-range positions are ignored.
void SetSettingByte(uint8_t position, uint8_t value);
uint8_t GetSettingByte(uint8_t position);

}  // namespace controller
