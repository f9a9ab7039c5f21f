// The panel window as the UI thread creates it with the load-time option word 0x8410 (reduced
// end-user mode, no menu): class, title, style, place, the refused close, the hint rotation of
// timer 3, loading the device picture (message 1038) and the LED areas after "@L".
#include <gtest/gtest.h>

#include <string>

#include "panel/lcd/colour_table.h"
#include "panel/window/panel_window_win32.h"
#include "siccorae_loader.h"
#include "window_capture.h"

using namespace panel;

namespace {

constexpr uint32_t kPicturePixel = 0x00336699;

class PanelWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(api_.module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
  }

  std::string StatusLine() const {
    HWND status = FindWindowExA(panel_, nullptr, "static", nullptr);
    char text[1100] = {};
    if (status) GetWindowTextA(status, text, sizeof(text));
    return text;
  }

  // Writes the device picture the fixed layout names and has the window load it.
  void LoadPicture(int32_t width, int32_t height) {
    ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", width, height, kPicturePixel));
    LoadPanelAndRepaint(panel_);
  }

  const SiccoraeApi& api_ = LoadSiccorae();
  HWND panel_ = nullptr;
};

TEST_F(PanelWindow, CreatedAsLcdWndOrvaneWithCaptionOnlyAndNoMenu) {
  char name[32] = {};
  GetClassNameA(panel_, name, sizeof(name));
  EXPECT_STREQ(name, "LcdWnd");
  char title[32] = {};
  GetWindowTextA(panel_, title, sizeof(title));
  EXPECT_STREQ(title, "Orvane");
  const LONG style = GetWindowLongA(panel_, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GetWindowLongA(panel_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetMenu(panel_), nullptr);  // option 0x0400
  EXPECT_EQ(GetWindow(panel_, GW_OWNER), nullptr);
  RECT frame;
  GetWindowRect(panel_, &frame);
  EXPECT_EQ(frame.left, 500);
  EXPECT_EQ(frame.top, 100);
  // No rk52.bmp in this test's directory, so the load 500 ms after creation leaves the size
  // alone. The blink timer starts when the load has run: its first tick shows that it has.
  TimerTickCounter blink(panel_, kTimerBlink);
  ASSERT_TRUE(WaitFor([&] { return blink.count() > 0; }));
  SyncWithPanel(panel_);
  GetWindowRect(panel_, &frame);
  EXPECT_EQ(frame.right - frame.left, 780);
  EXPECT_EQ(frame.bottom - frame.top, 450);
}

TEST_F(PanelWindow, ClassCarriesIconsAndTheLibraryTheConnectionIcons) {
  EXPECT_NE(GetClassLongPtrA(panel_, GCLP_HICON), 0u);
  EXPECT_NE(GetClassLongPtrA(panel_, GCLP_HICONSM), 0u);
  EXPECT_EQ(GetClassLongPtrA(panel_, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW),
            static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
  for (int id = 130; id <= 135; ++id) {
    EXPECT_NE(LoadIconA(api_.module, MAKEINTRESOURCEA(id)), nullptr) << id;
  }
}

TEST_F(PanelWindow, CloseIsRefused) {
  SendMessageA(panel_, WM_CLOSE, 0, 0);
  SendMessageA(panel_, WM_SYSCOMMAND, SC_CLOSE, 0);
  SyncWithPanel(panel_);
  EXPECT_TRUE(IsWindow(panel_));
  EXPECT_TRUE(IsWindowVisible(panel_));
}

TEST_F(PanelWindow, HintTimerShowsTheNineHintsInTurn) {
  // A mouse move over the bare panel shows a hint at once and sets the hint-timer flag, after
  // which further moves leave the hint alone. So rest the cursor on the panel until a hint shows,
  // then step the timer to the first hint, which at most nine steps reach.
  POINT inside{100, 100};
  ClientToScreen(panel_, &inside);
  SetCursorPos(inside.x, inside.y);
  const DWORD start = GetTickCount();
  while (StatusLine().empty() && GetTickCount() - start < 5000) Sleep(10);
  ASSERT_FALSE(StatusLine().empty());
  int steps = 0;
  do {
    SendMessageA(panel_, WM_TIMER, kTimerHint, 0);
  } while (StatusLine() != "Use the Ctrl key to hold buttons pressed" && ++steps < 9);
  EXPECT_EQ(StatusLine(), "Use the Ctrl key to hold buttons pressed");
  SendMessageA(panel_, WM_TIMER, kTimerHint, 0);
  EXPECT_EQ(StatusLine(),
            "Press and hold the Filter reset button, followed by the clothes washing button to "
            "enter the Time Menu");
  for (int i = 2; i < 9; ++i) SendMessageA(panel_, WM_TIMER, kTimerHint, 0);
  EXPECT_EQ(StatusLine(),
            "The filter time is set in the simulator to run out after one minute operation.");
  SendMessageA(panel_, WM_TIMER, kTimerHint, 0);  // wraps from the ninth to the first
  EXPECT_EQ(StatusLine(), "Use the Ctrl key to hold buttons pressed");
}

TEST_F(PanelWindow, MissingBitmapPaintsNothingAndShowsNoMessage) {
  LoadPanelAndRepaint(panel_);
  RECT frame;
  GetWindowRect(panel_, &frame);
  EXPECT_EQ(frame.right - frame.left, 780);
  EXPECT_EQ(frame.bottom - frame.top, 450);
  // No LCD frame: the corner of the LCD rectangle shows the window's background.
  const Capture capture = CaptureClient(panel_, 276, 116, 2, 2);
  const COLORREF window_colour = GetSysColor(COLOR_WINDOW);
  const uint32_t background = (GetRValue(window_colour) << 16) |
                              (GetGValue(window_colour) << 8) | GetBValue(window_colour);
  EXPECT_EQ(capture.At(277, 117), background);
  // And no message box: the UI thread still has only the panel window on top level.
  int top_level = 0;
  EnumThreadWindows(GetWindowThreadProcessId(panel_, nullptr),
                    [](HWND window, LPARAM count) -> BOOL {
                      if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
                      return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&top_level));
  EXPECT_EQ(top_level, 1);
}

TEST_F(PanelWindow, BitmapIsPaintedAndTheWindowTakesItsSize) {
  LoadPicture(640, 240);
  RECT frame;
  GetWindowRect(panel_, &frame);
  EXPECT_EQ(frame.left, 500);
  EXPECT_EQ(frame.top, 100);
  EXPECT_EQ(frame.right - frame.left, 640);
  EXPECT_EQ(frame.bottom - frame.top, 240 + 2 * 32);  // icon height 32 without option 0x0008
  const Capture capture = CaptureClient(panel_, 0, 0, 300, 160);
  EXPECT_EQ(capture.At(10, 10), kPicturePixel);
  // The LCD frame (rounded, black outline, background colour 17) in reduced end-user mode runs
  // from (left - 2, top) to (right + 2, bottom + 4) of the LCD rectangle (275, 115, 499, 157).
  EXPECT_EQ(capture.At(273, 140), 0x000000u);          // left outline at x = 273
  EXPECT_EQ(capture.At(276, 140), ColourPixel(17));    // inside, left of the first row
  EXPECT_EQ(capture.At(272, 140), kPicturePixel);      // outside
  EXPECT_EQ(capture.At(290, 115), 0x000000u);          // top outline at y = 115
  EXPECT_EQ(capture.At(290, 114), kPicturePixel);
}

TEST_F(PanelWindow, LedAreasFollowTheLedByteUpToTheFirstMissingId) {
  LoadPicture(640, 240);
  tagRLISTHEAD* areas = api_.GetRectList();
  ASSERT_NE(areas, nullptr);
  // LEDs with ids 1, 2 and 8 (no 4): on red, off green.
  const int32_t ids[3] = {1, 2, 8};
  for (int i = 0; i < 3; ++i) {
    tagRECTPROP led{};
    led.id = ids[i];
    led.kind = kRectKindLed;
    led.rect = tagAREARECT{20 + 40 * i, 20, 50 + 40 * i, 50};
    led.color = -1;
    led.active_color = 4;
    led.inactive_color = 2;
    ASSERT_EQ(api_.AppendRect(areas, api_.CreateRectEntry(&led)), 1);
  }
  AttachRecorder(api_);
  Send(api_, "@L09\x10");  // bits 1 and 8
  EXPECT_EQ(CheckRxOnce(api_), "@!\r");
  SyncWithPanel(panel_);
  Capture capture = CaptureClient(panel_, 0, 0, 200, 60);
  EXPECT_EQ(capture.At(35, 35), ColourPixel(4));   // id 1 lit
  EXPECT_EQ(capture.At(75, 35), ColourPixel(2));   // id 2 dark
  EXPECT_EQ(capture.At(115, 35), kPicturePixel);   // id 8 is never reached
  EXPECT_EQ(capture.At(21, 21), kPicturePixel);    // outside the ellipse, inside its rectangle
  Send(api_, "@L02\x10");
  SyncWithPanel(panel_);
  capture = CaptureClient(panel_, 0, 0, 200, 60);
  EXPECT_EQ(capture.At(35, 35), ColourPixel(2));
  EXPECT_EQ(capture.At(75, 35), ColourPixel(4));
  // A repaint draws them from their current colours again.
  InvalidateRect(panel_, nullptr, TRUE);
  UpdateWindow(panel_);
  capture = CaptureClient(panel_, 0, 0, 200, 60);
  EXPECT_EQ(capture.At(35, 35), ColourPixel(2));
  EXPECT_EQ(capture.At(75, 35), ColourPixel(4));
  EXPECT_EQ(capture.At(115, 35), kPicturePixel);
}

TEST_F(PanelWindow, ResizingOutsideReducedModeMovesTheLcdWithTheBottomRightCorner) {
  LoadPicture(640, 240);
  api_.SetOptions(0);  // the window keeps its creation features; resizing follows the word
  // Loading resized the window in reduced mode, which keeps the creation size as the old client
  // size: back to the creation size (no move), then 20 wider and 10 higher.
  auto resize = [this](int width, int height) {
    SetWindowPos(panel_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(panel_, nullptr, TRUE);
    UpdateWindow(panel_);
    SyncWithPanel(panel_);
  };
  resize(780, 450);
  resize(800, 460);
  RECT client;
  GetClientRect(panel_, &client);
  EXPECT_EQ(StatusLine(), "x:" + std::to_string(client.right) + " : y" +
                              std::to_string(client.bottom));
  // The LCD frame's left outline (left - 2 of the LCD rectangle at 275) moved from 273 to 293.
  const Capture capture = CaptureClient(panel_, 260, 100, 60, 80);
  EXPECT_EQ(capture.At(293, 150), 0x000000u);
  EXPECT_EQ(capture.At(296, 150), ColourPixel(17));
  EXPECT_EQ(capture.At(273, 140), kPicturePixel);
  // The status line sits 2 line heights + 3 above the client's bottom, from x 0.
  HWND status = FindWindowExA(panel_, nullptr, "static", nullptr);
  RECT status_rect;
  GetWindowRect(status, &status_rect);
  POINT status_origin{status_rect.left, status_rect.top};
  ScreenToClient(panel_, &status_origin);
  EXPECT_EQ(status_origin.x, 0);
  EXPECT_LT(status_origin.y, client.bottom);
  EXPECT_GT(status_origin.y, client.bottom - 100);
}

}  // namespace
