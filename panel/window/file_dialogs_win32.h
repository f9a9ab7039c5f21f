// The panel's file dialogs: one open-file description serves the open dialog, the save dialog
// and the search for the help file. It keeps the name chosen last in either dialog, and each
// dialog keeps the filter chosen at its last success.
#pragma once

#include <windows.h>
#include <commdlg.h>

namespace panel {

constexpr DWORD kOpenDialogFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
constexpr DWORD kSaveDialogFlags = OFN_OVERWRITEPROMPT;
constexpr size_t kDialogNameChars = 260;  // file name and title buffers
constexpr char kDialogDefaultExtension[] = "opd";
// German in every language setting; pairs of text and pattern, ending with an empty pair.
constexpr char kPanelFileFilter[] =
    "Config Dateien (*.OPD)\0*.opd\0"
    "Bitmap Dateien (*.BMP)\0*.bmp\0"
    "Lcd Dateien (*.lcd)\0*.lcd\0"
    "Alle Dateien(*.*)\0*.*\0";

// Prepares the description once (no owner, the filters, the name and title buffers, default
// extension "opd", no title, no initial directory); later calls do nothing. At creation with
// option 0x1000 and at the option word swap.
void PrepareFileDialogs();

// The open dialog (owned by `owner`) and the save dialog; true when a file was chosen, whose
// name ChosenFileName() then gives. Both start with the name chosen last and with their own
// remembered filter (initially the first). The help command's search uses the open dialog.
bool ShowOpenPanelFileDialog(HWND owner);
bool ShowSavePanelFileDialog(HWND owner);

// The name chosen last in either dialog (full path), and its title (name without folder).
const char* ChosenFileName();
const char* ChosenFileTitle();

}  // namespace panel
