// The class record every window of the library starts from.
#pragma once

#include <windows.h>

namespace panel {

// Size, procedure, module, arrow cursor, the window colour behind and the class name filled in;
// the caller adds style, icons or menu and registers it.
WNDCLASSEXA LibraryWindowClass(HINSTANCE module, const char* class_name, WNDPROC procedure);

}  // namespace panel
