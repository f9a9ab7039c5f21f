// The panel library's settings record: communication settings and the panel's file names, one
// instance per process. The registry mirrors it as string values (numbers as decimal text); this
// module parses and formats those strings and says in which order they are read and written, so
// the registry layer only walks the tables below.
#pragma once

#include <cstddef>
#include <cstdint>

namespace panel {

constexpr size_t kSettingsPathChars = 260;  // every file name field, NUL included
constexpr size_t kSettingsIpChars = 16;     // dotted IPv4 address, NUL included

// The serial line a new installation and the fixed device layout start with: COM1, 4800 baud,
// 8 data bits, 1 stop bit.
constexpr int32_t kStartCommPort = 1;
constexpr int32_t kStartBaud = 4800;
constexpr int32_t kStartDataBits = 8;
constexpr int32_t kStartStopBits = 1;

// The fields in the record's order; all start at zero (empty texts).
struct PanelSettings {
  int32_t RegistrySet;  // 1 once the communication dialog was confirmed
  int32_t IFaceType;    // 0 serial interface, 1 Ethernet interface
  int32_t CommPort;     // serial port number 1..4
  int32_t Baud;         // baud rate
  int32_t Parity;       // 0 none, 1 odd, 2 even (stored only)
  int32_t Flow;         // 0 none, 1 Xon/Xoff, 2 RTS, 3 Xon/RTS (stored only)
  int32_t DBits;        // data bits 7 or 8 (stored only)
  int32_t SBits;        // stop bits 1 or 2 (stored only)
  char Ip[kSettingsIpChars];  // target IPv4 address in dotted decimal
  int32_t SocketPort;         // registry value "Socket Port": UDP port of target and local socket
  int32_t Reserved;           // not used
  char FileBmp[kSettingsPathChars];          // panel bitmap
  char FileCfg[kSettingsPathChars];          // area configuration file
  char FileLcd[kSettingsPathChars];          // LCD types file
  char LcdTypeName[kSettingsPathChars];      // saved LCD type name; kept in the area file only
  char HelpFile[kSettingsPathChars];         // help document
  char ContextHelpFile[kSettingsPathChars];  // context-help file
  char WrkDir[kSettingsPathChars];           // working directory; read, never written
  int32_t LcdRect[4];  // saved LCD rectangle left, top, right, bottom; kept in the area file only
};

PanelSettings& GetPanelSettings();

// Every field back to zero.
void ClearPanelSettings(PanelSettings* settings);

// The fixed device layout's communication settings and default file names (option 0x0010 or
// 0x0001 at window creation); the given LCD rectangle becomes the saved LCD rectangle.
void ApplyFixedLayoutSettings(PanelSettings* settings, const int32_t lcd_rect[4]);

// Copies `text` into a text field of `chars` bytes, cut to chars - 1 characters; always ends the
// field with a NUL.
void StoreSettingsText(char* field, size_t chars, const char* text);

// ---- Registry values ----------------------------------------------------------------------------

enum class SettingsValueKind { kNumber, kText };

// One registry value and the field it mirrors.
struct SettingsValue {
  const char* name;        // registry value name
  SettingsValueKind kind;  // decimal number or text
  size_t offset;           // of the field in PanelSettings
  size_t chars;            // text field size with its NUL; 0 for numbers
};

constexpr int kSettingsReadCount = 16;
constexpr int kSettingsWriteCount = 15;
// The order in which the values are read ("WrkDir" last) and written (no "WrkDir").
extern const SettingsValue kSettingsReadOrder[kSettingsReadCount];
extern const SettingsValue kSettingsWriteOrder[kSettingsWriteCount];

// Longest text a value can be formatted to: a path field, or a 32-bit number.
constexpr size_t kSettingsValueMaxChars = kSettingsPathChars - 1;

// Stores a registry string into the value's field. `text` holds `length` bytes, possibly followed
// by or containing a NUL (the text ends at the first NUL). A number that is not decimal text
// (an optional sign and 1 to 10 digits within the 32-bit range, nothing else) reads as 0; a text
// longer than its field is cut to fit.
void StoreSettingsValue(PanelSettings* settings, const SettingsValue& value, const char* text,
                        size_t length);
// A value the registry does not hold: a number becomes 0, a text keeps what it had.
void StoreMissingSettingsValue(PanelSettings* settings, const SettingsValue& value);
// Formats the value's field for writing ("%d" or the text) into `buffer` (NUL-terminated, cut to
// buffer_size - 1 characters); returns the characters written, without the NUL.
size_t FormatSettingsValue(const PanelSettings& settings, const SettingsValue& value,
                           char* buffer, size_t buffer_size);

}  // namespace panel
