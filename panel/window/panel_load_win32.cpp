#include "panel/window/panel_load_win32.h"

#include "panel/core/option_word.h"
#include "panel/link/panel_settings.h"
#include "panel/window/lcd_types_file.h"
#include "panel/window/panel_files.h"
#include "panel/window/panel_layout.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

void DeletePanelBitmap(PanelWindowState* state) {
  if (!state->panel_bitmap) {
    return;
  }
  // A bitmap cannot be deleted while a device context holds it.
  if (state->memory_dc && state->memory_dc_default_bitmap) {
    SelectObject(state->memory_dc, state->memory_dc_default_bitmap);
  }
  DeleteObject(state->panel_bitmap);
  state->panel_bitmap = nullptr;
}

// The window takes the bitmap's width and its height plus room for the status line (twice the
// icon height); its position stays.
void FitWindowToBitmap(HWND window, HBITMAP bitmap, const PanelWindowState& state) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  SetWindowPos(window, nullptr, 0, 0, info.bmWidth, info.bmHeight + 2 * state.icon_height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window, nullptr, TRUE);
}

// The area configuration named by FileCfg, read by its name. A name that leads to no area file
// asks the designer to make one; otherwise the LCD takes the saved rectangle.
void LoadPanelConfiguration(HWND window) {
  PanelSettings* settings = &GetPanelSettings();
  if (OpenPanelFile(settings->FileCfg, settings) == kOpenedNothing) {
    MessageBoxA(window, kNoConfigurationText, kNoConfigurationCaption,
                MB_OK | MB_ICONINFORMATION);
    return;
  }
  RestoreSavedLcdRectangle(settings->LcdRect);
}

// With the LCD menu (option 0x0100) the LCD types file is read and the menu rebuilt.
void LoadLcdTypes(HWND window) {
  const PanelSettings& settings = GetPanelSettings();
  if (!(GetOptions() & kOptionLcdList) || settings.FileLcd[0] == '\0') {
    return;
  }
  ReadLcdTypesFile(settings.FileLcd);
  SendMessageA(window, kMsgBuildLcdMenu, 0, 0);
}

}  // namespace

void OnLoadPanel(HWND window) {
  PanelWindowState* state = &GetPanelWindowState();
  DeletePanelBitmap(state);
  const PanelSettings& settings = GetPanelSettings();
  // A missing or unreadable picture leaves the panel unpainted, without a message.
  HBITMAP bitmap = nullptr;
  if (settings.FileBmp[0] != '\0' && state->memory_dc) {
    bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, settings.FileBmp, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  }
  if (bitmap) {
    state->panel_bitmap = bitmap;
    SelectObject(state->memory_dc, bitmap);
    FitWindowToBitmap(window, bitmap, *state);
    LoadPanelConfiguration(window);
  }
  LoadLcdTypes(window);
}

}  // namespace panel
