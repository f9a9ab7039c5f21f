// Protocol settings: plain words, written on the UI thread only (panel window, interpreter).
#include "panel/link/protocol_settings.h"

namespace panel {

namespace {
uint32_t g_replies_flag = kRepliesOn;
uint32_t g_key_click_word = kKeyClickOn;
bool g_acknowledgements = false;
}  // namespace

uint32_t GetRepliesFlag() { return g_replies_flag; }
void SetRepliesFlag(uint32_t flag) { g_replies_flag = flag; }
uint32_t GetKeyClickWord() { return g_key_click_word; }
void SetKeyClickWord(uint32_t word) { g_key_click_word = word; }

void ResetProtocolSettings() {
  g_replies_flag = kRepliesOn;
  g_key_click_word = kKeyClickOn;
}

void EnableAcknowledgements(bool enabled) { g_acknowledgements = enabled; }
bool AcknowledgementsEnabled() { return g_acknowledgements; }

}  // namespace panel
