// The LCD as the panel window shows it: a capture of the window must hold exactly the dots the
// portable rasteriser draws for the same controller state, after protocol frames (the redraw
// path) and after a repaint (the paint path); the blink timer flips a blinking cursor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/link/command_interpreter.h"
#include "panel/window/panel_window_win32.h"
#include "siccorae_loader.h"
#include "window_capture.h"

using namespace panel;

namespace {

constexpr int32_t kBackground = 17;  // "Backlight on"
constexpr int32_t kDots = 15;        // "Backlight off"

// First character cell of row 0 at (285, 120): dots of 2 x 2 pixels.
constexpr int32_t kCursorTopDotX = 286;
constexpr int32_t kCursorTopDotY = 121;     // glyph row 0
constexpr int32_t kCursorUnderlineY = 135;  // glyph row 7

class PanelLcdPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(api_.module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    AttachRecorder(api_);
    // The same controller, in this process, as the window's reference: creation values first.
    LcdSetViewDefaults();
    LcdInit();
  }

  // Sends a frame to the library and interprets it on the local reference controller too.
  void Frame(const std::string& frame) {
    Send(api_, frame);
    InterpretCommand(reinterpret_cast<const uint8_t*>(frame.data()),
                     static_cast<int32_t>(frame.size()));
    while (!CheckRxOnce(api_).empty()) {
    }
  }

  void LoadPicture() {
    ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", 640, 240, 0x00808080));
    LoadPanelAndRepaint(panel_);
    MirrorLoadedFixedLayoutLcd();
  }

  // The reference: the LCD's drawing area over the LCD background that the panel paints.
  Capture Expected() const {
    const LcdRect bounds = LcdDrawBounds();
    Capture expected{bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, {}};
    expected.pixels.assign(static_cast<size_t>(expected.width) * expected.height,
                           ColourPixel(kBackground));
    LcdPixelBuffer buffer{expected.left, expected.top, expected.width, expected.height,
                          expected.pixels.data()};
    LcdRasterise(&buffer);
    return expected;
  }

  static int Mismatches(const Capture& expected, const Capture& actual) {
    int mismatches = 0;
    for (size_t i = 0; i < expected.pixels.size(); ++i) {
      if (expected.pixels[i] != actual.pixels[i]) ++mismatches;
    }
    return mismatches;
  }

  // The cursor cell's top dot: true while the block is shown.
  bool BlockShown() const {
    const Capture probe = CaptureClient(panel_, kCursorTopDotX, kCursorTopDotY, 1, 1);
    return probe.pixels[0] == ColourPixel(kDots);
  }

  const SiccoraeApi& api_ = LoadSiccorae();
  HWND panel_ = nullptr;
};

TEST_F(PanelLcdPixels, CaptureMatchesTheRasteriserAfterFramesAndAfterRepaint) {
  LoadPicture();
  Frame("@D80\x10");
  Frame("@W 12:34  15\xDF" "C 58%\x10");
  Frame("@DC0\x10");
  Frame("@W  SICCORA-super\x10");
  Frame("@D0E\x10");  // steady underline cursor at the address counter
  SyncWithPanel(panel_);
  const Capture expected = Expected();
  ASSERT_GT(expected.width, 16 * 10);
  ASSERT_GT(expected.height, 2 * 16);
  // Some dots are on and some are off: the comparison below is not against a blank LCD.
  int on = 0;
  for (uint32_t pixel : expected.pixels) on += pixel == ColourPixel(kDots);
  EXPECT_GT(on, 200);

  const Capture after_frames =
      CaptureClient(panel_, expected.left, expected.top, expected.width, expected.height);
  EXPECT_EQ(Mismatches(expected, after_frames), 0);

  InvalidateRect(panel_, nullptr, TRUE);
  UpdateWindow(panel_);
  const Capture after_repaint =
      CaptureClient(panel_, expected.left, expected.top, expected.width, expected.height);
  EXPECT_EQ(Mismatches(expected, after_repaint), 0);
}

TEST_F(PanelLcdPixels, DisplayOffShowsOnlyTheBackground) {
  LoadPicture();
  Frame("@WABCDEFGH\x10");
  Frame("@D08\x10");
  SyncWithPanel(panel_);
  const Capture expected = Expected();
  for (uint32_t pixel : expected.pixels) ASSERT_EQ(pixel, ColourPixel(kBackground));
  const Capture actual =
      CaptureClient(panel_, expected.left, expected.top, expected.width, expected.height);
  EXPECT_EQ(Mismatches(expected, actual), 0);
  Frame("@D0C\x10");  // on again: the text is back without a rewrite
  const Capture on_again =
      CaptureClient(panel_, expected.left, expected.top, expected.width, expected.height);
  EXPECT_EQ(Mismatches(Expected(), on_again), 0);
}

TEST_F(PanelLcdPixels, BlinkTimerAlternatesBlockAndUnderline) {
  Frame("@D80\x10");
  Frame("@D0F\x10");  // display, cursor and blink on; the cursor stands on the first cell
  std::vector<bool> phases;
  // 3 s by the clock in 50 ms steps: on a loaded machine each look can take longer than its
  // step, and counting steps would then stretch the time the changes are counted over.
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 3000) {
    phases.push_back(BlockShown());
    Sleep(50);
  }
  int changes = 0;
  for (size_t i = 1; i < phases.size(); ++i) changes += phases[i] != phases[i - 1];
  EXPECT_GE(changes, 3);  // about six at 500 ms
  EXPECT_LE(changes, 9);
  // Underline phase: the eighth dot row is on under an empty cell, the top row is off.
  const Capture underline = CaptureClient(panel_, kCursorTopDotX, kCursorUnderlineY, 1, 1);
  EXPECT_EQ(underline.pixels[0], ColourPixel(kDots));
}

TEST_F(PanelLcdPixels, CursorWithoutBlinkStaysAnUnderline) {
  TimerTickCounter blink(panel_, kTimerBlink);
  Frame("@D80\x10");
  Frame("@D0F\x10");
  int ticks = blink.count();
  ASSERT_TRUE(WaitFor([&] { return blink.count() > ticks; }));  // a blink step with blink on
  SyncWithPanel(panel_);
  Frame("@D0E\x10");
  ticks = blink.count();
  // One blink step with blink off sets the phase to 0, and the next redraw shows the underline.
  ASSERT_TRUE(WaitFor([&] { return blink.count() > ticks; }));
  SyncWithPanel(panel_);
  Frame("@B\x10");
  // Across the next two blink steps the cursor stays an underline.
  const int settled = blink.count();
  int samples = 0;
  int underlines = 0;
  EXPECT_TRUE(WaitFor([&] {
    const Capture underline = CaptureClient(panel_, kCursorTopDotX, kCursorUnderlineY, 1, 1);
    ++samples;
    underlines += !BlockShown() && underline.pixels[0] == ColourPixel(kDots);
    return blink.count() >= settled + 2;
  }));
  EXPECT_GT(samples, 0);
  EXPECT_EQ(underlines, samples);
}

}  // namespace
