// The panel's buttons worked by mouse and keyboard, the tooltips of the status line and the F1
// help texts: key frames, key clicks, the Ctrl latch with its edges, the invalid key state, and
// which area's text F1 finds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/link/protocol_settings.h"
#include "panel/window/panel_area_help.h"
#include "panel/window/panel_hover.h"
#include "panel/window/panel_keys.h"
#include "tests/link/link_test_support.h"

namespace {

using panel::LatchEdge;

enum class Op { kDown, kUp, kKeyUp };

struct Step {
  Op op;
  int32_t x;  // for kDown; every area lies in the row y 0..9
  bool ctrl;
};

struct KeyCase {
  const char* name;
  uint32_t key_click_word;
  std::vector<Step> steps;
  std::vector<std::string> frames;
  int beeps;
  std::vector<LatchEdge> edges;      // of the presses that hit a button, in order
  std::vector<int32_t> repainted;    // left edges of the rectangles repainted at key releases
  int invalid_key_lines;
};

constexpr int32_t kInvalidId = INT32_MIN;  // bit 31: no key frame can carry it

class PanelKeysTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    panel::ResetPanelKeys();
    AddArea(kRectKindButton, 1, 0);
    AddArea(kRectKindButton, 2, 20);
    AddArea(kRectKindButton, kInvalidId, 40);
    AddArea(kRectKindLed, 1, 60);  // shares id 1 with a button: repainted with it at a key release
  }

  void AddArea(uint32_t kind, int32_t id, int32_t left) {
    tagRECTPROP area{};
    area.kind = kind;
    area.id = id;
    area.rect = {left, 0, left + 10, 10};
    AppendRect(areas_, CreateRectEntry(&area));
  }

  // A button with an LED inside it, as the device's room controls have them, with their status
  // line tooltips and their names in the context-help file.
  void AddButtonWithLed() {
    tagRECTPROP button{};
    button.kind = kRectKindButton;
    button.id = 16;
    button.rect = {100, 0, 140, 40};
    button.tooltip = const_cast<char*>("Room");
    button.name = const_cast<char*>("Room");
    AppendRect(areas_, CreateRectEntry(&button));
    tagRECTPROP led = button;
    led.kind = kRectKindLed;
    led.rect = {110, 10, 120, 20};
    led.tooltip = const_cast<char*>("Room LED");
    led.name = const_cast<char*>("Room program");
    AppendRect(areas_, CreateRectEntry(&led));
  }

  static void RecordRepaint(void* context, const tagAREARECT& rect) {
    static_cast<std::vector<int32_t>*>(context)->push_back(rect.left);
  }
};

TEST_F(PanelKeysTest, PressReleaseAndLatchSequences) {
  const Op D = Op::kDown, U = Op::kUp, K = Op::kKeyUp;
  const LatchEdge none = LatchEdge::kNone, draw = LatchEdge::kDrawSunken,
                  erase = LatchEdge::kErase;
  const std::vector<KeyCase> cases = {
      {"click on id 1", kKeyClickOn, {{D, 5, false}, {U, 0, false}},
       {"@KB\r", "@KA\r"}, 1, {none}, {}, 0},
      {"ctrl-click 1 and 2, release ctrl", kKeyClickOn,
       {{D, 5, true}, {U, 0, true}, {D, 25, true}, {U, 0, true}, {K, 0, false}},
       {"@KB\r", "@KD\r", "@KA\r"}, 2, {draw, draw}, {0, 20, 60}, 0},
      {"second ctrl-click releases", kKeyClickOn,
       {{D, 5, true}, {U, 0, true}, {D, 5, true}, {U, 0, true}, {K, 0, false}},
       {"@KB\r", "@KA\r"}, 2, {draw, erase}, {}, 0},
      {"ctrl let go before the mouse button", kKeyClickOn,
       {{D, 5, true}, {K, 0, false}, {U, 0, false}},
       {"@KB\r", "@KA\r", "@KA\r"}, 1, {draw}, {0, 60}, 0},
      {"plain press ends the latch", kKeyClickOn,
       {{D, 5, true}, {U, 0, true}, {D, 25, false}, {U, 0, false}, {K, 0, false}},
       {"@KB\r", "@KD\r", "@KB\r"}, 2, {draw, none}, {}, 0},
      {"bare panel and no latch", kKeyClickOn, {{D, 90, false}, {U, 0, false}, {K, 0, false}},
       {}, 0, {}, {}, 0},
      {"key click off", '0', {{D, 25, false}, {U, 0, false}}, {"@KC\r", "@KA\r"}, 0, {none}, {},
       0},
      {"bit 31 is no valid key code", kKeyClickOn, {{D, 45, false}, {U, 0, false}}, {"@KA\r"}, 1,
       {none}, {}, 1},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    while (tx_->first != nullptr) RemoveEntry(tx_, tx_->first->record);
    panel_.beeps.clear();
    monitor_.lines.clear();
    panel::ResetPanelKeys();
    SetKeyClickWord(c.key_click_word);
    std::vector<LatchEdge> edges;
    std::vector<int32_t> repainted;
    for (const Step& step : c.steps) {
      if (step.op == Op::kDown) {
        panel::RememberPressPoint({step.x, 5});
        const panel::ButtonPress press = panel::PressButton({step.x, 5}, step.ctrl);
        if (press.on_button) {
          edges.push_back(press.edge);
          EXPECT_EQ(press.rect.left, step.x / 10 * 10);
        }
      } else if (step.op == Op::kUp) {
        panel::ReleaseButton(step.ctrl);
      } else {
        panel::ReleaseLatchedButtons(RecordRepaint, &repainted);
      }
    }
    EXPECT_EQ(TxMessages(), c.frames);
    EXPECT_EQ(static_cast<int>(panel_.beeps.size()), c.beeps);
    for (const RecordedBeep& beep : panel_.beeps) {
      EXPECT_EQ(beep.frequency_hz, 3900u);
      EXPECT_EQ(beep.duration_ms, 75u);
    }
    EXPECT_EQ(edges, c.edges);
    EXPECT_EQ(repainted, c.repainted);
    int invalid = 0;
    for (const std::string& line : monitor_.Lines(kTxMonitor)) {
      if (line == "No Valid Key Code Found\r\n") ++invalid;
    }
    EXPECT_EQ(invalid, c.invalid_key_lines);
    EXPECT_EQ(panel::GetPanelKeys().latch_mask, 0) << "every case ends unlatched";
  }
}

TEST_F(PanelKeysTest, ReleaseUsesThePressPointNotWhereTheMouseIs) {
  panel::RememberPressPoint({25, 5});
  panel::PressButton({25, 5}, false);
  panel::ReleaseButton(false);  // wherever the button is let go
  panel::RememberPressPoint({95, 5});
  panel::ReleaseButton(false);  // a release after a press on the bare panel sends nothing
  EXPECT_EQ(TxMessages(), (std::vector<std::string>{"@KC\r", "@KA\r"}));
}

// The window's capture, as the hook takes it: how many beeps had sounded by then.
struct CaptureProbe {
  const RecordingPanel* panel;
  int beeps_at_capture;
};

TEST_F(PanelKeysTest, TheHookRunsBeforeTheKeyClickAndOnlyOnAButton) {
  SetKeyClickWord(kKeyClickOn);
  CaptureProbe probe{&panel_, -1};
  const panel::ButtonFoundHook hook{
      [](void* context) {
        CaptureProbe* p = static_cast<CaptureProbe*>(context);
        p->beeps_at_capture = static_cast<int>(p->panel->beeps.size());
      },
      &probe};
  panel::PressButton({95, 5}, false, hook);  // the bare panel: no capture
  EXPECT_EQ(probe.beeps_at_capture, -1);
  panel::PressButton({5, 5}, false, hook);
  EXPECT_EQ(probe.beeps_at_capture, 0);
  EXPECT_EQ(panel_.beeps.size(), 1u);
}

TEST_F(PanelKeysTest, ASwapWhileAButtonIsHeldReleasesItOnce) {
  EXPECT_FALSE(panel::ReleaseHeldButton());  // nothing pressed
  panel::RememberPressPoint({25, 5});
  panel::PressButton({25, 5}, false);
  EXPECT_TRUE(panel::ReleaseHeldButton());
  EXPECT_FALSE(panel::ReleaseHeldButton());
  panel::RememberPressPoint({5, 5});
  panel::PressButton({5, 5}, false);
  panel::ReleaseButton(false);
  EXPECT_FALSE(panel::ReleaseHeldButton());  // released already
  EXPECT_EQ(TxMessages(), (std::vector<std::string>{"@KC\r", "@KA\r", "@KB\r", "@KA\r"}));
}

std::vector<std::string> g_status_texts;  // what the status line was given, in order

TEST_F(PanelKeysTest, TooltipOfTheLedBeforeTheButtonInBothFormats) {
  AddButtonWithLed();
  PanelPlatform platform = Platform();
  platform.set_status_text = [](void*, const char* text) { g_status_texts.push_back(text); };
  InstallPanelPlatform(platform);
  g_status_texts.clear();
  EXPECT_TRUE(panel::ShowAreaTooltip({115, 15}, true));
  EXPECT_TRUE(panel::ShowAreaTooltip({130, 30}, true));
  EXPECT_TRUE(panel::ShowAreaTooltip({115, 15}, false));
  EXPECT_TRUE(panel::ShowAreaTooltip({5, 5}, true));  // a button without tooltip
  EXPECT_FALSE(panel::ShowAreaTooltip({140, 30}, false));  // right edge lies outside
  EXPECT_EQ(g_status_texts, (std::vector<std::string>{"Room LED", "Room",
                                                    "Room LED Pos:  x: 115, y: 15", ""}));
}

TEST_F(PanelKeysTest, HelpTextOfTheLedBeforeTheButtonFromTheDataSetsHelpFile) {
  AddButtonWithLed();
  const std::string help_file = std::string(SICCORA_DATASET_DIR) + "/rk52.ctx";
  struct Case {
    tagLISTPOINT point;
    const char* file;
    bool on_area;
    const char* text_start;  // null: no text
  };
  // The file is read once and then kept: the missing file comes first.
  const Case cases[] = {
      {{120, 20}, "no-such-help-file.ctx", true, nullptr},
      {{115, 15}, help_file.c_str(), true, "Lit while the room drying program runs"},
      {{130, 30}, help_file.c_str(), true, "Chooses the room drying program"},
      {{5, 5}, help_file.c_str(), true, nullptr},       // a button without a name
      {{95, 5}, help_file.c_str(), false, nullptr},     // no area: the help command's case
      {{130, 30}, "", true, nullptr},                   // no help file named
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.point.x) + "," + std::to_string(c.point.y) + " " + c.file);
    const panel::AreaHelp help = panel::LookUpAreaHelp(c.point, c.file);
    EXPECT_EQ(help.on_area, c.on_area);
    if (c.text_start == nullptr) {
      EXPECT_EQ(help.text, nullptr);
    } else {
      ASSERT_NE(help.text, nullptr);
      EXPECT_EQ(std::string(help.text).rfind(c.text_start, 0), 0u) << help.text;
    }
  }
}

}  // namespace
