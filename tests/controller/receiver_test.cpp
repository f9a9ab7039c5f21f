#include <gtest/gtest.h>

#include "core_test_support.h"

using controller::InterpretFrame;
using controller::ReceiveByte;
using controller::ReceiveStep;
using controller::g_controller;

namespace {

class ReceiverTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetQuietController(); }
};

TEST_F(ReceiverTest, KeyFramePostsChangesLowBitFirst) {
  FeedFrame("@KA\r");  // nothing held, nothing changed
  EXPECT_TRUE(PendingEvents().empty());
  FeedFrame("@KR\r");  // 0x11: keys 0 and 4 pressed
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{0xF7, 0xFF}));
  EXPECT_EQ(g_controller.keys_held, 0x11);
  FeedFrame("@KR\r");  // the same mask again posts nothing
  EXPECT_EQ(PendingEvents().size(), 2u);
}

TEST_F(ReceiverTest, KeyFrameAAfterCReleasesKey1) {
  FeedFrame("@KC\r");
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0xF9});
  FeedFrame("@KA\r");
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{0xF9, 0xF8}));
  EXPECT_EQ(g_controller.keys_held, 0);
}

TEST_F(ReceiverTest, KeyBitsAboveFourWrapToLowCodes) {
  FeedFrame(std::string("@K") + static_cast<char>(0x41 + 0x20) + "\r");
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x01});
}

TEST_F(ReceiverTest, HumidityFrameConversions) {
  g_controller.humidity = 58;
  FeedFrame("@H196\r");  // 150
  EXPECT_EQ(g_controller.humidity, 100);
  FeedFrame("@H197\r");  // 151
  EXPECT_EQ(g_controller.humidity, 0);
  FeedFrame("@H03A\r");  // the first character is ignored
  EXPECT_EQ(g_controller.humidity, 58);
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{0x32, 0x32, 0x32}));
}

TEST_F(ReceiverTest, HumidityAfterSensorErrorPostsBackAndRefresh) {
  // humidity is 255 after reset: the first reading means the sensor is back
  FeedFrame("@S\r");
  EXPECT_EQ(g_controller.sensor_error_seen, 1);
  FeedFrame("@H140\r");
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{0x35, 0x2E, 0x32, 0x28}));
  EXPECT_EQ(g_controller.sensor_error_seen, 0);
  EXPECT_EQ(g_controller.humidity, 64);
}

TEST_F(ReceiverTest, TemperatureFrameIsSignedAndOnlyChannelOne) {
  FeedFrame("@T1FB\r");
  EXPECT_EQ(g_controller.temperature, -5);
  FeedFrame("@T214\r");
  EXPECT_EQ(g_controller.temperature, -5);
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x30});
}

TEST_F(ReceiverTest, LeadingBytesAndStrayCrAreIgnored) {
  FeedFrame("\r");
  FeedFrame("xy\r@KB\r");
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0xF7});
}

TEST_F(ReceiverTest, NineBytesWithoutCrAreDiscardedAndReceptionRestarts) {
  FeedFrame("@K1234567");  // nine bytes: the frame is thrown away
  EXPECT_EQ(g_controller.rx_pos, 0);
  FeedFrame("\r");  // a CR right after a discarded frame is ignored
  EXPECT_TRUE(PendingEvents().empty());
  FeedFrame("@KB\r");
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0xF7});
}

TEST_F(ReceiverTest, CrWaitsForTheTick) {
  g_controller.rx_cell = '@';
  ReceiveByte();
  g_controller.rx_cell = 'S';
  ReceiveByte();
  g_controller.rx_cell = '\r';
  ReceiveByte();
  EXPECT_EQ(g_controller.rx_pending, 1);
  EXPECT_TRUE(PendingEvents().empty());
  ASSERT_TRUE(ReceiveStep());
  InterpretFrame();
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x35});
}

TEST_F(ReceiverTest, ShortFramesDoNotReuseBytesOfAnEarlierFrame) {
  FeedFrame("@H140\r");
  FeedFrame("@H\r");   // would otherwise read "40" left in the buffer
  FeedFrame("@T\r");
  FeedFrame("@K\r");
  EXPECT_EQ(PendingEvents(), (std::vector<uint8_t>{0x2E, 0x32}));
}

TEST_F(ReceiverTest, UnknownCommandsAreIgnored) {
  FeedFrame("@x12\r");
  FeedFrame("@s\r");
  EXPECT_TRUE(PendingEvents().empty());
}

TEST_F(ReceiverTest, ClockFrameSetsTimeAndPostsDisplayInit) {
  FeedFrame("@R235958\r");
  EXPECT_EQ(g_controller.hour, 23);
  EXPECT_EQ(g_controller.minute, 59);
  EXPECT_EQ(g_controller.second, 58);
  EXPECT_EQ(PendingEvents(), std::vector<uint8_t>{0x42});
}

TEST_F(ReceiverTest, ClockFrameWithAnInvalidTimeIsIgnored) {
  g_controller.hour = 10;
  g_controller.minute = 20;
  g_controller.second = 30;
  for (const char* frame : {"@R240000\r", "@R126000\r", "@R120060\r", "@R1A0000\r", "@R9:0000\r",
                            "@R12000\r"}) {
    FeedFrame(frame);
  }
  EXPECT_EQ(g_controller.hour, 10);
  EXPECT_EQ(g_controller.minute, 20);
  EXPECT_EQ(g_controller.second, 30);
  EXPECT_TRUE(PendingEvents().empty());
}

}  // namespace
