#include <gtest/gtest.h>
#include <cstdio>
#include "scenario_support.h"
static void Dump(const std::vector<std::string>& frames) {
  for (auto& f : frames) { std::string s; for (unsigned char ch : f) { if (ch < 32 || ch > 126) { char b[8]; snprintf(b, 8, "\\x%02X", ch); s += b; } else s += ch; } printf("  %s\n", s.c_str()); }
}
static void St(PanelHarness& panel) {
  printf("%02d:%02d:%02d relays %d leds %02X/%02X state %d blocked %d hum %d line0 [%s] line1 [%s]\n", g_controller.hour, g_controller.minute, g_controller.second, panel.relays(), panel.leds(), g_controller.led_bits, g_controller.state, g_controller.blocked, g_controller.humidity, panel.Line(0).c_str(), panel.Line(1).c_str());
}
TEST(Probe, Midnight) {
  PanelHarness panel(21, 59, 0);
  FinishStartUp(panel);
  g_controller.block_start_hour = 22; g_controller.block_start_minute = 0; g_controller.block_end_hour = 6; g_controller.block_end_minute = 0;
  panel.SetHumidity(70);
  panel.TapKeys(kMaskRoom);
  panel.WaitSeconds(5);
  St(panel);
  RunUntilClock(panel, 22, 0, 0);
  panel.ClearFrames();
  panel.Step(20);
  Dump(panel.frames()); St(panel);
  panel.ClearFrames();
  panel.SendClockFrame(5, 59, 58);
  RunUntilClock(panel, 5, 59, 59);
  Dump(panel.frames()); St(panel);
  panel.ClearFrames();
  panel.Step(40);
  Dump(panel.frames()); St(panel);
}
