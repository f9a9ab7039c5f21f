// The controller's side of the panel link: frame composition, the one-frame transmitter with
// acknowledgement and retransmission, and the receiver with its interpreter.
#pragma once

#include <cstdint>

namespace controller {

// The "@I" download fills the state list (positions 8..19) first, then the settings list (0..8).
constexpr uint8_t kStateListFirst = 8;

void ComposeFrame();
void TransmitStep();
void ReceiveByte();     // the receive callback handed to the shell
bool ReceiveStep();     // true: a frame is complete in rx_buffer
void InterpretFrame();

// Digits for the LCD texts. Modes: 1 ones, 2 tens (blank when tens and hundreds are 0),
// 4 hundreds (blank when 0), 130 tens (always a digit).
constexpr uint8_t kDigitOnes = 1;
constexpr uint8_t kDigitTensBlanked = 2;
constexpr uint8_t kDigitHundredsBlanked = 4;
constexpr uint8_t kDigitTensPadded = 130;
char DigitChar(uint8_t value, uint8_t mode);
char HexDigit(uint8_t n);   // n 0..15 -> '0'..'9', 'A'..'F' (higher bits ignored)
uint8_t HexValue(char c);   // '0'..'9' -> 0..9, otherwise c - 55 (unchecked, modulo 256)

}  // namespace controller
