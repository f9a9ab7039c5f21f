// Test doubles for the protocol: a panel window that records redraws and beeps (with how many TX
// messages were queued at that moment, to check acknowledgement order), a monitor that records
// every line, both installed as one platform record whose interpreter runner interprets at once,
// and a fixture that gives each test a freshly reset library with new TX, RX and area lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panel/core/data_lists.h"
#include "panel/core/monitor_log.h"
#include "panel/core/panel_platform.h"

using namespace panel;

struct RecordedBeep {
  unsigned frequency_hz;
  unsigned duration_ms;
};

// Plays the panel window: counts redraws and notes the TX list length at each one.
struct RecordingPanel {
  std::vector<int> lcd_redraw_tx_counts;
  std::vector<int> led_redraw_tx_counts;
  std::vector<RecordedBeep> beeps;
};

struct MonitorEntry {
  MonitorTarget target;
  std::string text;
};

// Plays the monitor window: keeps every line with its target.
struct RecordingMonitor {
  std::vector<MonitorEntry> lines;
  std::vector<std::string> Lines(MonitorTarget target) const;
};

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Feeds bytes through the application path (the interpreter runs after each frame).
  void Send(const std::string& bytes);
  // The record SetUp installs: panel_, monitor_, frames forwarded into forwarded_, and a runner
  // that calls RunCommandInterpreter directly. A test may clear entries and install it.
  PanelPlatform Platform();
  // Installs Platform() with another interpreter runner (null: none).
  void UseRunner(void (*runner)(void* context));
  // The TX list's messages, oldest first.
  std::vector<std::string> TxMessages() const;
  int RxCount() const;
  // An LED area with this id and colours 100 + id (on) / 200 + id (off), appended to the list.
  tagRECTPROP* AddLed(int32_t id);

  RecordingPanel panel_;
  RecordingMonitor monitor_;
  std::vector<std::string> forwarded_;
  tagLISTHEAD* tx_ = nullptr;
  tagLISTHEAD* rx_ = nullptr;
  tagRLISTHEAD* areas_ = nullptr;
};

std::string Bytes(const uint8_t* bytes, int length);

constexpr char kDle = 0x10;
constexpr const char* kAck = "@!\r";
constexpr const char* kNotUnderstood = "Simulator didn't understand a command!!\r\n";
