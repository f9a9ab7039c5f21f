// LCD redraw cost on a real window, side by side: the library's path (rasterise into a DIB, one
// BitBlt) against setting every dot's pixels one SetPixel call at a time; and the frame rate of
// the whole link: ReceiveFromApp -> interpreter on the UI thread -> acknowledgement -> CheckRx.
//
// Run under Wine (with a display): scripts/wine-run.sh build/<dir>/bench/lcd_redraw_bench_win32.exe
#include <windows.h>

#include <algorithm>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "panel/lcd/lcd_blit_win32.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "wine_host.h"

using namespace panel;

namespace {

constexpr int kRedrawRounds = 2000;
constexpr int kBaselineRounds = 40;
constexpr int kBatches = 5;
constexpr double kLinkSeconds = 2.0;

HWND CreateBenchWindow() {
  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;  // as the panel window's class
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "LcdRedrawBench";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "LcdRedrawBench", "LCD redraw", WS_OVERLAPPEDWINDOW, 0, 0, 780,
                                450, nullptr, nullptr, window_class.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return window;
}

// Two full rows of text, as the controller's start-up screen has them.
void FillLcd() {
  LcdSetViewDefaults();
  LcdInit();
  const char* row0 = "12:34  15\xDF" "C  58%";
  const char* row1 = " SICCORA-super  ";
  LcdWrite(0, 0x80);
  LcdWriteString(row0, static_cast<uint8_t>(std::strlen(row0)));
  LcdWrite(0, 0xC0);
  LcdWriteString(row1, static_cast<uint8_t>(std::strlen(row1)));
}

// The library's path, as LcdDraw runs it: window DC, read-back, rasterise, one blit.
double TimeBlitRedraw(HWND window) {
  LcdBlitSurface surface{};
  RECT client;
  GetClientRect(window, &client);
  const double start = Seconds();
  for (int i = 0; i < kRedrawRounds; ++i) {
    HDC dc = GetDC(window);
    LcdBlitToDc(dc, &surface, client.right, client.bottom);
    ReleaseDC(window, dc);
  }
  GdiFlush();
  const double elapsed = (Seconds() - start) / kRedrawRounds;
  LcdBlitSurfaceRelease(&surface);
  return elapsed;
}

// Dot by dot: every visible character's 5 x 8 dots, each a p x p square set pixel by pixel with
// SetPixel, in the colour the rasteriser gives that pixel.
double TimePerDotRedraw(HWND window, long* calls) {
  const LcdRect bounds = LcdDrawBounds();
  std::vector<uint32_t> pixels(static_cast<size_t>(bounds.right - bounds.left) *
                               (bounds.bottom - bounds.top));
  LcdPixelBuffer buffer{bounds.left, bounds.top, bounds.right - bounds.left,
                        bounds.bottom - bounds.top, pixels.data()};
  LcdRasterise(&buffer);
  const LcdView& view = *LcdGetView();
  const LcdLayout& layout = *LcdGetLayout();
  const int32_t p = static_cast<int32_t>(LcdDotSize());
  const int32_t advance = p * (view.glyph_width + 1);
  *calls = 0;
  const double start = Seconds();
  for (int round = 0; round < kBaselineRounds; ++round) {
    HDC dc = GetDC(window);
    for (int row = 0; row < 2; ++row) {
      for (int c = 0; c < layout.characters_per_row; ++c) {
        const int32_t x0 = view.rows[row].left + c * advance;
        const int32_t y0 = view.rows[row].top;
        for (int32_t y = y0; y < y0 + 8 * p; ++y) {
          for (int32_t x = x0; x < x0 + 5 * p; ++x) {
            const uint32_t pixel = pixels[(y - buffer.top) * buffer.width + (x - buffer.left)];
            SetPixel(dc, x, y, RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF));
            ++*calls;
          }
        }
      }
    }
    ReleaseDC(window, dc);
  }
  GdiFlush();
  *calls /= kBaselineRounds;
  return (Seconds() - start) / kBaselineRounds;
}

// ---- The link through the library -------------------------------------------------------------

struct Library {
  void (*SetRxTarget)(void (*)(), unsigned char*);
  void (*ReceiveFromApp)(const unsigned char*, uint32_t);
  void (*CheckRx)();
};

unsigned char receive_cell;
int acknowledgements;
int ack_progress;

// Counts complete "@!\r" acknowledgements.
void ReceiveByte() {
  static const char kAck[] = "@!\r";
  ack_progress = (receive_cell == static_cast<unsigned char>(kAck[ack_progress])) ? ack_progress + 1
                                                                                 : 0;
  if (ack_progress == 3) {
    ++acknowledgements;
    ack_progress = 0;
  }
}

HMODULE LoadLibraryBesideOrInBuild() {
  HMODULE module = LoadLibraryA("siccorae.dll");
  if (module) return module;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (!slash) return nullptr;
  *(slash + 1) = '\0';
  const std::string folder = path;
  for (const char* relative : {"..\\panel\\siccorae.dll", "..\\tests\\win32\\siccorae.dll"}) {
    module = LoadLibraryA((folder + relative).c_str());
    if (module) return module;
  }
  return nullptr;
}

template <typename Function>
void Resolve(HMODULE module, const char* name, Function* target) {
  *target = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The library records its panel window before showing it, so a visible window takes frames.
bool WaitForPanel() {
  for (int i = 0; i < 500; ++i) {
    HWND panel = FindWindowA("LcdWnd", "Orvane");
    if (panel && IsWindowVisible(panel)) return true;
    Sleep(20);
  }
  return false;
}

// Frames per second: an "@W" frame with a full row of text, its acknowledgement collected with
// CheckRx before the next frame is sent, as the controller does.
double MeasureLinkFramesPerSecond(const Library& library, int* frames_out) {
  std::string frame = "@W0123456789ABCDEF";
  frame.push_back('\x10');
  library.SetRxTarget(ReceiveByte, &receive_cell);
  int frames = 0;
  const double start = Seconds();
  double now = start;
  while (now - start < kLinkSeconds) {
    const int before = acknowledgements;
    library.ReceiveFromApp(reinterpret_cast<const unsigned char*>(frame.data()),
                           static_cast<uint32_t>(frame.size()));
    // The acknowledgement is queued before ReceiveFromApp returns; a few calls are plenty.
    for (int tries = 0; acknowledgements == before && tries < 16; ++tries) library.CheckRx();
    if (acknowledgements == before) break;
    ++frames;
    now = Seconds();
  }
  *frames_out = frames;
  return frames > 0 ? frames / (now - start) : 0.0;
}

}  // namespace

int main() {
  HWND window = CreateBenchWindow();
  if (!window) {
    std::printf("no window: is there a display?\n");
    return 1;
  }
  FillLcd();
  // Both paths are timed in alternating batches and each keeps its best batch, so that a
  // burst of load from elsewhere on the machine does not decide the ratio.
  double blit = 1e9;
  double per_dot = 1e9;
  long calls = 0;
  for (int batch = 0; batch < kBatches; ++batch) {
    blit = std::min(blit, TimeBlitRedraw(window));
    per_dot = std::min(per_dot, TimePerDotRedraw(window, &calls));
  }

  std::printf("Full 16 x 2 LCD redraw (dot size %u px), best of %d batches:\n", LcdDotSize(),
              kBatches);
  std::printf("  %-34s %12s\n", "path", "per redraw");
  std::printf("  %-34s %9.1f us\n", "rasterise + one BitBlt (library)", blit * 1e6);
  std::printf("  %-34s %9.1f us   (%ld SetPixel calls)\n", "per-dot SetPixel (baseline)",
              per_dot * 1e6, calls);
  std::printf("  speed-up: %.0fx (goal: at least 100x)\n", per_dot / blit);

  HMODULE module = LoadLibraryBesideOrInBuild();
  Library library{};
  if (module) {
    Resolve(module, "SetRxTarget", &library.SetRxTarget);
    Resolve(module, "ReceiveFromApp", &library.ReceiveFromApp);
    Resolve(module, "CheckRx", &library.CheckRx);
  }
  if (!library.SetRxTarget || !library.ReceiveFromApp || !library.CheckRx || !WaitForPanel()) {
    std::printf("Link: siccorae.dll or its panel window not found; no frame rate measured\n");
    return 1;
  }
  int frames = 0;
  const double fps = MeasureLinkFramesPerSecond(library, &frames);
  std::printf("Link ReceiveFromApp -> interpreter -> LCD redraw -> ack -> CheckRx:\n");
  std::printf("  %.0f frames/s (%d \"@W\" frames of 16 characters in %.1f s)\n", fps, frames,
              kLinkSeconds);
  return 0;
}
