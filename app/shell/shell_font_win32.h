// The one typeface of the shell's own texts (help text, about box link): "MS Sans Serif" at the
// size of the system font.
#pragma once

#include <windows.h>

namespace shell {

constexpr LONG kFontWeightThin = 100;
constexpr LONG kFontWeightBold = 700;

// The caller deletes the font. Null when it could not be created.
HFONT CreateShellFont(LONG weight);

}  // namespace shell
