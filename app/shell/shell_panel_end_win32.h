// The orderly end of the panel library's UI thread before the process ends.
//
// When a process ends, the system stops its other threads wherever they are. A panel UI thread
// stopped in the middle of its start-up (window creation loads libraries under the loader lock)
// or of a window, heap or stream operation leaves that lock taken, and the process's own
// shut-down can then wait for it forever. So an application of the library ends the UI thread
// itself first: it posts the quit message to it (the loop ends, the library posts its end
// notice, the thread ends) and waits, with a bound, until the thread is gone.
#pragma once

#include <windows.h>

namespace shell {

// How long the end waits for the panel window to appear (its UI thread may still be starting)
// and then for the UI thread to end. Both only bound a UI thread that is stuck.
constexpr DWORD kPanelWindowWaitMs = 3000;
constexpr DWORD kPanelThreadEndWaitMs = 3000;

// The thread that owns this process's panel window. When no panel window exists yet, waits up to
// window_wait_ms for one, or until the library's end notice (WM_DESTROY posted to this thread)
// shows that there will be none; pass 0 when the notice has already arrived. 0: no panel thread.
DWORD FindPanelUiThread(DWORD window_wait_ms);

// Posts the quit message to the panel's UI thread and waits up to wait_ms until it has ended.
// True when it has ended (also when ui_thread_id is 0 or the thread was gone already). Call
// with no lock held that the UI thread could need, never from the UI thread itself.
bool EndPanelUiThread(DWORD ui_thread_id, DWORD wait_ms);

}  // namespace shell
