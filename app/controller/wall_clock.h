// The controller's one platform service: the local wall-clock time. The shell installs a source
// (GetLocalTime on Windows); tests install a simulated clock. Without one, the C library's local
// time is used.
#pragma once

#include <cstdint>

namespace controller {

struct WallClockTime {
  uint8_t hour;    // 0..23
  uint8_t minute;  // 0..59
  uint8_t second;  // 0..59
};

using WallClockSource = WallClockTime (*)();

// nullptr restores the default source.
void SetWallClockSource(WallClockSource source);
WallClockTime ReadWallClock();

}  // namespace controller
