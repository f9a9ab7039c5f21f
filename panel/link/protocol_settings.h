// The panel's two protocol settings and the acknowledgement hook.
//
// Replies flag: 1 while the panel answers commands itself (acknowledgements, "@V" and "@J"
// replies); the panel window's connect command sets it to 0 so that a connected real target
// answers instead, and its disconnect command sets it back to 1.
// Key-click word: while it holds kKeyClickOn the panel window beeps on every button press;
// command "@Z" sets it.
#pragma once

#include <cstdint>

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
// it when it is created, tests before each case.
void ResetProtocolSettings();

// The acknowledgement hook: SetRxTarget installs it (AppendAcknowledgement below); while none is
// installed no acknowledgement is queued. nullptr removes it.
using AckHook = void (*)();
void SetAckHook(AckHook hook);
AckHook GetAckHook();

// Acknowledges a command: calls the hook if the replies flag is 1 and a hook is installed.
void Acknowledge();
