/* Resource ids of the areas' property dialogs and their controls. Read by the resource script as
   well as by C++, so plain preprocessor definitions only. */
#ifndef PANEL_WINDOW_AREA_DIALOG_IDS_H
#define PANEL_WINDOW_AREA_DIALOG_IDS_H

#define kDialogButtonProperties 118
#define kDialogLedProperties 119
#define kDialogLcdProperties 120

#define kControlAreaName 1218
#define kControlAreaTooltip 1219
#define kControlAreaId 1220
#define kControlAreaWidth 1221
#define kControlAreaHeight 1222
#define kControlAreaLeft 1223
#define kControlAreaTop 1224
#define kControlActiveColour 1225
#define kControlUnused 1226 /* hidden, the LED dialog only */
#define kControlInactiveColour 1227

#endif
