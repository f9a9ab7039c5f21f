// A session recorded the way siccora.exe --record does it, played here on the simulator tick by
// tick as the shell's loop runs, and then replayed from the written file by the runner.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/shell/session_recorder.h"
#include "sim_test_support.h"

namespace {

constexpr char kRecordedFile[] = "sim_test_session.yaml";

// Plays the shell: the panel's messages go to the recorder before the tick, the frame after.
struct ShellPlayer {
  const uint8_t* frame = nullptr;
  int length = 0;
  std::string frame_bytes;

  static void Observe(void* context, uint64_t, sim::FrameDirection direction,
                      const uint8_t* bytes, size_t length) {
    auto* player = static_cast<ShellPlayer*>(context);
    if (direction == sim::FrameDirection::kToController) {
      for (size_t i = 0; i < length; ++i) shell::RecordPanelByte(bytes[i]);
      return;
    }
    player->frame_bytes.assign(reinterpret_cast<const char*>(bytes), length);
  }
  void Run(uint64_t ticks) {
    for (uint64_t i = 0; i < ticks; ++i) {
      frame_bytes.clear();
      sim::RunTicks(1);
      shell::RecordTick(sim::InputTemperature(), sim::InputHumidity(),
                        reinterpret_cast<const uint8_t*>(frame_bytes.data()),
                        static_cast<int>(frame_bytes.size()));
    }
  }
};

const char* ButtonName(int32_t id) {
  static std::vector<sim::PanelArea> buttons;
  buttons = sim::PanelButtons();
  for (const sim::PanelArea& button : buttons) {
    if (button.id == id) return button.name.c_str();
  }
  return nullptr;
}

std::string FileText(const char* path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// A chord whose key byte wraps past 0xFF ("@K" 0x01 is 0x40 | 0x80) records those two buttons.
TEST(SessionReplayTest, RecordsAChordWhoseKeyByteWraps) {
  constexpr char kChordFile[] = "sim_test_chord.yaml";
  ASSERT_TRUE(shell::StartRecording(kChordFile, shell::RecorderStart{10, 0, 0, 15, 58, nullptr}));
  for (uint8_t byte : {uint8_t{'@'}, uint8_t{'K'}, uint8_t{0x01}, uint8_t{'\r'}}) {
    shell::RecordPanelByte(byte);
  }
  shell::StopRecording();
  const std::string recorded = FileText(kChordFile);
  EXPECT_NE(recorded.find("  - hold: [\"64\", \"128\"]\n"), std::string::npos) << recorded;
  std::remove(kChordFile);
}

TEST(SessionReplayTest, RecordedSessionReplaysToSuccess) {
  std::string error;
  ASSERT_TRUE(sim::StartSimPanel(SICCORA_DATASET_DIR, "rk52.opd", &error)) << error;
  sim::SetFastForward(false);
  sim::StartEngine(sim::EngineStart{(9u * 3600u + 59u * 60u + 40u) * 1000u, 15, 58});
  ShellPlayer player;
  sim::SetFrameObserver(ShellPlayer::Observe, &player);
  ASSERT_TRUE(shell::StartRecording(kRecordedFile, shell::RecorderStart{9, 59, 40, 15, 58, ButtonName}));

  // A manual session: the room program in damp air, the heater, standby, the time menu, off.
  player.Run(60);
  sim::SetInputs(15, 70);
  player.Run(7);
  sim::SetKeyState(16);  // Room down
  player.Run(4);
  sim::SetKeyState(0);
  player.Run(200);
  sim::SetKeyState(8);  // Heater
  player.Run(3);
  sim::SetKeyState(0);
  player.Run(600);
  sim::SetInputs(12, 55);
  player.Run(400);
  sim::SetKeyState(4);  // Ctrl: Filter reset, then Clothes washing: the time menu
  player.Run(6);
  sim::SetKeyState(4 | 2);
  player.Run(6);
  sim::SetKeyState(0);
  player.Run(80);
  sim::SetKeyState(1);  // Off
  player.Run(5);
  sim::SetKeyState(0);
  player.Run(300);
  shell::StopRecording();
  sim::SetFrameObserver(nullptr, nullptr);

  const std::string recorded = FileText(kRecordedFile);
  EXPECT_NE(recorded.find("clock: \"09:59:40\"\n"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("  - hold: [\"Room\"]\n  - wait: 200ms\n  - release: all\n"),
            std::string::npos)
      << recorded;
  EXPECT_NE(recorded.find("  - set: {temperature: 12, humidity: 55}\n"), std::string::npos);
  EXPECT_NE(recorded.find("  - expect-lcd: {line: 2, text: \"  Drying Room   \"}\n"),
            std::string::npos)
      << recorded;
  EXPECT_NE(recorded.find("  - expect-lcd: {line: 2, text: \"   TIME MENU    \"}\n"),
            std::string::npos)
      << recorded;
  EXPECT_GE(Count(recorded, "expect-lcd"), 5u);

  sim::Scenario scenario;
  sim::ScenarioError parse_error;
  ASSERT_TRUE(sim::ParseScenarioFile(kRecordedFile, sim_test::DatasetNames(), &scenario, &parse_error))
      << sim::FormatScenarioError(parse_error);
  const sim::ScenarioResult replay = sim::RunScenario(scenario, sim_test::DatasetSetup());
  EXPECT_TRUE(replay.passed) << replay.failure << recorded;
  EXPECT_EQ(replay.steps_run, scenario.steps.size());
  EXPECT_EQ(replay.simulated_ms, 1671u * 50u);

  // The same file against a dryer whose air stays dry fails at the first drying checkpoint.
  scenario.humidity = 40;
  for (sim::Step& step : scenario.steps) {
    if (step.kind == sim::StepKind::kSet) step.humidity = 40;
  }
  const sim::ScenarioResult changed = sim::RunScenario(scenario, sim_test::DatasetSetup());
  EXPECT_FALSE(changed.passed);
  EXPECT_NE(changed.failure.find("expected \"  Drying Room   \""), std::string::npos)
      << changed.failure;
  std::remove(kRecordedFile);
}

}  // namespace
