#include "panel/window/panel_load_win32.h"

#include "panel/link/panel_settings.h"
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

}  // namespace

void OnLoadPanel(HWND window) {
  PanelWindowState* state = &GetPanelWindowState();
  DeletePanelBitmap(state);
  const panel::PanelSettings& settings = panel::GetPanelSettings();
  if (settings.FileBmp[0] == '\0' || !state->memory_dc) {
    return;
  }
  // A missing or unreadable file leaves the panel unpainted, without a message.
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, settings.FileBmp, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!bitmap) {
    return;
  }
  state->panel_bitmap = bitmap;
  SelectObject(state->memory_dc, bitmap);
  FitWindowToBitmap(window, bitmap, *state);
}

}  // namespace panel
