// The LCD test tool as a user drives it: dialog 110 opened by the panel's command 32851 with
// option 0x0800, the frames its controls send (read back from the
// RX monitor, where the panel logs every frame it receives), the boxes it shows, the move mode
// that outlives it, and what "Displaytest" and "Assign" leave on the LCD (pixels).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/window/lcd_test_tool_ids.h"
#include "panel/window/monitor_window_win32.h"
#include "panel/window/panel_resources_win32.h"
#include "siccorae_loader.h"
#include "window_capture.h"

using namespace panel;

namespace {

constexpr uint32_t kToolOptions = 0x8410 | 0x0800 | 0x4000;  // test tool and font table
constexpr int32_t kBackground = 17;  // "Backlight on"
constexpr int32_t kDots = 15;        // "Backlight off"
constexpr uint32_t kChartBlack = 0x000000;
constexpr uint32_t kChartWhite = 0xFFFFFF;

std::string Line(const std::string& frame) { return frame + "<0x10>\r\n"; }
std::string D(const char* hex) { return Line(std::string("@D") + hex); }

// The eight dot rows (bit 4 leftmost) of a glyph drawn with p x p dots at (x, y) of a window's
// client area; {0xFF} when a dot shows neither colour.
std::vector<uint32_t> DotRows(HWND window, int32_t x, int32_t y, int32_t p, uint32_t on,
                              uint32_t off) {
  const Capture capture = CaptureClient(window, x, y, 5 * p, 8 * p);
  std::vector<uint32_t> rows;
  for (int r = 0; r < 8; ++r) {
    uint32_t bits = 0;
    for (int c = 0; c < 5; ++c) {
      const uint32_t pixel = capture.At(x + c * p, y + r * p);
      if (pixel == on) bits |= 0x10u >> c;
      else if (pixel != off) return {0xFF};
    }
    rows.push_back(bits);
  }
  return rows;
}

class LcdTestTool : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(api_.module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    SendMessageA(panel_, WM_COMMAND, kCmdMonitor, 0);
    HWND monitor = FindProcessWindow(kMonitorWindowClass);
    ASSERT_NE(monitor, nullptr);
    rx_pane_ = GetDlgItem(monitor, kRxPaneId);
  }

  void TearDown() override {
    if (dialog_ && IsWindow(dialog_)) Click(kToolQuit);
  }

  static std::string Text(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
  }

  // The RX monitor lines written since the last call.
  std::string NewRxLines() {
    const std::string all = Text(rx_pane_);
    std::string fresh = all.size() >= rx_seen_ ? all.substr(rx_seen_) : all;
    rx_seen_ = all.size();
    return fresh;
  }

  // The tool where it opens, or moved to the screen's corner for cases that read the LCD through
  // the panel's own device context.
  void OpenTool(bool moved_away = true) {
    PostMessageA(panel_, WM_COMMAND, kCmdLcdTestTool, 0);
    ASSERT_TRUE(WaitFor([&] {
      dialog_ = FindProcessWindow("#32770");
      return dialog_ != nullptr && IsWindowVisible(dialog_);
    }));
    if (moved_away) {
      SetWindowPos(dialog_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SyncWithPanel(panel_);
  }

  void Click(int id) {
    SendMessageA(GetDlgItem(dialog_, id), BM_CLICK, 0, 0);
    SyncWithPanel(panel_);
  }

  void Type(int field, const char* text) { SetDlgItemTextA(dialog_, field, text); }

  bool Checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog_, id)) != FALSE; }

  // The LCD placement the panel has after loading a picture in the fixed layout, mirrored here.
  void LoadPicture() {
    ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", 640, 240, 0x00808080));
    LoadPanelAndRepaint(panel_);
    LcdSetViewDefaults();
    LcdInit();
    MirrorLoadedFixedLayoutLcd();
  }

  // One character cell of the LCD as the panel shows it, or (on_screen) as the screen shows it.
  std::vector<uint32_t> CellRows(int row, int cell, bool on_screen = false) const {
    const LcdView& view = *LcdGetView();
    const int32_t p = static_cast<int32_t>(LcdDotSize());
    POINT origin{0, 0};
    if (on_screen) ClientToScreen(panel_, &origin);
    return DotRows(on_screen ? nullptr : panel_,
                   origin.x + view.rows[row].left + cell * p * (view.glyph_width + 1),
                   origin.y + view.rows[row].top, p, ColourPixel(kDots), ColourPixel(kBackground));
  }

  const SiccoraeApi& api_ = LoadSiccoraeWithOptions(kToolOptions);
  HWND panel_ = nullptr;
  HWND rx_pane_ = nullptr;
  HWND dialog_ = nullptr;
  size_t rx_seen_ = 0;
};

// After the power-on sequence, then each step in turn: what it sends, then the boxes it leaves.
TEST_F(LcdTestTool, ControlsSendTheirFramesAndTheMoveModeOutlivesTheDialog) {
  OpenTool();
  EXPECT_EQ(Text(dialog_), "Lcd Configuration");
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), panel_);
  EXPECT_EQ(NewRxLines(), Line("@Z4") + Line("@V"));
  for (int id : {kToolLcdOn, kToolFont5x8, kToolTwoLines, kToolLeftToRight, kToolMoveCursor}) {
    EXPECT_TRUE(Checked(id)) << id;
  }
  for (int id : {kToolShowCursor, kToolBlinkCursor, kToolDisplayShift, kToolFont5x11,
                 kToolOneLine, kToolRightToLeft, kToolMoveDisplay}) {
    EXPECT_FALSE(Checked(id)) << id;
  }
  EXPECT_TRUE(Enabled(kToolGridTallFirst - 1));
  EXPECT_FALSE(Enabled(kToolGridTallFirst));

  struct Step { const char* what; int field; const char* text; int id; std::string sent; };
  const std::vector<Step> steps = {
      {"Show Cursor", 0, nullptr, kToolShowCursor, D("0E")},
      {"Move Display", 0, nullptr, kToolMoveDisplay, ""},
      {"<Go Left moves the display", 0, nullptr, kToolGoLeft, D("18")},
      {"12 is decimal", kToolCommandField, "12", kToolSendCommand, D("0C")},
      {"0C reads as 0", kToolCommandField, "0C", kToolSendCommand, D("00")},
      {"5x11 with two lines", 0, nullptr, kToolFont5x11, D("2C")},
      {"1 Line", 0, nullptr, kToolOneLine, D("20")},
      {"5x11 with one line", 0, nullptr, kToolFont5x11, D("24")},
      {"Font table shows", 0, nullptr, kToolFontTable, ""},
  };
  for (const Step& step : steps) {
    if (step.field) Type(step.field, step.text);
    Click(step.id);
    EXPECT_EQ(NewRxLines(), step.sent) << step.what;
  }
  EXPECT_TRUE(Enabled(kToolGridTallFirst));
  HWND chart = FindProcessWindow("Font Wnd");
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(IsWindowVisible(chart));
  Click(kToolFontTable);
  EXPECT_FALSE(IsWindowVisible(chart));
  EXPECT_EQ(NewRxLines(), "");

  // Reopened: the controller's 5x11 font, one line and cursor, and the move mode chosen before.
  Click(kToolQuit);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog_); }));
  OpenTool();
  EXPECT_EQ(NewRxLines(), Line("@Z4") + Line("@V"));
  for (int id : {kToolFont5x11, kToolOneLine, kToolMoveDisplay}) {
    EXPECT_TRUE(Checked(id)) << id;
  }
  // "12" sent 0x0C: the cursor is off again, and a fresh dialog shows it so.
  for (int id : {kToolFont5x8, kToolTwoLines, kToolMoveCursor, kToolShowCursor}) {
    EXPECT_FALSE(Checked(id)) << id;
  }
  EXPECT_TRUE(Enabled(kToolGridTallFirst));
  EXPECT_EQ(Text(GetDlgItem(dialog_, kToolCommandField)), "");
}

TEST_F(LcdTestTool, DisplaytestAndAssignShowOnTheLcd) {
  LoadPicture();
  OpenTool();
  NewRxLines();
  const std::string blocks(16, '\xFF');
  Click(kToolDisplayTest);
  EXPECT_EQ(NewRxLines(), D("01") + D("80") + Line("@W" + blocks) + D("C0") + Line("@W" + blocks));
  const std::vector<uint32_t> full(8, 0x1F);
  for (int row = 0; row < 2; ++row) {
    for (int cell = 0; cell < 16; ++cell) ASSERT_EQ(CellRows(row, cell), full) << row << "," << cell;
  }
  // The address counter stood at line 1, column 16: one step left and "A" lands in cell 15.
  Click(kToolGoLeft);
  Type(kToolTextField, "A");
  Click(kToolSendText);
  EXPECT_EQ(NewRxLines(), D("10") + Line("@WA"));
  EXPECT_EQ(CellRows(1, 15), (std::vector<uint32_t>{0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11, 0x00}));

  // Code 3 at the start of line 0 (a full block until its glyph is assigned), then a pattern.
  Click(kToolClearLcd);
  Send(api_, std::string("@W\x03\x10"));
  SyncWithPanel(panel_);
  EXPECT_EQ(CellRows(0, 0), full);
  const std::vector<uint32_t> pattern = {0x11, 0x0A, 0x04, 0x0A, 0x11, 0x00, 0x1F, 0x10};
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 5; ++c) {
      if (pattern[r] & (0x10u >> c)) Click(kToolGridFirst + 5 * r + c);
    }
  }
  NewRxLines();
  Click(kToolAssign);  // no number: nothing is sent, the status line says why
  EXPECT_EQ(NewRxLines(), "");
  EXPECT_NE(Text(FindWindowExA(panel_, nullptr, "static", nullptr)).find("Symbol Nr"), std::string::npos);
  Type(kToolSymbolField, "3");
  Click(kToolAssign);
  EXPECT_EQ(NewRxLines(), D("58") + Line("@WQJDJQ@_P") + D("81"));
  EXPECT_EQ(CellRows(0, 0), pattern);
  Click(kToolFontTable);
  HWND chart = FindProcessWindow("Font Wnd");
  ASSERT_NE(chart, nullptr);
  // Code 3 in the chart: column 0, row 3 at (39, 40 + 24 * 3), dots of 2 x 2.
  EXPECT_TRUE(WaitFor([&] { return DotRows(chart, 39, 112, 2, kChartBlack, kChartWhite) == pattern; }));
}

// Where it opens by itself: beside the panel (below it here, the panel reaching the screen's right
// edge), on the screen, and the blocks "Displaytest" writes are in sight on the screen.
TEST_F(LcdTestTool, OpensBesideThePanelSoTheLcdStaysInSight) {
  LoadPicture();
  OpenTool(false);
  Click(kToolDisplayTest);
  const std::vector<uint32_t> full(8, 0x1F);
  EXPECT_TRUE(WaitFor([&] {
    for (int row = 0; row < 2; ++row) {
      for (int cell = 0; cell < 16; ++cell) {
        if (CellRows(row, cell, true) != full) return false;
      }
    }
    return true;
  })) << "cell 0,0 on the screen: " << CellRows(0, 0, true)[0];
  RECT tool;
  RECT panel;
  GetWindowRect(dialog_, &tool);
  GetWindowRect(panel_, &panel);
  EXPECT_GE(tool.left, 0);
  EXPECT_GE(tool.top, panel.bottom);
  EXPECT_LE(tool.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(tool.bottom, GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace
