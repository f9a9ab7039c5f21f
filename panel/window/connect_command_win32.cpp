// Connect and communication settings commands.
#include "panel/window/connect_command_win32.h"

#include "panel/core/option_word.h"
#include "panel/link/connection_rules.h"
#include "panel/link/panel_settings.h"
#include "panel/link/protocol_settings.h"
#include "panel/link/transport_win32.h"
#include "panel/window/comm_settings_dialog_win32.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

void SetConnectItemText(HWND window, bool connected) {
  HMENU menu = GetMenu(window);
  if (menu) {
    ModifyMenuA(menu, kCmdConnect, MF_BYCOMMAND | MF_STRING, kCmdConnect,
                ConnectMenuText(connected, GetOptions()));
  }
}

// The icon square at the client area's bottom right corner.
void RedrawConnectionIcon(HWND window) {
  const PanelWindowState& state = GetPanelWindowState();
  RECT client;
  GetClientRect(window, &client);
  RECT square{client.right - state.icon_width, client.bottom - state.icon_height, client.right,
              client.bottom};
  InvalidateRect(window, &square, FALSE);
}

}  // namespace

void RunConnectCommand(HWND window) {
  PanelSettings& settings = GetPanelSettings();
  const ConnectStep step = NextConnectStep(CurrentLinkStatus(settings));
  if (step == ConnectStep::kAskForAddress) {
    settings.IFaceType = kInterfaceEthernet;
    SendMessageA(window, WM_COMMAND, kCmdCommSettings, 0);
    return;
  }
  if (!CarryOutConnectStep(step, settings, window, kMsgUdpEvent)) return;
  ConnectOutcome outcome{};
  OutcomeOf(step, &outcome);
  GetPanelWindowState().connection_state = outcome.connection_state;
  SetRepliesFlag(outcome.replies);
  SetConnectItemText(window, outcome.connected);
  RedrawConnectionIcon(window);
}

bool MenuOffersConnect(HWND window) {
  HMENU menu = GetMenu(window);
  if (!menu) return false;
  const UINT state = GetMenuState(menu, kCmdConnect, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void RunCommSettingsCommand(HWND window) {
  if (!(GetOptions() & kOptionInterface)) return;
  if (ShowCommSettingsDialog(window) == IDOK) RunConnectCommand(window);
}

}  // namespace panel
