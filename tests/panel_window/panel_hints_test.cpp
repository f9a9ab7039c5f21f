// The hint texts of the status line and their rotation.
#include "panel/window/panel_hints.h"

#include <gtest/gtest.h>

#include <string>

using namespace panel;

namespace {

TEST(PanelHints, NineTextsInTurnThenTheFirstAgain) {
  int index = 0;
  std::string seen[kPanelHintCount + 1];
  for (int step = 0; step <= kPanelHintCount; ++step) {
    seen[step] = PanelHintText(index);
    index = NextHintIndex(index);
  }
  EXPECT_EQ(seen[0], "Use the Ctrl key to hold buttons pressed");
  EXPECT_EQ(seen[1],
            "Press and hold the Filter reset button, followed by the clothes washing button to "
            "enter the Time Menu");
  EXPECT_EQ(seen[3],
            "press and hold the Filter reset and heater buttons, followed by the room washing "
            "button to enter the Test Menu");
  EXPECT_EQ(seen[8], "The filter time is set in the simulator to run out after one minute operation.");
  EXPECT_EQ(seen[9], seen[0]);  // wraps from the ninth to the first
  for (int a = 0; a < kPanelHintCount; ++a) {
    for (int b = a + 1; b < kPanelHintCount; ++b) EXPECT_NE(seen[a], seen[b]) << a << " " << b;
  }
}

TEST(PanelHints, IndexesOutsideTheTableGiveTheFirst) {
  struct Case {
    int index;
    int next;
  };
  const Case cases[] = {{0, 1}, {7, 8}, {8, 0}, {9, 0}, {-1, 0}, {1000, 0}};
  for (const Case& c : cases) EXPECT_EQ(NextHintIndex(c.index), c.next) << c.index;
  EXPECT_STREQ(PanelHintText(9), PanelHintText(0));
  EXPECT_STREQ(PanelHintText(-3), PanelHintText(0));
}

}  // namespace
