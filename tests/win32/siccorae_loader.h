// Test side of the panel library: loads siccorae.dll at run time, resolves its exports by name,
// finds its panel window, and records what the library hands to the application's receiver.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "panel/core/data_lists.h"

struct SiccoraeApi {
  HMODULE module;
  void (*BindLcdDll)();
  void (*SetRxTarget)(void (*callback)(), unsigned char* cell);
  void (*ReceiveFromApp)(const unsigned char* data, uint32_t length);
  void (*CheckRx)();
  uint32_t (*SetOptions)(uint32_t word);
  tagRLISTHEAD* (*GetRectList)();
  tagRECTPROP* (*CreateRectEntry)(const tagRECTPROP* source);
  int (*AppendRect)(tagRLISTHEAD* head, tagRECTPROP* record);
};

// Every name the library must export.
extern const char* const kSiccoraeExports[];
extern const int kSiccoraeExportCount;

// Loads the library once per process (the loading thread becomes its attach thread). Null
// module when it cannot be loaded.
const SiccoraeApi& LoadSiccorae();

// Loads the library with another option word in force when the panel window is created: the
// word is set while this thread holds the loader lock, which holds the library's UI thread back
// until the load has returned (so the window sees the word). Use instead of LoadSiccorae, never
// together with it in one process.
const SiccoraeApi& LoadSiccoraeWithOptions(uint32_t word);

// The first top-level window of this process with the class name, or null.
HWND FindProcessWindow(const char* class_name);

// The panel window of this process, waited for up to timeout_ms; null when it never appears.
HWND WaitForPanelWindow(DWORD timeout_ms = 10000);

// Polls `condition` every 10 ms until it holds; false when it still does not after timeout_ms.
// The bound is generous: it only ends a test that would otherwise hang.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms = 10000);

// Returns once the panel's UI thread has handled everything sent to it before.
void SyncWithPanel(HWND panel);

// Has the panel window load its device picture (message 1038), repaint it whole and finish.
// Without a picture file in the working directory the window loads nothing.
void LoadPanelAndRepaint(HWND panel);

// The test's own LCD placement (LcdView) as a panel window in the fixed layout has it after a
// load step whose configuration name led to an area file ("rk52.opd" in the tests' settings
// key): the saved LCD rectangle taken over and the row rectangles recomputed from it.
void MirrorLoadedFixedLayoutLcd();

// The application's receiver as the tests play it: every callback records the receive cell.
struct RxRecorder {
  unsigned char cell;
  std::vector<unsigned char> bytes;  // the cell's value at each callback, in order
};
RxRecorder& Recorder();
// Points the library's receive target at Recorder() and clears it.
void AttachRecorder(const SiccoraeApi& api);
// Calls CheckRx once and returns the bytes it delivered.
std::string CheckRxOnce(const SiccoraeApi& api);

// Hands a text to ReceiveFromApp in one call.
void Send(const SiccoraeApi& api, const std::string& bytes);

// Counts message 1036 as the panel window receives it (a hook on the panel's UI thread).
class InterpretCounter {
 public:
  explicit InterpretCounter(HWND panel);
  ~InterpretCounter();
  int count() const;

 private:
  HHOOK hook_;
};

// Counts the ticks of one of the panel window's timers as its UI thread takes them from its
// queue (a hook on the panel's UI thread). One counter at a time. After the count has grown,
// SyncWithPanel returns only once that tick has been handled.
class TimerTickCounter {
 public:
  TimerTickCounter(HWND panel, UINT_PTR timer);
  ~TimerTickCounter();
  int count() const;

 private:
  HHOOK hook_;
};
