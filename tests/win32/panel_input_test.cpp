// The panel window worked with real input (SendInput): clicks on button areas give key frames at
// the application's receiver, Ctrl latches buttons with a sunken edge until a key is released,
// a release anywhere frees the pressed button, and the status line follows the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/window/panel_command_ids.h"
#include "real_input.h"
#include "siccorae_loader.h"
#include "window_capture.h"

namespace {

constexpr uint32_t kPicturePixel = 0x00336699;
constexpr tagAREARECT kButton1 = {20, 20, 60, 60};
constexpr tagAREARECT kButton2 = {80, 20, 120, 60};
constexpr tagAREARECT kLed1 = {140, 20, 170, 50};
constexpr int kBareX = 300;
constexpr int kBareY = 150;

class PanelInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(api_.module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", 640, 240, kPicturePixel));
    LoadPanelAndRepaint(panel_);
    AddArea(kRectKindButton, 1, kButton1, "Start");
    AddArea(kRectKindButton, 2, kButton2, "Stop");
    AddArea(kRectKindLed, 1, kLed1, "Power LED");
    AttachRecorder(api_);
    FocusWindow(panel_);
    ReachPanelWithInput();
  }

  // The window has to be seeing the mouse before a case starts (a fresh process's first move can
  // miss it): move over the bare panel until a move has arrived there, which shows a hint.
  void ReachPanelWithInput() {
    for (int attempt = 0; attempt < 20 && StatusLine().empty(); ++attempt) {
      MoveMouseTo(panel_, kBareX + attempt, kBareY);
      WaitUntil([&] { return !StatusLine().empty(); }, 250);
    }
    ASSERT_FALSE(StatusLine().empty()) << "no mouse input reaches the panel window";
  }

  void AddArea(uint32_t kind, int32_t id, tagAREARECT rect, const char* tooltip) {
    tagRECTPROP area{};
    area.kind = kind;
    area.id = id;
    area.rect = rect;
    area.tooltip = const_cast<char*>(tooltip);
    area.color = -1;
    ASSERT_EQ(api_.AppendRect(api_.GetRectList(), api_.CreateRectEntry(&area)), 1);
  }

  // The frames CheckRx delivers, one per call, until `count` arrived or 5 s passed.
  std::vector<std::string> Frames(size_t count) {
    std::vector<std::string> frames;
    WaitUntil([&] {
      const std::string frame = CheckRxOnce(api_);
      if (!frame.empty()) frames.push_back(frame);
      return frames.size() >= count;
    });
    SyncWithPanel(panel_);
    const std::string extra = CheckRxOnce(api_);
    if (!extra.empty()) frames.push_back(extra);
    return frames;
  }

  std::string StatusLine() const {
    HWND status = FindWindowExA(panel_, nullptr, "static", nullptr);
    char text[1100] = {};
    if (status) GetWindowTextA(status, text, sizeof(text));
    return text;
  }

  uint32_t PixelAt(int x, int y) const { return CaptureClient(panel_, x, y, 1, 1).At(x, y); }

  static int CentreX(const tagAREARECT& r) { return (r.left + r.right) / 2; }
  static int CentreY(const tagAREARECT& r) { return (r.top + r.bottom) / 2; }

  const SiccoraeApi& api_ = LoadSiccorae();
  HWND panel_ = nullptr;
};

TEST_F(PanelInput, ClickOnButtonOneSendsPressThenRelease) {
  ClickAt(panel_, CentreX(kButton1), CentreY(kButton1));
  EXPECT_EQ(Frames(2), (std::vector<std::string>{"@KB\r", "@KA\r"}));
}

TEST_F(PanelInput, CtrlLatchesButtonsWithSunkenEdgesUntilCtrlIsReleased) {
  // The edge is drawn on the rectangle shrunk by 2: its outer left line lies at left + 2.
  const int edge1_x = kButton1.left + 2;
  const int edge2_x = kButton2.left + 2;
  const int edge_y = CentreY(kButton1);
  const COLORREF shadow_colour = GetSysColor(COLOR_BTNSHADOW);
  const uint32_t shadow = (GetRValue(shadow_colour) << 16) | (GetGValue(shadow_colour) << 8) |
                          GetBValue(shadow_colour);
  auto pixel_becomes = [&](int x, uint32_t pixel) {
    return WaitUntil([&] { return PixelAt(x, edge_y) == pixel; });
  };
  EXPECT_EQ(PixelAt(edge1_x, edge_y), kPicturePixel);
  KeyDown(VK_CONTROL);
  ClickAt(panel_, CentreX(kButton1), CentreY(kButton1));
  ClickAt(panel_, CentreX(kButton2), CentreY(kButton2));
  EXPECT_EQ(Frames(2), (std::vector<std::string>{"@KB\r", "@KD\r"}));
  EXPECT_TRUE(pixel_becomes(edge1_x, shadow)) << std::hex << PixelAt(edge1_x, edge_y);
  EXPECT_TRUE(pixel_becomes(edge2_x, shadow)) << std::hex << PixelAt(edge2_x, edge_y);
  EXPECT_TRUE(pixel_becomes(edge1_x - 1, kPicturePixel));
  KeyUp(VK_CONTROL);
  EXPECT_EQ(Frames(1), (std::vector<std::string>{"@KA\r"}));
  EXPECT_TRUE(pixel_becomes(edge1_x, kPicturePixel));
  EXPECT_TRUE(pixel_becomes(edge2_x, kPicturePixel));
}

TEST_F(PanelInput, ReleaseElsewhereReleasesThePressedButton) {
  MoveMouseTo(panel_, CentreX(kButton1), CentreY(kButton1));
  PressLeftButton();
  MoveMouseTo(panel_, kBareX, kBareY);
  ReleaseLeftButton();
  EXPECT_EQ(Frames(2), (std::vector<std::string>{"@KB\r", "@KA\r"}));
  // Also when the mouse is let go outside the window.
  MoveMouseTo(panel_, CentreX(kButton2), CentreY(kButton2));
  PressLeftButton();
  MoveMouseTo(panel_, -50, CentreY(kButton2));
  ReleaseLeftButton();
  EXPECT_EQ(Frames(2), (std::vector<std::string>{"@KC\r", "@KA\r"}));
}

TEST_F(PanelInput, StatusLineShowsTooltipsOverAreasAndHintsElsewhere) {
  MoveMouseTo(panel_, CentreX(kLed1), CentreY(kLed1));
  EXPECT_TRUE(WaitUntil([&] { return StatusLine() == "Power LED"; })) << StatusLine();
  MoveMouseTo(panel_, kBareX, kBareY);
  EXPECT_TRUE(WaitUntil([&] { return StatusLine() != "Power LED"; }));
  const std::string first_hint = StatusLine();
  EXPECT_FALSE(first_hint.empty());
  // Further moves over the bare panel keep the hint (they only restart its timer).
  MoveMouseTo(panel_, kBareX + 20, kBareY);
  MoveMouseTo(panel_, CentreX(kButton2), CentreY(kButton2));
  EXPECT_TRUE(WaitUntil([&] { return StatusLine() == "Stop"; })) << StatusLine();
  // Back on the bare panel after an area, the next hint shows at once.
  MoveMouseTo(panel_, kBareX, kBareY);
  EXPECT_TRUE(WaitUntil([&] { return StatusLine() != "Stop"; }));
  EXPECT_FALSE(StatusLine().empty());
  EXPECT_NE(StatusLine(), first_hint);
}

TEST_F(PanelInput, ClickWhileTheHelpNoteIsVisibleOnlyHidesIt) {
  // The note as F1 shows it, placed away from the panel (screen position 40, 700).
  HWND note = FindWindowA("Help Wnd", nullptr);
  ASSERT_NE(note, nullptr);
  SendMessageA(note, WM_SETTEXT, MAKEWPARAM(40, 700),
               reinterpret_cast<LPARAM>("Off: switches the dryer off"));
  ASSERT_TRUE(WaitUntil([note] { return IsWindowVisible(note) != FALSE; }));
  FocusWindow(panel_);
  ClickAt(panel_, CentreX(kButton1), CentreY(kButton1));
  EXPECT_TRUE(WaitUntil([note] { return !IsWindowVisible(note); }));
  // The press only hid the note; the release sends the unchanged key state.
  EXPECT_EQ(Frames(1), (std::vector<std::string>{"@KA\r"}));
  ClickAt(panel_, CentreX(kButton1), CentreY(kButton1));
  EXPECT_EQ(Frames(2), (std::vector<std::string>{"@KB\r", "@KA\r"}));
}

// The swap to the designer word while a button is held: designer mode takes the release, so the
// swap lets the button go first.
TEST_F(PanelInput, SwapWhileAButtonIsHeldReleasesIt) {
  MoveMouseTo(panel_, CentreX(kButton1), CentreY(kButton1));
  PressLeftButton();
  EXPECT_EQ(Frames(1), (std::vector<std::string>{"@KB\r"}));
  SendMessageA(panel_, WM_COMMAND, kCmdSwapOptions, 0);
  EXPECT_EQ(Frames(1), (std::vector<std::string>{"@KA\r"}));
  GUITHREADINFO ui{};
  ui.cbSize = sizeof ui;
  GetGUIThreadInfo(GetWindowThreadProcessId(panel_, nullptr), &ui);
  EXPECT_EQ(ui.hwndCapture, nullptr);  // the capture given back with the button
  ReleaseLeftButton();
  SyncWithPanel(panel_);
  EXPECT_EQ(CheckRxOnce(api_), "");
  EXPECT_EQ(api_.SetOptions(0x8410), 0x3B06u);  // the swap did take place
}

TEST_F(PanelInput, DesignerModeSendsNoKeyFrames) {
  api_.SetOptions(0x3B06);
  ClickAt(panel_, CentreX(kButton1), CentreY(kButton1));
  KeyDown(VK_CONTROL);
  ClickAt(panel_, CentreX(kButton2), CentreY(kButton2));
  KeyUp(VK_CONTROL);
  api_.SetOptions(0x8410);
  // The first frame after designer mode is the next click's press: nothing was queued before.
  ClickAt(panel_, CentreX(kButton2), CentreY(kButton2));
  EXPECT_EQ(Frames(2), (std::vector<std::string>{"@KC\r", "@KA\r"}));
}

}  // namespace
