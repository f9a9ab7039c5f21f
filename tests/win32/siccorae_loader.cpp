#include "siccorae_loader.h"

#include <atomic>

#include "app/shell/shell_panel_end_win32.h"
#include "panel/window/panel_layout.h"
#include "panel/window/panel_window_win32.h"
#include "process_windows.h"

const char* const kSiccoraeExports[] = {
    "BindLcdDll", "SetRxTarget", "ReceiveFromApp", "CheckRx", "SetOptions",
    "ListInitCriticalSection", "ListCreate", "SetListHead", "GetTXListHead", "GetRXListHead",
    "CreateNewEntry", "ListAppend", "GetHead", "RemoveEntry", "DelList",
    "InitCriticalSection", "CreatePanelList", "SetPanelList", "GetPanelList", "CreatePanelEntry",
    "AppendPanel", "GetPanelHead", "GetNextPanelEntry", "RemovePanel", "DelPanelList",
    "InitCriticalRectSection", "CreateRectList", "SetRectList", "GetRectList", "CreateRectEntry",
    "AppendRect", "GetRectHead", "GetNextRectEntry", "RemoveRect", "DelRectList",
    "InitCriticalLcdSection", "CreateLcdList", "CreateLcdEntry", "AppendLcd", "GetLcdHead",
    "GetNextLcdEntry", "RemoveLcd", "DelLcdList",
    "FindRect", "FindRectById", "FindEllipse", "FindEllipseById", "FindLcd", "FindLcdTypeAt",
    "FindLcdByName", "FindLcdByNumber",
};
const int kSiccoraeExportCount = sizeof(kSiccoraeExports) / sizeof(kSiccoraeExports[0]);

using namespace panel;

namespace {

template <typename Function>
void Resolve(HMODULE module, const char* name, Function* target) {
  *target = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

SiccoraeApi LoadOnce() {
  SiccoraeApi api{};
  api.module = LoadLibraryA("siccorae.dll");
  if (!api.module) return api;
  Resolve(api.module, "BindLcdDll", &api.BindLcdDll);
  Resolve(api.module, "SetRxTarget", &api.SetRxTarget);
  Resolve(api.module, "ReceiveFromApp", &api.ReceiveFromApp);
  Resolve(api.module, "CheckRx", &api.CheckRx);
  Resolve(api.module, "SetOptions", &api.SetOptions);
  Resolve(api.module, "GetRectList", &api.GetRectList);
  Resolve(api.module, "CreateRectEntry", &api.CreateRectEntry);
  Resolve(api.module, "AppendRect", &api.AppendRect);
  return api;
}

// ntdll's loader lock, as the loader takes it around DllMain and every thread's start.
using LoaderLockFunction = LONG(NTAPI*)(ULONG flags, ULONG* state, ULONG_PTR* cookie);
using LoaderUnlockFunction = LONG(NTAPI*)(ULONG flags, ULONG_PTR cookie);

SiccoraeApi LoadHoldingLoaderLock(uint32_t word) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  LoaderLockFunction lock = nullptr;
  LoaderUnlockFunction unlock = nullptr;
  Resolve(ntdll, "LdrLockLoaderLock", &lock);
  Resolve(ntdll, "LdrUnlockLoaderLock", &unlock);
  if (!lock || !unlock) return SiccoraeApi{};
  ULONG_PTR cookie = 0;
  if (lock(0, nullptr, &cookie) != 0) return SiccoraeApi{};
  SiccoraeApi api = LoadOnce();
  if (api.SetOptions) api.SetOptions(word);
  unlock(0, cookie);
  return api;
}

void RecordByte() { Recorder().bytes.push_back(Recorder().cell); }

std::atomic<int> interpret_messages{0};

LRESULT CALLBACK CountInterpret(int code, WPARAM wparam, LPARAM lparam) {
  const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && message->message == WM_USER + 12) {
    ++interpret_messages;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

std::atomic<int> timer_ticks{0};
HWND ticking_window = nullptr;
UINT_PTR ticking_timer = 0;

LRESULT CALLBACK CountTimerTicks(int code, WPARAM wparam, LPARAM lparam) {
  const MSG* message = reinterpret_cast<const MSG*>(lparam);
  if (code == HC_ACTION && wparam == PM_REMOVE && message->message == WM_TIMER &&
      message->hwnd == ticking_window && message->wParam == ticking_timer) {
    ++timer_ticks;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// The UI thread of the panel window once a test has seen that window.
std::atomic<DWORD> panel_ui_thread{0};

// A test program ends its panel's UI thread before the process ends, as the application does
// (shell_panel_end_win32.h), rather than have the process's end stop the thread wherever it is:
// in its start-up, or in the middle of window, heap or stream work.
struct PanelEndAtExit {
  ~PanelEndAtExit() {
    if (!GetModuleHandleA("siccorae.dll")) return;
    DWORD ui_thread = panel_ui_thread;
    if (ui_thread == 0) ui_thread = shell::FindPanelUiThread(shell::kPanelWindowWaitMs);
    shell::EndPanelUiThread(ui_thread, shell::kPanelThreadEndWaitMs);
  }
};
PanelEndAtExit panel_end_at_exit;

}  // namespace

const SiccoraeApi& LoadSiccorae() {
  static const SiccoraeApi api = LoadOnce();
  return api;
}

const SiccoraeApi& LoadSiccoraeWithOptions(uint32_t word) {
  static const SiccoraeApi api = LoadHoldingLoaderLock(word);
  return api;
}

HWND FindProcessWindow(const char* class_name) {
  return FindWindowOf(GetCurrentProcessId(), class_name, nullptr, false);
}

HWND WaitForPanelWindow(DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND found = FindProcessWindow("LcdWnd");
    if (found && IsWindowVisible(found)) {
      panel_ui_thread = GetWindowThreadProcessId(found, nullptr);
      return found;
    }
    if (GetTickCount() - start > timeout_ms) return nullptr;
    Sleep(20);
  }
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(10);
  }
}

void SyncWithPanel(HWND panel) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

void LoadPanelAndRepaint(HWND panel) {
  SendMessageA(panel, kMsgLoadPanel, 0, 0);
  InvalidateRect(panel, nullptr, TRUE);
  UpdateWindow(panel);
  SyncWithPanel(panel);
}

void MirrorLoadedFixedLayoutLcd() {
  ResetPanelLcdView();
  int32_t saved_lcd[4];
  ApplyFixedLcdLayout(saved_lcd);
  RestoreSavedLcdRectangle(saved_lcd);
}

RxRecorder& Recorder() {
  static RxRecorder recorder;
  return recorder;
}

void AttachRecorder(const SiccoraeApi& api) {
  Recorder().cell = 0;
  Recorder().bytes.clear();
  api.SetRxTarget(RecordByte, &Recorder().cell);
}

std::string CheckRxOnce(const SiccoraeApi& api) {
  const size_t before = Recorder().bytes.size();
  api.CheckRx();
  return std::string(Recorder().bytes.begin() + before, Recorder().bytes.end());
}

void Send(const SiccoraeApi& api, const std::string& bytes) {
  api.ReceiveFromApp(reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<uint32_t>(bytes.size()));
}

InterpretCounter::InterpretCounter(HWND panel) {
  interpret_messages = 0;
  const DWORD ui_thread = GetWindowThreadProcessId(panel, nullptr);
  hook_ = SetWindowsHookExA(WH_CALLWNDPROC, CountInterpret, nullptr, ui_thread);
}

InterpretCounter::~InterpretCounter() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

int InterpretCounter::count() const { return hook_ ? interpret_messages.load() : -1; }

TimerTickCounter::TimerTickCounter(HWND panel, UINT_PTR timer) {
  timer_ticks = 0;
  ticking_window = panel;
  ticking_timer = timer;
  const DWORD ui_thread = GetWindowThreadProcessId(panel, nullptr);
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, CountTimerTicks, nullptr, ui_thread);
}

TimerTickCounter::~TimerTickCounter() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

int TimerTickCounter::count() const { return hook_ ? timer_ticks.load() : -1; }
