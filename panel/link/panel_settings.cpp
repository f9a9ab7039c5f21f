#include "panel/link/panel_settings.h"

#include <cstdio>
#include <cstring>

namespace panel {

namespace {

PanelSettings panel_settings;

constexpr size_t kMaxDecimalDigits = 10;  // enough for every 32-bit value

#define SETTINGS_NUMBER(registry_name, field) \
  SettingsValue { registry_name, SettingsValueKind::kNumber, offsetof(PanelSettings, field), 0 }
#define SETTINGS_TEXT(registry_name, field)                                            \
  SettingsValue {                                                                      \
    registry_name, SettingsValueKind::kText, offsetof(PanelSettings, field),           \
        sizeof(PanelSettings::field)                                                   \
  }

int32_t* NumberField(PanelSettings* settings, const SettingsValue& value) {
  return reinterpret_cast<int32_t*>(reinterpret_cast<char*>(settings) + value.offset);
}
char* TextField(PanelSettings* settings, const SettingsValue& value) {
  return reinterpret_cast<char*>(settings) + value.offset;
}

// Decimal text: an optional sign, then 1 to 10 digits, nothing else, within the 32-bit range.
// Anything else is 0.
int32_t ParseDecimal(const char* text, size_t length) {
  size_t i = 0;
  bool negative = false;
  if (i < length && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  const size_t first_digit = i;
  int64_t magnitude = 0;
  for (; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9' || i - first_digit >= kMaxDecimalDigits) return 0;
    magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (i == first_digit) return 0;
  const int64_t number = negative ? -magnitude : magnitude;
  if (number < INT32_MIN || number > INT32_MAX) return 0;
  return static_cast<int32_t>(number);
}

}  // namespace

const SettingsValue kSettingsReadOrder[kSettingsReadCount] = {
    SETTINGS_NUMBER("RegistrySet", RegistrySet),
    SETTINGS_NUMBER("IFaceType", IFaceType),
    SETTINGS_NUMBER("CommPort", CommPort),
    SETTINGS_NUMBER("Baud", Baud),
    SETTINGS_NUMBER("Flow", Flow),
    SETTINGS_NUMBER("DBits", DBits),
    SETTINGS_NUMBER("SBits", SBits),
    SETTINGS_NUMBER("Parity", Parity),
    SETTINGS_TEXT("Ip", Ip),
    SETTINGS_NUMBER("Socket Port", SocketPort),
    SETTINGS_TEXT("FileBmp", FileBmp),
    SETTINGS_TEXT("FileCfg", FileCfg),
    SETTINGS_TEXT("FileLcd", FileLcd),
    SETTINGS_TEXT("HelpFile", HelpFile),
    SETTINGS_TEXT("ContextHelpFile", ContextHelpFile),
    SETTINGS_TEXT("WrkDir", WrkDir),
};

const SettingsValue kSettingsWriteOrder[kSettingsWriteCount] = {
    SETTINGS_NUMBER("RegistrySet", RegistrySet),
    SETTINGS_NUMBER("IFaceType", IFaceType),
    SETTINGS_NUMBER("CommPort", CommPort),
    SETTINGS_NUMBER("Baud", Baud),
    SETTINGS_NUMBER("Flow", Flow),
    SETTINGS_NUMBER("DBits", DBits),
    SETTINGS_NUMBER("SBits", SBits),
    SETTINGS_TEXT("Ip", Ip),
    SETTINGS_NUMBER("Socket Port", SocketPort),
    SETTINGS_NUMBER("Parity", Parity),
    SETTINGS_TEXT("FileBmp", FileBmp),
    SETTINGS_TEXT("FileCfg", FileCfg),
    SETTINGS_TEXT("FileLcd", FileLcd),
    SETTINGS_TEXT("ContextHelpFile", ContextHelpFile),
    SETTINGS_TEXT("HelpFile", HelpFile),
};

#undef SETTINGS_NUMBER
#undef SETTINGS_TEXT

PanelSettings& GetPanelSettings() { return panel_settings; }

void ClearPanelSettings(PanelSettings* settings) { *settings = PanelSettings{}; }

void StoreSettingsText(char* field, size_t chars, const char* text) {
  if (chars == 0) return;
  size_t length = 0;
  while (length + 1 < chars && text[length] != '\0') ++length;
  std::memmove(field, text, length);
  field[length] = '\0';
}

void ApplyFixedLayoutSettings(PanelSettings* settings, const int32_t lcd_rect[4]) {
  settings->RegistrySet = 1;
  settings->IFaceType = 0;
  settings->CommPort = kStartCommPort;
  settings->Baud = kStartBaud;
  settings->Flow = 0;
  settings->DBits = kStartDataBits;
  settings->SBits = kStartStopBits;
  for (int i = 0; i < 4; ++i) {
    settings->LcdRect[i] = lcd_rect[i];
  }
  if (settings->FileCfg[0] == '\0') {
    StoreSettingsText(settings->FileCfg, kSettingsPathChars, "rk52.cfg");
  }
  if (settings->FileBmp[0] == '\0') {
    StoreSettingsText(settings->FileBmp, kSettingsPathChars, "rk52.bmp");
  }
}

void StoreSettingsValue(PanelSettings* settings, const SettingsValue& value, const char* text,
                        size_t length) {
  if (text == nullptr) length = 0;
  const void* nul = length > 0 ? std::memchr(text, '\0', length) : nullptr;
  if (nul != nullptr) length = static_cast<size_t>(static_cast<const char*>(nul) - text);
  if (value.kind == SettingsValueKind::kNumber) {
    *NumberField(settings, value) = ParseDecimal(text, length);
    return;
  }
  char* field = TextField(settings, value);
  const size_t kept = length < value.chars - 1 ? length : value.chars - 1;
  std::memcpy(field, text, kept);
  field[kept] = '\0';
}

void StoreMissingSettingsValue(PanelSettings* settings, const SettingsValue& value) {
  if (value.kind == SettingsValueKind::kNumber) *NumberField(settings, value) = 0;
}

size_t FormatSettingsValue(const PanelSettings& settings, const SettingsValue& value,
                           char* buffer, size_t buffer_size) {
  if (buffer_size == 0) return 0;
  PanelSettings* fields = const_cast<PanelSettings*>(&settings);
  if (value.kind == SettingsValueKind::kNumber) {
    const int written = std::snprintf(buffer, buffer_size, "%d", *NumberField(fields, value));
    const size_t length = written < 0 ? 0 : static_cast<size_t>(written);
    return length < buffer_size ? length : buffer_size - 1;
  }
  StoreSettingsText(buffer, buffer_size, TextField(fields, value));
  return std::strlen(buffer);
}

}  // namespace panel
