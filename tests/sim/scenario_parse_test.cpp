// Scenario files: each mistake is reported with the line and column of the value at fault, and
// a file with a mistake yields no scenario to run.
#include <gtest/gtest.h>

#include "sim/scenario_bounds.h"
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
    {"a repeated top-level key", "name: x\nsteps:\n  - wait: 1s\nname: y\n", 4, 1,
     "duplicate key \"name\" (first on line 1)"},
    {"a repeated key in a step", "name: x\nsteps:\n  - press: {button: Room, button: Off}\n", 3, 27,
     "duplicate key \"button\""},
    {"a second document", "name: x\nsteps:\n  - wait: 1s\n---\nname: y\n", 4, 1,
     "second YAML document"},
    {"an empty second document", "name: x\nsteps:\n  - wait: 1s\n---\n", 4, 1,
     "second YAML document"},
    {"a pattern repeating past any LCD row",
     "name: x\nsteps:\n  - expect-lcd: [{pattern: \"(x{16}){16}y{17}\"}]\n", 3, 28,
     "repeating more than an LCD row holds"},
    {"an empty file", "", 1, 1, "empty"},
    {"only a comment", "# nothing yet\n", 1, 1, "empty"},
    {"an empty document", "---\n", 2, 1, "a scenario is a map"},
    {"nesting deeper than a scenario has", "name: x\nsteps: [[[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]]]]\n",
     2, 24, "nested deeper than 16 levels"},
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

// Nesting that would take the reader's recursion past any stack is refused at the start.
TEST(ScenarioParseTest, DeeplyNestedYamlIsAnError) {
  const sim::AreaNames names = sim_test::DatasetNames();
  for (const size_t depth : {1000u, 100000u}) {
    const std::string text = "name: x\nsteps: " + std::string(depth, '[') + std::string(depth, ']');
    sim::Scenario scenario;
    sim::ScenarioError error;
    EXPECT_FALSE(sim::ParseScenarioText(text, "deep.yaml", names, &scenario, &error)) << depth;
    EXPECT_NE(error.message.find("nested too deeply"), std::string::npos) << error.message;
    EXPECT_GE(error.line, 1);
  }
}

struct BoundCase {
  const char* what;
  const char* steps;
  const char* max_time;
  int line;  // 0: within the limit
  const char* message_part;
};

const BoundCase kBoundCases[] = {
    {"a month of waiting is the default limit", "  - wait: 744h\n", "744h", 0, ""},
    {"a wait past the default limit", "  - wait: 1s\n  - wait: 100000h\n", "744h", 5,
     "may run 4166d16h1s"},
    {"an endless wait-lcd", "  - wait-lcd: {line: 1, text: x, timeout: 1000000000h}\n", "31d", 4,
     "more than --max-time 31d"},
    {"the steps add up", "  - wait: 1h\n  - press: {button: Off, for: 59m59s}\n", "2h", 0, ""},
    {"a press's key-up counts too",
     "  - wait: 1h\n  - press: {button: Off, for: 59m59s800ms}\n", "2h", 5, "may run 2h1s"},
};

TEST(ScenarioParseTest, ScenariosLongerThanTheLimitAreRefusedBeforeRunning) {
  for (const BoundCase& c : kBoundCases) {
    const sim::Scenario scenario =
        sim_test::ScenarioFromText(std::string("name: x\nclock: \"10:00\"\nsteps:\n") + c.steps);
    uint64_t max_ticks = 0;
    ASSERT_TRUE(sim::ParseDurationTicks(c.max_time, &max_ticks)) << c.what;
    sim::ScenarioError error;
    const bool within = sim::CheckScenarioBound(scenario, max_ticks, &error);
    EXPECT_EQ(within, c.line == 0) << c.what;
    if (within) continue;
    EXPECT_EQ(error.line, c.line) << c.what;
    EXPECT_EQ(error.column, 5) << c.what;
    EXPECT_NE(error.message.find(c.message_part), std::string::npos) << c.what << ": " << error.message;
  }
  EXPECT_EQ(sim::kDefaultMaxTicks, 744u * 3600u * 20u);
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
