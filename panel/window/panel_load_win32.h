// Message 1038: loading the panel, that is the device picture named by FileBmp (and, with the
// panel files, its area configuration).
#pragma once

#include <windows.h>

namespace panel {

void OnLoadPanel(HWND window);

}  // namespace panel
