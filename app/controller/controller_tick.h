// The controller tick called by the shell every 50 ms, and the start of the controller.
#pragma once

#include <cstdint>

#include "app/controller/controller_state.h"

constexpr int kTickModeInitialise = 0;
constexpr int kTickModeRun = 1;
constexpr int kMaxPassesPerTick = 31;

// Mode 0 initialises and hands out the receive callback and cell; mode 1 runs one tick and
// returns the length of the frame now at io.data.bytes (0: none).
int ControllerTick(int mode, ControllerIo* io);
void ResetController();
void StartUp();
uint8_t RelayByte();
