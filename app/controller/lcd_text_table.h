// The fixed LCD texts: message code 100 + n sends slot n. Slots 0..45 are line-2 texts of 16
// characters (13 and 14 have 11), slots 46..53 are 5-character value fields. 0xDF is the degree
// sign of the LCD character set.
#pragma once

#include <cstdint>

namespace controller {

constexpr int kLcdTextCount = 54;
constexpr int kLcdTextSlotSize = 17;  // 16 characters and a terminating zero

extern const uint8_t LcdTextTable[kLcdTextCount][kLcdTextSlotSize];

}  // namespace controller
