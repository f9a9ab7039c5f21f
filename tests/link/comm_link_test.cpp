// The communication settings and transport rules without a port or socket: the baud list and its
// selection, the IP and Port fields, first-use values, the connect command's steps, the peer
// filter with its monitor lines, and the serial poll that takes everything that has arrived.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link_test_support.h"
#include "panel/core/option_word.h"
#include "panel/link/comm_settings.h"
#include "panel/link/connection_rules.h"
#include "panel/link/serial_receive.h"
#include "panel/link/udp_datagrams.h"

namespace {

TEST(CommSettingsTest, BaudListIsGeneratedAndARateSelectsTheFirstEntryNotBelowIt) {
  int32_t rates[kBaudRateCount];
  BuildBaudRates(rates);
  EXPECT_EQ(std::vector<int32_t>(rates, rates + kBaudRateCount),
            (std::vector<int32_t>{300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200}));
  const struct {
    int32_t baud;
    int index;
  } selections[] = {{4800, 4}, {5000, 5}, {0, 0}, {300, 0}, {301, 1}, {57600, 8},
                    {115200, 9}, {115201, kNoBaudSelection}, {-5, 0}};
  for (const auto& s : selections) EXPECT_EQ(BaudIndexFor(s.baud), s.index) << s.baud;
  EXPECT_EQ(BaudForSelection(8, 4800), 57600);
  EXPECT_EQ(BaudForSelection(9, 4800), 115200);
  EXPECT_EQ(BaudForSelection(kNoBaudSelection, 230400), 230400);  // nothing selected: kept
  EXPECT_EQ(BaudForSelection(kBaudRateCount, 1200), 1200);
}

TEST(CommSettingsTest, IpAndPortFieldsComposeSplitAndBound) {
  const struct {
    const char* fields[kIpFieldCount];
    const char* ip;
  } ips[] = {{{"192", "168", "1", "20"}, "192.168.1.20"},
             {{"1234", "56789", "", "0"}, "123.567..0"},  // only three characters count
             {{"255", "255", "255", "255"}, "255.255.255.255"},
             {{nullptr, "", "", ""}, "..."}};
  for (const auto& c : ips) {
    char ip[kSettingsIpChars];
    ComposeIp(c.fields, ip);
    EXPECT_STREQ(ip, c.ip);
  }
  const struct {
    const char* text;
    int32_t port;
  } ports[] = {{"5000", 5000}, {"65535", 65535}, {"65536", 0}, {"99999", 0}, {"123456", 12345},
               {"80x", 80},    {"", 0},          {"abc", 0},   {"-1", 0},    {nullptr, 0}};
  for (const auto& p : ports) EXPECT_EQ(PortFromField(p.text), p.port) << (p.text ? p.text : "null");
  const IpFieldTexts split = SplitIp("192.168.1.20");
  EXPECT_STREQ(split.part[0], "192");
  EXPECT_STREQ(split.part[3], "20");
  const IpFieldTexts partial = SplitIp("10..7");
  EXPECT_STREQ(partial.part[1], "");
  EXPECT_STREQ(partial.part[2], "7");
  EXPECT_STREQ(partial.part[3], "");
}

TEST(CommSettingsTest, FirstUseTakesThePortsLineOrSafeValuesWithoutAPort) {
  const struct {
    PortLineConfig port;
    int32_t flow;
  } flows[] = {
      {{8, false, false, false, 0, 0, false, false}, kFlowNone},
      {{8, false, true, false, 1, kRtsControlHandshake, false, false}, kFlowRts},
      {{8, false, false, true, 1, kRtsControlHandshake, false, false}, kFlowXonRts},
      {{8, false, true, true, 1, kRtsControlHandshake, true, true}, kFlowNone},
      {{8, false, false, false, 1, 1, true, true}, kFlowXonXoff},
      {{8, false, false, false, 1, 1, true, false}, kFlowNone},
      {{8, false, false, false, 0, 0, true, true}, kFlowNone},  // rule 1 comes first
  };
  for (const auto& f : flows) EXPECT_EQ(FlowFromHandshake(f.port), f.flow);

  PanelSettings settings{};
  settings.Baud = 9600;
  settings.CommPort = 3;
  settings.Parity = 2;
  const PortLineConfig seven_two{7, true, false, false, 1, 1, true, true};
  ApplyFirstUseDefaults(&settings, &seven_two);
  EXPECT_EQ(settings.Baud, 4800);
  EXPECT_EQ(settings.CommPort, 1);
  EXPECT_EQ(settings.Parity, 0);
  EXPECT_EQ(settings.DBits, 7);
  EXPECT_EQ(settings.SBits, 2);
  EXPECT_EQ(settings.Flow, kFlowXonXoff);
  ApplyFirstUseDefaults(&settings, nullptr);  // COM1 cannot be opened
  EXPECT_EQ(settings.DBits, 8);
  EXPECT_EQ(settings.SBits, 1);
  EXPECT_EQ(settings.Flow, kFlowNone);
}

TEST(ConnectionRulesTest, EachRowOfTheConnectCommand) {
  const struct {
    LinkStatus status;
    ConnectStep step;
    int32_t state;
    uint32_t replies;
    const char* english;
    const char* german;
  } rows[] = {
      {{0, false, 0, false}, ConnectStep::kOpenSerial, 1, 0, "Disconnect\tCtrl+C",
       "&Verbindung Trennen\tCtrl+C"},
      {{0, true, 2, true}, ConnectStep::kCloseSerial, 0, 1, "Connect\tCtrl+C", "&Verbinden\tCtrl+C"},
      {{1, false, 0, true}, ConnectStep::kOpenSocket, 3, 0, "Disconnect\tCtrl+C",
       "&Verbindung Trennen\tCtrl+C"},
      {{5, true, 2, true}, ConnectStep::kCloseSocket, 2, 1, "Connect\tCtrl+C", "&Verbinden\tCtrl+C"},
  };
  for (const auto& row : rows) {
    const ConnectStep step = NextConnectStep(row.status);
    EXPECT_EQ(step, row.step);
    ConnectOutcome outcome{};
    ASSERT_TRUE(OutcomeOf(step, &outcome));
    EXPECT_EQ(outcome.connection_state, row.state);
    EXPECT_EQ(outcome.replies, row.replies);
    EXPECT_STREQ(ConnectMenuText(outcome.connected, kOptionEnglish), row.english);
    EXPECT_STREQ(ConnectMenuText(outcome.connected, 0), row.german);
  }
  ConnectOutcome untouched{7, 7, true};
  EXPECT_EQ(NextConnectStep({1, false, 2, false}), ConnectStep::kAskForAddress);
  EXPECT_FALSE(OutcomeOf(ConnectStep::kAskForAddress, &untouched));
  EXPECT_EQ(untouched.connection_state, 7);
}

class UdpDatagramTest : public LinkTest {};

TEST_F(UdpDatagramTest, OnlyThePeersAddressAndPortReachTheApplication) {
  EXPECT_FALSE(PeerAddressComplete(GetPeerAddress()));  // unset until the dialog is confirmed
  const struct {
    const char* ip;
    int32_t port;
    bool complete;
  } peers[] = {{"192.168.1.20", 5000, true}, {"0.0.0.0", 5000, false}, {"10.0.0.1", 0, false},
               {"1.2.3", 5000, true},  // does not parse: an address no send reaches
               {"1.2.3.256", 5000, true}, {"", 7, true}};
  for (const auto& p : peers) EXPECT_EQ(PeerAddressComplete(PeerFromSettings(p.ip, p.port)), p.complete);
  EXPECT_EQ(PeerFromSettings("1.2.3.256", 1).ip[0], 255);

  const PeerAddress peer = PeerFromSettings("127.0.0.1", 47000);
  SetPeerAddress(peer);
  const uint8_t letters[] = {'a', 'b', 'c'};
  const struct {
    PeerAddress sender;
    bool accepted;
    const char* line;
  } senders[] = {
      {{{127, 0, 0, 1}, 47000}, true, "Daten abc empfangen, von IP 127.0.0.1, Port 47000:  \r\n"},
      {{{127, 0, 0, 1}, 47001}, false, "Datagramm von IP 127.0.0.1, Port 47001 verworfen\r\n"},
      {{{127, 0, 0, 3}, 47000}, false, "Datagramm von IP 127.0.0.3, Port 47000 verworfen\r\n"},
  };
  for (const auto& s : senders) {
    monitor_.lines.clear();
    EXPECT_EQ(AcceptDatagram(letters, 3, s.sender), s.accepted);
    EXPECT_EQ(monitor_.Lines(kTxMonitor), std::vector<std::string>{s.line});
  }
  EXPECT_EQ(TxMessages(), std::vector<std::string>{"abc"});  // one 3-byte message, unframed

  monitor_.lines.clear();
  const uint8_t frame[] = {'@', 'B', 0x10};
  ReportDatagramSent(frame, 3, 3, peer);
  ReportDatagramSent(frame, 3, 1, peer);
  EXPECT_EQ(monitor_.Lines(kTxMonitor),
            (std::vector<std::string>{
                "Daten @B\x10 gesendet, an IP 127.0.0.1, Port 47000 Status: OK \r\n",
                "Daten @B\x10 gesendet, an IP 127.0.0.1, Port 47000 Status: ERROR \r\n"}));
}

// A port that receives `bytes_per_poll` bytes before every poll, like a target that talks
// continuously, and keeps what the driver holds.
struct FakePort {
  std::string pending;
  std::string stream;
  size_t next = 0;
  size_t bytes_per_poll = 0;
  int sleeps = 0;
  SerialReceiveThread* thread = nullptr;
  int stop_after_sleeps = 0;
};

int32_t FakeRead(void* context, uint8_t* buffer, int32_t capacity) {
  FakePort* port = static_cast<FakePort*>(context);
  const size_t count = std::min(port->pending.size(), static_cast<size_t>(capacity));
  std::copy(port->pending.begin(), port->pending.begin() + static_cast<long>(count), buffer);
  port->pending.erase(0, count);
  return static_cast<int32_t>(count);
}

void FakeSleep(void* context, uint32_t milliseconds) {
  FakePort* port = static_cast<FakePort*>(context);
  EXPECT_EQ(milliseconds, kSerialPollMs);
  ++port->sleeps;
  for (size_t i = 0; i < port->bytes_per_poll && port->next < port->stream.size(); ++i) {
    port->pending += port->stream[port->next++];
  }
  if (port->sleeps == port->stop_after_sleeps) port->thread->stop.store(1);
}

class SerialReceiveTest : public LinkTest {};

TEST_F(SerialReceiveTest, EveryPollTakesAllThatArrivedAndTheStopFlagEndsTheLoop) {
  // 4800 baud: 480 bytes a second, 9.6 per 20 ms poll; ten a poll here, for one second.
  std::string stream;
  for (int i = 0; i < 120; ++i) stream += "@KB\r";
  SerialReceiveThread thread;
  thread.stop.store(0);
  thread.running.store(1);
  FakePort port{"", stream, 0, 10, 0, &thread, 50};
  RunSerialReceiveLoop(&thread, SerialReader{&port, FakeRead, FakeSleep});
  EXPECT_EQ(thread.running.load(), 0);
  EXPECT_EQ(port.sleeps, 50);
  EXPECT_EQ(port.next, stream.size());
  EXPECT_EQ(TxMessages().size(), 120u);  // one byte per poll would have taken 12 frames
  EXPECT_TRUE(port.pending.empty());

  // A burst larger than one poll's reads is taken over several polls, nothing dropped.
  port.pending = std::string(kSerialReadChunk * kSerialReadsPerPoll + 5, 'x');
  EXPECT_EQ(SerialPollOnce(SerialReader{&port, FakeRead, FakeSleep}),
            kSerialReadChunk * kSerialReadsPerPoll);
  EXPECT_EQ(port.pending.size(), 5u);
}

// A port played poll by poll: each poll's script says what its reads return in turn ('b' one
// byte, 'f' a failure, anything else nothing); the loop stops after the last poll. A step may
// also stand for the disconnect: set the stop flag during a read, or hand the port over.
struct ScriptedPort {
  std::vector<std::string> polls;
  size_t poll = 0;
  size_t read = 0;
  SerialReceiveThread* thread = nullptr;
  int reads = 0;
  int closes = 0;
  int stop_at_read = -1;      // the read (counted from 1) during which the stop flag is set
  int hand_over_at_poll = -1;  // the poll after which the disconnect stops waiting
};

int32_t ScriptedRead(void* context, uint8_t* buffer, int32_t) {
  ScriptedPort* port = static_cast<ScriptedPort*>(context);
  if (++port->reads == port->stop_at_read) port->thread->stop.store(1);
  const std::string& script = port->poll < port->polls.size() ? port->polls[port->poll] : "";
  const char step = port->read < script.size() ? script[port->read++] : '0';
  if (step == 'f') return -1;
  if (step != 'b') return 0;
  buffer[0] = '@';
  return 1;
}

void ScriptedSleep(void* context, uint32_t) {
  ScriptedPort* port = static_cast<ScriptedPort*>(context);
  if (static_cast<int>(port->poll) == port->hand_over_at_poll) {
    EXPECT_TRUE(HandPortToEndingThread(port->thread));
  }
  ++port->poll;
  port->read = 0;
  if (port->poll >= port->polls.size()) port->thread->stop.store(1);
}

void ScriptedClose(void* context) { ++static_cast<ScriptedPort*>(context)->closes; }

TEST_F(SerialReceiveTest, FailingReadsAreReportedOncePerRunAndTheLoopPollsOn) {
  const struct {
    const char* what;
    std::vector<std::string> polls;
    size_t lines;
  } cases[] = {
      {"two failing polls: not yet", {"f", "f", "b0"}, 0},
      {"a port that keeps failing: one line", std::vector<std::string>(40, "f"), 1},
      {"a good poll starts a new run", {"f", "f", "f", "f", "0", "f", "f", "f", "b0"}, 2},
      {"a failure after bytes is no failed poll", {"bf", "bf", "bf", "bf"}, 0},
  };
  for (const auto& c : cases) {
    monitor_.lines.clear();
    SerialReceiveThread thread;
    thread.stop.store(0);
    thread.running.store(kSerialThreadRunning);
    ScriptedPort port{c.polls};
    port.thread = &thread;
    RunSerialReceiveLoop(&thread, SerialReader{&port, ScriptedRead, ScriptedSleep, ScriptedClose});
    EXPECT_EQ(monitor_.Lines(kRxMonitor),
              std::vector<std::string>(c.lines, kSerialReadFailedLine)) << c.what;
    EXPECT_EQ(port.poll, c.polls.size()) << c.what;  // polled to the end
    EXPECT_EQ(thread.running.load(), kSerialThreadEnded) << c.what;
    EXPECT_EQ(port.closes, 0) << c.what;  // the port stays the disconnect's to close
  }
}

TEST_F(SerialReceiveTest, TheStopFlagEndsAPollAndAPortHandedOverIsClosedByTheLoop) {
  SerialReceiveThread thread;
  thread.stop.store(0);
  thread.running.store(kSerialThreadRunning);
  // A target that never pauses: the poll ends at the read during which the flag was set.
  ScriptedPort busy{{std::string(kSerialReadsPerPoll, 'b')}};
  busy.thread = &thread;
  busy.stop_at_read = 2;
  EXPECT_EQ(SerialPollOnce(SerialReader{&busy, ScriptedRead, ScriptedSleep}, &thread), 2);
  EXPECT_EQ(busy.reads, 2);

  // The disconnect stops waiting during the second poll: the loop closes the port, once.
  thread.stop.store(0);
  ScriptedPort late{{"b", "b", "b"}};
  late.thread = &thread;
  late.hand_over_at_poll = 1;
  RunSerialReceiveLoop(&thread, SerialReader{&late, ScriptedRead, ScriptedSleep, ScriptedClose});
  EXPECT_EQ(late.closes, 1);
  EXPECT_EQ(thread.running.load(), kSerialThreadEnded);
  // A loop that has ended takes nothing over: the disconnect closes the port itself.
  EXPECT_FALSE(HandPortToEndingThread(&thread));
}

}  // namespace
