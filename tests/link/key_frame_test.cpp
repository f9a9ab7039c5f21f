// BuildFrame's layout and the key frames composed with it.
#include <gtest/gtest.h>

#include <string>

#include "link_test_support.h"
#include "panel/link/build_frame.h"
#include "panel/link/panel_answers.h"

namespace {

std::string Built(uint8_t command, uint8_t second, const char* text, uint8_t terminator, int* length) {
  uint8_t* frame = BuildFrame(command, second, text, length, terminator);
  return Bytes(frame, *length);
}

TEST(BuildFrameTest, LayoutAndLength) {
  int length = 0;
  EXPECT_EQ(Built('W', 0, "Hallo", 0x10, &length), "@WHallo\x10");
  EXPECT_EQ(length, 8);
  EXPECT_EQ(Built('D', 0, "C0", 0x10, &length), "@DC0\x10");
  EXPECT_EQ(Built('Z', '4', nullptr, 0x10, &length), "@Z4\x10");
  EXPECT_EQ(Built(0, 0, nullptr, 0x0D, &length), "@\r");
  EXPECT_EQ(length, 2);
  EXPECT_EQ(Built(0, 'x', "", 0x0D, &length), "@x\r");
}

TEST(BuildFrameTest, BufferIsClearedBeforeEachFrame) {
  int length = 0;
  Built('W', 0, "a long text that fills", 0x10, &length);
  uint8_t* frame = BuildFrame('V', 0, nullptr, &length, 0x10);
  EXPECT_EQ(length, 3);
  for (int i = length; i < kBuildFrameSize; ++i) ASSERT_EQ(frame[i], 0) << i;
}

TEST(BuildFrameTest, LongestTextFillsTheBufferAndLongerIsCut) {
  int length = 0;
  const std::string text(196, 't');
  EXPECT_EQ(Built('W', 'x', text.c_str(), 0x10, &length), "@Wx" + text + "\x10");
  EXPECT_EQ(length, kBuildFrameSize);
  const std::string longer(500, 'u');
  EXPECT_EQ(Built('W', 'x', longer.c_str(), 0x10, &length), "@Wx" + std::string(196, 'u') + "\x10");
  EXPECT_EQ(length, kBuildFrameSize);
  EXPECT_NE(BuildFrame('V', 0, nullptr, nullptr, 0x10), nullptr);  // length is optional
}

// Compose first, then read the length (argument evaluation order is unspecified).
std::string KeyFrame(uint32_t key_state) {
  int length = -1;
  const uint8_t* frame = ComposeKeyFrame(key_state, &length);
  return Bytes(frame, length);
}

TEST(KeyFrameTest, CharacterIsAPlusHeldButtons) {
  EXPECT_EQ(KeyFrame(0), "@KA\r");
  EXPECT_EQ(KeyFrame(4), "@KE\r");
  EXPECT_EQ(KeyFrame(1 | 16), "@KR\r");
  EXPECT_EQ(KeyFrame(0xBE), "@K\xFF\r");
  EXPECT_EQ(KeyFrame(0x100 + 2), "@KC\r");  // modulo 256
}

TEST(KeyFrameTest, CharacterZeroIsLeftOut) {
  EXPECT_EQ(KeyFrame(0xBF), "@K\r");
  EXPECT_EQ(KeyFrame(0x1BF), "@K\r");
}

class KeyFrameQueueTest : public LinkTest {};

TEST_F(KeyFrameQueueTest, KeyFramesQueueOnTheTxList) {
  EXPECT_EQ(QueueKeyFrame(4), 1);
  EXPECT_EQ(QueueKeyFrame(0), 1);
  EXPECT_EQ(QueueKeyFrame(0xBF), 1);
  EXPECT_EQ(TxMessages(), (std::vector<std::string>{"@KE\r", "@KA\r", "@K\r"}));
}

TEST_F(KeyFrameQueueTest, NothingQueuedWithoutTxList) {
  DelList(tx_);
  tx_ = nullptr;
  EXPECT_EQ(QueueKeyFrame(4), 0);
  EXPECT_EQ(QueueTxMessage(reinterpret_cast<const uint8_t*>("x"), -1), 0);
  tx_ = ListCreate();  // TearDown deletes it
}

}  // namespace
