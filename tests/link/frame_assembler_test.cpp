// Framing: start bytes, terminators, the 200-byte limit, block pieces and bytes outside a frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "link_test_support.h"
#include "panel/link/frame_assembler.h"

namespace {

class FrameAssemblerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FrameAssemblerReset(&assembler_);
    PanelPlatform platform{};
    platform.context = &monitor_;
    platform.write_monitor_line = [](void* ctx, MonitorTarget target, const char* text) {
      static_cast<RecordingMonitor*>(ctx)->lines.push_back({target, text});
      return static_cast<int>(std::string(text).size());
    };
    InstallPanelPlatform(platform);
  }
  void TearDown() override { InstallPanelPlatform(PanelPlatform{}); }

  // Feeds every byte; returns the completed frames/pieces in order.
  std::vector<std::string> Feed(const std::string& bytes) {
    std::vector<std::string> pieces;
    for (char c : bytes) {
      FramePiece piece{};
      if (FrameAssemblerFeed(&assembler_, static_cast<uint8_t>(c), &piece)) {
        pieces.push_back(Bytes(piece.bytes, piece.length));
      }
    }
    return pieces;
  }

  FrameAssembler assembler_{};
  RecordingMonitor monitor_;
};

std::string Garbage(unsigned value) {
  char line[64];
  std::snprintf(line, sizeof line, "Unbekanntes Startzeichen empfangen: 0x%02x\r\n", value);
  return line;
}

TEST_F(FrameAssemblerTest, LineFrameCompletesOnlyOnItsTerminator) {
  const std::string frame = std::string("@WAB") + kDle;
  for (size_t i = 0; i + 1 < frame.size(); ++i) {
    EXPECT_TRUE(Feed(frame.substr(i, 1)).empty()) << "byte " << i;
  }
  EXPECT_EQ(Feed(frame.substr(frame.size() - 1)), std::vector<std::string>{frame});
  EXPECT_EQ(assembler_.state, kFrameIdle);
  EXPECT_TRUE(monitor_.lines.empty());
}

TEST_F(FrameAssemblerTest, EveryStartByteAndEveryTerminator) {
  EXPECT_EQ(Feed("@B\r>x\n^y\x10"), (std::vector<std::string>{"@B\r", ">x\n", "^y\x10"}));
  EXPECT_TRUE(monitor_.lines.empty());
}

TEST_F(FrameAssemblerTest, StartBytesInsideALineAreData) {
  EXPECT_EQ(Feed("@@>^\x1b\x10"), std::vector<std::string>{"@@>^\x1b\x10"});
}

TEST_F(FrameAssemblerTest, BytesOutsideAFrameAreReportedAndDropped) {
  EXPECT_EQ(Feed("\x78\x79@B\x10"), std::vector<std::string>{"@B\x10"});
  EXPECT_EQ(monitor_.Lines(kRxMonitor), (std::vector<std::string>{Garbage(0x78), Garbage(0x79)}));
  EXPECT_TRUE(monitor_.Lines(kTxMonitor).empty());
}

TEST_F(FrameAssemblerTest, LoneTerminatorsAndNulOutsideAFrameAreGarbage) {
  EXPECT_TRUE(Feed(std::string("\r\n\x10\0]", 5)).empty());
  EXPECT_EQ(monitor_.Lines(kRxMonitor),
            (std::vector<std::string>{Garbage(0x0d), Garbage(0x0a), Garbage(0x10), Garbage(0x00),
                                      Garbage(0x5d)}));
}

TEST_F(FrameAssemblerTest, TwoHundredBytesWithTerminatorAccepted) {
  const std::string frame = "@W" + std::string(197, 'x') + kDle;
  ASSERT_EQ(frame.size(), 200u);
  EXPECT_EQ(Feed(frame), std::vector<std::string>{frame});
  EXPECT_TRUE(monitor_.lines.empty());
}

TEST_F(FrameAssemblerTest, TwoHundredthByteNoTerminatorDiscardsTheFrame) {
  const std::string too_long = "@W" + std::string(198, 'x');
  EXPECT_TRUE(Feed(too_long).empty());
  EXPECT_EQ(assembler_.state, kFrameIdle);
  EXPECT_EQ(assembler_.count, 0);
  EXPECT_TRUE(monitor_.lines.empty());  // discarded silently
  // What follows is looked at as candidate start bytes until the next one.
  EXPECT_EQ(Feed(std::string("yz") + kDle + "@B" + kDle), std::vector<std::string>{std::string("@B") + kDle});
  EXPECT_EQ(monitor_.Lines(kRxMonitor),
            (std::vector<std::string>{Garbage('y'), Garbage('z'), Garbage(0x10)}));
}

TEST_F(FrameAssemblerTest, BlockComesInPieces) {
  const std::string block = "\x1b" "abc\nxy\n]";
  EXPECT_EQ(Feed(block), (std::vector<std::string>{"\x1b" "abc", "xy", "]"}));
  EXPECT_EQ(assembler_.state, kFrameIdle);
  Feed("q");
  EXPECT_EQ(monitor_.Lines(kRxMonitor), std::vector<std::string>{Garbage('q')});
}

TEST_F(FrameAssemblerTest, BlockBodyKeepsTerminatorsDropsNulAndDeliversEmptyLines) {
  const std::string block("\x1bh\n\nA\rB\0C\x10]", 11);
  EXPECT_EQ(Feed(block), (std::vector<std::string>{"\x1bh", "", "A\rBC\x10]"}));
  EXPECT_TRUE(monitor_.lines.empty());
}

TEST_F(FrameAssemblerTest, BlockHeaderEndsOnlyAtLf) {
  EXPECT_EQ(Feed("\x1bH]\r\x10\n]"), (std::vector<std::string>{"\x1bH]\r\x10", "]"}));
}

TEST_F(FrameAssemblerTest, OverlongBlockPieceDiscardedAndIdle) {
  EXPECT_TRUE(Feed("\x1b" + std::string(199, 'h')).empty());
  EXPECT_EQ(assembler_.state, kFrameIdle);
  Feed("\n");
  EXPECT_EQ(monitor_.Lines(kRxMonitor), std::vector<std::string>{Garbage(0x0a)});

  FrameAssemblerReset(&assembler_);
  EXPECT_EQ(Feed("\x1bh\n" + std::string(199, 'b') + "]"),
            (std::vector<std::string>{"\x1bh", std::string(199, 'b') + "]"}));
  EXPECT_TRUE(Feed("\x1bh\n" + std::string(200, 'b')).size() == 1);
  EXPECT_EQ(assembler_.state, kFrameIdle);
}

TEST_F(FrameAssemblerTest, FrameSplitAcrossFeedsWaitsForItsEnd) {
  EXPECT_TRUE(Feed("@W12").empty());
  EXPECT_EQ(Feed("34\x10"), std::vector<std::string>{"@W1234\x10"});
}

TEST_F(FrameAssemblerTest, InstancesDoNotInterleave) {
  FrameAssembler other{};
  FrameAssemblerReset(&other);
  EXPECT_TRUE(Feed("@WAB").empty());
  FramePiece piece{};
  std::string other_frame;
  for (char c : std::string("@KB\r")) {
    if (FrameAssemblerFeed(&other, static_cast<uint8_t>(c), &piece)) other_frame = Bytes(piece.bytes, piece.length);
  }
  EXPECT_EQ(other_frame, "@KB\r");
  EXPECT_EQ(Feed("C\x10"), std::vector<std::string>{"@WABC\x10"});
}

TEST_F(FrameAssemblerTest, CorruptCountIsResetNotUsedAsIndex) {
  assembler_.state = kFrameLine;
  assembler_.count = 5000;
  EXPECT_TRUE(Feed("A").empty());  // taken as a byte outside a frame
  EXPECT_EQ(monitor_.Lines(kRxMonitor), std::vector<std::string>{Garbage('A')});
  assembler_.state = kFrameBlockBody;
  assembler_.count = -3;
  EXPECT_EQ(Feed("@B\r"), std::vector<std::string>{"@B\r"});
}

}  // namespace
