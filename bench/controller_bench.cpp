// Runs the controller against the frame-level panel harness, which answers every frame, and
// prints how fast the simulation runs: ticks per wall second and simulated seconds per wall second.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/controller/controller_core.h"
#include "controller/panel_harness.cpp"

using controller::QueueMessage;
using controller::g_controller;
using controller::kMsgFirstText;

// The link at full load: a 16-character text (two frames, each acknowledged) kept queued all the
// time, so every tick moves a frame. Returns frames per wall second.
static double SaturatedLink(long ticks) {
  PanelHarness panel(10, 0, 0);
  size_t frames = 0;
  auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < ticks; ++i) {
    if (g_controller.message_count < 2) QueueMessage(kMsgFirstText);
    panel.Step();
    frames += panel.frames().size();
    panel.ClearFrames();
  }
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("saturated link: %zu frames in %ld ticks, %.3f s wall\n", frames, ticks, wall);
  return wall > 0 ? frames / wall : 0;
}

int main(int argc, char** argv) {
  // Simulated hours to run (default 6), from 10:00 with the sliders moving every ten seconds.
  int hours = argc > 1 ? std::atoi(argv[1]) : 6;
  if (hours < 1) hours = 1;
  const int ticks_per_second = 20;
  const long total_seconds = hours * 3600L;

  PanelHarness panel(10, 0, 0);
  size_t frames = 0;
  auto start = std::chrono::steady_clock::now();
  for (long second = 0; second < total_seconds; ++second) {
    if (second % 10 == 0) {
      // A slow humidity swing between 40 and 80 % and a temperature between 5 and 24 °C.
      long phase = (second / 10) % 80;
      panel.SetHumidity(static_cast<uint8_t>(40 + (phase < 40 ? phase : 80 - phase)));
      panel.SetTemperature(static_cast<int8_t>(5 + (second / 60) % 20));
    }
    panel.Step(ticks_per_second);
    frames += panel.frames().size();
    panel.ClearFrames();
  }
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (wall <= 0) wall = 1e-9;
  double ticks = static_cast<double>(total_seconds) * ticks_per_second;
  std::printf("controller_bench: %d simulated hours, %.0f ticks, %zu frames in %.3f s wall\n", hours,
              ticks, frames, wall);
  std::printf("ticks per second: %.0f\n", ticks / wall);
  std::printf("simulated seconds per wall second: %.0f\n", total_seconds / wall);
  std::printf("saturated link frames per wall second: %.0f\n", SaturatedLink(200000));
  return 0;
}
