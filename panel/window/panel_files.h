// Opening and saving panel files by name, as the panel window's load step and its Open and Save
// commands do: the kind of file follows from the name (case-sensitive, anywhere in it), a changed
// path is stored in the settings and the settings are saved, and the file is read or written.
#pragma once

#include "panel/link/panel_settings.h"

namespace panel {

// Results of open-panel-file: the message the panel window then sends itself.
constexpr int kOpenedNothing = 0;
constexpr int kOpenedLcdTypes = 1037;  // rebuild the LCD menu
constexpr int kOpenedPanel = 1038;     // reload bitmap and areas

constexpr char kBitmapExtension[] = ".bmp";
constexpr char kAreaFileExtension[] = ".opd";
constexpr char kLcdTypesExtension[] = ".lcd";

// ".bmp": FileBmp (1038). ".opd": FileCfg, then the area file is read (1038, also when that
// fails). ".lcd", only with option 0x0100: FileLcd, then the LCD types file is read (1037).
// Anything else: 0. A changed path saves the settings through the platform (PlatformSaveSettings).
int OpenPanelFile(const char* name, PanelSettings* settings);

// ".bmp": FileBmp only, no file is written (1). ".opd": FileCfg, then the area file is written
// from the settings and the library's area list, replacing the old one in one step (1; 0 when the
// write failed, the old file is then whole). Anything else: 0.
int SavePanelFile(const char* name, PanelSettings* settings);

// Releases what the panel file readers keep: the context-help entries and the LCD types
// (library detach).
void ReleasePanelFiles();

}  // namespace panel
