// The about dialog: nothing to set up, OK or Cancel ends it with its id.
#include "panel/window/about_dialog_win32.h"

#include "panel/window/panel_resources_win32.h"

namespace panel {

namespace {

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR ShowAboutDialog(HWND owner) {
  HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  return DialogBoxParamA(module, MAKEINTRESOURCEA(kDialogAbout), owner, AboutDialogProc, 0);
}

}  // namespace panel
