// Reading and writing the settings key. Values are REG_SZ texts; each is read whole with its own
// size query, so a long value is cut to its field by the portable parser and never overflows.
#include "panel/link/settings_registry_win32.h"

#include <windows.h>

#include <vector>

namespace panel {

namespace {

// Full access under the current user, else under the local machine; the key is never created.
// Neither has it: the message box without owner, on every read and write.
HKEY OpenSettingsKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key) ==
      ERROR_SUCCESS) {
    return key;
  }
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key) ==
      ERROR_SUCCESS) {
    return key;
  }
  MessageBoxA(nullptr, kNoSettingsKeyText, kNoSettingsKeyCaption, MB_OK | MB_ICONINFORMATION);
  return nullptr;
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// One value, whatever its length: the size is asked first and asked again should the value
// grow between the two calls. A value that is missing or is not a text counts as missing.
void ReadSettingsValue(HKEY key, const SettingsValue& value, PanelSettings* settings) {
  std::vector<char> text;
  for (;;) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, value.name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        !IsTextType(type)) {
      StoreMissingSettingsValue(settings, value);
      return;
    }
    text.assign(static_cast<size_t>(size) + 1, '\0');
    const LONG status = RegQueryValueExA(key, value.name, nullptr, &type,
                                         reinterpret_cast<BYTE*>(text.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || !IsTextType(type)) {
      StoreMissingSettingsValue(settings, value);
      return;
    }
    StoreSettingsValue(settings, value, text.data(), size);
    return;
  }
}

}  // namespace

bool LoadPanelSettingsFromRegistry(PanelSettings* settings) {
  HKEY key = OpenSettingsKey();
  if (!key) {
    for (const SettingsValue& value : kSettingsReadOrder) {
      StoreMissingSettingsValue(settings, value);
    }
    return false;
  }
  for (const SettingsValue& value : kSettingsReadOrder) {
    ReadSettingsValue(key, value, settings);
  }
  // An empty WrkDir keeps the directory the process started in.
  if (settings->WrkDir[0] != '\0') {
    SetCurrentDirectoryA(settings->WrkDir);
  }
  RegCloseKey(key);
  return true;
}

bool SavePanelSettingsToRegistry(const PanelSettings& settings) {
  HKEY key = OpenSettingsKey();
  if (!key) {
    return false;
  }
  char text[kSettingsValueMaxChars + 1];
  for (const SettingsValue& value : kSettingsWriteOrder) {
    const size_t length = FormatSettingsValue(settings, value, text, sizeof(text));
    // The stored length counts the characters only, without a terminating NUL.
    RegSetValueExA(key, value.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(length));
  }
  RegCloseKey(key);
  return true;
}

}  // namespace panel
