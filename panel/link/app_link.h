// The portable core of the application link: what ReceiveFromApp does with the application's
// bytes and what CheckRx hands back, without any window system. The Win32 library exports
// ReceiveFromApp, CheckRx and SetRxTarget as thin wrappers around AppLinkReceive, AppLinkCheckRx
// and AppLinkSetRxTarget. Forwarding a frame to a transport and running the interpreter on the UI
// thread are the platform's (panel_platform.h: forward_frame, run_interpreter).
#pragma once

#include <cstdint>

#include "panel/link/frame_assembler.h"

namespace panel {

using RxCallback = void (*)();

// SetRxTarget: stores the application's receive callback and one-byte receive cell and switches
// acknowledgements on. A later call replaces both.
void AppLinkSetRxTarget(RxCallback callback, uint8_t* cell);

// ReceiveFromApp: each byte goes to the application's frame assembler; whenever one completes a
// frame, before the next byte is taken: forward it to the transport, append a copy to the RX
// list, write "%s<0x%02x>\r\n" to the RX monitor, and run the interpreter. Length 0 does
// nothing; an unfinished frame waits in the assembler for the next call. The caller keeps its
// buffer.
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

// Back to the load-time state: no receive target, acknowledgements off, every frame assembler
// idle (part of ResetPanelLibraryForTests).
void ResetAppLink();

}  // namespace panel
