// The two queues across threads, as the library runs them: key frames (UI thread) and frames of a
// real target (serial receive thread) are appended to the TX list while the application thread
// delivers it with CheckRx; frames are appended to the RX list while the interpreter takes it.
// The consumers must read each queue's state under its lock (ThreadSanitizer checks that).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link_test_support.h"
#include "panel/link/app_link.h"
#include "panel/link/command_interpreter.h"
#include "panel/link/panel_answers.h"

namespace {

constexpr int kProducers = 3;
constexpr int kPerProducer = 200;

// Producers pause after each append, so the consumer often finds its queue empty and sees the
// next append arrive: the moment a count read outside the lock races with it.
void PauseBetweenAppends() { std::this_thread::sleep_for(std::chrono::microseconds(50)); }

// Plays the application's receiver: collects the delivered bytes.
uint8_t g_cell = 0;
std::string g_received;
void ReceiveByte() { g_received.push_back(static_cast<char>(g_cell)); }

// Message i of producer p: "@K" + ('A' + p) + three digits + CR, so every one is distinct.
std::string Message(int producer, int i) {
  std::string text = "@K";
  text += static_cast<char>('A' + producer);
  text += std::to_string(1000 + i).substr(1);
  text += '\r';
  return text;
}

class QueueThreadsTest : public LinkTest {};

TEST_F(QueueThreadsTest, CheckRxDeliversWhileOtherThreadsAppendToTheTxList) {
  g_received.clear();
  AppLinkSetRxTarget(ReceiveByte, &g_cell);
  std::atomic<int> producers_done{0};
  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p) {
    producers.emplace_back([p, &producers_done] {
      for (int i = 0; i < kPerProducer; ++i) {
        const std::string text = Message(p, i);
        QueueTxMessage(reinterpret_cast<const uint8_t*>(text.data()),
                       static_cast<int32_t>(text.size()));
        PauseBetweenAppends();
      }
      ++producers_done;
    });
  }
  // The application thread: one message per CheckRx until every producer has finished and the
  // list is empty.
  for (;;) {
    const bool finished = producers_done.load() == kProducers;
    AppLinkCheckRx();
    if (finished && QueuedCount(tx_) == 0) break;
  }
  for (std::thread& producer : producers) producer.join();

  // Every message exactly once, whole, and each producer's in the order it queued them.
  const size_t message_length = Message(0, 0).size();
  ASSERT_EQ(g_received.size(), kProducers * kPerProducer * message_length);
  int next[kProducers] = {};
  for (size_t at = 0; at < g_received.size(); at += message_length) {
    const std::string message = g_received.substr(at, message_length);
    const int p = message[2] - 'A';
    ASSERT_TRUE(p >= 0 && p < kProducers) << message;
    ASSERT_EQ(message, Message(p, next[p])) << at;
    ++next[p];
  }
  EXPECT_EQ(monitor_.Lines(kTxMonitor).size(), static_cast<size_t>(kProducers * kPerProducer));
}

TEST_F(QueueThreadsTest, InterpreterTakesTheRxListWhileOtherThreadsAppend) {
  std::atomic<int> producers_done{0};
  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p) {
    producers.emplace_back([&producers_done] {
      const uint8_t version[] = {'@', 'V', 0x10};
      for (int i = 0; i < kPerProducer; ++i) {
        QueueDataMessage(GetRXListHead(), version, 3);
        PauseBetweenAppends();
      }
      ++producers_done;
    });
  }
  for (;;) {
    const bool finished = producers_done.load() == kProducers;
    RunCommandInterpreter();
    if (finished && QueuedCount(rx_) == 0) break;
  }
  for (std::thread& producer : producers) producer.join();
  EXPECT_EQ(RxCount(), 0);
  const std::vector<std::string> replies = TxMessages();
  ASSERT_EQ(replies.size(), static_cast<size_t>(kProducers * kPerProducer));
  for (const std::string& reply : replies) ASSERT_EQ(reply, "@V100\r");
}

}  // namespace
