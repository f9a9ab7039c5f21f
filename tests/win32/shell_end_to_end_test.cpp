// The prototype in one process: the application shell's window and loop, the controller, and
// siccorae.dll linked at load time with its UI thread and panel window. The test drives the
// shell's own loop step, listens to the frames the shell hands to the library, and replays them
// into a panel LCD model of its own (the library's interpreter code, linked statically) to read
// what the panel shows. Panel key frames enter through the library's exported TX list, exactly
// where the panel window queues them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/shell_app_win32.h"
#include "app/shell/shell_record_win32.h"
#include "app/shell/shell_resource_ids.h"
#include "app/shell/shell_sliders.h"
#include "panel/core/data_lists.h"
#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/link/command_interpreter.h"
#include "siccorae_loader.h"
#include "window_capture.h"

using shell::kHumidityRow;
using shell::kTemperatureRow;
using shell::SetShellFrameTap;
using shell::ShellLoopStep;
using shell::ShellRelayByte;
using shell::ShellSliders;
using shell::ShellStart;
using namespace panel;

namespace {

constexpr int kStartUpSteps = 200;   // 10 s of 50 ms steps; the start-up needs about 2 s
constexpr int kProgramSteps = 300;   // the room program starts 5 s after its key

// Every frame the shell hands to the library also goes through the test's own interpreter.
void ReplayFrame(const uint8_t* bytes, uint32_t length) {
  InterpretCommand(bytes, static_cast<int32_t>(length));
}

std::string LcdLine(int line) {
  const uint8_t* memory = LcdGetDisplayMemory();
  const uint32_t start = LcdGetLayout()->row_start[line];
  return std::string(reinterpret_cast<const char*>(memory + start), 16);
}

template <typename Done>
bool StepUntil(Done done, int max_steps) {
  for (int step = 0; step < max_steps; ++step) {
    if (done()) return true;
    if (!ShellLoopStep()) return false;
  }
  return done();
}

bool ClockShows(const std::string& line1) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  for (int back = 0; back <= 1; ++back) {  // the minute may have just turned over
    const int minutes = (now.wHour * 60 + now.wMinute - back + 1440) % 1440;
    char expected[6];
    wsprintfA(expected, "%02d%02d", minutes / 60, minutes % 60);
    // The separator blinks with the seconds: ':' on even seconds, ' ' on odd ones.
    if (line1.substr(0, 2) == std::string(expected, 2) &&
        line1.substr(3, 2) == std::string(expected + 2, 2) && (line1[2] == ':' || line1[2] == ' '))
      return true;
  }
  return false;
}

bool StartUpShown() {
  const std::string line1 = LcdLine(0);
  return LcdLine(1) == " SICCORA-superb " && line1.substr(6, 5) == " 15\xDF" "C" &&
         line1.substr(12, 4) == " 58%" && ClockShows(line1);
}

// A library export by name (through void*: the exports have other types than FARPROC's).
template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Queues a panel frame on the library's TX list through its exports, as the panel window
// queues its key frames; CheckRx in the loop then delivers it to the controller.
bool QueuePanelFrame(const char* frame) {
  HMODULE library = GetModuleHandleA("siccorae.dll");
  if (!library) return false;
  auto get_tx = Export<tagLISTHEAD* (*)()>(library, "GetTXListHead");
  auto create = Export<tagDATA* (*)(const unsigned char*, int32_t)>(library, "CreateNewEntry");
  auto append = Export<int (*)(tagLISTHEAD*, tagDATA*)>(library, "ListAppend");
  if (!get_tx || !create || !append) return false;
  tagDATA* record = create(reinterpret_cast<const unsigned char*>(frame),
                           static_cast<int32_t>(lstrlenA(frame)));
  return record && append(get_tx(), record) == 1;
}

constexpr int32_t kLcdBackground = 17;  // "Backlight on", painted under the LCD

// Pixels of the panel window's LCD that differ from what the rasteriser draws for the replica.
int LcdPixelMismatches(HWND panel) {
  const LcdRect bounds = LcdDrawBounds();
  const int32_t width = bounds.right - bounds.left;
  const int32_t height = bounds.bottom - bounds.top;
  std::vector<uint32_t> expected(static_cast<size_t>(width) * height,
                                 ColourPixel(kLcdBackground));
  LcdPixelBuffer buffer{bounds.left, bounds.top, width, height, expected.data()};
  LcdRasterise(&buffer);
  const Capture shown = CaptureClient(panel, bounds.left, bounds.top, width, height);
  int mismatches = 0;
  for (size_t i = 0; i < expected.size(); ++i) mismatches += expected[i] != shown.pixels[i];
  return mismatches;
}

bool BoxChecked(HWND window, int id) {
  return SendMessageA(GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string WindowText(HWND window) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

class ShellEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    LcdSetViewDefaults();  // the fixed layout's LCD placement, as the panel window has it
    LcdInit();             // the test's replica of the panel LCD
    SetShellFrameTap(ReplayFrame);
    window_ = ShellStart(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(nullptr, window_);
  }
  void TearDown() override { SetShellFrameTap(nullptr); }

  HWND window_ = nullptr;
};

TEST_F(ShellEndToEnd, StartUpShowsClockMeasurementsAndProductName) {
  ASSERT_TRUE(ShellLoopStep());
  // The first iteration reports all relays off: no box is checked.
  EXPECT_EQ(15, ShellRelayByte());
  for (int id : {IDC_VENTILATOR_BOX, IDC_COMPRESSOR_BOX, IDC_HEATING_BOX})
    EXPECT_FALSE(BoxChecked(window_, id));

  EXPECT_TRUE(StepUntil(StartUpShown, kStartUpSteps))
      << "line 1 \"" << LcdLine(0) << "\", line 2 \"" << LcdLine(1) << "\"";
  EXPECT_EQ("15\xB0" "C", WindowText(GetDlgItem(window_, IDC_TEMPERATURE_VALUE)));
  EXPECT_EQ("58%", WindowText(GetDlgItem(window_, IDC_HUMIDITY_VALUE)));

  // The library's own LCD, as the panel window shows it, holds the same dots as the replica.
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(nullptr, panel);
  ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", 780, 386, 0x00808080));
  LoadPanelAndRepaint(panel);
  MirrorLoadedFixedLayoutLcd();
  EXPECT_EQ(0, LcdPixelMismatches(panel));
}

TEST_F(ShellEndToEnd, TabMovesTheFocusToTheOtherBarAndThumbDraggingChangesNothing) {
  HWND temperature_bar = GetDlgItem(window_, IDC_TEMPERATURE_BAR);
  HWND humidity_bar = GetDlgItem(window_, IDC_HUMIDITY_BAR);
  ASSERT_TRUE(temperature_bar && humidity_bar);
  SetFocus(temperature_bar);
  ASSERT_EQ(temperature_bar, GetFocus());
  PostMessageA(temperature_bar, WM_KEYDOWN, VK_TAB, 1);
  ASSERT_TRUE(StepUntil([humidity_bar] { return GetFocus() == humidity_bar; }, 10));
  PostMessageA(humidity_bar, WM_KEYDOWN, VK_TAB, 1);
  ASSERT_TRUE(StepUntil([temperature_bar] { return GetFocus() == temperature_bar; }, 10));

  // End and Home on the temperature bar: the limits, shown at once.
  PostMessageA(temperature_bar, WM_KEYDOWN, VK_END, 1);
  ASSERT_TRUE(StepUntil([] { return ShellSliders().rows[kTemperatureRow].value == -10; }, 10));
  EXPECT_EQ("-10\xB0" "C", WindowText(GetDlgItem(window_, IDC_TEMPERATURE_VALUE)));
  EXPECT_EQ(60, GetScrollPos(temperature_bar, SB_CTL));
  PostMessageA(temperature_bar, WM_KEYDOWN, VK_HOME, 1);
  ASSERT_TRUE(StepUntil([] { return ShellSliders().rows[kTemperatureRow].value == 50; }, 10));

  // A dragged thumb reports positions; the value stays and the thumb goes back.
  SendMessageA(window_, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40),
               reinterpret_cast<LPARAM>(humidity_bar));
  SendMessageA(window_, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40),
               reinterpret_cast<LPARAM>(humidity_bar));
  EXPECT_EQ(58, ShellSliders().rows[kHumidityRow].value);
  EXPECT_EQ(42, GetScrollPos(humidity_bar, SB_CTL));

  // A click on a relay box does not toggle it.
  HWND compressor_box = GetDlgItem(window_, IDC_COMPRESSOR_BOX);
  PostMessageA(compressor_box, BM_CLICK, 0, 0);
  for (int step = 0; step < 5; ++step) ASSERT_TRUE(ShellLoopStep());
  EXPECT_FALSE(BoxChecked(window_, IDC_COMPRESSOR_BOX));
}

TEST_F(ShellEndToEnd, HumidityAt70AndRoomKeyFrameSwitchVentilatorAndCompressorOn) {
  ASSERT_TRUE(StepUntil(StartUpShown, kStartUpSteps));

  // Keyboard on the humidity bar, one message per loop step: Page Up (+10), then Up twice.
  HWND humidity_bar = GetDlgItem(window_, IDC_HUMIDITY_BAR);
  ASSERT_NE(nullptr, humidity_bar);
  for (WPARAM key : {VK_PRIOR, VK_UP, VK_UP}) {
    PostMessageA(humidity_bar, WM_KEYDOWN, key, 1);
    PostMessageA(humidity_bar, WM_KEYUP, key, 0xC0000001);
  }
  ASSERT_TRUE(StepUntil([] { return ShellSliders().rows[kHumidityRow].value == 70; }, 40));
  EXPECT_EQ("70%", WindowText(GetDlgItem(window_, IDC_HUMIDITY_VALUE)));
  EXPECT_EQ(30, GetScrollPos(humidity_bar, SB_CTL));  // 100 - 70: the top is the maximum
  ASSERT_TRUE(StepUntil([] { return LcdLine(0).substr(12, 4) == " 70%"; }, 40)) << LcdLine(0);

  // Press and release the room key (id 16): "@K" + (0x41 + 16) and "@K" + 0x41.
  ASSERT_TRUE(QueuePanelFrame("@KQ\r"));
  ASSERT_TRUE(QueuePanelFrame("@KA\r"));
  EXPECT_TRUE(StepUntil(
      [this] {
        return BoxChecked(window_, IDC_VENTILATOR_BOX) && BoxChecked(window_, IDC_COMPRESSOR_BOX);
      },
      kProgramSteps))
      << "relay byte " << int(ShellRelayByte()) << ", line 2 \"" << LcdLine(1) << "\"";
  EXPECT_FALSE(BoxChecked(window_, IDC_HEATING_BOX));
  EXPECT_EQ(0, ShellRelayByte() & 0x05);  // ventilator and compressor relays on (active low)
}

}  // namespace

// A button area appended to the library's area list through its exports (the cases run in
// folders without the data set).
bool AddPanelButton(const char* name, int32_t id) {
  HMODULE library = GetModuleHandleA("siccorae.dll");
  if (!library) return false;
  auto get_list = Export<tagRLISTHEAD* (*)()>(library, "GetRectList");
  auto create = Export<tagRECTPROP* (*)(const tagRECTPROP*)>(library, "CreateRectEntry");
  auto append = Export<int (*)(tagRLISTHEAD*, tagRECTPROP*)>(library, "AppendRect");
  if (!get_list || !create || !append || !get_list()) return false;
  tagRECTPROP area{};
  area.name = const_cast<char*>(name);
  area.id = id;
  area.kind = kRectKindButton;
  area.rect = tagAREARECT{602, 246, 698, 292};
  tagRECTPROP* record = create(&area);
  return record && append(get_list(), record) == 1;
}

// siccora.exe --record FILE: the same session written as a siccora-sim scenario.
class ShellRecording : public ShellEndToEnd {
 protected:
  void SetUp() override {
    GetTempPathA(MAX_PATH, path_);
    lstrcatA(path_, "siccora_recorded_session.yaml");
    arguments_[0] = const_cast<char*>("siccora.exe");
    arguments_[1] = const_cast<char*>("--record");
    arguments_[2] = path_;
    saved_argc_ = __argc;
    saved_argv_ = __argv;
    __argc = 3;
    __argv = arguments_;
    ShellEndToEnd::SetUp();
  }
  void TearDown() override {
    shell::StopShellRecording();
    __argc = saved_argc_;
    __argv = saved_argv_;
    DeleteFileA(path_);
    ShellEndToEnd::TearDown();
  }
  std::string Recorded() {
    shell::StopShellRecording();
    std::string text;
    if (FILE* file = std::fopen(path_, "rb")) {
      char buffer[4096];
      size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
      std::fclose(file);
    }
    return text;
  }

  char path_[MAX_PATH] = {};
  char* arguments_[4] = {};
  int saved_argc_ = 0;
  char** saved_argv_ = nullptr;
};

TEST_F(ShellRecording, SliderKeyFramesAndSteadyLinesBecomeScenarioSteps) {
  ASSERT_TRUE(StepUntil(StartUpShown, kStartUpSteps));
  HWND humidity_bar = GetDlgItem(window_, IDC_HUMIDITY_BAR);
  PostMessageA(humidity_bar, WM_KEYDOWN, VK_PRIOR, 1);
  PostMessageA(humidity_bar, WM_KEYUP, VK_PRIOR, 0xC0000001);
  ASSERT_TRUE(StepUntil([] { return ShellSliders().rows[kHumidityRow].value == 68; }, 40));
  ASSERT_TRUE(AddPanelButton("Room", 16));
  ASSERT_TRUE(QueuePanelFrame("@KQ\r"));
  ASSERT_TRUE(QueuePanelFrame("@KA\r"));
  ASSERT_TRUE(StepUntil([] { return LcdLine(1) == "  Drying Room   "; }, kProgramSteps));
  StepUntil([] { return false; }, 30);  // the new text stays for more than a second

  const std::string recorded = Recorded();
  EXPECT_EQ(0u, recorded.find("# A session recorded by siccora.exe --record")) << recorded;
  EXPECT_NE(std::string::npos,
            recorded.find("\ntemperature: 15\nhumidity: 58\nkeys: at-once\nsteps:\n  - wait: 0ms\n"))
      << recorded;
  EXPECT_NE(std::string::npos, recorded.find("  - expect-relays: {compressor: off, heater: off, "
                                             "ventilator: off, hotgas: off}\n"))
      << recorded;
  EXPECT_NE(std::string::npos, recorded.find("  - expect-lcd: {line: 2, text: \" SICCORA-superb \"}\n"));
  EXPECT_NE(std::string::npos, recorded.find("  - set: {temperature: 15, humidity: 68}\n"));
  const size_t hold = recorded.find("  - hold: [\"Room\"]\n");
  EXPECT_NE(std::string::npos, hold) << recorded;
  EXPECT_NE(std::string::npos, recorded.find("  - release: all\n", hold)) << recorded;
  EXPECT_NE(std::string::npos, recorded.find("  - expect-lcd: {line: 2, text: \"  Drying Room   \"}\n"))
      << recorded;
}
