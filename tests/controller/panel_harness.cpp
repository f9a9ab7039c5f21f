#include "panel_harness.h"

#include <cstdio>

#include "app/controller/controller_tick.h"
#include "app/controller/wall_clock.h"

namespace {

constexpr uint32_t kTickMs = 50;
constexpr uint32_t kDayMs = 24u * 3600u * 1000u;

// The simulated wall clock: milliseconds since midnight.
uint32_t g_simulated_ms = 0;

controller::WallClockTime SimulatedTime() {
  uint32_t seconds = g_simulated_ms / 1000;
  return controller::WallClockTime{static_cast<uint8_t>(seconds / 3600), static_cast<uint8_t>(seconds / 60 % 60),
                       static_cast<uint8_t>(seconds % 60)};
}

char Hex(uint8_t n) { return "0123456789ABCDEF"[n & 0x0F]; }

std::string HexPair(uint8_t value) { return std::string{Hex(value >> 4), Hex(value)}; }

int HexNibble(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string AppFrame(const std::string& body) { return "@" + body + '\x10'; }

PanelHarness::PanelHarness(uint8_t hour, uint8_t minute, uint8_t second) {
  SetClock(hour, minute, second);
  controller::SetWallClockSource(SimulatedTime);
  lines_[0] = lines_[1] = std::string(16, ' ');
  controller::ControllerTick(controller::kTickModeInitialise, &io_);
  io_.temperature = &temperature_;
  io_.humidity = &humidity_;
  io_.relays = &relays_;
}

PanelHarness::~PanelHarness() { controller::SetWallClockSource(nullptr); }

void PanelHarness::SetClock(uint8_t hour, uint8_t minute, uint8_t second) {
  g_simulated_ms = ((hour % 24) * 3600u + (minute % 60) * 60u + second % 60) * 1000u;
}

void PanelHarness::AdvanceClock(uint32_t milliseconds) {
  g_simulated_ms = (g_simulated_ms + milliseconds) % kDayMs;
}

void PanelHarness::Deliver(const std::string& message) {
  // The library writes each byte into the cell and calls the callback once per byte.
  for (char c : message) {
    controller::g_controller.rx_cell = static_cast<uint8_t>(c);
    io_.data.receive_byte();
  }
}

void PanelHarness::Step(int ticks) {
  controller::ReceiveCallback receive = io_.data.receive_byte;  // io.data is overwritten by each frame
  for (int i = 0; i < ticks; ++i) {
    io_.data.receive_byte = receive;
    if (!inbound_.empty()) {
      std::string message = inbound_.front();
      inbound_.pop_front();
      Deliver(message);
    }
    ++ticks_;
    int length = controller::ControllerTick(controller::kTickModeRun, &io_);
    if (length > 0) {
      std::string frame(reinterpret_cast<const char*>(io_.data.bytes), static_cast<size_t>(length));
      frames_.push_back(frame);
      frame_ticks_.push_back(ticks_);
      Observe(frame);
    }
    AdvanceClock(kTickMs);
  }
  io_.data.receive_byte = receive;
}

void PanelHarness::Observe(const std::string& frame) {
  if (frame.size() < 3 || frame[0] != '@') return;
  char command = frame[1];
  std::string payload = frame.substr(2, frame.size() - 3);
  switch (command) {
    case 'D': {
      if (payload.size() != 2) break;
      int high = HexNibble(payload[0]), low = HexNibble(payload[1]);
      if (high < 0 || low < 0) break;
      int instruction = high * 16 + low;
      if (instruction == 0x01) {
        lines_[0] = lines_[1] = std::string(16, ' ');
        cursor_line_ = cursor_column_ = 0;
      } else if (instruction & 0x80) {
        cursor_line_ = (instruction & 0x40) ? 1 : 0;
        cursor_column_ = instruction & 0x3F;
      }
      break;
    }
    case 'W':
      for (char c : payload) {
        if (cursor_column_ < 16) lines_[cursor_line_][cursor_column_] = c;
        ++cursor_column_;
      }
      break;
    case 'L':
      if (payload.size() == 2 && HexNibble(payload[0]) >= 0 && HexNibble(payload[1]) >= 0) {
        leds_ = static_cast<uint8_t>(HexNibble(payload[0]) * 16 + HexNibble(payload[1]));
      }
      break;
    default:
      break;
  }
  // The panel library acknowledges these commands; "@s" and unknown ones get no answer.
  static const std::string kAcknowledged = "BDLQWZz";
  if (auto_ack_ && kAcknowledged.find(command) != std::string::npos) inbound_.push_back("@!\r");
}

std::vector<std::string> PanelHarness::TakeFrames() {
  std::vector<std::string> taken;
  taken.swap(frames_);
  frame_ticks_.clear();
  return taken;
}

void PanelHarness::SetKeys(uint8_t mask) {
  held_keys_ = mask;
  Send(std::string("@K") + static_cast<char>(0x41 + mask));
}

void PanelHarness::TapKeys(uint8_t mask, int ticks_after) {
  PressKeys(mask);
  Step(ticks_after);
  ReleaseKeys(mask);
  Step(ticks_after);
}

void PanelHarness::Send(const std::string& body) { inbound_.push_back(body + '\r'); }

void PanelHarness::SendRaw(const std::string& bytes) { inbound_.push_back(bytes); }

void PanelHarness::SendHumidityFrame(uint8_t value) { Send("@H1" + HexPair(value)); }

void PanelHarness::SendTemperatureFrame(int8_t celsius) {
  Send("@T1" + HexPair(static_cast<uint8_t>(celsius)));
}

void PanelHarness::SendClockFrame(uint8_t hour, uint8_t minute, uint8_t second) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02u%02u%02u", hour % 100u, minute % 100u, second % 100u);
  Send(std::string("@R") + digits);
}

void PanelHarness::SendDownloadByte(uint8_t value) { Send("@I" + HexPair(value)); }
