/* Command ids of the panel window's menus and accelerators. Read by the resource script as well
   as by portable and Win32 C++, so plain preprocessor definitions only. */
#ifndef PANEL_WINDOW_PANEL_COMMAND_IDS_H
#define PANEL_WINDOW_PANEL_COMMAND_IDS_H

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
#define kCmdFirstLcdType 32891 /* 32891..32909: the LCD menu's entries in file order */
#define kCmdInitialLcdType 32897
#define kCmdLastLcdType 32909
#define kCmdSwapOptions 32950

#endif
