// The modal about box (dialog 103) with its link that turns bold under the mouse.
#pragma once

#include <windows.h>

namespace shell {

void ShowAboutBox(HINSTANCE instance, HWND owner);

}  // namespace shell
