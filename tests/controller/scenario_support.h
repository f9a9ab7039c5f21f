// Shared steps of the scenario tests: a controller that has gone through its start-up on the
// frame-level panel, the keys as held masks, and ways to look at the frames that came out.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "app/controller/controller_core.h"
#include "panel_harness.h"

// Key masks as the panel sends them (bit k = key k held).
constexpr uint8_t kMaskOff = 1u << controller::kKeyOff;
constexpr uint8_t kMaskWashing = 1u << controller::kKeyWashing;
constexpr uint8_t kMaskMenu = 1u << controller::kKeyMenu;
constexpr uint8_t kMaskHeater = 1u << controller::kKeyHeater;
constexpr uint8_t kMaskRoom = 1u << controller::kKeyRoom;

// Relay byte bits (active low).
constexpr uint8_t kRelayBitCompressor = 0x01;
constexpr uint8_t kRelayBitHeater = 0x02;
constexpr uint8_t kRelayBitVentilator = 0x04;
constexpr uint8_t kRelaysAllOff = 0x0F;
constexpr uint8_t kRelaysVentilatorCompressor = kRelaysAllOff & ~(kRelayBitVentilator | kRelayBitCompressor);
constexpr uint8_t kRelaysVentilatorOnly = kRelaysAllOff & ~kRelayBitVentilator;

// Runs the start-up (display init at 0.5 s, measurements and resume at 1.5 s) and lets its
// frames go out, so a scenario starts from a device that is ready.
inline void FinishStartUp(PanelHarness& panel) {
  panel.Step(60);
  panel.ClearFrames();
}

inline bool HasFrame(const std::vector<std::string>& frames, const std::string& frame) {
  return std::find(frames.begin(), frames.end(), frame) != frames.end();
}

// The frames of `frames` that are "@W" texts (without '@', 'W' and the terminator).
inline std::vector<std::string> Texts(const std::vector<std::string>& frames) {
  std::vector<std::string> texts;
  for (const std::string& f : frames) {
    if (f.size() >= 3 && f[1] == 'W') texts.push_back(f.substr(2, f.size() - 3));
  }
  return texts;
}


// True when `expected` appears in `frames` in this order (other frames, such as the clock
// redrawn every second, may come between).
inline bool InOrder(const std::vector<std::string>& frames, const std::vector<std::string>& expected) {
  size_t next = 0;
  for (const std::string& f : frames) {
    if (next < expected.size() && f == expected[next]) ++next;
  }
  return next == expected.size();
}

// Steps until the controller's clock shows the time (at most a day of ticks).
inline bool RunUntilClock(PanelHarness& panel, uint8_t hour, uint8_t minute, uint8_t second) {
  for (int i = 0; i < 24 * 3600 * 20; ++i) {
    const controller::ControllerState& c = controller::g_controller;
    if (c.hour == hour && c.minute == minute && c.second == second) return true;
    panel.Step();
  }
  return false;
}

// A text on line 2 as the controller sends it: cursor to line 2, column 0, then the text.
inline std::vector<std::string> Line2Text(const std::string& text) {
  return {AppFrame("DC0"), AppFrame("W" + text)};
}
