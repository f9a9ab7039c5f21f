// ReceiveFromApp and CheckRx cores: framing of the application's bytes, the RX list, the hand-over
// to the interpreter, and one-message-per-call delivery to the application's receive callback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link_test_support.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/link/app_link.h"
#include "panel/link/command_interpreter.h"
#include "panel/link/frame_assembler.h"
#include "panel/link/panel_answers.h"
#include "panel/link/protocol_settings.h"

namespace {

using Strings = std::vector<std::string>;

// Plays the application: its receive cell and callback record every byte handed over.
struct RecordingApplication {
  static uint8_t cell;
  static std::string received;
  static int calls;
  static void OnByte() {
    received.push_back(static_cast<char>(cell));
    ++calls;
  }
};
uint8_t RecordingApplication::cell = 0;
std::string RecordingApplication::received;
int RecordingApplication::calls = 0;

class AppLinkTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    RecordingApplication::received.clear();
    RecordingApplication::calls = 0;
    AppLinkSetRxTarget(RecordingApplication::OnByte, &RecordingApplication::cell);
    monitor_.lines.clear();
  }
  void Queue(const std::string& message) {
    ASSERT_EQ(QueueTxMessage(reinterpret_cast<const uint8_t*>(message.data()),
                             static_cast<int32_t>(message.size())), 1);
  }
};

// Runner that does not interpret: records how many RX messages are queued at each hand-over.
std::vector<int> g_rx_counts_at_run;
void RecordRun(void*) { g_rx_counts_at_run.push_back(GetRXListHead()->count); }

TEST_F(AppLinkTest, TwoFramesInOneCallGiveTwoHandOvers) {
  g_rx_counts_at_run.clear();
  UseRunner(RecordRun);
  Send(std::string("@B") + kDle + "@V" + kDle);
  EXPECT_EQ(g_rx_counts_at_run, (std::vector<int>{1, 2}));
  EXPECT_EQ(monitor_.Lines(kRxMonitor), (Strings{"@B<0x10>\r\n", "@V<0x10>\r\n"}));
  EXPECT_EQ(rx_->first->record->length, 3);
  EXPECT_EQ(rx_->first->record->bytes[3], 0);  // the stored copy ends with an uncounted NUL
}

TEST_F(AppLinkTest, FrameSplitOverCallsIsHandedOverWhenComplete) {
  g_rx_counts_at_run.clear();
  UseRunner(RecordRun);
  Send("@W");
  Send("AB");
  EXPECT_TRUE(g_rx_counts_at_run.empty());
  EXPECT_EQ(RxCount(), 0);
  Send(std::string(1, kDle));
  EXPECT_EQ(g_rx_counts_at_run, std::vector<int>{1});
  EXPECT_EQ(Bytes(rx_->first->record->bytes, rx_->first->record->length), std::string("@WAB") + kDle);
}

TEST_F(AppLinkTest, LengthZeroAndNullDataDoNothing) {
  g_rx_counts_at_run.clear();
  UseRunner(RecordRun);
  const uint8_t frame[] = {'@', 'B', 0x10};
  AppLinkReceive(frame, 0);
  AppLinkReceive(nullptr, 3);
  EXPECT_TRUE(g_rx_counts_at_run.empty());
  EXPECT_TRUE(monitor_.lines.empty());
  EXPECT_EQ(AppFrameAssembler()->state, kFrameIdle);
}

TEST_F(AppLinkTest, FrameIsForwardedBeforeItIsQueued) {
  struct Forwarded {
    std::string bytes;
    int rx_count;
  };
  static std::vector<Forwarded> forwarded;
  forwarded.clear();
  PanelPlatform platform = Platform();
  platform.forward_frame = [](void*, const uint8_t* bytes, int32_t length) {
    forwarded.push_back({Bytes(bytes, length), GetRXListHead()->count});
  };
  platform.run_interpreter = nullptr;
  InstallPanelPlatform(platform);
  Send(std::string("x@WAB") + kDle);
  ASSERT_EQ(forwarded.size(), 1u);
  EXPECT_EQ(forwarded[0].bytes, std::string("@WAB") + kDle);
  EXPECT_EQ(forwarded[0].rx_count, 0);
  EXPECT_EQ(RxCount(), 1);
}

TEST_F(AppLinkTest, WithoutRunnerFramesWaitAndAreInterpretedWithTheNextOne) {
  UseRunner(nullptr);
  Send(std::string("@V") + kDle + "@J" + kDle);
  EXPECT_EQ(RxCount(), 2);
  EXPECT_TRUE(TxMessages().empty());
  UseRunner([](void*) { RunCommandInterpreter(); });
  Send(std::string("@B") + kDle);
  EXPECT_EQ(RxCount(), 0);
  EXPECT_EQ(TxMessages(), (Strings{"@V100\r", "@JA\r", kAck}));
}

TEST_F(AppLinkTest, EmptyBlockLineIsQueuedWithoutMonitorLine) {
  UseRunner(nullptr);
  Send("\x1bH\n\n]");
  EXPECT_EQ(RxCount(), 3);
  EXPECT_EQ(rx_->first->next->record->length, 0);
  EXPECT_EQ(monitor_.Lines(kRxMonitor), (Strings{"\x1b<0x48>\r\n", "<0x5d>\r\n"}));
  RunCommandInterpreter();  // none of the pieces is a command
  EXPECT_EQ(monitor_.Lines(kRxMonitor).size(), 5u);
  EXPECT_TRUE(TxMessages().empty());
}

TEST_F(AppLinkTest, CheckRxWithEmptyListDoesNothing) {
  AppLinkCheckRx();
  EXPECT_EQ(RecordingApplication::calls, 0);
  EXPECT_TRUE(monitor_.lines.empty());
}

TEST_F(AppLinkTest, CheckRxDeliversOneMessagePerCallByteByByte) {
  Queue(kAck);
  Queue("@KE\r");
  AppLinkCheckRx();
  EXPECT_EQ(RecordingApplication::received, kAck);
  EXPECT_EQ(RecordingApplication::calls, 3);
  EXPECT_EQ(TxMessages(), Strings{"@KE\r"});
  EXPECT_EQ(monitor_.Lines(kTxMonitor), Strings{"@!<0x0d>\r\n"});
  AppLinkCheckRx();
  EXPECT_EQ(RecordingApplication::received, std::string(kAck) + "@KE\r");
  EXPECT_TRUE(TxMessages().empty());
  AppLinkCheckRx();
  EXPECT_EQ(RecordingApplication::calls, 7);
}

TEST_F(AppLinkTest, CheckRxDeliversNulBytesAndEmptyMessages) {
  Queue(std::string("A\0B", 3));
  Queue("");
  AppLinkCheckRx();
  EXPECT_EQ(RecordingApplication::received, std::string("A\0B", 3));
  EXPECT_EQ(monitor_.Lines(kTxMonitor), Strings{"A<0x42>\r\n"});
  AppLinkCheckRx();  // nothing to hand over, no line, but the message is gone
  EXPECT_EQ(RecordingApplication::calls, 3);
  EXPECT_TRUE(TxMessages().empty());
}

TEST_F(AppLinkTest, CheckRxBeforeReceiveTargetKeepsTheMessage) {
  AppLinkSetRxTarget(nullptr, nullptr);
  Queue(kAck);
  AppLinkCheckRx();
  EXPECT_EQ(TxMessages(), Strings{kAck});
  EXPECT_TRUE(monitor_.lines.empty());
}

TEST_F(AppLinkTest, AcknowledgementReachesTheCallbackAfterAWrite) {
  Send(std::string("@WAB") + kDle);
  AppLinkCheckRx();
  EXPECT_EQ(RecordingApplication::received, "@!\r");
  EXPECT_EQ(monitor_.Lines(kRxMonitor), Strings{"@WAB<0x10>\r\n"});
  EXPECT_EQ(monitor_.Lines(kTxMonitor), Strings{"@!<0x0d>\r\n"});
}

TEST_F(AppLinkTest, TargetFramesAreQueuedForTheApplication) {
  const std::string from_target = "zz@KB\rq";
  TargetReceiveBytes(reinterpret_cast<const uint8_t*>(from_target.data()),
                     static_cast<uint32_t>(from_target.size()));
  EXPECT_EQ(TxMessages(), Strings{"@KB\r"});
  EXPECT_EQ(monitor_.Lines(kRxMonitor).size(), 3u);  // z, z, q
  EXPECT_EQ(RxCount(), 0);
  // The target's unfinished frame does not swallow the application's bytes.
  TargetReceiveBytes(reinterpret_cast<const uint8_t*>("@W1"), 3);
  Send(std::string("@V") + kDle);
  EXPECT_EQ(TxMessages(), (Strings{"@KB\r", "@V100\r"}));
}

TEST_F(AppLinkTest, SetRxTargetSwitchesAcknowledgementsOn) {
  ResetAppLink();
  EXPECT_FALSE(AcknowledgementsEnabled());
  Send(std::string("@B") + kDle);
  EXPECT_TRUE(TxMessages().empty());
  AppLinkSetRxTarget(RecordingApplication::OnByte, &RecordingApplication::cell);
  Send(std::string("@B") + kDle);
  EXPECT_EQ(TxMessages(), Strings{kAck});
}

TEST_F(AppLinkTest, CallbackThatCallsCheckRxGetsNothingTwice) {
  static int nested_calls = 0;
  static uint8_t cell = 0;
  static std::string received;
  nested_calls = 0;
  received.clear();
  AppLinkSetRxTarget(
      [] {
        received.push_back(static_cast<char>(cell));
        ++nested_calls;
        AppLinkCheckRx();  // must neither deliver nor free the message being delivered
      },
      &cell);
  Queue(kAck);
  Queue("@V100\r");
  AppLinkCheckRx();
  EXPECT_EQ(received, kAck);
  EXPECT_EQ(TxMessages(), Strings{"@V100\r"});
  AppLinkCheckRx();
  EXPECT_EQ(received, std::string(kAck) + "@V100\r");
}

TEST_F(AppLinkTest, CallbackThatReplacesTheTargetFinishesTheMessage) {
  static uint8_t cell = 0;
  static std::string received;
  received.clear();
  AppLinkSetRxTarget(
      [] {
        received.push_back(static_cast<char>(cell));
        AppLinkSetRxTarget(nullptr, nullptr);
      },
      &cell);
  Queue(kAck);
  AppLinkCheckRx();
  EXPECT_EQ(received, kAck);
  EXPECT_TRUE(TxMessages().empty());
}

TEST_F(AppLinkTest, TestToolFramesNeverMixWithTheApplications) {
  Send("@WAB");  // the application's frame is unfinished
  const std::string tool_frame = std::string("@V") + kDle;
  AppLinkReceiveFrom(ToolFrameAssembler(), reinterpret_cast<const uint8_t*>(tool_frame.data()),
                     static_cast<uint32_t>(tool_frame.size()));
  EXPECT_EQ(TxMessages(), Strings{"@V100\r"});
  Send(std::string(1, kDle));
  EXPECT_EQ(TxMessages(), (Strings{"@V100\r", kAck}));
  EXPECT_EQ(LcdGetDisplayMemory()[0], 'A');
  AppLinkReceiveFrom(nullptr, reinterpret_cast<const uint8_t*>("@B\x10"), 3);
  EXPECT_EQ(TxMessages().size(), 2u);
}

}  // namespace
