// The whole portable library back to its load-time state, for tests: every module's static state
// in one place, from the top of the library down.
#include "panel/core/data_lists.h"
#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/lcd/lcd_render.h"
#include "panel/link/app_link.h"
#include "panel/link/protocol_settings.h"
#include "panel/link/panel_settings.h"
#include "panel/link/udp_datagrams.h"
#include "panel/window/edit_mode.h"
#include "panel/window/file_replace.h"
#include "panel/window/lcd_test_tool.h"
#include "panel/window/panel_files.h"
#include "panel/window/panel_keys.h"
#include "panel/window/panel_layout.h"

namespace panel {

void ResetPanelLibraryForTests() {
  // First, so that deleting the lists reports nothing and allocates from the C heap.
  InstallPanelPlatform(PanelPlatform{});
  ReleasePanelFiles();
  DelList(GetTXListHead());
  DelList(GetRXListHead());
  DelPanelList(GetPanelList());
  DelRectList(GetRectList());
  ForgetLedBits();
  ResetOptionWord();
  LcdResetToLoadTime();
  *LcdGetView() = LcdView{};
  ResetProtocolSettings();
  ResetAppLink();
  SetPeerAddress(PeerAddress{});
  GetPanelLcdGeometry() = PanelLcdGeometry{};
  GetPanelSettings() = PanelSettings{};
  ResetPanelKeys();
  SetLcdToolMoveMode(kMoveModeUnset);
  ResetEditState();
  InstallFileSeam(DefaultFileSeam());
}

}  // namespace panel
