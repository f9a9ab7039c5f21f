// Program entry of siccora.exe. Everything after the entry lives in shell_app_win32.cpp, which
// the end-to-end test links as well.
#include <windows.h>

#include "app/shell/shell_app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  return shell::ShellRun(instance, show_command);
}
