// The panel library's settings record: communication settings and the panel's file names. The
// panel window fills in the fixed device layout's defaults at creation.
#pragma once

#include <cstdint>

namespace panel {

constexpr int kSettingsPathChars = 260;  // every file name field, NUL included
constexpr int kSettingsIpChars = 16;

struct PanelSettings {
  int32_t registry_set;   // RegistrySet: 1 once the communication dialog was confirmed
  int32_t iface_type;     // IFaceType: 0 serial, otherwise UDP
  int32_t comm_port;      // CommPort: 1..4
  int32_t baud;           // Baud
  int32_t parity;         // Parity: 0 none, 1 odd, 2 even
  int32_t flow;           // Flow: 0 none, 1 Xon/Xoff, 2 RTS, 3 Xon/RTS
  int32_t data_bits;      // DBits
  int32_t stop_bits;      // SBits
  char ip[kSettingsIpChars];        // Ip
  int32_t socket_port;              // Socket Port
  char file_bmp[kSettingsPathChars];           // FileBmp: the panel bitmap
  char file_cfg[kSettingsPathChars];           // FileCfg: the area configuration file
  char file_lcd[kSettingsPathChars];           // FileLcd: the LCD types file
  char context_help_file[kSettingsPathChars];  // ContextHelpFile
  char help_file[kSettingsPathChars];          // HelpFile
  char lcd_type_name[kSettingsPathChars];      // the saved LCD type name
  int32_t lcd_rect[4];                         // the saved LCD rectangle: left, top, right, bottom
};

PanelSettings& GetPanelSettings();

// The fixed device layout's communication settings and default file names (option 0x0010 or
// 0x0001 at window creation); the given LCD rectangle becomes the saved LCD rectangle.
void ApplyFixedLayoutSettings(PanelSettings* settings, const int32_t lcd_rect[4]);

}  // namespace panel
