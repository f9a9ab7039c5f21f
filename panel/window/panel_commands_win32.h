// The panel window's menu commands, system commands, menu hints and LCD menu. The window
// procedure only dispatches to these; each command has its own handler in the .cpp.
#pragma once

#include <windows.h>

namespace panel {

// Sets the command fields of the window state to their creation values (colour target 32794,
// colour 32781, drawing mode 32862, LCD type 32897, no LCD menu).
void ResetPanelCommandState();

// WM_COMMAND from a menu item or an accelerator.
void OnPanelCommand(HWND window, UINT command);
// WM_SYSCOMMAND: 32775, 32776 and 32777 act as Exit, About and the help command; false for every
// other system command, which goes to the default handling.
bool OnPanelSysCommand(HWND window, WPARAM command);
// WM_MENUSELECT: the status-line hint of the highlighted item.
void OnPanelMenuSelect(UINT item);
// Message 1037: builds the LCD menu from the LCD list.
void OnBuildLcdMenu(HWND window);

// The help command (system command 32777; F1 outside all areas): opens HelpFile, or asks for it.
void RunHelpCommand(HWND window);

}  // namespace panel
