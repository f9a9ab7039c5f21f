// The panel's command interpreter: executes the "@" commands that the application (or the LCD
// test tool) sends, on the LCD model, the LED areas and the beeper, and queues the answers on the
// TX list. Runs on the UI thread only (on Windows as the handler of message 1036).
#pragma once

#include <cstdint>

namespace panel {

// Interprets and removes every message in the RX list, oldest first, until the list is empty.
void RunCommandInterpreter();

// Interprets one message: `length` bytes, terminator included. Bytes from the first NUL on are
// not part of the message's text (they read as 0); nothing beyond `length` (at most one frame,
// 200 bytes) is ever read. Unknown or non-"@" messages write
// "Simulator didn't understand a command!!\r\n" to the RX monitor and are not answered.
void InterpretCommand(const uint8_t* bytes, int32_t length);

}  // namespace panel
