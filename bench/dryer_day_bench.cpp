// How fast the controller simulates a dryer: one whole washing program and 24 hours of the room
// program, with a simple room model (the compressor dries the air, the laundry and the room
// moisten it again, the temperature follows the day), driven through the frame-level panel that
// answers every frame. Prints simulated seconds per wall-clock second.
#include <chrono>
#include <cmath>
#include <cstdio>

#include "app/controller/controller_core.h"
#include "controller/panel_harness.h"
// The panel that plays the other side is a test helper, not part of a library; the benchmark
// builds it in directly.
#include "controller/panel_harness.cpp"

using controller::g_controller;
using controller::kKeyRoom;
using controller::kKeyWashing;
using controller::kStateIdle;
using controller::kStateStartPhase;
using controller::kTicksPerSecond;

namespace {

constexpr int kSecondsPerDay = 24 * 3600;
constexpr uint8_t kCompressorBit = 0x01;
constexpr uint8_t kVentilatorBit = 0x04;
constexpr double kPi = 3.14159265358979;

// Relative humidity in thousandths of a percent: the compressor removes water, otherwise the
// moisture source adds it.
struct RoomModel {
  long humidity_milli;
  long rise_per_second;  // with the compressor off
  long fall_per_second;  // with the compressor on
  long floor_milli;      // the source weakens as the laundry dries: never drier than this

  void Advance(uint8_t relays) {
    bool compressor_on = !(relays & kCompressorBit);
    humidity_milli += compressor_on ? -fall_per_second : rise_per_second;
    if (humidity_milli < floor_milli) humidity_milli = floor_milli;
    if (humidity_milli > 99000) humidity_milli = 99000;
  }
  uint8_t Percent() const { return static_cast<uint8_t>(humidity_milli / 1000); }
};

struct RunFigures {
  long simulated_seconds = 0;
  double wall_seconds = 0;
  long frames = 0;
  long compressor_starts = 0;
  long ventilator_seconds = 0;
};

void Report(const char* name, const RunFigures& f) {
  double rate = f.wall_seconds > 0 ? f.simulated_seconds / f.wall_seconds : 0;
  std::printf("%-33s %6ld simulated s in %8.2f ms wall: %9.0f simulated s per wall s\n", name,
              f.simulated_seconds, f.wall_seconds * 1000.0, rate);
  std::printf("%-33s %ld frames, %ld compressor starts, %ld s of ventilator\n", "", f.frames,
              f.compressor_starts, f.ventilator_seconds);
}

// One simulated second: 20 ticks, then the model reacts to the relays.
void SimulateSecond(PanelHarness& panel, RoomModel& room, RunFigures& figures) {
  uint8_t before = panel.relays();
  panel.Step(kTicksPerSecond);
  uint8_t relays = panel.relays();
  if ((before & kCompressorBit) && !(relays & kCompressorBit)) ++figures.compressor_starts;
  if (!(relays & kVentilatorBit)) ++figures.ventilator_seconds;
  room.Advance(relays);
  panel.SetHumidity(room.Percent());
  figures.frames += static_cast<long>(panel.frames().size());
  panel.ClearFrames();
  ++figures.simulated_seconds;
}

void TapKey(PanelHarness& panel, uint8_t mask) {
  panel.PressKeys(mask);
  panel.Step(5);
  panel.ReleaseKeys(mask);
  panel.Step(5);
}

RunFigures WashingProgram() {
  RunFigures figures;
  auto start = std::chrono::steady_clock::now();
  PanelHarness panel(8, 0, 0);
  RoomModel room{85000, 15, 20, 30000};
  panel.SetHumidity(room.Percent());
  panel.Step(60);  // start-up
  TapKey(panel, 1u << kKeyWashing);
  bool started = false;
  while (figures.simulated_seconds < kSecondsPerDay) {
    SimulateSecond(panel, room, figures);
    if (g_controller.state >= kStateStartPhase) started = true;
    if (started && g_controller.state == kStateIdle) break;  // the program ended by itself
  }
  figures.wall_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return figures;
}

RunFigures RoomProgramDay() {
  RunFigures figures;
  auto start = std::chrono::steady_clock::now();
  PanelHarness panel(0, 0, 0);
  RoomModel room{70000, 25, 45, 20000};
  panel.SetHumidity(room.Percent());
  panel.Step(60);
  TapKey(panel, 1u << kKeyRoom);
  while (figures.simulated_seconds < kSecondsPerDay) {
    // Cool nights, warm afternoons: 10 to 22 °C, so the evaporator is defrosted at night.
    double phase = 2.0 * kPi * (figures.simulated_seconds - 4 * 3600) / kSecondsPerDay;
    panel.SetTemperature(static_cast<int8_t>(std::lround(16.0 - 6.0 * std::cos(phase))));
    SimulateSecond(panel, room, figures);
  }
  figures.wall_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return figures;
}

}  // namespace

int main() {
  RunFigures washing = WashingProgram();
  Report("washing program (to its end)", washing);
  RunFigures room = RoomProgramDay();
  Report("room program, 24 simulated hours", room);
  std::printf("a simulated day of operation takes %.0f ms of wall time (goal: under 1000 ms)\n",
              room.wall_seconds * 1000.0 * kSecondsPerDay / room.simulated_seconds);
  return 0;
}
