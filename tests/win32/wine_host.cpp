#include "wine_host.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr char kXdotool[] = "Z:\\usr\\bin\\xdotool";  // Wine's drive Z: is the host's root
constexpr int kCommandSize = 200;

}  // namespace

bool RunXdotool(const char* arguments) {
  if (GetFileAttributesA(kXdotool) == INVALID_FILE_ATTRIBUTES) return false;
  char command[kCommandSize];
  std::snprintf(command, sizeof(command), "%s %s", kXdotool, arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(kXdotool, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  return true;
}

double Seconds() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
