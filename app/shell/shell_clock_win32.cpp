#include "app/shell/shell_clock_win32.h"

#include <windows.h>

WallClockTime LocalWallClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return WallClockTime{static_cast<uint8_t>(now.wHour), static_cast<uint8_t>(now.wMinute),
                       static_cast<uint8_t>(now.wSecond)};
}
