// The panel's two protocol settings and whether commands are acknowledged.
//
// Replies flag: 1 while the panel answers commands itself (acknowledgements, "@V" and "@J"
// replies); the panel window's connect command sets it to 0 so that a connected real target
// answers instead, and its disconnect command sets it back to 1.
// Key-click word: while it holds kKeyClickOn the panel window beeps on every button press;
// command "@Z" sets it.
#pragma once

#include <cstdint>

namespace panel {

constexpr uint32_t kRepliesOn = 1;
constexpr uint32_t kKeyClickOn = 0x34;  // the character "4"
// The panel's beep: command "@z" and the key click of a button press.
constexpr unsigned kBeepFrequencyHz = 3900;
constexpr unsigned kBeepDurationMs = 75;

uint32_t GetRepliesFlag();
void SetRepliesFlag(uint32_t flag);
uint32_t GetKeyClickWord();
void SetKeyClickWord(uint32_t word);
// Both settings back to their initial values (replies 1, key click 0x34); the panel window calls
// it when it is created.
void ResetProtocolSettings();

// Acknowledgements: SetRxTarget switches them on, since only then does the application have a
// receiver for them; until then commands run without being acknowledged. The flag is not one of
// the two settings above and ResetProtocolSettings leaves it alone.
void EnableAcknowledgements(bool enabled);
bool AcknowledgementsEnabled();

}  // namespace panel
