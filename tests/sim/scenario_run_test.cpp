// Running scenarios: a failed expectation reports what the panel showed; fast-forward gives the
// frames of stepping tick by tick; the picture's LCD is the rasteriser's, pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>

#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_render.h"
#include "sim/panel_picture.h"
#include "sim_test_support.h"

namespace {

TEST(ScenarioRunTest, FailedExpectationReportsLcdRelaysLedsAndTheLine) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: Wrong text\nhumidity: 70\nsteps:\n"
      "  - wait: 3s\n"
      "  - press: Room\n"
      "  - wait: 8s\n"
      "  - expect-lcd: {line: 2, text: \"    Standby\"}\n"
      "  - wait: 1s\n");
  sim::RunSetup setup = sim_test::DatasetSetup();
  char output[4096] = {};
  setup.out = fmemopen(output, sizeof output - 1, "w");
  const sim::ScenarioResult result = sim::RunScenario(scenario, setup);
  std::fclose(setup.out);

  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.steps_run, 4u);  // the step after the failure did not run
  const std::string expected =
      "    LCD line 2: expected \"    Standby\", shows \"  Drying Room   \"\n"
      "    LCD 1: |10 00  15\xC2\xB0" "C  70%|\n"  // the colon blinks
      "    LCD 2: |  Drying Room   |\n"
      "    relays: ventilator on compressor on heater off\n"
      "    LEDs: Room program on, Washing program off, Ready on, Heater manual off, "
      "Heater automatic off, Filter alarm off\n"
      "    at test.yaml:7:5\n";
  EXPECT_EQ(result.failure, expected);
  const std::string text = output;
  EXPECT_NE(text.find("  [10:00:11.500] ok   line 6    wait: 8s\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  [10:00:11.500] FAIL line 7    expect-lcd: {line: 2, text: \"    Standby\"}\n" +
                      expected),
            std::string::npos)
      << text;
}

// The run's own limit, for a scenario not checked before: the step that reaches it fails there,
// and a wait-lcd that matches in time still passes.
TEST(ScenarioRunTest, ARunStopsAtItsLimitOfSimulatedTime) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: Long\nsteps:\n"
      "  - wait-lcd: {line: 2, text: \" SICCORA-superb\", timeout: 1h}\n"
      "  - wait: 2m\n"
      "  - wait: 1s\n");
  sim::RunSetup setup = sim_test::DatasetSetup();
  setup.max_ticks = 60u * 20u;  // one minute
  const sim::ScenarioResult result = sim::RunScenario(scenario, setup);
  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.steps_run, 2u);
  EXPECT_EQ(result.simulated_ms, 60000u);
  EXPECT_EQ(result.failure.rfind("    reached the limit of 1m of simulated time (--max-time)\n", 0), 0u)
      << result.failure;
}

// Stepping tick by tick, a wait-lcd compares its row only after the LCD has changed: the clock's
// redraw each second, not every tick.
TEST(ScenarioRunTest, WaitLcdComparesOncePerLcdChange) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: Never\nsteps:\n"
      "  - wait-lcd: {line: 1, pattern: \"^never\", timeout: 10m}\n");
  const uint64_t comparisons = sim::LcdComparisons();
  const sim::ScenarioResult result = sim::RunScenario(scenario, sim_test::DatasetSetup(false));
  EXPECT_FALSE(result.passed);
  const uint64_t compared = sim::LcdComparisons() - comparisons;
  EXPECT_LE(compared, sim::LcdChangeCount() + 2);  // the first look and the timeout's report
  EXPECT_LT(compared, 10u * 60u * 20u / 5u);
}

// Runs a scenario tick by tick and fast-forwarded: both pass, with every frame in both directions
// at the same simulated millisecond, and the fast run executes fewer ticks.
void ExpectSameFramesBothWays(const char* what, const std::string& text, uint64_t min_ms,
                              size_t min_trace_bytes) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(text);
  std::string traces[2];
  uint64_t executed[2] = {};
  for (int fast = 0; fast < 2; ++fast) {
    sim_test::TraceCollector trace;
    sim::SetFrameObserver(sim_test::TraceCollector::Observe, &trace);
    const sim::ScenarioResult result = sim::RunScenario(scenario, sim_test::DatasetSetup(fast == 1));
    sim::SetFrameObserver(nullptr, nullptr);
    ASSERT_TRUE(result.passed) << what << (fast ? " fast-forward" : " tick by tick") << "\n"
                               << result.failure;
    EXPECT_GE(result.simulated_ms, min_ms) << what;
    executed[fast] = sim::ExecutedTicks();
    traces[fast] = trace.text;
  }
  EXPECT_GT(traces[0].size(), min_trace_bytes) << what;
  EXPECT_TRUE(traces[0] == traces[1]) << what << ": the traces part at byte "
                                      << std::mismatch(traces[0].begin(), traces[0].end(),
                                                       traces[1].begin(), traces[1].end())
                                                 .first -
                                             traces[0].begin();
  EXPECT_LT(executed[1], executed[0]) << what;
}

// A simulated day of the room program with changing air.
TEST(ScenarioRunTest, FastForwardGivesTheFramesOfTickByTickOverADay) {
  ExpectSameFramesBothWays("a day",
                           "name: Day\nclock: \"03:58:20\"\nhumidity: 70\nsteps:\n"
                           "  - wait: 3s\n"
                           "  - press: Room\n"
                           "  - press: Heater\n"
                           "  - wait: 5h\n"
                           "  - set: {humidity: 50, temperature: 5}\n"
                           "  - wait: 7h17m\n"
                           "  - press: {button: Filter, for: 6s}\n"
                           "  - set: {humidity: 75, temperature: 20}\n"
                           "  - wait: 11h43m\n",
                           24u * 3600u * 1000u, 1000000u);
}

// The controller's alarm timer, its seconds timer and the tick timers of a held key.
const char* const kTestMenu =
    "  - hold: Filter\n  - wait: 250ms\n  - hold: Heater\n  - wait: 250ms\n"
    "  - hold: Room\n  - wait: 250ms\n  - release: all\n"
    "  - wait-lcd: {line: 2, text: \"   TEST MENU\", timeout: 1s}\n";

TEST(ScenarioRunTest, FastForwardGivesTheFramesOfTickByTickForTimersOfEveryKind) {
  ExpectSameFramesBothWays("delayed-start alarm",
                           "name: Delayed\nclock: \"10:20:30\"\nhumidity: 70\nsteps:\n"
                           "  - wait: 3s\n"
                           "  - press: Washing\n"
                           "  - press: Washing\n"
                           "  - wait-lcd: {line: 2, text: \" Drying Washing\", timeout: 10m}\n"
                           "  - expect-lcd: {line: 1, pattern: \"^10.30\"}\n"
                           "  - wait: 2m\n",
                           9u * 60u * 1000u, 10000u);
  ExpectSameFramesBothWays("relay test",
                           std::string("name: Relays\nsteps:\n  - wait: 3s\n") + kTestMenu +
                               "  - press: Filter\n  - press: Filter\n  - press: Filter\n"
                               "  - press: Filter\n"
                               "  - expect-lcd: {line: 2, text: \"  RELAY Test\"}\n"
                               "  - press: Room\n"
                               "  - press: Heater\n"  // All Relays: on for 30 minutes
                               "  - expect-relays: {ventilator: on, compressor: on}\n"
                               "  - wait: 29m50s\n"
                               "  - expect-relays: {ventilator: on}\n"
                               "  - wait: 20s\n"
                               "  - expect-relays: {ventilator: off, compressor: off}\n"
                               "  - press: Room\n"
                               "  - press: Heater\n"  // Vent. Relay: on for 60 s
                               "  - expect-relays: {ventilator: on, compressor: off}\n"
                               "  - wait: 61s\n"
                               "  - expect-relays: {ventilator: off}\n",
                           31u * 60u * 1000u, 10000u);
  ExpectSameFramesBothWays("menu auto-repeat",
                           "name: Repeat\nclock: \"10:00\"\nsteps:\n"
                           "  - wait: 3s\n"
                           "  - hold: Filter\n  - wait: 250ms\n  - hold: Washing\n"
                           "  - wait: 250ms\n  - release: all\n"
                           "  - wait-lcd: {line: 2, text: \"   TIME MENU\", timeout: 1s}\n"
                           "  - press: Filter\n"
                           "  - press: {button: Room, for: 3s}\n"  // 1 + repeats after 2 s
                           "  - expect-lcd: {line: 1, pattern: \"^15.00 \"}\n"
                           "  - wait: 10s\n",
                           15u * 1000u, 1000u);
}

TEST(ScenarioRunTest, PngShowsTheRasterisedLcdPixelForPixel) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: Picture\nhumidity: 70\nsteps:\n"
      "  - wait: 3s\n"
      "  - press: Room\n"
      "  - wait: 6s\n"
      "  - screenshot: sim_test_panel.png\n");
  ASSERT_TRUE(sim::RunScenario(scenario, sim_test::DatasetSetup()).passed);
  sim::Picture written;
  ASSERT_TRUE(sim::ReadPicture("sim_test_panel.png", &written));
  std::remove("sim_test_panel.png");

  // The rasteriser alone, onto the LCD's background, as the window's redraw does.
  const panel::LcdRect bounds = panel::LcdDrawBounds();
  const int32_t width = bounds.right - bounds.left;
  const int32_t height = bounds.bottom - bounds.top;
  ASSERT_GT(width, 0);
  ASSERT_GT(height, 0);
  const uint32_t background = panel::ColourPixel(panel::LcdGetView()->background_colour);
  std::vector<uint32_t> lcd(static_cast<size_t>(width * height), background);
  panel::LcdPixelBuffer buffer{bounds.left, bounds.top, width, height, lcd.data()};
  panel::LcdRasterise(&buffer);

  int dots = 0, differing = 0;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t expected = lcd[static_cast<size_t>(y * width + x)];
      const uint32_t got =
          written.pixels[static_cast<size_t>((bounds.top + y) * written.width + bounds.left + x)];
      dots += expected != background ? 1 : 0;
      differing += expected != got ? 1 : 0;
    }
  }
  EXPECT_GT(dots, 500);  // "  Drying Room" and the clock line
  EXPECT_EQ(differing, 0);
  // The Room LED is lit in its colour on the picture.
  EXPECT_EQ(written.pixels[static_cast<size_t>(226 * written.width + 650)],
            panel::ColourPixel(panel::FindColour("Green")));
}

}  // namespace
