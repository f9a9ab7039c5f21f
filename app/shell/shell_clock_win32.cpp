#include "app/shell/shell_clock_win32.h"

#include <windows.h>

namespace shell {

controller::WallClockTime LocalWallClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return controller::WallClockTime{static_cast<uint8_t>(now.wHour), static_cast<uint8_t>(now.wMinute),
                       static_cast<uint8_t>(now.wSecond)};
}

}  // namespace shell
