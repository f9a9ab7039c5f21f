// Message 1038: loading the panel, that is the device picture named by FileBmp, its area
// configuration named by FileCfg and, with the LCD menu, the LCD types named by FileLcd.
#pragma once

#include <windows.h>

namespace panel {

constexpr char kNoConfigurationCaption[] = "rk52 Projekt";
// In the Windows code page 1252 (0xF6 and 0xE4 are the umlauts); the words are the panel's own.
constexpr char kNoConfigurationText[] =
    "Dieses Bitmap besitzt noch keine Konfigurationsdatei.\n"
    "Bitte definieren Sie die Gr\xF6" "sse und Position der einzelnen Schlatfl\xE4" "chen (Menu "
    "Edit Befehle Rectangle/Elipse).\n"
    "Speichern Sie die soebn erstellte Konfig. Datei mit dem Befehl Save File aus dem Menu "
    "File!\n"
    "Beim n\xE4" "chsten start wird diese sodann automatisch geladen!";

void OnLoadPanel(HWND window);

}  // namespace panel
