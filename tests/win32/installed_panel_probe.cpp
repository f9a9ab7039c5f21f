// Plays the user of an installed prototype: starts siccora.exe from its install folder (in
// another working directory, so the data set is found only through the settings key's WrkDir),
// waits for its panel and checks that the panel loaded its areas: every LED area is painted in
// one of its colours over the picture's dark LED, neither the "rk52 Projekt" nor the "Fehler"
// box appears, and a real click on the washing button area sends the key frame that makes the
// controller choose the washing program, whose LED then lights. Ends the program and exits 0
// when all holds, 1 otherwise.
//
//   installed_panel_probe.exe PROGRAM
#include <windows.h>

#include <cstdio>
#include <string>

#include "prototype_view.h"
#include "real_input.h"
#include "tools/rk52_layout.h"
#include "window_capture.h"

namespace {

constexpr DWORD kPanelTimeoutMs = 30000;
constexpr DWORD kAreasTimeoutMs = 20000;
constexpr DWORD kLedLitTimeoutMs = 8000;  // the chosen program's LED blinks at 1 Hz
constexpr int kWashingId = 2;             // button and LED of the washing program

// True when every LED shows its inactive or its active colour, not the picture beneath.
bool LedAreasPainted(HWND panel, std::string* report) {
  bool painted = true;
  report->clear();
  for (const rk52::Led& led : rk52::kLeds) {
    const POINT probe = LedProbePoint(led);
    const int x = probe.x;
    const int y = probe.y;
    const uint32_t pixel = CaptureClient(panel, x, y, 1, 1).pixels[0];
    const bool lit = pixel == NamedColourPixel(led.active_colour);
    const bool dark = pixel == NamedColourPixel(led.inactive_colour);
    char line[160];
    std::snprintf(line, sizeof(line), "  LED %-16s at (%d, %d): %06X %s\n", led.name, x, y,
                  static_cast<unsigned>(pixel), lit ? "lit" : dark ? "dark" : "not painted");
    *report += line;
    painted &= lit || dark;
  }
  return painted;
}

// Clicks the middle of the washing button area; the key frames reach the controller, which
// chooses the washing program and lights (blinks) its LED.
bool WashingClickLightsItsLed(HWND panel) {
  const rk52::Button* button = nullptr;
  for (const rk52::Button& candidate : rk52::kButtons) {
    if (candidate.id == kWashingId) button = &candidate;
  }
  const rk52::Led* led = nullptr;
  for (const rk52::Led& candidate : rk52::kLeds) {
    if (candidate.id == kWashingId) led = &candidate;
  }
  if (!button || !led) return false;
  FocusWindow(panel);
  ClickAt(panel, (button->rect.left + button->rect.right) / 2,
          (button->rect.top + button->rect.bottom) / 2);
  const bool shown = WaitUntil([&] { return LedLit(panel, *led); }, kLedLitTimeoutMs);
  if (shown) std::printf("a click on the washing button lit the washing LED\n");
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: installed_panel_probe.exe PROGRAM\n");
    return 2;
  }
  char windows_folder[MAX_PATH] = {};
  GetWindowsDirectoryA(windows_folder, sizeof(windows_folder));
  PROCESS_INFORMATION program{};
  if (!StartProgram(argv[1], windows_folder, &program)) {
    std::printf("FAIL: %s does not start (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  int failures = 0;
  HWND panel = nullptr;
  for (DWORD waited = 0; !panel && waited < kPanelTimeoutMs; waited += 100) {
    Sleep(100);
    panel = FindWindowOf(program.dwProcessId, "LcdWnd", nullptr, true);
  }
  std::string report;
  if (!panel) {
    std::printf("FAIL: the installed program shows no panel window\n");
    ++failures;
  } else {
    bool painted = false;
    for (DWORD waited = 0; !painted && waited < kAreasTimeoutMs; waited += 200) {
      Sleep(200);
      painted = LedAreasPainted(panel, &report);
    }
    Sleep(1000);  // a box would have come with the load step
    for (const char* caption : {"rk52 Projekt", "Fehler"}) {
      if (FindWindowOf(program.dwProcessId, "#32770", caption, true)) {
        std::printf("FAIL: the installed panel shows the box \"%s\"\n", caption);
        ++failures;
      }
    }
    if (painted) {
      std::printf("the installed panel loaded its LED areas:\n%s", report.c_str());
    } else {
      std::printf("FAIL: the installed panel did not paint its LED areas:\n%s", report.c_str());
      ++failures;
    }
    if (painted && !WashingClickLightsItsLed(panel)) {
      std::printf("FAIL: a click on the washing button area did not light the washing LED\n");
      ++failures;
    }
  }
  EndProgram(&program);
  return failures == 0 ? 0 : 1;
}
