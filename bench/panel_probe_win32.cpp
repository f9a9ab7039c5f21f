// Probe of the running prototype from inside its Wine session, for the soak and latency scripts.
//
//   panel_probe_win32.exe answer              each top window ("Orvane", "SICCORA-super") gets a
//                                             WM_NULL with a 5 s limit: "<title> ok|hung|missing"
//   panel_probe_win32.exe places              screen places for the scripts' clicks: the panel's
//                                             client origin, the sliders' rectangles
//   panel_probe_win32.exe latency N X Y ...   N clicks (xdotool), in turn at the given panel
//                                             client points; time from the click's launch to
//                                             the first changed pixel of the LCD rectangle,
//                                             median and worst
// Exit code: 0 all fine, 1 a window hung, 2 a window missing, 3 bad use.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/rk52_layout.h"
#include "wine_host.h"

namespace {

constexpr char kPanelTitle[] = "Orvane";
constexpr char kShellTitle[] = "SICCORA-super";
constexpr char kSliderClass[] = "ScrollBar";  // the simulation window's sliders
constexpr UINT kAnswerLimitMs = 5000;
constexpr double kQuietSeconds = 0.5;     // LCD unchanged this long counts as settled
constexpr double kSettleLimitSeconds = 5.0;
constexpr double kChangeLimitSeconds = 2.0;
constexpr DWORD kPollMs = 1;

int Answer() {
  int result = 0;
  for (const char* title : {kPanelTitle, kShellTitle}) {
    HWND window = FindWindowA(nullptr, title);
    if (!window) {
      std::printf("%s missing\n", title);
      result = std::max(result, 2);
      continue;
    }
    DWORD_PTR reply = 0;
    const double start = Seconds();
    const bool answered = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                              kAnswerLimitMs, &reply) != 0;
    std::printf("%s %s %.0f ms\n", title, answered ? "ok" : "hung", (Seconds() - start) * 1000.0);
    if (!answered) result = std::max(result, 1);
  }
  return result;
}

BOOL CALLBACK PrintSlider(HWND child, LPARAM) {
  char name[64] = {};
  GetClassNameA(child, name, sizeof(name));
  if (lstrcmpiA(name, kSliderClass) == 0 && IsWindowVisible(child)) {
    RECT r;
    GetWindowRect(child, &r);
    std::printf("slider %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  }
  return TRUE;
}

int Places() {
  HWND panel = FindWindowA(nullptr, kPanelTitle);
  HWND shell = FindWindowA(nullptr, kShellTitle);
  if (!panel || !shell) return 2;
  POINT origin = {0, 0};
  ClientToScreen(panel, &origin);
  std::printf("panel %ld %ld\n", origin.x, origin.y);
  RECT r;
  GetWindowRect(shell, &r);
  std::printf("shell %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  EnumChildWindows(shell, PrintSlider, 0);
  return 0;
}

// The LCD rectangle's pixels as the screen shows them.
struct Capture {
  HDC screen;
  HDC memory;
  HBITMAP bitmap;
  void* bits;
  int x, y, width, height;
};

bool OpenCapture(Capture& c, POINT origin) {
  c.x = origin.x + rk52::kLcd.left;
  c.y = origin.y + rk52::kLcd.top;
  c.width = rk52::kLcd.right - rk52::kLcd.left;
  c.height = rk52::kLcd.bottom - rk52::kLcd.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = c.width;
  info.bmiHeader.biHeight = -c.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  c.screen = GetDC(nullptr);
  c.memory = CreateCompatibleDC(c.screen);
  c.bitmap = CreateDIBSection(c.memory, &info, DIB_RGB_COLORS, &c.bits, nullptr, 0);
  if (!c.bitmap) return false;
  SelectObject(c.memory, c.bitmap);
  return true;
}

std::vector<unsigned char> Grab(Capture& c) {
  BitBlt(c.memory, 0, 0, c.width, c.height, c.screen, c.x, c.y, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const unsigned char*>(c.bits);
  return std::vector<unsigned char>(p, p + static_cast<size_t>(c.width) * c.height * 4);
}

// Waits until the LCD has not changed for kQuietSeconds; returns its picture then.
std::vector<unsigned char> Settled(Capture& c) {
  std::vector<unsigned char> last = Grab(c);
  double since = Seconds();
  const double limit = since + kSettleLimitSeconds;
  while (Seconds() < limit) {
    Sleep(10);
    std::vector<unsigned char> now = Grab(c);
    if (now != last) {
      last = now;
      since = Seconds();
    } else if (Seconds() - since >= kQuietSeconds) {
      break;
    }
  }
  return last;
}

int Latency(int clicks, const std::vector<POINT>& points) {
  HWND panel = FindWindowA(nullptr, kPanelTitle);
  if (!panel) return 2;
  POINT origin = {0, 0};
  ClientToScreen(panel, &origin);
  Capture capture{};
  if (!OpenCapture(capture, origin)) return 3;
  char arguments[80];
  std::vector<double> latencies;
  std::vector<double> moves;
  int missed = 0;
  for (int i = 0; i < clicks; ++i) {
    // Put the pointer on the button (one pixel apart each round, so every move is a real one)
    // and time how long xdotool takes to reach Wine: the launch's share of each figure.
    const POINT& point = points[static_cast<size_t>(i) % points.size()];
    const POINT target = {origin.x + point.x + ((i / static_cast<int>(points.size())) & 1),
                          origin.y + point.y};
    std::snprintf(arguments, sizeof(arguments), "mousemove %ld %ld", target.x, target.y);
    double start = Seconds();
    RunXdotool(arguments);
    POINT cursor = {-1, -1};
    while (Seconds() - start < kChangeLimitSeconds) {
      GetCursorPos(&cursor);
      if (cursor.x == target.x && cursor.y == target.y) break;
      Sleep(kPollMs);
    }
    moves.push_back((Seconds() - start) * 1000.0);
    const std::vector<unsigned char> before = Settled(capture);
    start = Seconds();
    RunXdotool("click 1");
    double found = -1.0;
    while (Seconds() - start < kChangeLimitSeconds) {
      if (Grab(capture) != before) {
        found = (Seconds() - start) * 1000.0;
        break;
      }
      Sleep(kPollMs);
    }
    if (found < 0) {
      ++missed;
    } else {
      latencies.push_back(found);
    }
  }
  if (latencies.empty()) {
    std::printf("latency: no LCD change after %d clicks\n", clicks);
    return 1;
  }
  std::sort(latencies.begin(), latencies.end());
  std::sort(moves.begin(), moves.end());
  std::printf("latency: %zu clicks changed the LCD, %d did not within %.0f ms\n",
              latencies.size(), missed, kChangeLimitSeconds * 1000.0);
  std::printf("latency: median %.1f ms, worst %.1f ms, best %.1f ms\n",
              latencies[latencies.size() / 2], latencies.back(), latencies.front());
  std::printf("latency: xdotool launch to Wine (pointer move) median %.1f ms, worst %.1f ms\n",
              moves[moves.size() / 2], moves.back());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "answer") == 0) return Answer();
  if (argc >= 2 && std::strcmp(argv[1], "places") == 0) return Places();
  if (argc >= 5 && argc % 2 == 1 && std::strcmp(argv[1], "latency") == 0) {
    std::vector<POINT> points;
    for (int i = 3; i + 1 < argc; i += 2) points.push_back({std::atoi(argv[i]), std::atoi(argv[i + 1])});
    return Latency(std::atoi(argv[2]), points);
  }
  std::fprintf(stderr, "usage: panel_probe_win32 answer | places | latency N X Y [X Y ...]\n");
  return 3;
}
