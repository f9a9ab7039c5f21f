// Shared setup for the LCD suites: a freshly loaded controller, the load-time option word, and
// helpers that drive the controller the way the panel protocol does.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"
#include "panel/lcd/lcd_controller.h"

using namespace panel;

// Plays the protocol interpreter: "@D" sends each instruction as two nibbles, "@W" data bytes.
inline void SendInstruction(uint8_t byte) {
  LcdWriteNibble(0, byte >> 4);
  LcdWriteNibble(0, byte);
}

inline void SendText(const std::string& text) {
  LcdWriteString(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint8_t>(text.size()));
}

inline std::string MemoryText(uint32_t index, uint32_t count) {
  return std::string(reinterpret_cast<const char*>(LcdGetDisplayMemory() + index), count);
}

// Controller as the panel window leaves it after creation, option word 0x8410 (no power-on text).
class LcdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPanelLibraryForTests();
    LcdInit();
  }
  void TearDown() override { ResetPanelLibraryForTests(); }
  LcdController& lcd() { return *LcdGetController(); }
};
