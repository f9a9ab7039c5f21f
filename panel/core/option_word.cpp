#include "panel/core/option_word.h"

namespace panel {

namespace {

uint32_t g_option_word = kInitialOptionWord;
uint32_t g_alternate_option_word = kDesignerOptionWord;

// End-user mode excludes LCD list support; otherwise the two LCD list bits travel together.
uint32_t NormaliseOptionWord(uint32_t word) {
  const uint32_t lcd_list_bits = kOptionLcdList | kOptionLcdListMirror;
  if (word & kOptionEndUser) return word & ~lcd_list_bits;
  if (word & lcd_list_bits) return word | lcd_list_bits;
  return word;
}

}  // namespace

uint32_t GetOptions() { return g_option_word; }

uint32_t GetAlternateOptions() { return g_alternate_option_word; }

void SetAlternateOptions(uint32_t word) { g_alternate_option_word = word; }

void SwapOptionWords() { g_alternate_option_word = SetOptions(g_alternate_option_word); }

bool IsDesignerMode() { return g_option_word == kDesignerOptionWord; }

void ResetOptionWord() {
  g_option_word = kInitialOptionWord;
  g_alternate_option_word = kDesignerOptionWord;
}

}  // namespace panel

extern "C" uint32_t SetOptions(uint32_t word) {
  const uint32_t previous = panel::g_option_word;
  panel::g_option_word = panel::NormaliseOptionWord(word);
  return previous;
}
