#include "sim/sim_engine.h"

#include "app/controller/controller_tick.h"
#include "app/controller/quiet_ticks.h"
#include "app/controller/wall_clock.h"
#include "app/shell/shell_relays.h"
#include "panel/core/data_lists.h"
#include "panel/lcd/lcd_render.h"
#include "panel/link/app_link.h"
#include "panel/link/frame_assembler.h"
#include "panel/link/panel_answers.h"
#include "panel/link/protocol_settings.h"
#include "panel/window/panel_keys.h"
#include "sim/sim_panel.h"

namespace sim {

namespace {

// Key frames set at once wait here for the next tick; more than this many between two ticks
// (a step holding many buttons) still go out, each at a later tick, behind the others.
constexpr size_t kAheadFramesMax = 32;
constexpr size_t kKeyFrameMax = 4;  // "@K", the key byte, CR

struct KeyFrame {
  uint8_t bytes[kKeyFrameMax];
  uint8_t length;
};

struct EngineState {
  controller::ControllerIo io;
  controller::ReceiveCallback receive;  // io.data is overwritten by each frame
  uint32_t start_clock_ms;
  uint64_t ticks;           // ticks passed since the start
  uint64_t executed_ticks;  // of which run one by one
  int8_t temperature;
  uint8_t humidity;
  uint8_t relays;
  bool inputs_changed;      // the next tick must run: it posts the change events
  bool fast_forward;
  FrameObserver observer;
  void* observer_context;
  uint8_t* rx_cell;               // the controller's receive cell
  bool key_frames_at_once;
  KeyFrame ahead[kAheadFramesMax];  // key frames for the next ticks, oldest first
  size_t ahead_count;
};

EngineState g_engine;

uint32_t ClockAt(uint64_t ticks) {
  return static_cast<uint32_t>((g_engine.start_clock_ms + ticks * kTickMs) % kMsPerDay);
}

controller::WallClockTime SimulatedTime() {
  const uint32_t seconds = ClockAt(g_engine.ticks) / kMsPerSecond;
  return controller::WallClockTime{static_cast<uint8_t>(seconds / 3600u),
                                   static_cast<uint8_t>(seconds / 60u % 60u),
                                   static_cast<uint8_t>(seconds % 60u)};
}

// Ticks from now whose platform second is still the current one.
uint64_t TicksInThisSecond() {
  const uint32_t into_second = ClockAt(g_engine.ticks) % kMsPerSecond;
  return (kMsPerSecond - into_second + kTickMs - 1) / kTickMs;
}

void Observe(FrameDirection direction, const uint8_t* bytes, size_t length) {
  if (g_engine.observer) {
    g_engine.observer(g_engine.observer_context, ElapsedMs(), direction, bytes, length);
  }
}

// The oldest key frame set at once, as CheckRx hands a message over: byte by byte into the cell.
void DeliverAheadFrame() {
  const KeyFrame frame = g_engine.ahead[0];
  for (size_t i = 1; i < g_engine.ahead_count; ++i) g_engine.ahead[i - 1] = g_engine.ahead[i];
  --g_engine.ahead_count;
  Observe(FrameDirection::kToController, frame.bytes, frame.length);
  for (uint8_t i = 0; i < frame.length; ++i) {
    *g_engine.rx_cell = frame.bytes[i];
    g_engine.receive();
  }
}

void QueueAheadFrame(int32_t key_state) {
  if (key_state < 0) return;  // the panel sends no frame for such a state either
  int length = 0;
  const uint8_t* bytes = panel::ComposeKeyFrame(static_cast<uint32_t>(key_state), &length);
  if (length <= 0 || static_cast<size_t>(length) > kKeyFrameMax) return;
  if (g_engine.ahead_count == kAheadFramesMax) {
    panel::QueueTxMessage(bytes, length);  // no room ahead: the panel's order
    return;
  }
  KeyFrame& frame = g_engine.ahead[g_engine.ahead_count++];
  for (int i = 0; i < length; ++i) frame.bytes[i] = bytes[i];
  frame.length = static_cast<uint8_t>(length);
}

// The panel library's CheckRx, with the message shown to the observer first.
void DeliverPanelMessage() {
  if (g_engine.ahead_count > 0) {
    DeliverAheadFrame();
    return;
  }
  tagNODE* head = GetHead(GetTXListHead());
  if (!head) return;
  Observe(FrameDirection::kToController, head->record->bytes,
          static_cast<size_t>(head->record->length));
  panel::AppLinkCheckRx();
}

void AfterTicks(uint64_t count) {
  const uint64_t before = g_engine.ticks;
  g_engine.ticks += count;
  for (uint64_t b = before / kBlinkPeriodTicks; b < g_engine.ticks / kBlinkPeriodTicks; ++b) {
    panel::LcdBlinkTick();
  }
  SetPanelTimeMs(ElapsedMs());
}

// One loop step of the shell: deliver one panel message, tick, hand the frame to the panel.
void RunOneTick() {
  DeliverPanelMessage();
  g_engine.io.data.receive_byte = g_engine.receive;
  g_engine.inputs_changed = false;
  const int length = controller::ControllerTick(controller::kTickModeRun, &g_engine.io);
  ++g_engine.executed_ticks;
  // Inputs the controller has not taken yet (its event queue was full, or a target's measurement
  // frame stands in their place) are read again by the next tick, which therefore must run.
  const controller::ControllerState& c = controller::g_controller;
  g_engine.inputs_changed = c.temperature != g_engine.temperature || c.humidity != g_engine.humidity;
  if (length > 0) {
    const uint8_t* bytes = g_engine.io.data.bytes;
    Observe(FrameDirection::kToPanel, bytes, static_cast<size_t>(length));
    panel::AppLinkReceive(bytes, static_cast<uint32_t>(length));
  }
  AfterTicks(1);
}

uint64_t QuietTicks(uint64_t wanted) {
  if (!g_engine.fast_forward || g_engine.inputs_changed || g_engine.ahead_count > 0) return 0;
  tagLISTHEAD* tx = GetTXListHead();
  if (tx && tx->count != 0) return 0;
  uint64_t quiet = controller::QuietTicksAhead(SimulatedTime().second);
  const uint64_t second = TicksInThisSecond();
  if (second < quiet) quiet = second;
  return quiet < wanted ? quiet : wanted;
}

}  // namespace

void StartEngine(const EngineStart& start) {
  const FrameObserver observer = g_engine.observer;
  void* const observer_context = g_engine.observer_context;
  const bool fast_forward = g_engine.fast_forward;
  g_engine = EngineState{};
  g_engine.observer = observer;
  g_engine.observer_context = observer_context;
  g_engine.fast_forward = fast_forward;
  g_engine.start_clock_ms = start.clock_ms % kMsPerDay;
  g_engine.relays = shell::kRelaysAllOff;  // before the first tick, as in the shell
  controller::SetWallClockSource(SimulatedTime);
  controller::ControllerTick(controller::kTickModeInitialise, &g_engine.io);
  g_engine.receive = g_engine.io.data.receive_byte;
  g_engine.rx_cell = reinterpret_cast<uint8_t*>(g_engine.io.temperature);
  panel::AppLinkSetRxTarget(g_engine.receive, g_engine.rx_cell);
  g_engine.temperature = controller::kStartTemperature;
  g_engine.humidity = controller::kStartHumidity;
  g_engine.io.temperature = &g_engine.temperature;
  g_engine.io.humidity = &g_engine.humidity;
  g_engine.io.relays = &g_engine.relays;
  SetInputs(start.temperature, start.humidity);
  SetPanelTimeMs(0);
}

void SetFastForward(bool on) { g_engine.fast_forward = on; }

void SetFrameObserver(FrameObserver observer, void* context) {
  g_engine.observer = observer;
  g_engine.observer_context = context;
}

void SetInputs(int8_t temperature, uint8_t humidity) {
  if (temperature != g_engine.temperature || humidity != g_engine.humidity) {
    g_engine.inputs_changed = true;
  }
  g_engine.temperature = temperature;
  g_engine.humidity = humidity;
}

int8_t InputTemperature() { return g_engine.temperature; }
uint8_t InputHumidity() { return g_engine.humidity; }

void SetKeyState(int32_t key_state) {
  panel::GetPanelKeys().key_state = key_state;
  if (g_engine.key_frames_at_once) {
    QueueAheadFrame(key_state);
    return;
  }
  panel::SendKeyState(key_state);
}

void SetKeyFramesAtOnce(bool on) { g_engine.key_frames_at_once = on; }

void SendTargetFrame(const std::string& frame) {
  std::string bytes = frame;
  bytes += static_cast<char>(panel::kFrameCr);
  panel::TargetReceiveBytes(reinterpret_cast<const uint8_t*>(bytes.data()),
                            static_cast<uint32_t>(bytes.size()));
}

void SetPanelAnswers(bool on) { panel::SetRepliesFlag(on ? panel::kRepliesOn : 0); }

int32_t KeyState() { return panel::GetPanelKeys().key_state; }

uint64_t QuietTicksAhead() { return QuietTicks(UINT64_MAX); }

uint64_t RunTicks(uint64_t ticks, StopCondition stop, void* context) {
  const uint64_t first = g_engine.ticks;
  const uint64_t end = first + ticks;
  if (stop && stop(context)) return 0;
  while (g_engine.ticks < end) {
    const uint64_t quiet = QuietTicks(end - g_engine.ticks);
    if (quiet > 0) {
      controller::SkipQuietTicks(static_cast<uint32_t>(quiet), SimulatedTime().second);
      AfterTicks(quiet);
      continue;  // nothing the stop condition reads has changed
    }
    RunOneTick();
    if (stop && stop(context)) break;
  }
  return g_engine.ticks - first;
}

uint64_t ElapsedTicks() { return g_engine.ticks; }
uint64_t ElapsedMs() { return g_engine.ticks * kTickMs; }
uint32_t ClockMs() { return ClockAt(g_engine.ticks); }
uint64_t ExecutedTicks() { return g_engine.executed_ticks; }
uint8_t RelayByte() { return g_engine.relays; }

}  // namespace sim
