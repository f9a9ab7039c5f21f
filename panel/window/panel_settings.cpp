#include "panel/window/panel_settings.h"

#include <cstring>

namespace panel {

namespace {
PanelSettings panel_settings;

void SetIfEmpty(char* field, const char* value) {
  if (field[0] == '\0') {
    std::strncpy(field, value, kSettingsPathChars - 1);
    field[kSettingsPathChars - 1] = '\0';
  }
}
}  // namespace

PanelSettings& GetPanelSettings() { return panel_settings; }

void ApplyFixedLayoutSettings(PanelSettings* settings, const int32_t lcd_rect[4]) {
  settings->registry_set = 1;
  settings->iface_type = 0;
  settings->comm_port = 1;
  settings->baud = 4800;
  settings->flow = 0;
  settings->data_bits = 8;
  settings->stop_bits = 1;
  for (int i = 0; i < 4; ++i) {
    settings->lcd_rect[i] = lcd_rect[i];
  }
  SetIfEmpty(settings->file_cfg, "rk52.cfg");
  SetIfEmpty(settings->file_bmp, "rk52.bmp");
}

}  // namespace panel
