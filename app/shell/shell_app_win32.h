// The application's entry sequence and its 50 ms loop, split into a start and a single loop
// step so that the program's entry and the end-to-end test drive the very same code.
#pragma once

#include <windows.h>

#include <cstdint>

namespace shell {

// Registers the window class, creates and shows the main window, binds the panel library,
// runs the controller's initialising tick, registers its receive target and points the
// controller at the shell's variables. Returns the main window, or null when it could not be
// created (the entry then returns 0).
HWND ShellStart(HINSTANCE instance, int show_command);

// One loop iteration: every message as it comes until the tick is due (50 ms after the last
// one), then CheckRx, slider values in, one tick, its frame out, relay indicators. Returns
// false once the loop has to end (quit message or the panel's end notice); the caller stops
// calling then.
bool ShellLoopStep();

// The wParam of the last message the loop took: the program's exit code.
int ShellExitCode();

// The whole program after the entry: start, loop until quit, exit code.
int ShellRun(HINSTANCE instance, int show_command);

// Sees every frame the loop hands to the panel library, just before it does (tests listen to
// the traffic with it). nullptr: nobody listens.
using ShellFrameTap = void (*)(const uint8_t* bytes, uint32_t length);
void SetShellFrameTap(ShellFrameTap tap);

// The relay byte the last tick wrote.
uint8_t ShellRelayByte();

}  // namespace shell
