/* Resource and control ids of the LCD test tool's dialog ("Lcd Configuration"). Read by the
   resource script as well as by portable and Win32 C++, so plain preprocessor definitions only. */
#ifndef PANEL_WINDOW_LCD_TEST_TOOL_IDS_H
#define PANEL_WINDOW_LCD_TEST_TOOL_IDS_H

#define kDialogLcdTestTool 110

#define kToolQuit 2 /* IDCANCEL */
#define kToolReset 1105
#define kToolDisplayTest 1106
#define kToolSendCommand 1109
#define kToolClearLcd 1110
#define kToolReturnHome 1111
#define kToolSendText 1112
#define kToolDisplayShift 1114
#define kToolLcdOn 1116
#define kToolBacklight 1118
#define kToolShowCursor 1119
#define kToolBlinkCursor 1120
#define kToolFont5x11 1122
#define kToolFont5x8 1123
#define kToolTextField 1124
#define kToolMoveCursor 1125
#define kToolCommandField 1126
#define kToolMoveDisplay 1127
#define kToolFontTable 1128
#define kToolOneLine 1129
#define kToolTwoLines 1130
#define kToolLeftToRight 1131
#define kToolRightToLeft 1132
#define kToolGoLeft 1226
#define kToolGoRight 1227
#define kToolSymbolField 1230
#define kToolAssign 1231

/* The own-font grid: dot row r (0-10), dot column c (0-4) has id kToolGridFirst + 5 r + c. */
#define kToolGridFirst 1150
#define kToolGridLast 1204
#define kToolGridColumns 5
#define kToolGridRows 11
#define kToolGridTallFirst 1190 /* rows 8-10: enabled only in 5x11 mode */

#endif
