// Protocol settings: plain words, written on the UI thread only (panel window, interpreter).
#include "panel/link/protocol_settings.h"

namespace {
uint32_t g_replies_flag = kRepliesOn;
uint32_t g_key_click_word = kKeyClickOn;
AckHook g_ack_hook = nullptr;
}  // namespace

uint32_t GetRepliesFlag() { return g_replies_flag; }
void SetRepliesFlag(uint32_t flag) { g_replies_flag = flag; }
uint32_t GetKeyClickWord() { return g_key_click_word; }
void SetKeyClickWord(uint32_t word) { g_key_click_word = word; }

void ResetProtocolSettings() {
  g_replies_flag = kRepliesOn;
  g_key_click_word = kKeyClickOn;
}

void SetAckHook(AckHook hook) { g_ack_hook = hook; }
AckHook GetAckHook() { return g_ack_hook; }

void Acknowledge() {
  if (g_replies_flag == kRepliesOn && g_ack_hook != nullptr) g_ack_hook();
}
