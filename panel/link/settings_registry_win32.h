// The settings record's home on Windows: the key "Software\Vantrel Consulting\Siccora-super
// eng\Settings", looked for under HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE. The library never
// creates it (an installer does); every value is a string.
#pragma once

#include "panel/link/panel_settings.h"

namespace panel {

constexpr char kSettingsKeyPath[] = "Software\\Vantrel Consulting\\Siccora-super eng\\Settings";
constexpr char kNoSettingsKeyCaption[] = "Fehler";
// In the Windows code page 1252 (0xE4 and 0xFC are the umlauts).
constexpr char kNoSettingsKeyText[] =
    "Keine Eintr\xE4" "ge in der Registrierdatenbank gefunden. F\xFC" "hren Sie das "
    "Installationsprogramm erneut aus.";

// Reads the values in kSettingsReadOrder into `settings`, then makes WrkDir the current
// directory (when it is not empty). Without the key: the message box above, every number 0 and
// every text unchanged; returns false.
bool LoadPanelSettingsFromRegistry(PanelSettings* settings);

// Writes the values in kSettingsWriteOrder (WrkDir never). Without the key: the message box
// above and nothing stored; returns false.
bool SavePanelSettingsToRegistry(const PanelSettings& settings);

}  // namespace panel
