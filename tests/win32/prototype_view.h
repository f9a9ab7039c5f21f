// The running prototype seen from another process: the program started from a folder and
// ended, its LEDs read back from the panel window's pixels (its windows: process_windows.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "process_windows.h"
#include "tools/rk52_layout.h"

// The pixel of the colour with exactly that name (FindColour also takes a name's beginning);
// 0xFFFFFFFF when there is none.
uint32_t NamedColourPixel(const char* name);

// A point of the LED's ellipse below right of its centre, away from the picture's highlight.
POINT LedProbePoint(const rk52::Led& led);

// The LED's probe point shows its active colour.
bool LedLit(HWND panel, const rk52::Led& led);

// Starts the program with its standard handles on NUL, in the given working directory.
bool StartProgram(const std::string& program, const std::string& folder,
                  PROCESS_INFORMATION* started);
void EndProgram(PROCESS_INFORMATION* started);
