// Every command of the interpreter with its effect and answer, with the replies flag at 1 and 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link_test_support.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/link/app_link.h"
#include "panel/link/command_interpreter.h"
#include "panel/link/protocol_settings.h"

namespace {

using Strings = std::vector<std::string>;

std::string Frame(const std::string& body) { return body + kDle; }

// The controller fields a malformed instruction frame must leave alone.
struct ControllerSnapshot {
  uint8_t column, line, glyph_select, display_on, cursor, blink, increment, shift;
  uint32_t nibble_latch;
  uint8_t nibble_phase;
  bool operator==(const ControllerSnapshot& o) const {
    return column == o.column && line == o.line && glyph_select == o.glyph_select &&
           display_on == o.display_on && cursor == o.cursor && blink == o.blink &&
           increment == o.increment && shift == o.shift && nibble_latch == o.nibble_latch &&
           nibble_phase == o.nibble_phase;
  }
};

ControllerSnapshot Snapshot() {
  const LcdController* c = LcdGetController();
  return {c->address_column, c->address_line, c->glyph_memory_select, c->display_on, c->cursor,
          c->blink, c->increment, c->display_shift, c->nibble_latch, c->nibble_phase};
}

class CommandTest : public LinkTest {};

TEST_F(CommandTest, WriteTextWritesDataAcknowledgesThenRedraws) {
  Send(Frame("@D80"));
  Send(Frame("@WAB"));
  const uint8_t* memory = LcdGetDisplayMemory();
  EXPECT_EQ(memory[0], 'A');
  EXPECT_EQ(memory[1], 'B');
  EXPECT_EQ(memory[2], ' ');
  EXPECT_EQ(LcdGetController()->address_column, 2);
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck}));
  // Each redraw comes after that frame's acknowledgement was queued.
  EXPECT_EQ(panel_.lcd_redraw_tx_counts, (std::vector<int>{1, 2}));
  EXPECT_EQ(RxCount(), 0);
}

TEST_F(CommandTest, WriteTextStopsAtNulAndEmptyTextWritesNothing) {
  Send(Frame("@D80"));
  Send(Frame(std::string("@WA\0B", 5)));
  const uint8_t* memory = LcdGetDisplayMemory();
  EXPECT_EQ(memory[0], 'A');
  EXPECT_EQ(memory[1], ' ');
  Send(Frame("@W"));
  EXPECT_EQ(LcdGetController()->address_column, 1);
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck, kAck}));
}

TEST_F(CommandTest, WriteTextOfLongestFrame) {
  Send(Frame("@D80"));
  Send(Frame("@W" + std::string(197, 'x')));
  const uint8_t* memory = LcdGetDisplayMemory();
  // 197 characters with two 40-character lines wrap around both lines twice and more.
  EXPECT_EQ(memory[0x00], 'x');
  EXPECT_EQ(memory[0x27], 'x');
  EXPECT_EQ(memory[0x40], 'x');
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck}));
}

TEST_F(CommandTest, KeyClickWordSetAndAcknowledgedWithoutRedraw) {
  SetKeyClickWord(0);
  Send(Frame("@Z4"));
  EXPECT_EQ(GetKeyClickWord(), 0x34u);
  Send(Frame("@Z0"));
  EXPECT_EQ(GetKeyClickWord(), 0x30u);
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck}));
  EXPECT_TRUE(panel_.lcd_redraw_tx_counts.empty());
}

TEST_F(CommandTest, InstructionIssuedAsTwoNibbles) {
  Send(Frame("@DC0"));
  EXPECT_EQ(LcdGetController()->address_line, 1);
  EXPECT_EQ(LcdGetController()->address_column, 0);
  Send(Frame("@D80"));
  EXPECT_EQ(LcdGetController()->address_line, 0);
  EXPECT_EQ(LcdGetController()->nibble_phase, 1);
  EXPECT_EQ(LcdGetController()->nibble_latch, 0x80u);
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck}));
  EXPECT_EQ(panel_.lcd_redraw_tx_counts, (std::vector<int>{1, 2}));
}

TEST_F(CommandTest, OnlyTheFirstOfSeveralPairsIsIssued) {
  Send(Frame("@D0102"));
  EXPECT_EQ(LcdGetController()->nibble_latch, 0x01u);
  Send(Frame("@DC00E"));  // 0x0E would switch the cursor on
  EXPECT_EQ(LcdGetController()->address_line, 1);
  EXPECT_EQ(LcdGetController()->cursor, 0);
  EXPECT_EQ(LcdGetController()->nibble_latch, 0xC0u);
}

TEST_F(CommandTest, InstructionWithoutCompletePairIssuesNothingButIsAcknowledged) {
  Send(Frame("@D80"));
  Send(Frame("@WABC"));
  const ControllerSnapshot before = Snapshot();
  Send(Frame("@D"));  // the terminator would be 0x10: cursor left
  EXPECT_EQ(Snapshot(), before);
  Send(Frame("@D8"));  // 8 and the terminator would be 0x59: Set CGRAM address
  EXPECT_EQ(Snapshot(), before);
  Send(Frame("@DC0D"));  // one complete pair: issued; the odd digit is ignored
  ControllerSnapshot expected = before;
  expected.line = 1;
  expected.column = 0;
  expected.nibble_latch = 0xC0;
  EXPECT_EQ(Snapshot(), expected);
  EXPECT_EQ(TxMessages().size(), 5u);
  EXPECT_EQ(panel_.lcd_redraw_tx_counts.size(), 5u);
}

TEST_F(CommandTest, LedByteSetsAreasThenRedrawsThenAcknowledges) {
  tagRECTPROP* led1 = AddLed(1);
  tagRECTPROP* led2 = AddLed(2);
  tagRECTPROP* led4 = AddLed(4);
  Send(Frame("@L05"));
  EXPECT_EQ(led1->color, 101);
  EXPECT_EQ(led2->color, 202);
  EXPECT_EQ(led4->color, 104);
  EXPECT_EQ(panel_.led_redraw_tx_counts, std::vector<int>{0});  // redrawn before the ack
  EXPECT_EQ(TxMessages(), Strings{kAck});
  EXPECT_TRUE(panel_.lcd_redraw_tx_counts.empty());
}

TEST_F(CommandTest, LedUpdateStopsAtFirstMissingId) {
  tagRECTPROP* led1 = AddLed(1);
  tagRECTPROP* led4 = AddLed(4);
  Send(Frame("@L05"));
  EXPECT_EQ(led1->color, 101);
  EXPECT_EQ(led4->color, -1);
  EXPECT_EQ(TxMessages(), Strings{kAck});
}

TEST_F(CommandTest, LedIdsUpTo128AndUpperHexDigits) {
  std::vector<tagRECTPROP*> leds;
  for (int32_t id = 1; id <= 128; id <<= 1) leds.push_back(AddLed(id));
  tagRECTPROP* led256 = AddLed(256);
  Send(Frame("@LA5"));  // 1010 0101
  const int lit[] = {1, 0, 1, 0, 0, 1, 0, 1};
  for (int bit = 0; bit < 8; ++bit) {
    const int32_t id = 1 << bit;
    EXPECT_EQ(leds[bit]->color, lit[bit] ? 100 + id : 200 + id) << "id " << id;
  }
  EXPECT_EQ(led256->color, -1);
}

TEST_F(CommandTest, LedFrameWithoutCompletePairChangesNothingButIsAcknowledged) {
  tagRECTPROP* led1 = AddLed(1);
  Send(Frame("@L"));
  Send(Frame("@L5"));
  EXPECT_EQ(led1->color, -1);
  EXPECT_TRUE(panel_.led_redraw_tx_counts.empty());
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck}));
}

TEST_F(CommandTest, LedFrameWithoutAreaListIsHarmless) {
  DelRectList(areas_);
  areas_ = nullptr;
  Send(Frame("@LFF"));
  EXPECT_EQ(TxMessages(), Strings{kAck});
}

TEST_F(CommandTest, FillCoversAllDisplayMemoryAndKeepsTheCounter) {
  Send(Frame("@DC5"));
  Send(Frame("@Q\xFF"));
  const uint8_t* memory = LcdGetDisplayMemory();
  size_t filled = 0;
  for (uint32_t i = 0; i < kLcdDisplayMemorySize; ++i) filled += memory[i] == 0xFF;
  EXPECT_EQ(filled, kLcdDisplayMemorySize);
  EXPECT_EQ(LcdGetController()->address_line, 1);
  EXPECT_EQ(LcdGetController()->address_column, 5);
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck}));
  EXPECT_EQ(panel_.lcd_redraw_tx_counts, (std::vector<int>{1, 2}));
}

TEST_F(CommandTest, FillWithoutItsByteFillsNothing) {
  Send(Frame("@Q"));
  EXPECT_EQ(LcdGetDisplayMemory()[0], ' ');
  EXPECT_EQ(LcdGetDisplayMemory()[kLcdDisplayMemorySize - 1], 0);
  EXPECT_EQ(TxMessages(), Strings{kAck});
}

TEST_F(CommandTest, VersionAndJRepliesWithoutAcknowledgement) {
  Send(Frame("@V"));
  Send(Frame("@J"));
  EXPECT_EQ(TxMessages(), (Strings{"@V100\r", "@JA\r"}));
  EXPECT_TRUE(panel_.lcd_redraw_tx_counts.empty());
}

TEST_F(CommandTest, ResetRunsPowerOnSequenceRedrawsNoAnswer) {
  Send(Frame("@Q#"));
  Send(Frame("@DC3"));
  const size_t queued = TxMessages().size();
  Send(Frame("@?"));
  EXPECT_EQ(TxMessages().size(), queued);
  const uint8_t* memory = LcdGetDisplayMemory();
  EXPECT_EQ(memory[0], ' ');
  EXPECT_EQ(memory[103], ' ');
  EXPECT_EQ(memory[104], '#');  // beyond the clear length
  EXPECT_EQ(LcdGetController()->address_line, 0);
  EXPECT_EQ(LcdGetController()->address_column, 0);  // option 0x0010: no " Initialisation "
  EXPECT_EQ(panel_.lcd_redraw_tx_counts.size(), 3u);
}

TEST_F(CommandTest, BacklightCommandRedrawsAfterAcknowledging) {
  Send(Frame("@B"));
  EXPECT_EQ(TxMessages(), Strings{kAck});
  EXPECT_EQ(panel_.lcd_redraw_tx_counts, std::vector<int>{1});
}

TEST_F(CommandTest, BeepCommand) {
  Send(Frame("@zx"));
  ASSERT_EQ(panel_.beeps.size(), 1u);
  EXPECT_EQ(panel_.beeps[0].frequency_hz, 3900u);
  EXPECT_EQ(panel_.beeps[0].duration_ms, 75u);
  EXPECT_EQ(TxMessages(), Strings{kAck});
  EXPECT_TRUE(panel_.lcd_redraw_tx_counts.empty());
}

TEST_F(CommandTest, AcknowledgementAndKeyFramesAreIgnoredSilently) {
  Send(Frame("@!"));
  Send("@KA\r");
  EXPECT_TRUE(TxMessages().empty());
  EXPECT_TRUE(monitor_.Lines(kRxMonitor).size() == 2u);  // only the two frame lines
}

TEST_F(CommandTest, UnknownCommandsAndOtherFramesAreRejected) {
  Send(Frame("@s"));
  Send(Frame("@S"));
  Send(Frame("@@"));
  Send(Frame(">W"));
  Send(Frame("^B"));
  EXPECT_TRUE(TxMessages().empty());
  const Strings rx_lines = monitor_.Lines(kRxMonitor);
  ASSERT_EQ(rx_lines.size(), 10u);
  for (size_t i = 1; i < rx_lines.size(); i += 2) EXPECT_EQ(rx_lines[i], kNotUnderstood);
  EXPECT_EQ(rx_lines[6], ">W<0x10>\r\n");
  EXPECT_EQ(forwarded_.size(), 5u);
  EXPECT_EQ(forwarded_[3], Frame(">W"));
  EXPECT_TRUE(panel_.lcd_redraw_tx_counts.empty());
}

TEST_F(CommandTest, RepliesFlagZeroExecutesButDoesNotAnswer) {
  tagRECTPROP* led1 = AddLed(1);
  SetRepliesFlag(0);
  Send(Frame("@D80"));
  Send(Frame("@WAB"));
  Send(Frame("@B"));
  Send(Frame("@L01"));
  Send(Frame("@Q\x20"));
  Send(Frame("@Z0"));
  Send(Frame("@z0"));
  Send(Frame("@V"));
  Send(Frame("@J"));
  EXPECT_TRUE(TxMessages().empty());
  EXPECT_EQ(LcdGetDisplayMemory()[0], ' ');  // "@Q" ran after "@W"
  EXPECT_EQ(LcdGetController()->address_column, 2);
  EXPECT_EQ(led1->color, 101);
  EXPECT_EQ(GetKeyClickWord(), 0x30u);
  EXPECT_EQ(panel_.beeps.size(), 1u);
  SetRepliesFlag(1);
  Send(Frame("@B"));
  EXPECT_EQ(TxMessages(), Strings{kAck});
}

TEST_F(CommandTest, NoAcknowledgementWhileSwitchedOffButRepliesStill) {
  EnableAcknowledgements(false);
  Send(Frame("@WAB"));
  Send(Frame("@V"));
  EXPECT_EQ(TxMessages(), Strings{"@V100\r"});
}

TEST_F(CommandTest, NoPanelWindowMeansNoDrawingButSameAnswers) {
  PanelPlatform platform = Platform();
  platform.redraw_lcd = nullptr;
  platform.redraw_leds = nullptr;
  platform.beep = nullptr;
  InstallPanelPlatform(platform);
  Send(Frame("@WAB"));
  Send(Frame("@zq"));
  EXPECT_TRUE(panel_.lcd_redraw_tx_counts.empty());
  EXPECT_TRUE(panel_.beeps.empty());
  EXPECT_EQ(TxMessages(), (Strings{kAck, kAck}));
}

TEST_F(CommandTest, DegenerateMessagesAreRejectedWithoutReadingPastThem) {
  InterpretCommand(nullptr, 5);
  const uint8_t at[] = {'@'};
  InterpretCommand(at, 1);  // a lone "@" (a block piece can be one) has no command letter
  InterpretCommand(at, 0);
  InterpretCommand(at, -4);
  EXPECT_EQ(monitor_.Lines(kRxMonitor), (Strings{kNotUnderstood, kNotUnderstood, kNotUnderstood,
                                                 kNotUnderstood}));
  EXPECT_TRUE(TxMessages().empty());
}

TEST_F(CommandTest, ShortPayloadCommandsReadOnlyTheirOwnBytes) {
  // Exactly-sized heap copies so AddressSanitizer catches any read beyond a message.
  const std::string frames[] = {"@D", "@L", "@Q", "@Z", "@z", "@W", "@DA", "@LA"};
  for (const std::string& frame : frames) {
    std::vector<uint8_t> bytes(frame.begin(), frame.end());
    InterpretCommand(bytes.data(), static_cast<int32_t>(bytes.size()));
  }
  EXPECT_EQ(GetKeyClickWord(), 0x34u);
  EXPECT_EQ(LcdGetDisplayMemory()[0], ' ');
}

TEST_F(CommandTest, OverlongQueuedMessageIsCutToOneFrame) {
  std::string text = "@W" + std::string(400, 'y') + kDle;
  tagDATA* record = CreateNewEntry(reinterpret_cast<const uint8_t*>(text.data()),
                                   static_cast<int32_t>(text.size()));
  ASSERT_EQ(ListAppend(rx_, record), 1);
  RunCommandInterpreter();
  EXPECT_EQ(RxCount(), 0);
  EXPECT_EQ(TxMessages(), Strings{kAck});
  // The cut frame has no terminator left: its 198 text bytes are written from line 0, column 0,
  // around both 40-character lines twice.
  EXPECT_EQ(LcdGetController()->address_line, 0);
  EXPECT_EQ(LcdGetController()->address_column, 198 % 40);
}

TEST_F(CommandTest, InterpreterTakesEveryQueuedMessageOldestFirst) {
  UseRunner(nullptr);
  Send(Frame("@V") + Frame("@J") + Frame("@B"));
  EXPECT_EQ(RxCount(), 3);
  EXPECT_TRUE(TxMessages().empty());
  RunCommandInterpreter();
  EXPECT_EQ(RxCount(), 0);
  EXPECT_EQ(TxMessages(), (Strings{"@V100\r", "@JA\r", kAck}));
}

}  // namespace
