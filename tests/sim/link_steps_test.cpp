// The steps a tester of the link needs: the panel's answers off and on, a target's frames, buttons
// by id, key frames at once, the clock with milliseconds; and what the controller does when its
// frames go unanswered.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "sim_test_support.h"

namespace {

struct BadStep {
  const char* what;
  const char* step;  // the text after "  - "
  int column;
  const char* message_part;
};

const BadStep kBadSteps[] = {
    {"answers not a map", "panel: off", 12, "{answers: off}"},
    {"unknown panel key", "panel: {acks: off}", 13, "unknown key \"acks\""},
    {"answers word", "panel: {answers: later}", 22, "\"on\" or \"off\""},
    {"unknown frame", "send: \"@X12\"", 11, "starts with one of \"@H\""},
    {"no frame start", "send: \"H058\"", 11, "starts with one of"},
    {"humidity not hexadecimal", "send: \"@H05G\"", 11, "\"@H\" x h l"},
    {"humidity too short", "send: \"@H05\"", 11, "\"@H\" x h l"},
    {"lower-case hexadecimal", "send: \"@I0a\"", 11, "\"@I\" h l"},
    {"clock not six digits", "send: \"@R12345\"", 11, "six decimal digits"},
    {"sensor error with a payload", "send: \"@S1\"", 11, "\"@S\": sensor error"},
    {"a CR inside", "send: \"@K\\r\"", 11, "\"@K\" c"},
    {"character above one byte", "send: \"@K\\u0100\"", 11, "up to \\xFF"},
    {"a list", "send: [\"@S\"]", 11, "single value"},
    {"button id 0", "hold: {id: 0}", 16, "from 1 to 4294967295"},
    {"button id above 32 bits", "hold: [{id: 4294967296}]", 17, "from 1 to 4294967295"},
    {"button id not a number", "release: [{id: four}]", 20, "from 1 to 4294967295"},
    {"button map with a name", "hold: {name: Room}", 12, "unknown key \"name\""},
};

TEST(LinkStepsTest, BadStepsAreReportedWithLineAndColumn) {
  const sim::AreaNames names = sim_test::DatasetNames();
  for (const BadStep& c : kBadSteps) {
    const std::string text = std::string("name: x\nsteps:\n  - wait: 1s\n  - ") + c.step + "\n";
    sim::Scenario scenario;
    sim::ScenarioError error;
    EXPECT_FALSE(sim::ParseScenarioText(text, "bad.yaml", names, &scenario, &error)) << c.what;
    EXPECT_EQ(error.line, 4) << c.what << ": " << error.message;
    EXPECT_EQ(error.column, c.column) << c.what << ": " << error.message;
    EXPECT_NE(error.message.find(c.message_part), std::string::npos) << c.what << ": " << error.message;
  }
}

TEST(LinkStepsTest, BadHeadValuesAreReported) {
  const sim::AreaNames names = sim_test::DatasetNames();
  const char* const texts[] = {
      "name: x\nkeys: sometimes\nsteps:\n  - wait: 1s\n",
      "name: x\nclock: \"10:00:00.5\"\nsteps:\n  - wait: 1s\n",
      "name: x\nclock: \"10:00.500\"\nsteps:\n  - wait: 1s\n",
  };
  for (const char* text : texts) {
    sim::Scenario scenario;
    sim::ScenarioError error;
    EXPECT_FALSE(sim::ParseScenarioText(text, "bad.yaml", names, &scenario, &error)) << text;
    EXPECT_EQ(error.line, 2) << text << error.message;
  }
}

TEST(LinkStepsTest, NewStepsAndHeadValuesAreRead) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: x\nclock: \"09:59:58.375\"\nkeys: at-once\nsteps:\n"
      "  - panel: {answers: off}\n"
      "  - panel: {answers: on}\n"
      "  - send: \"@H058\"\n"
      "  - send: \"@K\\x80\"\n"
      "  - send: \"@R235959\"\n"
      "  - hold: [Room, {id: 65536}]\n"
      "  - release: {id: 4294967295}\n");
  ASSERT_EQ(scenario.steps.size(), 7u);
  EXPECT_EQ(scenario.clock_ms, ((9u * 60u + 59u) * 60u + 58u) * 1000u + 375u);
  EXPECT_TRUE(scenario.key_frames_at_once);
  EXPECT_EQ(scenario.steps[0].kind, sim::StepKind::kPanel);
  EXPECT_FALSE(scenario.steps[0].answers);
  EXPECT_TRUE(scenario.steps[1].answers);
  EXPECT_EQ(scenario.steps[2].kind, sim::StepKind::kSend);
  EXPECT_EQ(scenario.steps[2].frame, "@H058");
  EXPECT_EQ(scenario.steps[3].frame, std::string("@K\x80", 3));  // one byte per character
  EXPECT_EQ(scenario.steps[5].keys, 16 | 65536);
  EXPECT_EQ(scenario.steps[6].keys, -1);
  EXPECT_FALSE(sim_test::ScenarioFromText("name: x\nsteps:\n  - wait: 1s\n").key_frames_at_once);
}

// The controller's frames in order, each with the tick it left at.
struct SentFrames {
  std::vector<std::pair<uint64_t, std::string>> frames;
  static void Observe(void* context, uint64_t elapsed_ms, sim::FrameDirection direction,
                      const uint8_t* bytes, size_t length) {
    if (direction != sim::FrameDirection::kToPanel) return;
    static_cast<SentFrames*>(context)->frames.emplace_back(
        elapsed_ms / sim::kTickMs, std::string(reinterpret_cast<const char*>(bytes), length));
  }
};

sim::ScenarioResult RunObserved(const sim::Scenario& scenario, SentFrames* sent, bool fast = true) {
  sim::SetFrameObserver(SentFrames::Observe, sent);
  const sim::ScenarioResult result = sim::RunScenario(scenario, sim_test::DatasetSetup(fast));
  sim::SetFrameObserver(nullptr, nullptr);
  return result;
}

// Without answers every frame goes out four times, 200 ms (4 ticks) after the last byte of the
// one before, and then the next message follows; with answers each goes out once.
TEST(LinkStepsTest, UnansweredFramesAreSentFourTimesAndGivenUp) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: x\nsteps:\n  - wait: 3s\n  - panel: {answers: off}\n  - wait: 4s\n"
      "  - panel: {answers: on}\n  - wait: 2s\n");
  SentFrames sent;
  ASSERT_TRUE(RunObserved(scenario, &sent).passed);
  const uint64_t off_tick = 60;
  const uint64_t on_tick = 140;
  std::vector<std::pair<uint64_t, std::string>> unanswered;
  for (const auto& frame : sent.frames) {
    if (frame.first >= off_tick && frame.first < on_tick - 20) unanswered.push_back(frame);
  }
  ASSERT_GE(unanswered.size(), 8u);
  for (size_t i = 1; i < unanswered.size(); ++i) {
    EXPECT_EQ(unanswered[i].first - unanswered[i - 1].first, 4u) << i;
  }
  // Runs of four of the same message (the clock's text may change between its sends).
  for (size_t i = 0; i + 4 <= unanswered.size(); i += 4) {
    for (size_t k = 1; k < 4; ++k) {
      EXPECT_EQ(unanswered[i + k].second.substr(0, 3), unanswered[i].second.substr(0, 3)) << i;
    }
  }
  std::vector<std::string> answered;
  for (const auto& frame : sent.frames) {
    if (frame.first >= on_tick + 10) answered.push_back(frame.second);
  }
  ASSERT_GE(answered.size(), 2u);
  EXPECT_EQ(std::count(answered.begin(), answered.end(), answered.front()), 1);
}

// A key frame set at once reaches the controller at the very next tick, ahead of the
// acknowledgement its last frame left queued; queued, it waits behind it.
TEST(LinkStepsTest, KeyFramesAtOnceGoAheadOfPendingAnswers) {
  struct KeyTicks {
    std::vector<uint64_t> key_ms;
    uint64_t set_ms = 0;
    static void Observe(void* context, uint64_t elapsed_ms, sim::FrameDirection direction,
                        const uint8_t* bytes, size_t length) {
      if (direction == sim::FrameDirection::kToController && length >= 2 && bytes[1] == 'K') {
        static_cast<KeyTicks*>(context)->key_ms.push_back(elapsed_ms);
      }
    }
  };
  // At 3.000 s the clock's second event has just queued frames, so an answer is pending.
  const char* const heads[] = {"name: x\nsteps:\n", "name: x\nkeys: at-once\nsteps:\n"};
  uint64_t delivered[2] = {};
  for (int at_once = 0; at_once < 2; ++at_once) {
    const sim::Scenario scenario = sim_test::ScenarioFromText(
        std::string(heads[at_once]) + "  - wait: 3050ms\n  - hold: Room\n  - wait: 1s\n");
    KeyTicks keys;
    sim::SetFrameObserver(KeyTicks::Observe, &keys);
    ASSERT_TRUE(sim::RunScenario(scenario, sim_test::DatasetSetup()).passed);
    sim::SetFrameObserver(nullptr, nullptr);
    ASSERT_EQ(keys.key_ms.size(), 1u);
    delivered[at_once] = keys.key_ms.front();
  }
  EXPECT_EQ(delivered[1], 3050u);
  EXPECT_GT(delivered[0], delivered[1]);
}

// Retransmissions, a target's frames and key frames at once: the same frames at the same
// milliseconds with and without skipping quiet ticks.
TEST(LinkStepsTest, FastForwardGivesTheFramesOfTickByTickWithRetransmissions) {
  const sim::Scenario scenario = sim_test::ScenarioFromText(
      "name: x\nkeys: at-once\nhumidity: 70\nsteps:\n"
      "  - wait: 3s\n  - panel: {answers: off}\n  - press: Room\n  - wait: 20s\n"
      "  - send: \"@S\"\n  - set: {humidity: 59}\n  - wait: 15s\n  - panel: {answers: on}\n"
      "  - send: \"@H03B\"\n  - send: \"@R235950\"\n  - wait: 30s\n  - press: Off\n"
      "  - wait: 1m\n");
  const sim_test::TracedRun runs[2] = {sim_test::RunTraced(scenario, false),
                                       sim_test::RunTraced(scenario, true)};
  for (const sim_test::TracedRun& run : runs) ASSERT_TRUE(run.result.passed) << run.result.failure;
  const std::string traces[2] = {runs[0].trace, runs[1].trace};
  const uint64_t executed[2] = {runs[0].executed_ticks, runs[1].executed_ticks};
  EXPECT_NE(traces[0].find(" < @S\r"), std::string::npos);
  EXPECT_TRUE(traces[0] == traces[1]) << "the traces part at byte "
                                      << std::mismatch(traces[0].begin(), traces[0].end(),
                                                       traces[1].begin(), traces[1].end())
                                                 .first -
                                             traces[0].begin();
  EXPECT_LT(executed[1], executed[0]);
}

}  // namespace
