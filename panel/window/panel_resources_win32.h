/* Resource ids of the panel library: icons, menus, accelerators and the menu commands.
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
#define kCmdOpenFile 32770
#define kCmdSaveFile 32771
#define kCmdSendFile 32772
#define kCmdConnect 32773
#define kCmdExit 32775
#define kCmdAbout 32776
#define kCmdHelpTopics 32777
#define kCmdMonitor 32780
#define kCmdFirstColour 32781 /* 32781..32793: ColourTable indexes 0..12 */
#define kCmdLastColour 32793
#define kCmdColourTargetPanel 32794
#define kCmdColourTargetBacklight 32795
#define kCmdColourTargetButtons 32796
#define kCmdColourTargetLcdText 32797
#define kCmdColourTargetPanelText 32798
#define kCmdCommSettings 32850
#define kCmdLcdTestTool 32851
#define kCmdDrawButton 32860
#define kCmdDrawLed 32861
#define kCmdDrawNone 32862
#define kCmdFirstLcdType 32891
#define kCmdInitialLcdType 32897
#define kCmdSwapOptions 32950

#endif
