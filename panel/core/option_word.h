// The panel library's option word: one 32-bit set of feature switches per process, read where
// each feature lives, and the alternate word that the panel window's swap command exchanges it
// with. Plain variables without a lock: only the UI thread writes them.
#pragma once

#include <cstdint>

extern "C" {
// Stores the normalised word and returns the previous one. Normalisation: with 0x0010 set,
// 0x0100 and 0x0002 are cleared; otherwise either of them set sets both.
uint32_t SetOptions(uint32_t word);
}

namespace panel {

// Bits that some part of the library tests.
constexpr uint32_t kOptionFixedLayout = 0x0001;     // fixed device layout at window creation
constexpr uint32_t kOptionLcdListMirror = 0x0002;   // kept equal to kOptionLcdList
constexpr uint32_t kOptionInterface = 0x0008;       // communication settings dialog, link icon
constexpr uint32_t kOptionEndUser = 0x0010;         // reduced end-user mode
constexpr uint32_t kOptionEnglish = 0x0020;         // English user interface
constexpr uint32_t kOptionHideApp = 0x0080;         // hide the application window
constexpr uint32_t kOptionLcdList = 0x0100;         // LCD types file and LCD menu
constexpr uint32_t kOptionNoMenu = 0x0400;          // panel window without menu
constexpr uint32_t kOptionLcdTestTool = 0x0800;     // LCD test tool menu entry enabled
constexpr uint32_t kOptionFileCommands = 0x1000;    // Ctrl+O / Ctrl+S active
constexpr uint32_t kOptionFontTable = 0x4000;       // hidden font table window

constexpr uint32_t kInitialOptionWord = 0x8410;
constexpr uint32_t kDesignerOptionWord = 0x3B06;    // whole word equal to it: designer mode

uint32_t GetOptions();
uint32_t GetAlternateOptions();
void SetAlternateOptions(uint32_t word);
// The panel window's swap command: the option word becomes the alternate word (through
// SetOptions) and the previous option word becomes the new alternate word.
void SwapOptionWords();
// True when the whole current word equals the designer word.
bool IsDesignerMode();
// Back to the load-time values 0x8410 / 0x3B06 (part of ResetPanelLibraryForTests).
void ResetOptionWord();

}  // namespace panel
