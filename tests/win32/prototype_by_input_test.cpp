// The prototype as a person operates it: the real siccora.exe started from the programs' folder,
// operated with real mouse and keyboard input on its two windows, and checked by what they show:
// the LCD's and LEDs' pixels on the panel, the relay indicators and the measurement on the
// simulation window. The LCD is read by drawing the expected text with the LCD model in this
// process and comparing the character cells' dots with the panel window's pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/shell/shell_resource_ids.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "prototype_view.h"
#include "real_input.h"
#include "registry_sandbox.h"
#include "siccorae_loader.h"
#include "tools/rk52_layout.h"
#include "window_capture.h"

using namespace panel;

namespace {

constexpr char kShellCaption[] = "SICCORA-super";
constexpr char kPanelClass[] = "LcdWnd";
constexpr DWORD kStartUpMs = 30000;
constexpr DWORD kLcdChangeMs = 5000;
constexpr DWORD kProgramStartMs = 15000;  // the program starts 5 s after its key
constexpr int kHumidityClicksAtMost = 40;
constexpr int kSteadyLooks = 5;
constexpr DWORD kSteadyLookMs = 300;
constexpr int kComboAttempts = 5;

// HD44780 instruction "set display data address" and the second line's first address.
constexpr int kInstruction = 0;
constexpr int kSetAddress = 0x80;
constexpr int kSecondLineAddress = 0x40;
constexpr uint32_t kNotDrawn = 0xFFFFFFFFu;  // no 0x00RRGGBB pixel has its top byte set

// Button ids of the device picture (the key bits of the key frames) and LED ids (the bits of the
// controller's LED byte).
constexpr int kOff = 1, kWashing = 2, kFilter = 4, kHeater = 8, kRoom = 16;
constexpr int kRoomLed = 1, kWashingLed = 2, kReadyLed = 4;

POINT ButtonCentre(int id) {
  for (const rk52::Button& button : rk52::kButtons) {
    if (button.id == id)
      return POINT{(button.rect.left + button.rect.right) / 2,
                   (button.rect.top + button.rect.bottom) / 2};
  }
  return POINT{0, 0};
}

const rk52::Led& LedOf(int id) {
  for (const rk52::Led& led : rk52::kLeds) {
    if (led.id == id) return led;
  }
  return rk52::kLeds[0];
}

// The character cells of `text` from `column` of display row `line` hold exactly the dots the
// LCD model draws for it (display on, no cursor) in the loaded device layout.
bool LcdShows(HWND panel, int line, int column, const std::string& text) {
  MirrorLoadedFixedLayoutLcd();
  LcdInit();
  LcdWrite(kInstruction, kSetAddress | (line ? kSecondLineAddress : 0) | column);
  LcdWriteString(text.data(), static_cast<uint8_t>(text.size()));
  const LcdRect row = LcdGetView()->rows[line];
  std::vector<uint32_t> expected(static_cast<size_t>(row.right - row.left) * (row.bottom - row.top),
                                 kNotDrawn);
  LcdPixelBuffer buffer{row.left, row.top, row.right - row.left, row.bottom - row.top,
                        expected.data()};
  LcdRasterise(&buffer);
  const Capture shown = CaptureClient(panel, buffer.left, buffer.top, buffer.width, buffer.height);
  const int32_t advance = static_cast<int32_t>(LcdDotSize()) * (LcdGetView()->glyph_width + 1);
  const int32_t first = column * advance;
  const int32_t last = (column + static_cast<int32_t>(text.size())) * advance;
  for (int32_t y = 0; y < buffer.height; ++y) {
    for (int32_t x = first; x < last && x < buffer.width; ++x) {
      const uint32_t dot = expected[static_cast<size_t>(y) * buffer.width + x];
      if (dot != kNotDrawn && dot != shown.pixels[static_cast<size_t>(y) * buffer.width + x])
        return false;
    }
  }
  return true;
}

class PrototypeByInput : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string folder = DataSetFolder();
    ASSERT_TRUE(StartProgram(folder + "\\siccora.exe", folder, &program_)) << GetLastError();
    ASSERT_TRUE(WaitUntil(
        [this] {
          panel_ = FindWindowOf(program_.dwProcessId, kPanelClass, nullptr, true);
          shell_ = FindWindowOf(program_.dwProcessId, nullptr, kShellCaption, true);
          return panel_ && shell_;
        },
        kStartUpMs));
    ASSERT_TRUE(
        WaitUntil([this] { return LcdShows(panel_, 1, 0, " SICCORA-superb "); }, kStartUpMs));
    // READY lights when the controller's start-up is through: only then does a person begin.
    ASSERT_TRUE(WaitUntil([this] { return LedLit(panel_, LedOf(kReadyLed)); }, kStartUpMs));
  }
  void TearDown() override {
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000) KeyUp(VK_CONTROL);
    EndProgram(&program_);
  }

  void ClickButton(int id) {
    const POINT centre = ButtonCentre(id);
    ClickAt(panel_, centre.x, centre.y);
  }

  bool Checked(int id) const {
    return SendMessageA(GetDlgItem(shell_, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  std::string Text(int id) const {
    char text[32] = {};
    GetWindowTextA(GetDlgItem(shell_, id), text, sizeof(text));
    return text;
  }

  PROCESS_INFORMATION program_{};
  HWND panel_ = nullptr;
  HWND shell_ = nullptr;
};

TEST_F(PrototypeByInput, RoomKeyAt70PercentStartsTheRoomProgram) {
  // The humidity bar's arrows, one percent per click, from the start value 58 % to 70 %: the
  // upper arrow raises it. A click is one quick press and release; should a loaded machine still
  // let the arrow repeat past 70 %, the lower arrow brings it back.
  HWND bar = GetDlgItem(shell_, IDC_HUMIDITY_BAR);
  ASSERT_NE(nullptr, bar);
  RECT client;
  GetClientRect(bar, &client);
  const int arrow = GetSystemMetrics(SM_CYVSCROLL) / 2;
  FocusWindow(shell_);
  for (int click = 0; click < kHumidityClicksAtMost && Text(IDC_HUMIDITY_VALUE) != "70%"; ++click) {
    const std::string before = Text(IDC_HUMIDITY_VALUE);
    const bool up = std::atoi(before.c_str()) < 70;
    TapAt(bar, client.right / 2, up ? arrow : client.bottom - arrow);
    WaitUntil([&] { return Text(IDC_HUMIDITY_VALUE) != before; });
  }
  ASSERT_EQ("70%", Text(IDC_HUMIDITY_VALUE));
  EXPECT_TRUE(WaitUntil([this] { return LcdShows(panel_, 0, 12, " 70%"); }, kLcdChangeMs));

  FocusWindow(panel_);
  ClickButton(kRoom);
  EXPECT_TRUE(
      WaitUntil([this] { return LcdShows(panel_, 1, 0, "  START IN 5s   "); }, kLcdChangeMs));
  EXPECT_TRUE(
      WaitUntil([this] { return Checked(IDC_VENTILATOR_BOX) && Checked(IDC_COMPRESSOR_BOX); },
                kProgramStartMs));
  EXPECT_FALSE(Checked(IDC_HEATING_BOX));
  EXPECT_TRUE(
      WaitUntil([this] { return LcdShows(panel_, 1, 0, "  Drying Room   "); }, kLcdChangeMs));
  // The room LED blinks while the program is chosen and is steady once it runs: lit at every
  // look over more than one blink period.
  const rk52::Led& room_led = LedOf(kRoomLed);
  EXPECT_TRUE(WaitUntil([&] { return LedLit(panel_, room_led); }, kLcdChangeMs));
  for (int look = 0; look < kSteadyLooks; ++look) {
    Sleep(kSteadyLookMs);
    EXPECT_TRUE(LedLit(panel_, room_led)) << look;
  }
  EXPECT_FALSE(LedLit(panel_, LedOf(kWashingLed)));
  EXPECT_TRUE(LedLit(panel_, LedOf(kReadyLed)));
}

// One step of the service menu: buttons clicked in turn (with Ctrl held over all of them and
// released at the end, or plain), then the LCD text expected at a place.
struct MenuStep {
  std::vector<int> buttons;
  bool ctrl_held;
  int line;
  int column;
  const char* text;
};

TEST_F(PrototypeByInput, CtrlCombinationOpensTheConfigurationAndPlusAndStoreChangeAValue) {
  const MenuStep steps[] = {
      {{kFilter, kHeater, kWashing}, true, 1, 0, " CONFIGURATION  "},
      {{kFilter}, false, 1, 0, " Heater Option  "},
      {{kFilter}, false, 1, 0, "   Key Beep     "},
      {{kFilter}, false, 1, 0, "Standby-Time (s)"},
      {{}, false, 0, 0, " 120"},                  // the stored standby time
      {{kRoom}, false, 0, 0, "*121"},             // plus: changed, not stored yet
      {{kHeater}, false, 0, 0, " 121"},           // store
      {{kOff}, false, 1, 0, " SICCORA-superb "},  // the menu left
  };
  FocusWindow(panel_);
  for (const MenuStep& step : steps) {
    SCOPED_TRACE(step.text);
    auto shown = [&] { return LcdShows(panel_, step.line, step.column, step.text); };
    bool ctrl_seen = true;
    bool focused = true;
    for (int attempt = 0; attempt < kComboAttempts; ++attempt) {
      focused = GetForegroundWindow() == panel_;
      if (step.ctrl_held) {
        KeyDown(VK_CONTROL);
        ctrl_seen = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
      }
      for (int id : step.buttons) ClickButton(id);
      if (step.ctrl_held) KeyUp(VK_CONTROL);
      // A combination that Wine delivered only in part (a click or the Ctrl state dropped) has
      // left the controller in another mode: Off brings it back to rest before the next try.
      if (!step.ctrl_held || WaitUntil(shown, kLcdChangeMs)) break;
      std::fprintf(stderr, "Combination not taken (Ctrl seen %d, panel in the foreground %d)\n",
                   ctrl_seen, focused);
      ClickButton(kOff);
      WaitUntil([this] { return LcdShows(panel_, 1, 0, " SICCORA-superb "); }, kLcdChangeMs);
      FocusWindow(panel_);
    }
    EXPECT_TRUE(WaitUntil(shown, kLcdChangeMs))
        << "Ctrl seen: " << ctrl_seen << ", panel in the foreground: " << focused;
  }
}

}  // namespace
