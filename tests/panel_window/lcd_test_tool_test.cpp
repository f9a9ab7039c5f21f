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

// A controller state at the click: power-on with these fields changed.
struct State {
  int8_t lines = -1, font = -1, increment = -1, shift = -1, cursor = -1;
};

struct CommandCase {
  State state;
  LcdToolClick click;
  std::vector<std::string> frames;
};

TEST_F(LcdTestToolTest, EachControlSendsItsFrames) {
  const std::string blocks = "@W" + std::string(16, '\xFF') + "\x10";
  const std::string long_text(100, 'x');
  const State one_line{1}, tall{1, 2}, backwards{-1, -1, 0}, shifting{-1, -1, -1, 1};
  const State cursor_on{-1, -1, -1, -1, 1};
  const std::vector<CommandCase> cases = {
      {{}, {kToolReset, 0, 0, nullptr}, {"@?^!\x10"}},
      {{}, {kToolDisplayTest, 0, 0, nullptr}, {D("01"), D("80"), blocks, D("C0"), blocks}},
      {{}, {kToolSendCommand, 0, 0, "12"}, {D("0C")}},
      {{}, {kToolSendCommand, 0, 0, "0C"}, {D("00")}},
      {{}, {kToolSendCommand, 0, 0, ""}, {}},
      {{}, {kToolSendCommand, 0, 0, "123456"}, {D("4D2")}},  // four characters read
      {{}, {kToolClearLcd, 0, 0, nullptr}, {D("01")}},
      {{}, {kToolReturnHome, 0, 0, nullptr}, {D("02")}},
      {{}, {kToolSendText, 0, 0, "Hallo"}, {"@WHallo\x10"}},
      {{}, {kToolSendText, 0, 0, nullptr}, {"@W\x10"}},
      {{}, {kToolSendText, 0, 0, long_text.c_str()}, {"@W" + long_text.substr(0, 79) + "\x10"}},
      {{}, {kToolDisplayShift, 1, 0, nullptr}, {D("07")}},
      {backwards, {kToolDisplayShift, 0, 0, nullptr}, {D("04")}},
      {cursor_on, {kToolLcdOn, 0, 0, nullptr}, {D("0A")}},
      {{}, {kToolShowCursor, 1, 0, nullptr}, {D("0E")}},
      {cursor_on, {kToolBlinkCursor, 1, 0, nullptr}, {D("0F")}},
      {{}, {kToolFont5x11, 1, 0, nullptr}, {D("2C")}},
      {one_line, {kToolFont5x11, 1, 0, nullptr}, {D("24")}},
      {{}, {kToolFont5x8, 1, 0, nullptr}, {D("28")}},
      {tall, {kToolFont5x8, 1, 0, nullptr}, {D("20")}},
      {{}, {kToolOneLine, 1, 0, nullptr}, {D("20")}},
      {tall, {kToolOneLine, 1, 0, nullptr}, {D("24")}},
      {tall, {kToolTwoLines, 1, 0, nullptr}, {D("2C")}},
      {one_line, {kToolTwoLines, 1, 0, nullptr}, {D("28")}},
      {shifting, {kToolLeftToRight, 1, 0, nullptr}, {D("07")}},
      {{}, {kToolRightToLeft, 1, 0, nullptr}, {D("04")}},
      {{}, {kToolGoLeft, 0, 0, nullptr}, {D("10")}},
      {{}, {kToolGoLeft, 0, 1, nullptr}, {D("18")}},
      {{}, {kToolGoRight, 0, 0, nullptr}, {D("14")}},
      {{}, {kToolGoRight, 0, 1, nullptr}, {D("1C")}},
      {{}, {kToolMoveDisplay, 1, 0, nullptr}, {}},
      {{}, {kToolGridFirst + 7, 1, 0, nullptr}, {}},
      {{}, {kToolBacklight, 1, 0, nullptr}, {}},
  };
  for (const CommandCase& c : cases) {
    SetUp();
    auto apply = [](int8_t value, uint8_t* field) { if (value >= 0) *field = static_cast<uint8_t>(value); };
    apply(c.state.lines, &lcd().lines);
    apply(c.state.font, &lcd().font_mode);
    apply(c.state.increment, &lcd().increment);
    apply(c.state.shift, &lcd().entry_shift);
    apply(c.state.cursor, &lcd().cursor);
    frames_.clear();
    SendLcdToolCommand(c.click, lcd(), Recorder());
    EXPECT_EQ(frames_, c.frames) << c.click.id << " " << (c.click.text ? c.click.text : "");
  }
  frames_.clear();
  SendLcdToolOpening(Recorder());
  EXPECT_EQ(frames_, (std::vector<std::string>{"@Z4\x10", "@V\x10"}));
}

TEST_F(LcdTestToolTest, RefreshFollowsTheFlagsAndMoveModeOutlivesTheDialog) {
  auto checks = [](const LcdToolRefresh& r) {
    std::string marks;  // per box in refresh order: "k"eep, "s"et, "c"lear
    for (const auto& box : r.boxes) marks += "ksc"[box.check];
    return marks;
  };
  // Order: LCD On, Show Cursor, Blinking, Shift, 5x11, 5x8, 1 Line, 2 Lines, l-r, r-l,
  // Move Cursor, Move Display.
  EXPECT_EQ(GetLcdToolMoveMode(), kMoveModeUnset);
  LcdToolRefresh power_on = LcdToolRefreshFrom(lcd());
  EXPECT_EQ(checks(power_on), "skkkcscsscsc");
  EXPECT_EQ(power_on.tall_rows_enabled, 0);
  EXPECT_EQ(GetLcdToolMoveMode(), kMoveModeCursor);  // 0 became 1

  lcd().display_on = 0; lcd().cursor = 1; lcd().blink = 1; lcd().entry_shift = 1;
  lcd().font_mode = 2; lcd().lines = 1; lcd().increment = 0;
  SetLcdToolMoveMode(kMoveModeDisplay);  // chosen in an earlier opening
  LcdToolRefresh all = LcdToolRefreshFrom(lcd());
  EXPECT_EQ(checks(all), "ksssscsccscs");
  EXPECT_EQ(all.tall_rows_enabled, 1);
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
