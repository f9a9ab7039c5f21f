// The common start of the library's window cases: the library loaded (under the load-time word
// or another one), its panel window found and this process's receiver attached; frames go in
// with their answers taken at once. And the facts of a top-level window, checked as one record.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "siccorae_loader.h"

class PanelLibraryCase : public ::testing::Test {
 protected:
  PanelLibraryCase() : api_(LoadSiccorae()) {}
  // Loads the library with another option word in force when the panel is created.
  explicit PanelLibraryCase(uint32_t options) : api_(LoadSiccoraeWithOptions(options)) {}

  void SetUp() override {
    ASSERT_NE(api_.module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    AttachRecorder(api_);
  }

  // A frame from the application, its acknowledgement delivered.
  void Frame(const std::string& frame) {
    Send(api_, frame);
    while (!CheckRxOnce(api_).empty()) {
    }
  }

  const SiccoraeApi& api_;
  HWND panel_ = nullptr;
};

// What a top-level window is and where it stands (screen pixels of its frame).
struct WindowFacts {
  const char* title;
  HWND owner;
  bool visible;
  int left;
  int top;
  int width;
  int height;
};

inline void ExpectWindowFacts(HWND window, const WindowFacts& expected) {
  char title[128] = {};
  GetWindowTextA(window, title, sizeof(title));
  RECT frame{};
  GetWindowRect(window, &frame);
  const WindowFacts shown{nullptr,
                          GetWindow(window, GW_OWNER),
                          IsWindowVisible(window) != FALSE,
                          frame.left,
                          frame.top,
                          frame.right - frame.left,
                          frame.bottom - frame.top};
  EXPECT_STREQ(title, expected.title);
  EXPECT_EQ(shown.owner, expected.owner);
  EXPECT_EQ(shown.visible, expected.visible);
  const struct {
    const char* what;
    int shown;
    int expected;
  } places[] = {{"left", shown.left, expected.left},
                {"top", shown.top, expected.top},
                {"width", shown.width, expected.width},
                {"height", shown.height, expected.height}};
  for (const auto& place : places) EXPECT_EQ(place.shown, place.expected) << place.what;
}
