// The library's user-interface thread: registers "LcdWnd", creates the panel window, runs its
// message loop, and tells the attach thread when the panel has ended.
#pragma once

#include <windows.h>

namespace panel {

// Message filter of the UI thread.
constexpr WPARAM kDroppedKeyCode = 0x73;  // VK_F4, and also the character 's'

// Starts the UI thread with default stack size; returns its handle (null on failure) and its id.
// Call only from process attach: the thread waits until GetLibraryState().attach_done is set.
HANDLE StartUiThread(HINSTANCE module, DWORD* thread_id);

// The message filter of the loop: a message whose wParam is 0x73 is dropped (F4, Alt+F4, 's').
bool IsDroppedByUiLoop(const MSG& message);

}  // namespace panel
