// The LCD test tool's logic: the frames of every control, the refresh rules with the move mode,
// and "Assign", whose frames the real interpreter runs into the glyph table.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "panel/core/panel_platform.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/link/command_interpreter.h"
#include "panel/window/lcd_test_tool.h"

using namespace panel;

namespace {

void Record(void* context, const uint8_t* frame, int length) {
  static_cast<std::vector<std::string>*>(context)->emplace_back(
      reinterpret_cast<const char*>(frame), static_cast<size_t>(length));
}

void Interpret(void* context, const uint8_t* frame, int length) {
  Record(context, frame, length);
  InterpretCommand(frame, length);
}

class LcdTestToolTest : public ::testing::Test {
 protected:
  // The controller after the power-on sequence under the load-time word (no power-on text).
  void SetUp() override {
    ResetPanelLibraryForTests();
    LcdInit();
  }
  void TearDown() override { ResetPanelLibraryForTests(); }

  LcdController& lcd() { return *LcdGetController(); }
  LcdToolSink Recorder() { return {Record, &frames_}; }

  std::vector<std::string> frames_;
};

std::string D(const char* hex) { return std::string("@D") + hex + "\x10"; }

struct CommandCase {
  const char* name;
  std::function<void(LcdController&)> state;  // the controller at the click (power-on if null)
  LcdToolClick click;
  std::vector<std::string> frames;
};

TEST_F(LcdTestToolTest, EachControlSendsItsFrames) {
  const std::string blocks(16, '\xFF');
  const std::string long_text(100, 'x');
  auto one_line = [](LcdController& c) { c.lines = 1; };
  auto tall_one_line = [](LcdController& c) { c.lines = 1; c.font_mode = 2; };
  const std::vector<CommandCase> cases = {
      {"Reset", nullptr, {kToolReset, 0, 0, nullptr}, {"@?^!\x10"}},
      {"Displaytest", nullptr, {kToolDisplayTest, 0, 0, nullptr},
       {D("01"), D("80"), "@W" + blocks + "\x10", D("C0"), "@W" + blocks + "\x10"}},
      {"command 12", nullptr, {kToolSendCommand, 0, 0, "12"}, {D("0C")}},
      {"command 0C", nullptr, {kToolSendCommand, 0, 0, "0C"}, {D("00")}},
      {"command empty", nullptr, {kToolSendCommand, 0, 0, ""}, {}},
      {"command 999", nullptr, {kToolSendCommand, 0, 0, "999"}, {D("3E7")}},
      {"command reads 4 chars", nullptr, {kToolSendCommand, 0, 0, "123456"}, {D("4D2")}},
      {"Clear Lcd", nullptr, {kToolClearLcd, 0, 0, nullptr}, {D("01")}},
      {"Return home", nullptr, {kToolReturnHome, 0, 0, nullptr}, {D("02")}},
      {"text", nullptr, {kToolSendText, 0, 0, "Hallo"}, {"@WHallo\x10"}},
      {"text empty", nullptr, {kToolSendText, 0, 0, nullptr}, {"@W\x10"}},
      {"text cut to 79", nullptr, {kToolSendText, 0, 0, long_text.c_str()},
       {"@W" + long_text.substr(0, 79) + "\x10"}},
      {"shift on", nullptr, {kToolDisplayShift, 1, 0, nullptr}, {D("07")}},
      {"shift off, decrement", [](LcdController& c) { c.increment = 0; },
       {kToolDisplayShift, 0, 0, nullptr}, {D("04")}},
      {"LCD off keeps cursor", [](LcdController& c) { c.cursor = 1; },
       {kToolLcdOn, 0, 0, nullptr}, {D("0A")}},
      {"Show Cursor", nullptr, {kToolShowCursor, 1, 0, nullptr}, {D("0E")}},
      {"Blinking Cursor", [](LcdController& c) { c.cursor = 1; },
       {kToolBlinkCursor, 1, 0, nullptr}, {D("0F")}},
      {"5x11 two lines", nullptr, {kToolFont5x11, 1, 0, nullptr}, {D("2C")}},
      {"5x11 one line", one_line, {kToolFont5x11, 1, 0, nullptr}, {D("24")}},
      {"5x8 two lines", nullptr, {kToolFont5x8, 1, 0, nullptr}, {D("28")}},
      {"5x8 one line", tall_one_line, {kToolFont5x8, 1, 0, nullptr}, {D("20")}},
      {"1 Line 5x8", nullptr, {kToolOneLine, 1, 0, nullptr}, {D("20")}},
      {"1 Line 5x11", tall_one_line, {kToolOneLine, 1, 0, nullptr}, {D("24")}},
      {"2 Lines 5x11", tall_one_line, {kToolTwoLines, 1, 0, nullptr}, {D("2C")}},
      {"2 Lines 5x8", one_line, {kToolTwoLines, 1, 0, nullptr}, {D("28")}},
      {"left to right, shift", [](LcdController& c) { c.entry_shift = 1; },
       {kToolLeftToRight, 1, 0, nullptr}, {D("07")}},
      {"right to left", nullptr, {kToolRightToLeft, 1, 0, nullptr}, {D("04")}},
      {"Go Left cursor", nullptr, {kToolGoLeft, 0, 0, nullptr}, {D("10")}},
      {"Go Left display", nullptr, {kToolGoLeft, 0, 1, nullptr}, {D("18")}},
      {"Go Right cursor", nullptr, {kToolGoRight, 0, 0, nullptr}, {D("14")}},
      {"Go Right display", nullptr, {kToolGoRight, 0, 1, nullptr}, {D("1C")}},
      {"Move Display", nullptr, {kToolMoveDisplay, 1, 0, nullptr}, {}},
      {"Font table", nullptr, {kToolFontTable, 0, 0, nullptr}, {}},
      {"grid box", nullptr, {kToolGridFirst + 7, 1, 0, nullptr}, {}},
      {"Backlight", nullptr, {kToolBacklight, 1, 0, nullptr}, {}},
      {"Assign alone", nullptr, {kToolAssign, 0, 0, nullptr}, {}},
  };
  for (const CommandCase& c : cases) {
    SetUp();
    if (c.state) c.state(lcd());
    frames_.clear();
    SendLcdToolCommand(c.click, lcd(), Recorder());
    EXPECT_EQ(frames_, c.frames) << c.name;
  }
  frames_.clear();
  SendLcdToolOpening(Recorder());
  EXPECT_EQ(frames_, (std::vector<std::string>{"@Z4\x10", "@V\x10"}));
}

TEST_F(LcdTestToolTest, RefreshFollowsTheFlagsAndMoveModeOutlivesTheDialog) {
  auto check_of = [](const LcdToolRefresh& r, int id) {
    for (const auto& box : r.boxes) {
      if (box.id == id) return static_cast<int>(box.check);
    }
    return -1;
  };
  const int kKeep = kToolCheckKeep, kSet = kToolCheckSet, kClear = kToolCheckClear;
  struct RefreshCase {
    const char* name;
    std::function<void(LcdController&)> state;
    std::vector<std::pair<int, int>> checks;
    uint8_t tall_rows;
  };
  const std::vector<RefreshCase> cases = {
      {"power-on", nullptr,
       {{kToolLcdOn, kSet}, {kToolShowCursor, kKeep}, {kToolBlinkCursor, kKeep},
        {kToolDisplayShift, kKeep}, {kToolFont5x8, kSet}, {kToolFont5x11, kClear},
        {kToolTwoLines, kSet}, {kToolOneLine, kClear}, {kToolLeftToRight, kSet},
        {kToolRightToLeft, kClear}, {kToolMoveCursor, kSet}, {kToolMoveDisplay, kClear}},
       0},
      {"every flag, 5x11, one line, backwards",
       [](LcdController& c) {
         c.display_on = 0; c.cursor = 1; c.blink = 1; c.entry_shift = 1;
         c.font_mode = 2; c.lines = 1; c.increment = 0;
       },
       {{kToolLcdOn, kKeep}, {kToolShowCursor, kSet}, {kToolBlinkCursor, kSet},
        {kToolDisplayShift, kSet}, {kToolFont5x8, kClear}, {kToolFont5x11, kSet},
        {kToolTwoLines, kClear}, {kToolOneLine, kSet}, {kToolLeftToRight, kClear},
        {kToolRightToLeft, kSet}},
       1},
  };
  EXPECT_EQ(GetLcdToolMoveMode(), kMoveModeUnset);
  for (const RefreshCase& c : cases) {
    SetUp();
    if (c.state) c.state(lcd());
    const LcdToolRefresh refresh = LcdToolRefreshFrom(lcd());
    for (const auto& [id, check] : c.checks) EXPECT_EQ(check_of(refresh, id), check) << c.name << id;
    EXPECT_EQ(refresh.tall_rows_enabled, c.tall_rows) << c.name;
  }
  // Move mode 0 became 1; a chosen "Move Display" stays through later refreshes.
  EXPECT_EQ(GetLcdToolMoveMode(), kMoveModeCursor);
  SetLcdToolMoveMode(kMoveModeDisplay);
  const LcdToolRefresh reopened = LcdToolRefreshFrom(lcd());
  EXPECT_EQ(check_of(reopened, kToolMoveDisplay), kSet);
  EXPECT_EQ(check_of(reopened, kToolMoveCursor), kClear);
}

TEST_F(LcdTestToolTest, AssignWritesTheGridIntoUserGlyphsAndPutsTheCursorBack) {
  // A pattern with the frame terminators' dot values 0x10 and 0x0A and empty rows among them.
  const LcdToolGrid grid = {{0x1F, 0x10, 0x0A, 0x00, 0x0D, 0x11, 0x04, 0x15, 0x01, 0x02, 0x1C}};
  struct AssignCase {
    const char* name;
    std::function<void(LcdController&)> state;
    const char* number;
    std::vector<std::string> frames;  // Set CGRAM and Set DDRAM (the W frame is checked by effect)
    std::vector<std::pair<int, std::vector<uint32_t>>> glyphs;
  };
  const std::vector<uint32_t> upper(grid.rows, grid.rows + 8);
  const std::vector<uint32_t> lower = {0x01, 0x02, 0x1C, 0, 0, 0, 0, 0};
  const std::vector<uint32_t> block(8, 0x1F);
  const std::vector<AssignCase> cases = {
      {"5x8 symbol 3, cursor at line 1 column 5",
       [](LcdController& c) { c.address_line = 1; c.address_column = 5; }, "3",
       {D("58"), D("C5")}, {{3, upper}, {11, upper}, {2, block}, {4, block}}},
      {"5x8 symbol 11 shares glyph memory with 3", nullptr, "11", {D("58"), D("80")},
       {{11, upper}, {3, upper}}},
      {"right to left: rows sent last first", [](LcdController& c) { c.increment = 0; }, "03",
       {D("5F"), D("80")}, {{3, upper}, {4, block}}},
      {"5x11 symbol 3: tall pair 2 and 3",
       [](LcdController& c) { c.lines = 1; c.font_mode = 2; c.address_column = 0x45; }, "3",
       {D("50"), D("C5")}, {{2, upper}, {3, lower}, {1, block}, {4, block}}},
  };
  for (const AssignCase& c : cases) {
    SetUp();
    if (c.state) c.state(lcd());
    const uint8_t line = lcd().address_line, column = lcd().address_column;
    frames_.clear();
    EXPECT_EQ(SendLcdToolAssign(grid, c.number, lcd(), *LcdGetLayout(), {Interpret, &frames_}),
              kAssignSent) << c.name;
    ASSERT_EQ(frames_.size(), 3u) << c.name;
    EXPECT_EQ(frames_[0], c.frames[0]) << c.name;
    EXPECT_EQ(frames_[2], c.frames[1]) << c.name;
    // Every row byte is printable: no NUL ends the text, no terminator ends the frame early.
    for (size_t i = 2; i + 1 < frames_[1].size(); ++i) {
      EXPECT_GE(static_cast<uint8_t>(frames_[1][i]), 0x40) << c.name;
    }
    for (const auto& [code, rows] : c.glyphs) {
      const uint32_t* actual = LcdGetGlyphTable()->rows[code];
      EXPECT_EQ(std::vector<uint32_t>(actual, actual + 8), rows) << c.name << " glyph " << code;
    }
    EXPECT_EQ(lcd().glyph_memory_select, 0) << c.name;
    EXPECT_EQ(lcd().address_line, line) << c.name;
    EXPECT_EQ(lcd().address_column, column) << c.name;
  }

  const struct { const char* number; LcdToolAssignResult result; } refused[] = {
      {"", kAssignNoNumber}, {nullptr, kAssignNoNumber}, {"x3", kAssignNoNumber},
      {"16", kAssignOutOfRange}, {"99999999999999999999", kAssignOutOfRange}};
  for (const auto& r : refused) {
    frames_.clear();
    EXPECT_EQ(SendLcdToolAssign(grid, r.number, lcd(), *LcdGetLayout(), Recorder()), r.result);
    EXPECT_TRUE(frames_.empty());
    EXPECT_NE(LcdToolAssignMessage(r.result), nullptr);
  }
}

}  // namespace
