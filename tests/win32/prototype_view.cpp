#include "prototype_view.h"

#include "panel/lcd/colour_table.h"
#include "window_capture.h"


uint32_t NamedColourPixel(const char* name) {
  for (const panel::ColourEntry& entry : panel::GetColourTable()->entries) {
    if (entry.name && lstrcmpiA(entry.name, name) == 0) return panel::ColourPixel(entry.index);
  }
  return 0xFFFFFFFFu;
}

POINT LedProbePoint(const rk52::Led& led) {
  return POINT{(led.rect.left + led.rect.right) / 2 + 2, (led.rect.top + led.rect.bottom) / 2 + 2};
}

bool LedLit(HWND panel, const rk52::Led& led) {
  const POINT probe = LedProbePoint(led);
  return CaptureClient(panel, probe.x, probe.y, 1, 1).pixels[0] ==
         NamedColourPixel(led.active_colour);
}

bool StartProgram(const std::string& program, const std::string& folder,
                  PROCESS_INFORMATION* started) {
  // The program's own output (the lists' diagnostics) is not the caller's.
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inheritable, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  std::string command = "\"" + program + "\"";
  const bool ok = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                 folder.c_str(), &startup, started) != 0;
  const DWORD error = GetLastError();
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  SetLastError(error);
  return ok;
}

void EndProgram(PROCESS_INFORMATION* started) {
  if (!started->hProcess) return;
  TerminateProcess(started->hProcess, 0);
  WaitForSingleObject(started->hProcess, 5000);
  CloseHandle(started->hThread);
  CloseHandle(started->hProcess);
  *started = PROCESS_INFORMATION{};
}
