// Plays the panel side of the controller's link at frame level, over a simulated wall clock:
// runs ticks as the shell does (deliver one queued panel message, tick, take the frame), answers
// each frame with "@!" CR as the panel library does, and sends key, measurement, clock and
// download frames. A small display model keeps the two LCD lines and the LED byte as the frames
// left them, so tests can check what the user would see.
//
// Only one harness may exist at a time: the controller state and the clock source are global.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "app/controller/controller_state.h"

// A frame as the controller sends it: '@', body, DLE.  AppFrame("DC0") == "@DC0\x10".
std::string AppFrame(const std::string& body);

class PanelHarness {
 public:
  // Starts the controller with the simulated clock at the given time (initialising tick, then the
  // shell's variables at 15 °C and 58 %). It does not run any running tick yet.
  explicit PanelHarness(uint8_t hour = 10, uint8_t minute = 0, uint8_t second = 0);
  ~PanelHarness();
  PanelHarness(const PanelHarness&) = delete;
  PanelHarness& operator=(const PanelHarness&) = delete;

  // Time. Each tick is 50 ms of simulated time.
  void Step(int ticks = 1);
  void WaitSeconds(int seconds) { Step(20 * seconds); }
  // Moves the simulated clock without running ticks (a stalled loop).
  void AdvanceClock(uint32_t milliseconds);
  void SetClock(uint8_t hour, uint8_t minute, uint8_t second);
  uint32_t ticks() const { return ticks_; }

  // The shell's sliders.
  void SetTemperature(int8_t celsius) { temperature_ = celsius; }
  void SetHumidity(uint8_t percent) { humidity_ = percent; }

  // Keys as bit masks (bit k = key k). Each call queues one key frame with the new held mask.
  void PressKeys(uint8_t mask) { SetKeys(static_cast<uint8_t>(held_keys_ | mask)); }
  void ReleaseKeys(uint8_t mask) { SetKeys(static_cast<uint8_t>(held_keys_ & ~mask)); }
  void SetKeys(uint8_t mask);
  uint8_t held_keys() const { return held_keys_; }
  // Press and release with a tick between, each followed by enough ticks to be handled.
  void TapKeys(uint8_t mask, int ticks_after = 10);

  // Frames from the panel side, delivered at the next tick (one queued message per tick, as the
  // panel library's CheckRx does). Send() appends CR; SendRaw() sends the bytes as they are.
  void Send(const std::string& body);
  void SendRaw(const std::string& bytes);
  void SendHumidityFrame(uint8_t value);         // "@H1hl"
  void SendTemperatureFrame(int8_t celsius);     // "@T1hl"
  void SendClockFrame(uint8_t hour, uint8_t minute, uint8_t second);  // "@Rhhmmss"
  void SendDownloadByte(uint8_t value);          // "@Ihl"
  void SendSensorError() { Send("@S"); }
  size_t pending_panel_messages() const { return inbound_.size(); }

  // Answer every frame the panel library answers ("@B", "@D", "@L", "@Q", "@W", "@Z", "@z")?
  void set_auto_ack(bool on) { auto_ack_ = on; }

  // What came out.
  const std::vector<std::string>& frames() const { return frames_; }
  std::vector<std::string> TakeFrames();
  void ClearFrames() { frames_.clear(); }
  uint8_t relays() const { return relays_; }
  // Tick number (counted from 1) at which each frame of frames() came out.
  const std::vector<uint32_t>& frame_ticks() const { return frame_ticks_; }

  // Display model: lines 0 and 1 (16 characters), the LED byte of the last "@L" frame.
  std::string Line(int line) const { return lines_[line & 1]; }
  uint8_t leds() const { return leds_; }

  controller::ControllerIo& io() { return io_; }

 private:
  void Deliver(const std::string& message);
  void Observe(const std::string& frame);

  controller::ControllerIo io_{};
  int8_t temperature_ = 15;
  uint8_t humidity_ = 58;
  uint8_t relays_ = 15;
  uint8_t held_keys_ = 0;
  bool auto_ack_ = true;
  uint32_t ticks_ = 0;
  std::deque<std::string> inbound_;
  std::vector<std::string> frames_;
  std::vector<uint32_t> frame_ticks_;
  std::string lines_[2];
  int cursor_line_ = 0;
  int cursor_column_ = 0;
  uint8_t leds_ = 0;
};
