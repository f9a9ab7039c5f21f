// ReceiveFromApp and CheckRx across the two threads: frames reach the panel window's
// interpreter synchronously (message 1036), answers come back one message per CheckRx, byte by
// byte through the application's receive callback.
#include <gtest/gtest.h>

#include "panel_library_case.h"

namespace {

const std::string kDle(1, '\x10');
const std::string kAck = "@!\r";

class LibraryLink : public PanelLibraryCase {};

TEST_F(LibraryLink, CheckRxWithEmptyListCallsNothing) {
  Recorder().cell = 0xA5;
  api_.CheckRx();
  api_.CheckRx();
  EXPECT_TRUE(Recorder().bytes.empty());
  EXPECT_EQ(Recorder().cell, 0xA5);  // the receive cell is not touched either
}

TEST_F(LibraryLink, TwoFramesInOneCallRunTheInterpreterTwice) {
  InterpretCounter counter(panel_);
  Send(api_, "@B" + kDle + "@B" + kDle);
  // Synchronous: both rounds have run and queued their acknowledgements when the call returns.
  EXPECT_EQ(counter.count(), 2);
  EXPECT_EQ(CheckRxOnce(api_), kAck);
  EXPECT_EQ(CheckRxOnce(api_), kAck);
  EXPECT_EQ(CheckRxOnce(api_), "");
}

TEST_F(LibraryLink, FrameSplitOverCallsIsInterpretedWhenComplete) {
  InterpretCounter counter(panel_);
  Send(api_, "@");
  Send(api_, "V");
  EXPECT_EQ(counter.count(), 0);
  EXPECT_EQ(CheckRxOnce(api_), "");
  Send(api_, kDle + "@J");  // completes the first frame, starts a second one
  EXPECT_EQ(counter.count(), 1);
  EXPECT_EQ(CheckRxOnce(api_), "@V100\r");
  EXPECT_EQ(CheckRxOnce(api_), "");
  Send(api_, kDle);
  EXPECT_EQ(counter.count(), 2);
  EXPECT_EQ(CheckRxOnce(api_), "@JA\r");
}

TEST_F(LibraryLink, LengthZeroHasNoEffect) {
  InterpretCounter counter(panel_);
  const unsigned char frame[] = {'@', 'B', 0x10};
  api_.ReceiveFromApp(frame, 0);
  EXPECT_EQ(counter.count(), 0);
  EXPECT_EQ(CheckRxOnce(api_), "");
  // Nothing half-fed is left behind either: the full frame afterwards is one clean frame.
  api_.ReceiveFromApp(frame, 3);
  EXPECT_EQ(counter.count(), 1);
  EXPECT_EQ(CheckRxOnce(api_), kAck);
}

TEST_F(LibraryLink, TwoQueuedMessagesAreDeliveredOnePerCall) {
  Send(api_, "@V" + kDle + "@J" + kDle);
  EXPECT_EQ(CheckRxOnce(api_), "@V100\r");
  EXPECT_EQ(CheckRxOnce(api_), "@JA\r");
  EXPECT_EQ(CheckRxOnce(api_), "");
}

TEST_F(LibraryLink, AcknowledgementReachesTheCallbackByteByByte) {
  Send(api_, "@WAB" + kDle);
  api_.CheckRx();
  // One callback per byte, and the cell held that byte when the callback ran.
  ASSERT_EQ(Recorder().bytes.size(), 3u);
  EXPECT_EQ(Recorder().bytes[0], '@');
  EXPECT_EQ(Recorder().bytes[1], '!');
  EXPECT_EQ(Recorder().bytes[2], '\r');
  EXPECT_EQ(Recorder().cell, '\r');
}

TEST_F(LibraryLink, UnknownCommandIsNotAnswered) {
  InterpretCounter counter(panel_);
  Send(api_, "@s" + kDle + ">x" + kDle + "@B" + kDle);
  EXPECT_EQ(counter.count(), 3);
  EXPECT_EQ(CheckRxOnce(api_), kAck);  // only the "@B"
  EXPECT_EQ(CheckRxOnce(api_), "");
}

TEST_F(LibraryLink, CallbackReplacedByLaterSetRxTarget) {
  Send(api_, "@V" + kDle + "@J" + kDle);
  EXPECT_EQ(CheckRxOnce(api_), "@V100\r");
  static unsigned char other_cell = 0;
  static int other_calls = 0;
  api_.SetRxTarget([] { ++other_calls; }, &other_cell);
  api_.CheckRx();
  EXPECT_EQ(other_calls, 4);
  EXPECT_EQ(other_cell, '\r');
}

}  // namespace

// The very first frames may arrive before the panel window exists: they wait in the RX list and
// are interpreted, in order, with the first frame that arrives once the window is there.
TEST(LibraryLinkStartUp, FramesBeforeThePanelWindowAreNotLost) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  AttachRecorder(api);
  Send(api, "@V\x10");
  ASSERT_NE(WaitForPanelWindow(), nullptr);
  Send(api, "@J\x10");
  EXPECT_EQ(CheckRxOnce(api), "@V100\r");
  EXPECT_EQ(CheckRxOnce(api), "@JA\r");
  EXPECT_EQ(CheckRxOnce(api), "");
}
