// Resource and control ids of siccora.exe, shared by the resource script and the code.
// Plain defines only: the resource compiler reads this file too.
#ifndef SICCORA_SHELL_RESOURCE_IDS_H
#define SICCORA_SHELL_RESOURCE_IDS_H

// Strings.
#define IDS_APP_NAME 101        /* window class name and window title */
#define IDS_HELP_TEXT 202
#define IDS_VENTILATOR 211
#define IDS_COMPRESSOR 212
#define IDS_HEATING 213
#define IDS_HOT_GAS 214
#define IDS_TEMPERATURE 215
#define IDS_HUMIDITY 216
#define IDS_ABOUT_SUPPLIER 217
#define IDS_ABOUT_MANUAL 218
// German counterparts of 202 and 211..218, carried but not used by the application.
#define IDS_DE_HELP_TEXT 102
#define IDS_DE_VENTILATOR 111
#define IDS_DE_COMPRESSOR 112
#define IDS_DE_HEATING 113
#define IDS_DE_HOT_GAS 114
#define IDS_DE_TEMPERATURE 115
#define IDS_DE_HUMIDITY 116
#define IDS_DE_ABOUT_SUPPLIER 117
#define IDS_DE_ABOUT_MANUAL 118

// Menus, dialog, icon.
#define IDM_MAIN_MENU 100
#define IDM_MAIN_MENU_GERMAN 101
#define IDD_ABOUT 103
#define IDI_APP_ICON 107
#define IDC_ABOUT_LINK 1001
#define IDC_ABOUT_SUPPLIER 1002
#define IDC_ABOUT_MANUAL 1003

// Menu commands.
#define IDM_ABOUT 105
#define IDM_QUIT 106

// Child controls of the main window.
#define IDC_TEMPERATURE_BAR 0
#define IDC_HUMIDITY_BAR 1
#define IDC_TEMPERATURE_LABEL 2
#define IDC_HUMIDITY_LABEL 3
#define IDC_TEMPERATURE_VALUE 4
#define IDC_HUMIDITY_VALUE 5
#define IDC_VENTILATOR_BOX 6
#define IDC_COMPRESSOR_BOX 7
#define IDC_HEATING_BOX 8
#define IDC_HELP_TEXT 11
#define IDC_RIGHT_FRAME 12
#define IDC_LEFT_BACKGROUND 13

// The loop tells the window about changed relays: wParam changed bits, lParam the relay byte.
#define WM_SHELL_RELAYS_CHANGED (0x0400 + 3) /* WM_USER + 3 */

#endif
