// The panel window with the settings key it finds at creation, each case in registry roots of
// its own: without a key the "Fehler" box and still a window; with the defaults the load step
// asks for an area file; with the installed data set it knows every button and LED area and
// takes the picture's size.
#include <gtest/gtest.h>

#include <string>

#include "panel/core/data_lists.h"
#include "panel/link/settings_registry_win32.h"
#include "panel/window/panel_load_win32.h"
#include "panel/window/panel_window_win32.h"
#include "registry_sandbox.h"
#include "siccorae_loader.h"
#include "tools/rk52_layout.h"
#include "window_capture.h"

using namespace panel;

namespace {

using FindAreaById = tagRECTPROP* (*)(tagRLISTHEAD*, int32_t);
using FirstArea = tagRECTNODE* (*)(tagRLISTHEAD*);
using NextArea = tagRECTNODE* (*)(tagRECTNODE*);

template <typename Function>
Function Export(const SiccoraeApi& api, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(api.module, name)));
}

int AreaCount(const SiccoraeApi& api) {
  const FirstArea first = Export<FirstArea>(api, "GetRectHead");
  const NextArea next = Export<NextArea>(api, "GetNextRectEntry");
  int count = 0;
  for (tagRECTNODE* node = first(api.GetRectList()); node; node = next(node)) ++count;
  return count;
}

// Returns once the load 500 ms after creation has run: it starts the blink timer.
void WaitForTheLoadStep(HWND panel) {
  TimerTickCounter blink(panel, kTimerBlink);
  ASSERT_TRUE(WaitFor([&] { return blink.count() > 0; }));
  SyncWithPanel(panel);
}

bool SameRect(const tagAREARECT& area, const rk52::Rect& layout) {
  return area.left == layout.left && area.top == layout.top && area.right == layout.right &&
         area.bottom == layout.bottom;
}

TEST(PanelLoad, MissingKeyShowsTheBoxAndTheWindowStillOpens) {
  RegistrySandbox sandbox;  // neither root holds the key
  ASSERT_TRUE(sandbox.ok());
  MessageBoxCatcher boxes(kNoSettingsKeyCaption);
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(boxes.count(), 1);
  EXPECT_EQ(boxes.text(), kNoSettingsKeyText);
  EXPECT_TRUE(boxes.information_icon());
  EXPECT_EQ(boxes.owner(), nullptr);
  EXPECT_FALSE(SettingsKeyExists(HKEY_CURRENT_USER));
}

TEST(PanelLoad, DefaultConfigurationNameShowsTheProjectBox) {
  RegistrySandbox sandbox;
  ASSERT_TRUE(sandbox.ok());
  // No file names: the fixed layout names "rk52.bmp" and "rk52.cfg".
  SettingsValues values = InstalledSettings("");
  values[10].second = "";
  values[11].second = "";
  ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER, values));
  ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", 640, 240, 0x00808080));
  MessageBoxCatcher boxes(kNoConfigurationCaption);
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitFor([&] { return boxes.count() == 1; }));
  EXPECT_EQ(boxes.text(), kNoConfigurationText);
  EXPECT_TRUE(boxes.information_icon());
  EXPECT_EQ(boxes.owner(), panel);
  WaitForTheLoadStep(panel);
  EXPECT_EQ(AreaCount(api), 0);
  RECT frame;
  GetWindowRect(panel, &frame);
  EXPECT_EQ(frame.right - frame.left, 640);  // the picture was loaded before the question
}

TEST(PanelLoad, DataSetGivesEveryButtonAndLedAreaAndThePicturesSize) {
  RegistrySandbox sandbox;
  ASSERT_TRUE(sandbox.ok());
  ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER, InstalledSettings(DataSetFolder())));
  MessageBoxCatcher boxes(kNoConfigurationCaption);
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(panel, nullptr);
  WaitForTheLoadStep(panel);
  EXPECT_EQ(boxes.count(), 0);

  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof(folder), folder);
  EXPECT_EQ(lstrcmpiA(folder, DataSetFolder().c_str()), 0) << folder;

  RECT frame;
  GetWindowRect(panel, &frame);
  EXPECT_EQ(frame.right - frame.left, rk52::kWidth);
  EXPECT_EQ(frame.bottom - frame.top, rk52::kHeight + 2 * 32);

  const FindAreaById find_button = Export<FindAreaById>(api, "FindRectById");
  const FindAreaById find_led = Export<FindAreaById>(api, "FindEllipseById");
  EXPECT_EQ(AreaCount(api), rk52::kButtonCount + rk52::kLedCount);
  for (const rk52::Button& button : rk52::kButtons) {
    const tagRECTPROP* area = find_button(api.GetRectList(), button.id);
    ASSERT_NE(area, nullptr) << button.name;
    EXPECT_STREQ(area->name, button.name);
    EXPECT_TRUE(SameRect(area->rect, button.rect)) << button.name;
  }
  for (const rk52::Led& led : rk52::kLeds) {
    const tagRECTPROP* area = find_led(api.GetRectList(), led.id);
    ASSERT_NE(area, nullptr) << led.name;
    EXPECT_STREQ(area->name, led.name);
    EXPECT_TRUE(SameRect(area->rect, led.rect)) << led.name;
    EXPECT_EQ(area->color, area->inactive_color) << led.name;  // LEDs start off
  }
}

}  // namespace
