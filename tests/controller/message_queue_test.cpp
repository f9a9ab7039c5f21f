#include <gtest/gtest.h>

#include "core_test_support.h"

using controller::DropHeadMessage;
using controller::QueueMessage;
using controller::StartTimer;
using controller::TimerRunning;
using controller::g_controller;
using controller::kMenuConfiguration;
using controller::kMenuKeyHeldMode;
using controller::kTimerAckTimeout;

namespace {

class MessageQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetQuietController(); }
};

TEST_F(MessageQueueTest, TextsBringTheirCursorCode) {
  QueueMessage(104);
  QueueMessage(146);
  QueueMessage(1);
  EXPECT_EQ(PendingMessages(), (std::vector<uint8_t>{7, 104, 6, 146, 1}));
}

TEST_F(MessageQueueTest, NormalOperationTextsAreSuppressedInsideAMenu) {
  g_controller.menu_mode = kMenuConfiguration;
  QueueMessage(100);
  QueueMessage(114);
  QueueMessage(115);
  g_controller.menu_mode = kMenuKeyHeldMode;  // waiting for a combination is not a menu yet
  QueueMessage(105);
  EXPECT_EQ(PendingMessages(), (std::vector<uint8_t>{7, 115, 7, 105}));
}

TEST_F(MessageQueueTest, FullQueueDropsTheNewCode) {
  for (uint8_t i = 0; i < 8; ++i) EXPECT_EQ(QueueMessage(1), 1);
  EXPECT_EQ(QueueMessage(2), 0);
  EXPECT_EQ(g_controller.message_count, 8);
}

TEST_F(MessageQueueTest, TextIsNeverQueuedWithoutRoomForBoth) {
  for (uint8_t i = 0; i < 7; ++i) QueueMessage(1);
  EXPECT_EQ(QueueMessage(104), 0);
  EXPECT_EQ(g_controller.message_count, 7);  // no lone cursor code
  EXPECT_EQ(QueueMessage(2), 1);
}

TEST_F(MessageQueueTest, UnknownCodesAreNotQueued) {
  EXPECT_EQ(QueueMessage(0), 0);
  EXPECT_EQ(QueueMessage(3), 0);
  EXPECT_EQ(QueueMessage(154), 0);
  EXPECT_EQ(g_controller.message_count, 0);
}

TEST_F(MessageQueueTest, DropHeadStopsTheAcknowledgementTimeout) {
  QueueMessage(1);
  QueueMessage(2);
  g_controller.awaiting_ack = 1;
  g_controller.retry_count = 3;
  StartTimer(kTimerAckTimeout, 4);
  DropHeadMessage();
  EXPECT_EQ(PendingMessages(), std::vector<uint8_t>{2});
  EXPECT_FALSE(TimerRunning(kTimerAckTimeout));
  EXPECT_EQ(g_controller.awaiting_ack, 0);
  EXPECT_EQ(g_controller.retry_count, 0);
}

}  // namespace
