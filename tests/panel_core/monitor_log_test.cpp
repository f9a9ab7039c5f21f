// Monitor lines, status text, the wsprintf subset and the 32000-character monitor model.
#include "panel/core/monitor_log.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "recording_monitor.h"

using namespace panel;

namespace {

std::string Format(const char* format, ...) {
  char buffer[2048];
  va_list args;
  va_start(args, format);
  FormatTextV(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

TEST(FormatText, EveryConversionOfTheSubset) {
  EXPECT_EQ(Format("%s|%hs|%d|%i|%x|%X|%02x|%04X|%02d", "ab", "cd", -12, 34, 0xbeefu, 0xbeefu, 5u,
                   0xabu, 7),
            "ab|cd|-12|34|beef|BEEF|05|00AB|07");
}

TEST(FormatText, WidthIsAMinimumNeverACut) {
  EXPECT_EQ(Format("%02x", 0x1ffu), "1ff");
  EXPECT_EQ(Format("%02d", 123), "123");
  EXPECT_EQ(Format("%05d", -42), "-0042");
  EXPECT_EQ(Format("%4d|%-4d|", 7, 7), "   7|7   |");
}

TEST(FormatText, NumberLimits) {
  EXPECT_EQ(Format("%d", INT_MIN), "-2147483648");
  EXPECT_EQ(Format("%i", INT_MAX), "2147483647");
  EXPECT_EQ(Format("%x", 0xffffffffu), "ffffffff");
  EXPECT_EQ(Format("%02x", 0u), "00");
}

TEST(FormatText, PointersAndNullStrings) {
  int object = 0;
  EXPECT_EQ(Format("%p", static_cast<void*>(&object)), AddressText(&object));
  EXPECT_EQ(Format("%p", static_cast<void*>(nullptr)), std::string(sizeof(void*) * 2, '0'));
  EXPECT_EQ(Format("[%s]", static_cast<const char*>(nullptr)), "[(null)]");
}

TEST(FormatText, UnknownConversionTakesNoArgument) {
  // "%f" is no conversion of the subset: it is shown as written and 42 still reaches "%d".
  EXPECT_EQ(Format("%f|%d|%%|%", 42), "%f|42|%|%");
  EXPECT_EQ(Format("%hd|%d", 5), "%hd|5");
}

TEST(FormatText, NeverWritesPastTheBuffer) {
  char buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(FormatText(buffer, 5, "abcdefgh"), 4);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(buffer[5], 'x');
  EXPECT_EQ(FormatText(buffer, 0, "abc"), 0);
  EXPECT_EQ(buffer[0], 'a');  // untouched
  EXPECT_EQ(FormatText(buffer, 1, "abc"), 0);
  EXPECT_EQ(buffer[0], '\0');
}

TEST(MonitorLine, DroppedWithoutMonitor) {
  InstallPanelPlatform(PanelPlatform{});
  EXPECT_EQ(MonitorLine(kRxMonitor, "thread gestartet\r\n"), 0);
  EXPECT_EQ(MonitorLine(kTxMonitor, "%d\r\n", 5), 0);
  StatusText("nothing to show it");  // no status line: nothing happens
}

TEST(MonitorLine, DroppedWhileOnlyTheStatusLineExists) {
  RecordingMonitor monitor;
  PanelPlatform status_only = monitor.Record();
  status_only.write_monitor_line = nullptr;
  InstallPanelPlatform(status_only);
  EXPECT_EQ(MonitorLine(kTxMonitor, "x\r\n"), 0);
  StatusText("hint");
  EXPECT_EQ(monitor.status_calls, 1);
  EXPECT_TRUE(monitor.tx_lines.empty());
}

TEST(MonitorLine, GoesToItsTargetAndCountsCharacters) {
  RecordingMonitor monitor;
  EXPECT_EQ(MonitorLine(kRxMonitor, "Unbekanntes Startzeichen empfangen: 0x%02x\r\n", 0x78), 42);
  EXPECT_EQ(MonitorLine(kTxMonitor, "Socket 0x%04X f\xFCr %02d Protokol erzeugt\r\n", 0x1c, 17), 39);
  ASSERT_EQ(monitor.rx_lines.size(), 1u);
  ASSERT_EQ(monitor.tx_lines.size(), 1u);
  EXPECT_EQ(monitor.rx_lines[0], "Unbekanntes Startzeichen empfangen: 0x78\r\n");
  EXPECT_EQ(monitor.tx_lines[0], "Socket 0x001C f\xFCr 17 Protokol erzeugt\r\n");
}

TEST(MonitorLine, CutAtThousandCharacters) {
  RecordingMonitor monitor;
  const std::string exactly(1000, 'a');
  EXPECT_EQ(MonitorLine(kTxMonitor, "%s", exactly.c_str()), 1000);
  const std::string longer(1500, 'b');
  EXPECT_EQ(MonitorLine(kTxMonitor, "%s\r\n", longer.c_str()), 1000);
  ASSERT_EQ(monitor.tx_lines.size(), 2u);
  EXPECT_EQ(monitor.tx_lines[0], exactly);
  EXPECT_EQ(monitor.tx_lines[1], std::string(1000, 'b'));  // the line end did not fit
}

TEST(StatusText, ReplacesAndIsCutAt1024) {
  RecordingMonitor monitor;
  StatusText("Button %d", 4);
  EXPECT_EQ(monitor.status, "Button 4");
  StatusText("%s", "Led");
  EXPECT_EQ(monitor.status, "Led");  // only the new text is handed over
  EXPECT_EQ(monitor.status_calls, 2);
  const std::string longer(1500, 'c');
  StatusText("%s", longer.c_str());
  EXPECT_EQ(monitor.status, std::string(1024, 'c'));
}

TEST(MonitorFrameLine, AcknowledgementShowsItsTerminator) {
  RecordingMonitor monitor;
  const unsigned char ack[] = {'@', '!', '\r'};
  EXPECT_EQ(MonitorFrameLine(kTxMonitor, ack, 3), 10);
  ASSERT_EQ(monitor.tx_lines.size(), 1u);
  EXPECT_EQ(monitor.tx_lines[0], std::string("@!<0x0d>\r\n"));
}

TEST(MonitorFrameLine, ApplicationFrameAndOddLengths) {
  RecordingMonitor monitor;
  const unsigned char frame[] = {'@', 'D', 'C', '0', 0x10};
  MonitorFrameLine(kRxMonitor, frame, 5);
  const unsigned char lone[] = {0x10};
  MonitorFrameLine(kRxMonitor, lone, 1);
  const unsigned char with_nul[] = {'@', 'W', 0, 'X', '\r'};  // "%s" stops at the NUL
  MonitorFrameLine(kRxMonitor, with_nul, 5);
  EXPECT_EQ(MonitorFrameLine(kRxMonitor, frame, 0), 0);  // no last byte: nothing written
  EXPECT_EQ(MonitorFrameLine(kRxMonitor, nullptr, 5), 0);
  ASSERT_EQ(monitor.rx_lines.size(), 3u);
  EXPECT_EQ(monitor.rx_lines[0], "@DC0<0x10>\r\n");
  EXPECT_EQ(monitor.rx_lines[1], "<0x10>\r\n");
  EXPECT_EQ(monitor.rx_lines[2], "@W<0x0d>\r\n");
}

TEST(MonitorFrameLine, LongMessageIsCutToAMonitorLine) {
  RecordingMonitor monitor;
  std::vector<unsigned char> message(1500, 'z');
  EXPECT_EQ(MonitorFrameLine(kTxMonitor, message.data(), 1500), 1000);
  EXPECT_EQ(monitor.tx_lines.at(0), std::string(1000, 'z'));
}

TEST(MonitorLine, ConcurrentWritersDeliverWholeLines) {
  struct Collector {
    std::mutex mutex;
    std::vector<std::string> lines;
  } collector;
  PanelPlatform platform{};
  platform.context = &collector;
  platform.write_monitor_line = [](void* context, MonitorTarget, const char* text) {
    auto* c = static_cast<Collector*>(context);
    std::lock_guard<std::mutex> guard(c->mutex);
    c->lines.push_back(text);
    return 1;
  };
  InstallPanelPlatform(platform);
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([t] {
      for (int i = 0; i < 200; ++i) MonitorLine(kTxMonitor, "thread %d line %03d\r\n", t, i);
    });
  }
  for (auto& writer : writers) writer.join();
  InstallPanelPlatform(PanelPlatform{});
  ASSERT_EQ(collector.lines.size(), 800u);
  int per_thread[4] = {0, 0, 0, 0};
  for (const auto& line : collector.lines) {
    int t = -1, i = -1;
    ASSERT_EQ(std::sscanf(line.c_str(), "thread %d line %d\r\n", &t, &i), 2) << line;
    ASSERT_TRUE(t >= 0 && t < 4);
    EXPECT_EQ(line, Format("thread %d line %03d\r\n", t, i));
    per_thread[t]++;
  }
  for (int count : per_thread) EXPECT_EQ(count, 200);
}

class MonitorTextTest : public testing::Test {
 protected:
  void SetUp() override {
    monitor_ = std::make_unique<MonitorText>();
    MonitorTextClear(monitor_.get());
  }
  std::string Text() const { return std::string(monitor_->text, monitor_->length); }
  std::unique_ptr<MonitorText> monitor_;
};

TEST_F(MonitorTextTest, LinesAppendAtTheCaret) {
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), "@!<0x0d>\r\n"), 10);
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), "thread beendet\r\n"), 16);
  EXPECT_EQ(Text(), "@!<0x0d>\r\nthread beendet\r\n");
  EXPECT_EQ(monitor_->selection_start, 26);
  EXPECT_EQ(monitor_->selection_end, 26);
}

TEST_F(MonitorTextTest, ReachingTheLimitStartsOverWithTheNextLine) {
  const std::string line(998, 'a');
  for (int i = 0; i < 32; ++i) {
    ASSERT_LT(monitor_->length, kMonitorCapacityChars);
    MonitorTextAppend(monitor_.get(), (line + "\r\n").c_str());
  }
  EXPECT_EQ(monitor_->length, 32000);
  EXPECT_EQ(monitor_->selection_start, 0);
  EXPECT_EQ(monitor_->selection_end, 32000);
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), "next\r\n"), 6);
  EXPECT_EQ(Text(), "next\r\n");
  MonitorTextAppend(monitor_.get(), "more\r\n");
  EXPECT_EQ(Text(), "next\r\nmore\r\n");
}

TEST_F(MonitorTextTest, OverflowingLineIsCutThenReplaced) {
  const std::string filler(31998, 'f');
  MonitorTextAppend(monitor_.get(), filler.c_str());
  EXPECT_EQ(monitor_->selection_start, 31998);  // not full yet: caret at the end
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), "12345"), 2);
  EXPECT_EQ(monitor_->length, 32000);
  EXPECT_EQ(Text().substr(31998), "12");
  EXPECT_EQ(monitor_->text[32000], '\0');
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), "x\r\n"), 3);
  EXPECT_EQ(Text(), "x\r\n");
}

TEST_F(MonitorTextTest, OneLongLineCannotOverflow) {
  const std::string huge(40000, 'h');
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), huge.c_str()), 32000);
  EXPECT_EQ(monitor_->length, 32000);
  EXPECT_EQ(monitor_->text[32000], '\0');
}

TEST_F(MonitorTextTest, SelectionInTheMiddleIsReplaced) {
  MonitorTextAppend(monitor_.get(), "abcdef");
  monitor_->selection_start = 2;
  monitor_->selection_end = 4;
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), "XYZ"), 3);
  EXPECT_EQ(Text(), "abXYZef");
  EXPECT_EQ(monitor_->selection_start, 5);
  // A selection outside the text acts as the caret at the end.
  monitor_->selection_start = 50;
  monitor_->selection_end = 10;
  MonitorTextAppend(monitor_.get(), "!");
  EXPECT_EQ(Text(), "abXYZef!");
  EXPECT_EQ(MonitorTextAppend(monitor_.get(), nullptr), 0);
  EXPECT_EQ(MonitorTextAppend(nullptr, "x"), 0);
}

}  // namespace
