#include "app/controller/wall_clock.h"

#include <ctime>

namespace controller {

// Portable fallback; the shell replaces it with the platform's local time.
static WallClockTime LibraryLocalTime() {
  std::time_t now = std::time(nullptr);
  WallClockTime result{0, 0, 0};
  if (const std::tm* local = std::localtime(&now)) {
    result.hour = static_cast<uint8_t>(local->tm_hour);
    result.minute = static_cast<uint8_t>(local->tm_min);
    // A leap second (60) is read as 59 so the controller never sees an invalid second.
    result.second = static_cast<uint8_t>(local->tm_sec > 59 ? 59 : local->tm_sec);
  }
  return result;
}

static WallClockSource g_wall_clock_source = LibraryLocalTime;

void SetWallClockSource(WallClockSource source) {
  g_wall_clock_source = source ? source : LibraryLocalTime;
}

WallClockTime ReadWallClock() { return g_wall_clock_source(); }

}  // namespace controller
