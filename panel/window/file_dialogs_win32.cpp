#include "panel/window/file_dialogs_win32.h"

#include <commdlg.h>

namespace panel {

namespace {

struct FileDialogState {
  OPENFILENAMEA description;
  bool prepared;
  char name[kDialogNameChars];   // chosen last in either dialog; the dialogs start with it
  char title[kDialogNameChars];
  DWORD open_filter_index;       // filter of the last successful open, 1-based
  DWORD save_filter_index;       // filter of the last successful save
};

FileDialogState dialogs;

// Shows one dialog with its own flags and remembered filter; remembers the filter on success.
bool ShowFileDialog(HWND owner, DWORD flags, DWORD* filter_index, bool save) {
  // The help command's search may come before any preparation; the dialog needs a description.
  PrepareFileDialogs();
  OPENFILENAMEA* description = &dialogs.description;
  description->hwndOwner = owner;
  description->Flags = flags;
  description->nFilterIndex = *filter_index;
  const BOOL chosen = save ? GetSaveFileNameA(description) : GetOpenFileNameA(description);
  if (!chosen) return false;
  *filter_index = description->nFilterIndex;
  return true;
}

}  // namespace

void PrepareFileDialogs() {
  if (dialogs.prepared) return;
  OPENFILENAMEA* description = &dialogs.description;
  *description = OPENFILENAMEA{};
  description->lStructSize = sizeof(OPENFILENAMEA);
  description->hwndOwner = nullptr;
  description->lpstrFilter = kPanelFileFilter;
  description->lpstrFile = dialogs.name;
  description->nMaxFile = kDialogNameChars;
  description->lpstrFileTitle = dialogs.title;
  description->nMaxFileTitle = kDialogNameChars;
  description->lpstrDefExt = kDialogDefaultExtension;
  description->lpstrTitle = nullptr;
  description->lpstrInitialDir = nullptr;
  dialogs.open_filter_index = 1;
  dialogs.save_filter_index = 1;
  dialogs.prepared = true;
}

bool ShowOpenPanelFileDialog(HWND owner) {
  return ShowFileDialog(owner, kOpenDialogFlags, &dialogs.open_filter_index, false);
}

bool ShowSavePanelFileDialog(HWND owner) {
  return ShowFileDialog(owner, kSaveDialogFlags, &dialogs.save_filter_index, true);
}

const char* ChosenFileName() { return dialogs.name; }
const char* ChosenFileTitle() { return dialogs.title; }

}  // namespace panel
