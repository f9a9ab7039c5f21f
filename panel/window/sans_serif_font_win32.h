// The "MS Sans Serif" font that the panel's status line and the application's simulation window
// and about box use: the system font's description with that face and the given weight.
#pragma once

#include <windows.h>

namespace panel {

// A new font; the caller deletes it (DeleteObject). Null when it cannot be created.
inline HFONT CreateSansSerifFont(LONG weight) {
  LOGFONTA description{};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof(description), &description);
  lstrcpynA(description.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  description.lfWeight = weight;
  return CreateFontIndirectA(&description);
}

}  // namespace panel
