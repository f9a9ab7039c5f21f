#include "app/shell/shell_font_win32.h"

#include <cstring>

namespace shell {

HFONT CreateShellFont(LONG weight) {
  LOGFONTA font{};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font);
  std::strncpy(font.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  font.lfWeight = weight;
  return CreateFontIndirectA(&font);
}

}  // namespace shell
