// The portable core of the application link: what ReceiveFromApp does with the application's
// bytes and what CheckRx hands back, without any window system. The Win32 library exports
// ReceiveFromApp, CheckRx and SetRxTarget as thin wrappers around AppLinkReceive, AppLinkCheckRx
// and AppLinkSetRxTarget, and installs the two hooks below:
//   - the frame forward hook: writes a complete application frame to the connected transport
//     (serial port or UDP); not installed, or installed and nothing connected: sent nowhere;
//   - the interpreter runner: runs RunCommandInterpreter on the UI thread and returns only when
//     it has finished (Win32: SendMessage(panel window, 1036)). Not installed (no panel window
//     yet): frames stay queued in the RX list and are interpreted with the first frame that
//     arrives once a runner exists. Tests install one that calls RunCommandInterpreter directly.
#pragma once

#include <cstdint>

#include "panel/link/frame_assembler.h"

using FrameForwardHook = void (*)(void* context, const uint8_t* bytes, int32_t length);
using InterpreterRunner = void (*)(void* context);
using RxCallback = void (*)();

void SetFrameForwardHook(FrameForwardHook hook, void* context);        // nullptr: none
void SetInterpreterRunner(InterpreterRunner runner, void* context);    // nullptr: none

// SetRxTarget: stores the application's receive callback and one-byte receive cell and installs
// the acknowledgement hook (AppendAcknowledgement). A later call replaces both.
void AppLinkSetRxTarget(RxCallback callback, uint8_t* cell);

// ReceiveFromApp: each byte goes to the application's frame assembler; whenever one completes a
// frame, before the next byte is taken: forward it to the transport, append a copy to the RX
// list, write "%s<0x%02x>\r\n" to the RX monitor, and run the interpreter. Length 0 does nothing;
// an unfinished frame waits in the assembler for the next call. The caller keeps its buffer.
void AppLinkReceive(const uint8_t* data, uint32_t length);

// The same with a given assembler. The LCD test tool runs on the UI thread while the application
// thread may be inside ReceiveFromApp; feeding its frames through ToolFrameAssembler() keeps the
// two threads from ever sharing (and interleaving in) one assembler. Null assembler: nothing.
void AppLinkReceiveFrom(FrameAssembler* assembler, const uint8_t* data, uint32_t length);

// CheckRx: delivers at most the oldest TX message: each byte is stored in the receive cell and
// then the callback is called, one call per byte; then "%s<0x%02x>\r\n" goes to the TX monitor
// and the message is removed and freed. Nothing happens with an empty TX list, before a receive
// target is set (the message then stays queued for a later call), and when the receive callback
// itself calls CheckRx (the message being delivered must not be handed over or freed twice).
void AppLinkCheckRx();

// Bytes from a real target on the serial port (the serial receive thread): each goes to the
// target's own frame assembler, and every complete frame is appended to the TX list for the
// application.
void TargetReceiveBytes(const uint8_t* data, uint32_t length);

// Tests: forgets the receive target, both hooks and the acknowledgement hook, and resets both
// frame assemblers.
void AppLinkResetForTests();
