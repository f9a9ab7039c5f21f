// Helpers for the core tests: a controller with nothing scheduled, and direct views of its queues.
#pragma once

#include <string>
#include <vector>

#include "app/controller/controller_core.h"
#include "app/controller/controller_tick.h"
#include "app/controller/panel_link.h"

// Power-on state without the start-up timers, so only what a test does happens.
inline void ResetQuietController() {
  controller::ResetController();
  controller::StartUp();
  controller::StopAllTimers();
}

// Unread events in order, without taking them.
inline std::vector<uint8_t> PendingEvents() {
  std::vector<uint8_t> events;
  const controller::ControllerState& c = controller::g_controller;
  for (uint8_t i = c.event_read; i != c.event_write; i = static_cast<uint8_t>((i + 1) % controller::kEventQueueSize)) {
    events.push_back(c.events[i]);
  }
  return events;
}

inline std::vector<uint8_t> PendingMessages() {
  const controller::ControllerState& c = controller::g_controller;
  return std::vector<uint8_t>(c.messages, c.messages + c.message_count);
}

// Feeds a panel frame as the library does (byte into the cell, then the callback) and runs the
// receive and interpret steps of the tick for its CR.
inline void FeedFrame(const std::string& bytes) {
  for (char ch : bytes) {
    controller::g_controller.rx_cell = static_cast<uint8_t>(ch);
    controller::ReceiveByte();
    if (controller::ReceiveStep()) controller::InterpretFrame();
  }
}
