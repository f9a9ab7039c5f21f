/* Resource ids of the panel library: icons, menus, accelerators, the menu commands and their hints.
   Included by the resource script as well as by C++, so plain preprocessor definitions only. */
#ifndef PANEL_WINDOW_PANEL_RESOURCES_WIN32_H
#define PANEL_WINDOW_PANEL_RESOURCES_WIN32_H

/* Icons: the panel window's class icons and the connection-state icons. */
#define kIconPanel 130
#define kIconPanelSmall 131
#define kIconSerialOpen 132
#define kIconSerialClosed 133
#define kIconUdpClosed 134
#define kIconUdpOpen 135

/* Dialogs. */
#define kDialogAbout 101

/* Class menus and the accelerator table. */
#define kMenuGerman 120
#define kMenuReducedGerman 121
#define kMenuEnglish 122
#define kAcceleratorPanel 120

/* Menu and accelerator commands. */
#include "panel/window/panel_command_ids.h"

#endif
