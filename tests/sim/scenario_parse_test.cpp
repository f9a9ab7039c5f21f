// Scenario files: each mistake is reported with the line and column of the value at fault, and
// a file with a mistake yields no scenario to run.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace {

struct ParseCase {
  const char* what;
  const char* text;
  int line;
  int column;
  const char* message_part;
};

const ParseCase kCases[] = {
    {"YAML syntax", "name: x\nsteps: [wait: 1s\n", 3, 1, "end of sequence"},
    {"unknown top-level key", "name: x\nspeed: 3\nsteps:\n  - wait: 1s\n", 2, 1,
     "unknown key \"speed\""},
    {"missing name", "steps:\n  - wait: 1s\n", 1, 1, "needs a \"name\""},
    {"no steps", "name: x\n", 1, 1, "needs \"steps\""},
    {"unknown step", "name: x\nsteps:\n  - wait: 1s\n  - jump: 3\n", 4, 5, "unknown step \"jump\""},
    {"unknown button", "name: x\nsteps:\n  - press: Turbo\n", 3, 12, "unknown button \"Turbo\""},
    {"ambiguous LED", "name: x\nsteps:\n  - expect-leds: {Heater: on}\n", 3, 19,
     "ambiguous LED \"Heater\""},
    {"LED state", "name: x\nsteps:\n  - expect-leds: {Ready: dim}\n", 3, 26, "\"blinking\""},
    {"bad duration", "name: x\nsteps:\n  - wait: 2 minutes\n", 3, 11, "not a duration"},
    {"duration past the longest", "name: x\nsteps:\n  - wait: 1000000000h1000000000h\n", 3, 11,
     "not a duration"},
    {"humidity out of the slider's range", "name: x\nsteps:\n  - set: {humidity: 101}\n", 3, 21,
     "between 0 and 100"},
    {"temperature not a number", "name: x\ntemperature: warm\nsteps:\n  - wait: 1s\n", 2, 14,
     "whole number"},
    {"unknown key in a step", "name: x\nsteps:\n  - wait-lcd: {line: 1, txt: a}\n", 3, 25,
     "unknown key \"txt\""},
    {"LCD line out of range", "name: x\nsteps:\n  - expect-lcd: {line: 3, text: a}\n", 3, 24,
     "between 1 and 2"},
    {"bad pattern", "name: x\nsteps:\n  - expect-lcd: [{pattern: \"(\"}]\n", 3, 28,
     "regular expression"},
    {"relay state", "name: x\nsteps:\n  - expect-relays: {heater: maybe}\n", 3, 29, "\"on\" or \"off\""},
    {"clock", "name: x\nclock: \"25:00\"\nsteps:\n  - wait: 1s\n", 2, 8, "time of day"},
    {"a step with two keys", "name: x\nsteps:\n  - {wait: 1s, press: Room}\n", 3, 5, "a step is one of"},
};

TEST(ScenarioParseTest, MistakesAreReportedWithLineAndColumn) {
  const sim::AreaNames names = sim_test::DatasetNames();
  for (const ParseCase& c : kCases) {
    sim::Scenario scenario;
    sim::ScenarioError error;
    EXPECT_FALSE(sim::ParseScenarioText(c.text, "bad.yaml", names, &scenario, &error)) << c.what;
    EXPECT_EQ(error.line, c.line) << c.what << ": " << error.message;
    EXPECT_EQ(error.column, c.column) << c.what << ": " << error.message;
    EXPECT_NE(error.message.find(c.message_part), std::string::npos) << c.what << ": " << error.message;
    EXPECT_EQ(sim::FormatScenarioError(error).rfind("bad.yaml:" + std::to_string(c.line) + ":" +
                                                        std::to_string(c.column) + ": error: ", 0),
              0u)
        << c.what;
  }
}

TEST(ScenarioParseTest, StepsResolveNamesDurationsAndSliders) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: All steps\nclock: \"23:59:30\"\nhumidity: 70\nsteps:\n"
      "  - press: {button: Filter, for: 5s}\n"
      "  - hold: [Filter, washing]\n"
      "  - release: all\n"
      "  - set: {temperature: -10}\n"
      "  - wait: 1h30m\n"
      "  - wait-lcd: {line: 2, pattern: \"^ *Standby\", timeout: 125ms}\n"
      "  - expect-lcd: [\"a\", {pattern: b}]\n"
      "  - expect-relays: {ventilator: on, heater: off}\n"
      "  - expect-leds: {Room: blinking, Filter alarm: off}\n"
      "  - screenshot: shot.png\n");
  ASSERT_EQ(scenario.steps.size(), 10u);
  EXPECT_EQ(scenario.clock_ms, (23u * 3600u + 59u * 60u + 30u) * 1000u);
  EXPECT_EQ(scenario.humidity, 70);
  EXPECT_EQ(scenario.temperature, 15);
  const std::vector<sim::Step>& s = scenario.steps;
  EXPECT_EQ(s[0].keys, 4);  // "Filter reset"
  EXPECT_EQ(s[0].ticks, 100u);
  EXPECT_EQ(s[0].line, 5);
  EXPECT_EQ(s[1].keys, 4 | 2);  // "Clothes washing", any case
  EXPECT_EQ(s[2].keys, sim::kReleaseAllButtons);
  EXPECT_TRUE(s[3].set_temperature);
  EXPECT_FALSE(s[3].set_humidity);
  EXPECT_EQ(s[3].temperature, -10);
  EXPECT_EQ(s[4].ticks, 5400u * 20u);
  EXPECT_EQ(s[5].ticks, 3u);  // 125 ms rounded up to whole ticks
  EXPECT_TRUE(s[5].lcd[0].is_pattern);
  EXPECT_EQ(s[5].lcd[0].row, 1);
  ASSERT_EQ(s[6].lcd.size(), 2u);
  EXPECT_FALSE(s[6].lcd[0].is_pattern);
  EXPECT_TRUE(s[6].lcd[1].is_pattern);
  ASSERT_EQ(s[7].relays.size(), 2u);
  ASSERT_EQ(s[8].leds.size(), 2u);
  EXPECT_EQ(s[8].leds[0].led.name, "Room program");
  EXPECT_EQ(s[8].leds[0].state, sim::LedState::kBlinking);
  EXPECT_EQ(s[9].path, "shot.png");
}

}  // namespace
