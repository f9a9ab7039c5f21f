#include "app/shell/shell_font_win32.h"

#include "panel/window/sans_serif_font_win32.h"

namespace shell {

HFONT CreateShellFont(LONG weight) {
  return panel::CreateSansSerifFont(weight);
}

}  // namespace shell
