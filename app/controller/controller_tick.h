// The controller tick called by the shell every 50 ms, and the start of the controller.
#pragma once

#include <cstdint>

#include "app/controller/controller_state.h"

namespace controller {

constexpr int kTickModeInitialise = 0;
constexpr int kTickModeRun = 1;
constexpr int kMaxPassesPerTick = 31;

// Mode 0 initialises and hands out the receive callback and cell; mode 1 runs one tick and
// returns the length of the frame now at io.data.bytes (0: none).
int ControllerTick(int mode, ControllerIo* io);
void ResetController();
void StartUp();
uint8_t RelayByte();

// The measurements the initialising tick assumes: the shell's sliders start at them, so the first
// running tick posts no change events.
constexpr int8_t kStartTemperature = 15;
constexpr uint8_t kStartHumidity = 58;

// The shell asks the controller to stop: from then on a running tick does no more passes and
// only writes the relay byte.
void ControllerRequestQuit();
bool ControllerQuitRequested();

}  // namespace controller
