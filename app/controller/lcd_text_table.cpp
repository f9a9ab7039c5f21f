#include "app/controller/lcd_text_table.h"

#include "app/controller/controller_codes.h"

namespace controller {

static_assert(kMsgLastText - kMsgFirstText + 1 == kLcdTextCount, "one slot per text code");

// Unused tail bytes of each slot are zero.
const uint8_t LcdTextTable[kLcdTextCount][kLcdTextSlotSize] = {
    " SICCORA-superb ",  // 100 product name
    "  START IN 5s   ",  // 101 washing program selected
    "  START IN 5s   ",  // 102 room program selected
    " Compressor On  ",  // 103
    " Ventilator On  ",  // 104
    "    Standby     ",  // 105
    "   No heater    ",  // 106
    "   Defrosting   ",  // 107
    "Operation denied",  // 108
    "  Drying Room   ",  // 109
    " Drying Washing ",  // 110
    "  SENSOR ERROR  ",  // 111
    "   RESERVED 4   ",  // 112
    " START at  ",       // 113 followed by the start time at column 11
    " START at  ",       // 114
    " CONFIGURATION  ",  // 115
    "   TIME MENU    ",  // 116
    "   TEST MENU    ",  // 117
    " Heater Option  ",  // 118
    "   Key Beep     ",  // 119
    "Standby-Time (s)",  // 120
    " Compensation % ",  // 121
    " RH COMP OFF (W)",  // 122
    " RH COMP ON  (W)",  // 123
    " RH COMP OFF (R)",  // 124
    " RH COMP ON  (R)",  // 125
    " DEFROST \xDF C MAX",  // 126
    " DEFROST \xDF C MIN",  // 127
    " DEFROST s/\xDF C  ",  // 128
    "  Set clock     ",  // 129
    "Set start block ",  // 130
    " Set end block  ",  // 131
    "Filter          ",  // 132
    "Software V1.3.E ",  // 133
    " LED Test       ",  // 134
    " DISPLAY TEST   ",  // 135
    "  RELAY Test    ",  // 136
    "  All Relays    ",  // 137
    "  Vent. Relay   ",  // 138
    "  Comp. Relay   ",  // 139
    "  Heater Relay  ",  // 140
    " RES Menu  2    ",  // 141
    " RES Menu  3    ",  // 142
    " RES Menu  4    ",  // 143
    " RES Menu  5    ",  // 144
    "CLEAN THE FILTER",  // 145
    " *ON ",             // 146 value fields at line 1, column 0
    "  ON ",             // 147
    " *OFF",             // 148
    "  OFF",             // 149
    " *MAN",             // 150
    "  MAN",             // 151
    " *AUT",             // 152
    "  AUT",             // 153
};

}  // namespace controller
