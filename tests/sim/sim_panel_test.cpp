// The panel as a scenario reads it: the LEDs from the last LED byte the controller sent, the LCD
// rows as the display shows them. The frames come straight from the test, as the controller
// would send them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/link/app_link.h"
#include "sim_test_support.h"

namespace {

constexpr char kFrameEnd = '\x10';
constexpr int32_t kRoomLed = 1;
constexpr int32_t kWashingLed = 2;
constexpr int32_t kReadyLed = 4;

void SendFrame(const std::string& frame) {
  const std::string bytes = frame + kFrameEnd;
  panel::AppLinkReceive(reinterpret_cast<const uint8_t*>(bytes.data()),
                        static_cast<uint32_t>(bytes.size()));
}

struct LedCase {
  const char* what;
  std::vector<const char*> bytes;  // LED bytes in hex, sent 100 ms apart
  sim::LedState room, washing, ready;
};

const LedCase kLedCases[] = {
    {"no LED frame yet", {}, sim::LedState::kOff, sim::LedState::kOff, sim::LedState::kOff},
    {"room blink flag, its bit still off", {"84"}, sim::LedState::kBlinking, sim::LedState::kOff,
     sim::LedState::kOn},
    {"washing blink flag with its bit on", {"46"}, sim::LedState::kOff, sim::LedState::kBlinking,
     sim::LedState::kOn},
    {"the flag cleared leaves the LED steady", {"85", "84", "85", "05"}, sim::LedState::kOn,
     sim::LedState::kOff, sim::LedState::kOn},
    {"three quick changes are no blinking", {"04", "00", "04", "00", "04"}, sim::LedState::kOff,
     sim::LedState::kOff, sim::LedState::kOn},
};

TEST(SimPanelTest, LedsFollowTheLastLedByteAndItsBlinkFlags) {
  for (const LedCase& c : kLedCases) {
    std::string error;
    ASSERT_TRUE(sim::StartSimPanel(SICCORA_DATASET_DIR, "rk52.opd", &error)) << error;
    uint64_t now_ms = 0;
    for (const char* bits : c.bytes) {
      sim::SetPanelTimeMs(now_ms += 100);
      SendFrame(std::string("@L") + bits);
    }
    EXPECT_EQ(sim::PanelLedState(kRoomLed), c.room) << c.what;
    EXPECT_EQ(sim::PanelLedState(kWashingLed), c.washing) << c.what;
    EXPECT_EQ(sim::PanelLedState(kReadyLed), c.ready) << c.what;
  }
}

TEST(SimPanelTest, LcdRowsAreWhatTheDisplayShows) {
  std::string error;
  ASSERT_TRUE(sim::StartSimPanel(SICCORA_DATASET_DIR, "rk52.opd", &error)) << error;
  const std::string blank(16, ' ');
  SendFrame("@D01");  // clear
  SendFrame("@WFirst");
  SendFrame("@DC0");  // Set DDRAM address 0x40: the second line
  SendFrame("@WSecond");
  EXPECT_EQ(sim::LcdRowText(0), "First           ");
  EXPECT_EQ(sim::LcdRowText(1), "Second          ");

  SendFrame("@D08");  // display off: the memory keeps the text, the LCD shows none
  EXPECT_EQ(sim::LcdRowText(0), blank);
  EXPECT_EQ(sim::LcdRowText(1), blank);
  SendFrame("@D0C");  // on again
  EXPECT_EQ(sim::LcdRowText(0), "First           ");

  SendFrame("@D20");  // Function set: one line, whose row 2 is not drawn
  EXPECT_EQ(sim::LcdRowText(0), "First           ");
  EXPECT_EQ(sim::LcdRowText(1), blank);
}

}  // namespace
