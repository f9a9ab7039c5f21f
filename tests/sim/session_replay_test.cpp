// A session recorded the way siccora.exe --record does it, played here on the simulator tick by
// tick as the shell's loop runs, and then replayed from the written file by the runner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/shell/cp1252_text.h"
#include "app/shell/session_recorder.h"
#include "sim_test_support.h"

namespace {

constexpr char kRecordedFile[] = "sim_test_session.yaml";

// Plays the shell: the panel's messages go to the recorder before the tick, the frame after.
struct ShellPlayer {
  const uint8_t* frame = nullptr;
  int length = 0;
  std::string frame_bytes;
  sim_test::TraceCollector trace;  // every frame of the session

  static void Observe(void* context, uint64_t elapsed_ms, sim::FrameDirection direction,
                      const uint8_t* bytes, size_t length) {
    auto* player = static_cast<ShellPlayer*>(context);
    sim_test::TraceCollector::Observe(&player->trace, elapsed_ms, direction, bytes, length);
    if (direction == sim::FrameDirection::kToController) {
      for (size_t i = 0; i < length; ++i) shell::RecordPanelByte(bytes[i]);
      return;
    }
    player->frame_bytes.assign(reinterpret_cast<const char*>(bytes), length);
  }
  // Runs until a tick sends a frame that starts with `start`: its acknowledgement is then queued.
  void RunUntilFrame(const std::string& start) {
    do {
      Run(1);
    } while (frame_bytes.compare(0, start.size(), start) != 0);
  }
  void Run(uint64_t ticks) {
    for (uint64_t i = 0; i < ticks; ++i) {
      frame_bytes.clear();
      sim::RunTicks(1);
      shell::RecordRelayByte(sim::RelayByte());
      shell::RecordTick(sim::InputTemperature(), sim::InputHumidity(),
                        reinterpret_cast<const uint8_t*>(frame_bytes.data()),
                        static_cast<int>(frame_bytes.size()));
    }
  }
};

// The recorder's name lookups over the simulated panel's areas.
const char* NameIn(const std::vector<sim::PanelArea>& areas, int32_t id) {
  for (const sim::PanelArea& area : areas) {
    if (area.id == id) return area.name.c_str();
  }
  return nullptr;
}
const char* ButtonName(int32_t id) {
  static std::vector<sim::PanelArea> buttons;
  buttons = sim::PanelButtons();
  return NameIn(buttons, id);
}
const char* LedName(int32_t bit) {
  static std::vector<sim::PanelArea> leds;
  leds = sim::PanelLeds();
  return NameIn(leds, bit);
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
  ASSERT_TRUE(shell::StartRecording(kChordFile, shell::RecorderStart{10, 0, 0, 15, 58, nullptr, 0, nullptr}));
  for (uint8_t byte : {uint8_t{'@'}, uint8_t{'K'}, uint8_t{0x01}, uint8_t{'\r'}}) {
    shell::RecordPanelByte(byte);
  }
  shell::StopRecording();
  const std::string recorded = FileText(kChordFile);
  EXPECT_NE(recorded.find("  - hold: [{id: 64}, {id: 128}]\n"), std::string::npos) << recorded;
  std::remove(kChordFile);
}

TEST(SessionReplayTest, RecordedSessionReplaysToSuccess) {
  std::string error;
  ASSERT_TRUE(sim::StartSimPanel(SICCORA_DATASET_DIR, "rk52.opd", &error)) << error;
  sim::SetFastForward(false);
  sim::StartEngine(sim::EngineStart{(9u * 3600u + 59u * 60u + 40u) * 1000u + 250u, 15, 58});
  ShellPlayer player;
  sim::SetFrameObserver(ShellPlayer::Observe, &player);
  ASSERT_TRUE(shell::StartRecording(
      kRecordedFile, shell::RecorderStart{9, 59, 40, 15, 58, ButtonName, 250, LedName}));

  // A manual session: the room program in damp air, the heater, standby, the time menu, off.
  player.Run(60);
  sim::SetInputs(15, 70);
  player.Run(7);
  sim::SetKeyState(16);  // Room down
  player.Run(4);
  sim::SetKeyState(0);
  player.Run(200);
  player.RunUntilFrame("@D80");  // the clock's cursor frame: the Heater key queues behind its answer
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
  const uint64_t session_ms = sim::ElapsedMs();

  const std::string recorded = FileText(kRecordedFile);
  EXPECT_NE(recorded.find("clock: \"09:59:40.250\"\n"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("  - expect-relays: {compressor: on, heater: on, ventilator: on, hotgas: off}\n"),
            std::string::npos)
      << recorded;
  EXPECT_NE(recorded.find("\"Room program\": on, \"Washing program\": off, \"Ready\": on"),
            std::string::npos)
      << recorded;
  EXPECT_NE(recorded.find("\"Room program\": blinking"), std::string::npos) << recorded;
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
  const sim_test::TracedRun replayed = sim_test::RunTraced(scenario, true);
  const sim::ScenarioResult& replay = replayed.result;
  EXPECT_TRUE(replay.passed) << replay.failure << recorded;
  EXPECT_EQ(replay.steps_run, scenario.steps.size());
  // Key frames at their recorded ticks: the replay's frames are the session's, to the millisecond.
  EXPECT_TRUE(replayed.trace == player.trace.text)
      << "the traces part at byte "
      << std::mismatch(replayed.trace.begin(), replayed.trace.end(), player.trace.text.begin(),
                       player.trace.text.end()).first - replayed.trace.begin();
  // Queued behind the acknowledgements then pending, the key frames would come a tick late.
  scenario.key_frames_at_once = false;
  EXPECT_FALSE(sim_test::RunTraced(scenario, true).trace == player.trace.text);
  scenario.key_frames_at_once = true;
  EXPECT_EQ(replay.simulated_ms, session_ms);

  // The same file against a dryer whose air stays dry fails at the first drying checkpoint: the
  // compressor's, before the display's.
  scenario.humidity = 40;
  for (sim::Step& step : scenario.steps) {
    if (step.kind == sim::StepKind::kSet) step.humidity = 40;
  }
  const sim::ScenarioResult changed = sim::RunScenario(scenario, sim_test::DatasetSetup());
  EXPECT_FALSE(changed.passed);
  EXPECT_NE(changed.failure.find("relay compressor: expected on, is off"), std::string::npos)
      << changed.failure;

  // Without the Heater key the display reads the same, but the relays and LEDs do not.
  sim::ParseScenarioFile(kRecordedFile, sim_test::DatasetNames(), &scenario, &parse_error);
  const sim::AreaNames names = sim_test::DatasetNames();
  bool dropped = false;
  for (sim::Step& step : scenario.steps) {
    if (!dropped && step.kind == sim::StepKind::kHold && step.keys == 8) {
      step.kind = sim::StepKind::kWait;
      step.ticks = 0;
      dropped = true;
    }
  }
  ASSERT_TRUE(dropped);
  const sim::ScenarioResult no_heater = sim::RunScenario(scenario, sim_test::DatasetSetup());
  EXPECT_FALSE(no_heater.passed);
  EXPECT_TRUE(no_heater.failure.find("relay heater: expected on") != std::string::npos ||
              no_heater.failure.find("LED Heater") != std::string::npos)
      << no_heater.failure;
  if (!HasFailure()) std::remove(kRecordedFile);
}

// Names with quotes, backslashes, code page 1252 letters and control characters, and a button
// without a name: the file is valid YAML and every button reads back as the one recorded.
TEST(SessionReplayTest, NamesAreQuotedAsUtf8AndUnnamedButtonsGoByTheirId) {
  constexpr char kNamesFile[] = "sim_test_names.yaml";
  static const char* const kNames[] = {"Say \"go\"", "C:\\dry\\", "W\xE4sche \x80 5", "Tab\there"};
  static constexpr int32_t kUnnamed = 16;
  struct Lookup {
    static const char* Name(int32_t id) {
      for (int k = 0; k < 4; ++k) {
        if (id == int32_t{1} << k) return kNames[k];
      }
      return id == kUnnamed ? "" : nullptr;
    }
  };
  ASSERT_TRUE(shell::StartRecording(kNamesFile,
                                    shell::RecorderStart{10, 0, 0, 15, 58, Lookup::Name, 0, nullptr}));
  for (uint8_t byte : {uint8_t{'@'}, uint8_t{'K'}, uint8_t{0x41 + 31}, uint8_t{'\r'}}) {
    shell::RecordPanelByte(byte);
  }
  shell::StopRecording();
  const std::string recorded = FileText(kNamesFile);
  EXPECT_NE(recorded.find("  - hold: [\"Say \\\"go\\\"\", \"C:\\\\dry\\\\\", \"W\xC3\xA4sche \xE2\x82\xAC 5\", "
                          "\"Tab\\x09here\", {id: 16}]\n"),
            std::string::npos)
      << recorded;
  sim::AreaNames names;
  for (int k = 0; k < 4; ++k) {
    names.buttons.push_back(sim::PanelArea{shell::Cp1252ToUtf8(kNames[k]), int32_t{1} << k});
  }
  names.buttons.push_back(sim::PanelArea{"", kUnnamed});
  sim::Scenario scenario;
  sim::ScenarioError error;
  ASSERT_TRUE(sim::ParseScenarioText(recorded, kNamesFile, names, &scenario, &error))
      << sim::FormatScenarioError(error) << "\n" << recorded;
  ASSERT_EQ(scenario.steps.size(), 2u);
  EXPECT_EQ(scenario.steps[1].keys, 31);
  std::remove(kNamesFile);
}

// A session that ends without StopRecording (the program killed): what the file holds by then
// is a scenario that replays up to its last step.
TEST(SessionReplayTest, AKilledSessionReplaysUpToItsLastStep) {
  constexpr char kKilledFile[] = "sim_test_killed.yaml";
  std::string error;
  ASSERT_TRUE(sim::StartSimPanel(SICCORA_DATASET_DIR, "rk52.opd", &error)) << error;
  sim::SetFastForward(false);
  sim::StartEngine(sim::EngineStart{10u * 3600u * 1000u, 15, 70});
  ShellPlayer player;
  sim::SetFrameObserver(ShellPlayer::Observe, &player);
  ASSERT_TRUE(shell::StartRecording(kKilledFile,
                                    shell::RecorderStart{10, 0, 0, 15, 70, ButtonName, 0, LedName}));
  const std::string at_start = FileText(kKilledFile);
  player.Run(60);
  sim::SetKeyState(16);  // Room
  player.Run(4);
  sim::SetKeyState(0);
  player.Run(250);
  const std::string cut = FileText(kKilledFile);  // still recording
  sim::SetFrameObserver(nullptr, nullptr);
  shell::StopRecording();
  std::remove(kKilledFile);

  const sim::AreaNames names = sim_test::DatasetNames();
  for (const std::string& text : {at_start, cut}) {
    sim::Scenario scenario;
    sim::ScenarioError parse_error;
    ASSERT_TRUE(sim::ParseScenarioText(text, kKilledFile, names, &scenario, &parse_error))
        << sim::FormatScenarioError(parse_error) << "\n" << text;
    const sim::ScenarioResult replay = sim::RunScenario(scenario, sim_test::DatasetSetup());
    EXPECT_TRUE(replay.passed) << replay.failure << text;
  }
  EXPECT_NE(cut.find("  - expect-lcd: {line: 2, text: \"  Drying Room   \"}\n"), std::string::npos)
      << cut;
  EXPECT_EQ(cut.back(), '\n');
}

}  // namespace
