#include <gtest/gtest.h>
#include <cstdio>
#include "scenario_support.h"
static void Dump(const std::vector<std::string>& frames) {
  for (auto& f : frames) { std::string s; for (unsigned char ch : f) { if (ch < 32 || ch > 126) { char b[8]; snprintf(b, 8, "\\x%02X", ch); s += b; } else s += ch; } printf("  %s\n", s.c_str()); }
}
TEST(Probe, Switch) {
  PanelHarness panel(10, 0, 0);
  FinishStartUp(panel);
  panel.SetHumidity(70);
  panel.TapKeys(kMaskWashing, 5);
  panel.Step(30);
  panel.TapKeys(kMaskRoom, 5);
  panel.Step(95);
  Dump(panel.frames());
  printf("relays %d leds %02X/%02X state %d line0 [%s] line1 [%s]\n", panel.relays(), panel.leds(), g_controller.led_bits, g_controller.state, panel.Line(0).c_str(), panel.Line(1).c_str());
}
